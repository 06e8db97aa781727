#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/MainState.h"

namespace vornik {

enum class DocumentLoader { Bitmap, Icon, Animation, Exe };

struct LoaderChoice {
    int page;
    DocumentLoader loader;
    bool operator==(const LoaderChoice&) const = default;
};

// The path's extension with its dot, in upper case ("" when it has none).
std::string UpperExtension(const std::string& path);

// Which page and loader a file goes to: the format the registry finds by
// content (the extension only where the content says nothing) and what that
// format yields. EVornikError when the file cannot be read at all.
LoaderChoice ChooseLoader(const std::string& path);

// Opens any file through the format registry. The file is read first: a
// refused file raises EVornikError with a message naming the file and the
// reason, and the previous document, page and name stay. Otherwise the page
// of what it yields is made active (a modified document there is asked
// about first), the content becomes that page's document, the caption names
// the file and it joins the recent files. A file read with losses is marked
// so (its first save asks) and a message lists what was left out.
void OpenDocument(MainState& s, const std::string& path);

// One notice listing what the program reader skipped or found damaged; nothing when all was sound.
// Notes before `from` are left out (shown elsewhere).
void ShowExeLoadNotes(const TIconEx& set, const std::string& path, std::size_t from = 0);
// Shown when a bitmap comes under another name; it is read as the bitmap it is.
inline constexpr const char* kForeignBitmapNotice =
    VORNIK_TRANSLATE_NOOP("Editor",
                          "This file has the extension \"ico\", but its contents are a bitmap (\"bmp\").\nIt "
                          "is read as a bitmap file.");

// Starts a new document on the active page; a modified one is asked about
// first (ConfirmLeave), and a cancel leaves everything as it was. On the Icon page chooseKind is asked for
// the kind (Tfrmiconcursel's radio index: 0 icon, 1 cursor); without it an icon set is made.
void NewDocument(MainState& s, const std::function<int()>& chooseKind);

// Files dropped on the window: the first one is opened, or the target when it
// is a shortcut. Nothing happens for an empty list.
void DropFiles(MainState& s, const std::vector<std::string>& paths);

// Fills the import slot with ImportFileName read through the format registry
// (0 icon set, 1 cursor set, 2 animation, 3 a program's images). A refused
// file or a picture raises EVornikError naming the file and the reason.
void OpenImportSource(MainState& s);

}  // namespace vornik
