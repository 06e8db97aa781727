#pragma once

#include <string>
#include <vector>

#include "formats/ThemeDescription.h"
#include "model/XcursorFile.h"

namespace vornik {

struct ThemePlatforms {
    bool x11 = true;
    bool windows = true;
};

// What a theme build wrote, in lines a user reads.
struct ThemeBuildReport {
    std::string x11Folder;      // OUT_DIR/NAME, empty when not written
    std::string windowsFolder;  // OUT_DIR/NAME-windows, empty when not written
    int cursors = 0;            // Xcursor files written
    int links = 0;              // names written as links, given and automatic
    int roles = 0;              // Windows cursor files written
    std::vector<std::string> notes;
};

// Every image of one cursor of the theme: for each size of the theme, every
// frame in order, each with the size as its nominal size, the hot spot scaled
// from source coordinates by size / source size (rounded half up, kept inside
// the image) and the frame's delay. ECursorSourceError with the TOML line for
// a missing or unreadable source and a hot spot outside the source.
std::vector<XcursorPicture> DrawThemeCursor(const ThemeDescription& theme, const ThemeCursor& cursor);

// Builds the theme into outDir: for x11, NAME/cursors/ with one Xcursor file
// per cursor, its other names and the automatic aliases that no cursor claims
// as links, and NAME/index.theme; for windows, NAME-windows/ with a
// multi-size .cur or .ani per role and install.inf. Every cursor is drawn
// before anything is written, so a mistake leaves outDir as it was.
ThemeBuildReport BuildTheme(const ThemeDescription& theme, const std::string& outDir,
                            ThemePlatforms platforms = {});

}  // namespace vornik
