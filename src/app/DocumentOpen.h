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

// Which page and loader a file goes to, first match winning: .BMP .DIB .JPG
// .JPEG -> Bitmap; bitmap content under any other name -> Bitmap; animated
// cursor content under any name -> Animation; .ICO .CUR -> Icon; .ANI ->
// Animation; anything else -> the executable scan on the Icon page. Reads
// the file's first bytes; EInOutError when it cannot.
LoaderChoice ChooseLoader(const std::string& path);

// Opens any file: the page is made active, the loader runs, the page's
// commands are applied; the caption names the file and it joins the recent
// files. A loader's error propagates with the new page active and its
// commands applied, the previous document of that page untouched.
void OpenDocument(MainState& s, const std::string& path);

// The four loaders. Each reads into a new set (or picture) and only then
// replaces the page's document, so a file that cannot be read leaves the old
// one in place. A file the reader refuses still replaces it by an empty set.
void OpenIconFile(MainState& s, const std::string& path);
void OpenExeFile(MainState& s, const std::string& path);
// One notice listing what LoadFromExe skipped or found damaged; nothing when all was sound.
void ShowExeLoadNotes(const TIconEx& set, const std::string& path);
void OpenAniFile(MainState& s, const std::string& path);
// .BMP/.DIB and .JPG/.JPEG by their extension; any other name is a bitmap in
// disguise: a notice, then it is read through a temporary copy vxtemp.bmp
// in a fresh folder under TempFolder(), both removed afterwards, also on
// failure.
void OpenBitmapFile(MainState& s, const std::string& path);
inline constexpr const char* kForeignBitmapNotice =
    "このファイルは拡張子が \"ico\"ですが、中身は ビットマップ(\"bmp\")です。\r"
    "ビットマップファイルとして読み込みます。";
inline constexpr const char* kTempBitmapName = "vxtemp.bmp";

// The message of an open that failed: names the file, then why.
std::string OpenFailedMessage(const std::string& path, const std::string& reason);

// Starts a new document on the active page; a modified one is asked about
// first (ConfirmLeave), and a cancel leaves everything as it was. On the Icon page chooseKind is asked for
// the kind (Tfrmiconcursel's radio index: 0 icon, 1 cursor); without it an icon set is made.
void NewDocument(MainState& s, const std::function<int()>& chooseKind);

// Files dropped on the window: the first one is opened, or the target when it
// is a shortcut. Nothing happens for an empty list.
void DropFiles(MainState& s, const std::vector<std::string>& paths);

// Fills the import slot of ImportFileName's kind by its extension (.ICO 0,
// .CUR 1, .ANI 2, anything else 3, an executable scan).
void OpenImportSource(MainState& s);

}  // namespace vornik
