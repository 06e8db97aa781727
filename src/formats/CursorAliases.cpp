#include "formats/CursorAliases.h"

#include <map>

namespace vornik {

namespace {

// Each line is one shape under all its names.
const std::vector<std::vector<std::string>>& groups() {
    static const std::vector<std::vector<std::string>> table = {
        {"left_ptr", "default", "arrow", "top_left_arrow", "left-arrow"},
        {"right_ptr", "draft_large", "draft_small"},
        {"help", "question_arrow", "whats_this", "left_ptr_help", "5c6cd98b3f3ebcb1f9c7f1c204630408",
         "d9ce0ab605698f320427677b458ad60b"},
        {"left_ptr_watch", "progress", "half-busy", "3ecb610c1bf2410f44200f48c40d3599",
         "00000000000000020006000e7e9ffc3f", "08e8e1c95fe2fc01f976f1e063a24ccd"},
        {"watch", "wait"},
        {"crosshair", "cross", "tcross", "cross_reverse", "diamond_cross"},
        {"xterm", "text", "ibeam"},
        {"vertical-text"},
        {"pencil", "draft"},
        {"circle", "not-allowed", "forbidden", "crossed_circle", "03b6e0fcb3499374a867c041f52298f0"},
        {"dnd-no-drop", "no-drop"},
        {"sb_v_double_arrow", "ns-resize", "size_ver", "v_double_arrow", "double_arrow",
         "00008160000006810000408080010102"},
        {"sb_h_double_arrow", "ew-resize", "size_hor", "h_double_arrow", "028006030e0e7ebffc7f7070c0600140"},
        {"bd_double_arrow", "nwse-resize", "size_fdiag", "c7088f0f3e6c8088236ef8e1e3e70000"},
        {"fd_double_arrow", "nesw-resize", "size_bdiag", "fcf1c3c7cd4491d801f1e1c78f100000"},
        {"row-resize", "split_v", "2870a09082c103050810ffdffffe0204"},
        {"col-resize", "split_h", "14fef782d02440884392942c11205230"},
        {"top_side", "n-resize"},
        {"bottom_side", "s-resize"},
        {"left_side", "w-resize"},
        {"right_side", "e-resize"},
        {"top_left_corner", "nw-resize"},
        {"top_right_corner", "ne-resize"},
        {"bottom_left_corner", "sw-resize"},
        {"bottom_right_corner", "se-resize"},
        {"fleur", "move", "all-scroll", "size_all", "4498f0e0c1937ffe01fd06f973665830",
         "9081237383d90e509aa00f00170e968f"},
        {"center_ptr", "up_arrow", "sb_up_arrow"},
        {"hand2", "pointer", "hand1", "hand", "pointing_hand", "e29285e634086352946a0e7090d73106",
         "9d800788f1b08800ae810202380a0822"},
        {"openhand", "grab"},
        {"closedhand", "grabbing"},
        {"copy", "dnd-copy", "1081e37283d90000800003c07f3ef6bf", "6407b0e94181790501fd1e167b474872"},
        {"link", "alias", "dnd-link", "3085a0e285430894940527032f8b26df", "640fb0e74195791501fd1ed57b41487f"},
        {"dotbox", "dot_box_mask", "draped_box", "icon", "target"},
        {"X_cursor", "pirate"},
        {"zoom-in", "zoom_in"},
        {"zoom-out", "zoom_out"},
    };
    return table;
}

}  // namespace

const std::vector<std::string>& CursorSynonyms(const std::string& name) {
    static const std::map<std::string, std::vector<std::string>> byName = [] {
        std::map<std::string, std::vector<std::string>> out;
        for (const auto& group : groups())
            for (const std::string& n : group) {
                std::vector<std::string>& others = out[n];
                for (const std::string& m : group)
                    if (m != n) others.push_back(m);
            }
        return out;
    }();
    static const std::vector<std::string> none;
    const auto it = byName.find(name);
    return it == byName.end() ? none : it->second;
}

}  // namespace vornik
