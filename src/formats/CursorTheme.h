#pragma once

#include <string>
#include <vector>

#include "platform/ReadIssue.h"

namespace vornik {

// What a theme conversion did, in lines a user reads.
struct ThemeReport {
    std::vector<std::string> mapped;   // "pointer: Normal.cur -> left_ptr (+3 links)"
    std::vector<std::string> missing;  // roles with no cursor, and why
    std::vector<std::string> skipped;  // files left out, and why
    // Cursor files that could not be read ("name: why"), and those read with
    // losses ("name: what was left out"): the conversion is not complete.
    std::vector<std::string> refused;
    struct Lossy {
        std::string file;
        std::vector<Loss> losses;
    };
    std::vector<Lossy> readWithLosses;
    int converted = 0;                 // cursor files written
};

// True when the folder is a Linux cursor theme (a cursors/ folder, or Xcursor
// files in the folder itself); otherwise it is taken for a Windows pack.
bool IsXcursorThemeFolder(const std::string& dir);

// A Windows cursor pack (install.inf, standard file names, or file names
// alone) to a Linux theme: outDir/cursors/<name> with links for the usual
// aliases, and outDir/index.theme. Files are only read inside inDir.
ThemeReport WindowsPackToTheme(const std::string& inDir, const std::string& outDir);

// A Linux cursor theme to a Windows pack: <role>.cur or <role>.ani for each
// role the theme has, and install.inf installing them as a scheme.
ThemeReport ThemeToWindowsPack(const std::string& inDir, const std::string& outDir);

}  // namespace vornik
