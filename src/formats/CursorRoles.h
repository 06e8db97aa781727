#pragma once

#include <string>
#include <vector>

namespace vornik {

// One role of a Windows cursor scheme, in the order of the scheme list in the
// registry, with the names a Linux cursor theme uses for it.
struct CursorRole {
    const char* role;             // our name: "pointer", "help", ...
    const char* registryName;     // value name under Control Panel\Cursors: "Arrow", ...
    const char* freedesktopName;  // the file written in a theme's cursors/ folder
    std::vector<const char*> aliases;    // further theme names, written as symbolic links
    std::vector<const char*> fileNames;  // how Windows packs commonly name the file (normalised)
};

constexpr int kCursorRoleCount = 17;
const std::vector<CursorRole>& CursorRoles();

// Role index for a role name, a registry value name or an inf string name
// ("pointer", "Arrow", "Vert"...), case-insensitively; -1 when none.
int CursorRoleByName(const std::string& name);
// Role index for a file name of a Windows pack ("Normal Select.cur",
// "aero_arrow.cur", "left_ptr.ani"); -1 when none.
int CursorRoleByFileName(const std::string& fileName);
// Role index for a theme cursor name (the primary name or an alias); -1 when none.
int CursorRoleByThemeName(const std::string& name);

// Lower case without blanks, '_', '-' and '.', and without a .cur/.ani
// extension: how file names are compared.
std::string NormalisedCursorName(const std::string& name);

}  // namespace vornik
