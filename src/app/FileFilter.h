#pragma once

#include <string>

#include "platform/Message.h"

namespace vornik {

// The filter of the file choosers, as written throughout the program:
// "Name|*.a;*.b|Name|*.c", names in English (the editor's file chooser shows
// them translated, context "FileFilter"). The first group offers every file the open
// command reads by its name; Xcursor files carry no extension, so their group
// shows every file.
inline constexpr const char* kOpenFilter =
    "Supported files|*.dib;*.bmp;*.ico;*.cur;*.ani;*.jpg;*.jpeg;*.png;*.svg;*.svgz;*.exe;*.dll|Bitmap|*.bmp;*.dib|"
    "Icon|*.ico|Cursor|*.cur|Animated cursor|*.ani|Jpeg|*.jpg;*.jpeg|PNG|*.png|SVG|*.svg;*.svgz|Xcursor|*|"
    "Exe/dll|*.exe;*.dll|All|*.*";

// The same filter in Qt's form "Name (*.a *.b);;Name (*.c)": names and
// patterns unchanged, pattern lists blank-separated. A name without patterns
// stands alone; empty pairs are dropped.
std::string ToQtFilter(const std::string& filter);

}  // namespace vornik
