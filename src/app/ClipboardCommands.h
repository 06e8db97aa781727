#pragma once

#include <vector>

#include "anim/FrameSizes.h"
#include "app/MainState.h"
#include "imaging/TQvClipboard.h"
#include "imaging/TQvDIB.h"

namespace vornik {

inline constexpr const char* kNoBitmapOnClipboard =
    VORNIK_TRANSLATE_NOOP("Editor", "The clipboard holds no bitmap");
inline constexpr const char* kNoIconSetToPaste =
    VORNIK_TRANSLATE_NOOP("Editor", "No icon or cursor resource has been made");
inline constexpr const char* kNoAniSetToPaste =
    VORNIK_TRANSLATE_NOOP("Editor", "No animated cursor resource has been made");

// Whole entries copied within the program, held for the whole run.
struct EntryClipboard {
    TQvDIB image;
    TQvDIB mask;
    bool available = false;
    // Frames copied on the Animation page, whole with every size; pasted
    // there as they are (the image pair above is the first one's shown image).
    std::vector<FrameCopy> frames;
};

// Command tbcopy: with "image" or "mask" down that view goes to the
// clipboard (the mask as 1 bit); with "view" down the selected entry (Icon
// page) or frame (Animation page, selectedFrame) becomes the entry clipboard
// and its image goes to the clipboard, or on the Bitmap page the take-in
// square does.
void CopyToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard, int selectedFrame);
// The same with several frames selected on the Animation page (all of them
// are copied, cut or pasted together).
void CopyToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard,
                const std::vector<int>& selectedFrames);

// Command tbcut: copy; with "view" down the entry or frame is then removed.
void CutToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard, int selectedFrame);
void CutToClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard,
               const std::vector<int>& selectedFrames);

// Command tbpaste: a clipboard bitmap into the image or mask view (or
// the Bitmap page's picture); with "view" down on the Icon or Animation page
// the entry clipboard becomes a new first entry or last frame.
void PasteFromClipboard(MainState& s, EntryClipboard& entries, TQvClipboard& clipboard);

}  // namespace vornik
