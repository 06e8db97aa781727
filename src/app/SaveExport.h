#pragma once

#include <optional>
#include <string>

#include "app/MainState.h"
#include "imaging/TQvDIB.h"

namespace vornik {

inline constexpr const char* kSaveDialogName = "SavePictureDialog2";
inline constexpr const char* kExportNeedsTargetNotice = VORNIK_TRANSLATE_NOOP(
    "Editor", "Choose image or mask with the resource selection buttons to choose what to export");

// Asked (yes/no) before the first save over a file that was read with
// losses: yes overwrites, no goes to Save As, where the chooser can cancel.
Message LossySaveQuestion(const std::string& path);

// Command tbsave: the active page's set to its file; a set without a
// file name goes through Save As. The Bitmap page saves nothing. No question
// before overwriting, except for a document read with losses (LossySaveQuestion:
// overwrite, or save under another name, or cancel in that chooser); the caption stays.
// True when the set was written.
bool SaveDocument(MainState& s);

// Command SaveAs1: the save chooser with the page's own filter (icon or cursor
// by ResourceType, animated cursor); the set is written and only then takes
// the chosen name, which the caption shows. False when nothing was written
// (cancelled, executable shown, Bitmap page).
bool SaveDocumentAs(MainState& s);

// What an export name asks for: its extension (.ico, .cur, .bmp/.dib,
// .jpg/.jpeg, .png); without one, the type selector's format.
enum class ExportKind { Icon, Cursor, Bitmap, Jpeg, Png, Unknown };
ExportKind ExportKindOf(const std::string& path, int cmbtype);

// Command export1: the image pair written in the format the chosen
// name's extension asks for (ExportKindOf): a one-image icon or cursor, the
// image or the mask (by the resource target) as BMP or JPEG, or a PNG with
// the mask as transparency. An unknown extension is refused with a message.
// With "view" down a bitmap export only shows kExportNeedsTargetNotice.
// False when nothing was written; nothing happens while the views are empty.
bool ExportImagePair(MainState& s);

// The set becomes an icon (1) or a cursor (2) set: a cursor's entries get
// hot spot 0, 0; an icon's planes 1 and their image's bit count.
void ChangeResourceKind(TIconEx& set, int resourceType);

// The image view as a 32-bit picture with the alpha its entry gets (mask
// edits stored into it), when the image is drawn by alpha; else nothing.
std::optional<TQvDIB> AlphaPictureOfViews(const EditState& edit);

// A copy of the image in which every pixel whose mask pixel is exactly white
// takes the background colour (RGB, red in the low byte).
TQvDIB ComposeWithBackground(const TQvDIB& image, const TQvDIB& mask, int color);

}  // namespace vornik
