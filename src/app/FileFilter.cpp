#include "app/FileFilter.h"

#include <vector>

namespace vornik {

namespace {

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    parts.push_back(cur);
    return parts;
}

std::string trimmed(const std::string& s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

std::string ToQtFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::vector<std::string> parts = split(filter, '|');
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string name = parts[i];
        std::string patterns;
        if (i + 1 < parts.size()) {
            for (const std::string& p : split(parts[i + 1], ';')) {
                std::string t = trimmed(p);
                if (t.empty()) continue;
                if (!patterns.empty()) patterns += ' ';
                patterns += t;
            }
        }
        if (name.empty() && patterns.empty()) continue;
        std::string entry =
            patterns.empty() ? name : (name.empty() ? patterns : name + " (" + patterns + ")");
        if (!out.empty()) out += ";;";
        out += entry;
    }
    return out;
}

}  // namespace vornik
