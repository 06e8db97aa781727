#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vornik {

// Where a cursor's picture comes from: one file drawn at every size, or one
// file per size (nominal size -> file). Paths as written, relative to the
// theme file's folder.
struct ThemePictureSource {
    int line = 0;
    std::string file;
    std::map<std::uint32_t, std::string> perSize;
};

struct ThemeFrame {
    ThemePictureSource source;
    std::uint32_t delay = 0;  // ms; 0 for a still cursor
};

struct ThemeCursor {
    int line = 0;  // of its [[cursor]] header
    // The first is the file in cursors/, the rest links to it.
    std::vector<std::string> names;
    // Index into CursorRoles(), or -1; roleLine says where it was given
    // (0: not given, and then it may be taken from the names).
    int role = -1;
    int roleLine = 0;
    std::vector<ThemeFrame> frames;  // one for a still cursor
    bool animated = false;
    double hotX = 0;
    double hotY = 0;
    int hotLine = 0;
};

// A theme described in TOML: name, comment, inherits, sizes and its cursors.
struct ThemeDescription {
    std::string path;    // the TOML file, for messages
    std::string folder;  // sources are relative to it
    std::string name;
    std::string comment;
    std::vector<std::string> inherits;
    std::vector<std::uint32_t> sizes;
    std::vector<ThemeCursor> cursors;
};

// Parses the theme's TOML. Every mistake (bad TOML, a missing or mistyped
// key, an unknown key, a role that is no Windows cursor role, a name used
// twice) throws ECursorSourceError whose message holds "line N".
ThemeDescription ParseThemeDescription(const std::string& text, const std::string& path);
ThemeDescription ReadThemeDescription(const std::string& path);

}  // namespace vornik
