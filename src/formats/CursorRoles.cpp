#include "formats/CursorRoles.h"

#include <algorithm>
#include <cctype>

namespace vornik {

namespace {

std::string lower(const std::string& s) {
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

// Further names an inf's [Strings] uses for a role (the common pack templates).
const std::vector<std::vector<const char*>>& infStringNames() {
    static const std::vector<std::vector<const char*>> names = {
        {"arrow", "normal", "pointer"},
        {"help", "helpsel"},
        {"work", "working", "appstarting", "background"},
        {"busy", "wait"},
        {"cross", "precision", "crosshair"},
        {"text", "beam", "ibeam"},
        {"hand", "handwriting", "pen", "nwpen"},
        {"unavailable", "unavailiable", "unavail", "no"},
        {"vert", "ns", "sizens", "vertical"},
        {"horz", "ew", "sizewe", "horizontal"},
        {"dgn1", "nwse", "sizenwse", "diagonal1"},
        {"dgn2", "nesw", "sizenesw", "diagonal2"},
        {"move", "sizeall"},
        {"alternate", "up", "uparrow", "alt"},
        {"link", "linksel"},
        {"pin", "location"},
        {"person"},
    };
    return names;
}

}  // namespace

const std::vector<CursorRole>& CursorRoles() {
    static const std::vector<CursorRole> roles = {
        {"pointer", "Arrow", "left_ptr", {"default", "arrow", "top_left_arrow", "left-arrow"},
         {"normalselect", "normal", "arrow", "aeroarrow", "arrowr", "pointer"}},
        {"help", "Help", "help",
         {"question_arrow", "whats_this", "left_ptr_help", "5c6cd98b3f3ebcb1f9c7f1c204630408",
          "d9ce0ab605698f320427677b458ad60b"},
         {"helpselect", "help", "aerohelpsel", "helpr", "helpsel"}},
        {"working", "AppStarting", "left_ptr_watch",
         {"progress", "half-busy", "3ecb610c1bf2410f44200f48c40d3599", "00000000000000020006000e7e9ffc3f",
          "08e8e1c95fe2fc01f976f1e063a24ccd"},
         {"workinginbackground", "working", "appstarting", "aeroworking", "waitr", "background"}},
        {"busy", "Wait", "watch", {"wait"}, {"busy", "wait", "aerobusy", "busyr"}},
        {"precision", "Crosshair", "crosshair", {"cross", "tcross", "cross_reverse", "diamond_cross"},
         {"precisionselect", "precision", "crosshair", "cross", "crossr"}},
        {"text", "IBeam", "xterm", {"text", "ibeam"}, {"textselect", "text", "ibeam", "beam", "beamr"}},
        {"hand", "NWPen", "pencil", {"draft"}, {"handwriting", "pen", "nwpen", "aeropen", "penr"}},
        {"unavailable", "No", "circle",
         {"not-allowed", "no-drop", "forbidden", "crossed_circle", "03b6e0fcb3499374a867c041f52298f0"},
         {"unavailable", "no", "aerounavail", "unavail", "nor"}},
        {"ns", "SizeNS", "sb_v_double_arrow",
         {"ns-resize", "size_ver", "v_double_arrow", "n-resize", "s-resize", "row-resize", "top_side",
          "bottom_side", "00008160000006810000408080010102"},
         {"verticalresize", "vertical", "sizens", "aerons", "size4r", "ns", "vert"}},
        {"ew", "SizeWE", "sb_h_double_arrow",
         {"ew-resize", "size_hor", "h_double_arrow", "e-resize", "w-resize", "col-resize", "left_side",
          "right_side", "028006030e0e7ebffc7f7070c0600140"},
         {"horizontalresize", "horizontal", "sizewe", "aeroew", "size3r", "ew", "horz"}},
        {"nwse", "SizeNWSE", "bd_double_arrow",
         {"nwse-resize", "size_fdiag", "nw-resize", "se-resize", "top_left_corner", "bottom_right_corner",
          "c7088f0f3e6c8088236ef8e1e3e70000"},
         {"diagonalresize1", "diagonal1", "sizenwse", "aeronwse", "size1r", "nwse", "dgn1"}},
        {"nesw", "SizeNESW", "fd_double_arrow",
         {"nesw-resize", "size_bdiag", "ne-resize", "sw-resize", "top_right_corner", "bottom_left_corner",
          "fcf1c3c7cd4491d801f1e1c78f100000"},
         {"diagonalresize2", "diagonal2", "sizenesw", "aeronesw", "size2r", "nesw", "dgn2"}},
        {"move", "SizeAll", "fleur",
         {"move", "all-scroll", "size_all", "4498f0e0c1937ffe01fd06f973665830", "9081237383d90e509aa00f00170e968f"},
         {"move", "sizeall", "aeromove", "mover"}},
        {"up", "UpArrow", "center_ptr", {"up_arrow", "sb_up_arrow"},
         {"alternateselect", "alternate", "uparrow", "aeroup", "upr", "up"}},
        {"link", "Hand", "hand2",
         {"pointer", "hand1", "hand", "pointing_hand", "e29285e634086352946a0e7090d73106",
          "9d800788f1b08800ae810202380a0822"},
         {"linkselect", "link", "hand", "aerolink", "linkr"}},
        {"pin", "Pin", "pin", {}, {"locationselect", "location", "pin", "aeropin"}},
        {"person", "Person", "person", {}, {"personselect", "person", "aeroperson"}},
    };
    return roles;
}

std::string NormalisedCursorName(const std::string& name) {
    std::string s = lower(name);
    for (const char* ext : {".cur", ".ani"})
        if (s.size() > 4 && s.compare(s.size() - 4, 4, ext) == 0) s.resize(s.size() - 4);
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == ' ' || c == '_' || c == '-' || c == '.'; }),
            s.end());
    return s;
}

int CursorRoleByName(const std::string& name) {
    const std::string n = lower(name);
    const auto& roles = CursorRoles();
    for (int i = 0; i < kCursorRoleCount; ++i)
        if (n == roles[static_cast<std::size_t>(i)].role || n == lower(roles[static_cast<std::size_t>(i)].registryName))
            return i;
    for (int i = 0; i < kCursorRoleCount; ++i)
        for (const char* alt : infStringNames()[static_cast<std::size_t>(i)])
            if (n == alt) return i;
    return -1;
}

int CursorRoleByFileName(const std::string& fileName) {
    const std::string n = NormalisedCursorName(fileName);
    const auto& roles = CursorRoles();
    for (int i = 0; i < kCursorRoleCount; ++i)
        for (const char* f : roles[static_cast<std::size_t>(i)].fileNames)
            if (n == f) return i;
    // Packs made from a Linux theme carry its names.
    std::string stem = fileName;
    const auto dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
    return CursorRoleByThemeName(stem);
}

int CursorRoleByThemeName(const std::string& name) {
    const auto& roles = CursorRoles();
    for (int i = 0; i < kCursorRoleCount; ++i) {
        const CursorRole& r = roles[static_cast<std::size_t>(i)];
        if (name == r.freedesktopName) return i;
        for (const char* a : r.aliases)
            if (name == a) return i;
    }
    return -1;
}

}  // namespace vornik
