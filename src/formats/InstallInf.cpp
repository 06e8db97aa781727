#include "formats/InstallInf.h"

#include <algorithm>
#include <cctype>

#include "formats/CursorRoles.h"
#include "platform/ShiftJis.h"
#include "platform/Utf16.h"

namespace vornik {

namespace {

std::string fromUtf16(const Bytes& d, std::size_t start, bool bigEndian) {
    return start < d.size() ? Utf8FromUtf16(d.data() + start, (d.size() - start) / 2, bigEndian) : std::string();
}

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (n < 0 || s.size() - i - 1 < static_cast<std::size_t>(n)) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) return false;
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// One line split at commas (and the first '=' into a key), quotes removed,
// ';' comments dropped. "" inside quotes is one quote.
struct InfLine {
    std::string key;  // text before '=', or empty
    std::vector<std::string> fields;
};

InfLine splitLine(const std::string& line) {
    InfLine out;
    std::string cur;
    bool quoted = false, sawKey = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cur += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cur += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ';') {
            break;
        } else if (c == '=' && !sawKey && out.fields.empty()) {
            out.key = trim(cur);
            cur.clear();
            sawKey = true;
        } else if (c == ',') {
            out.fields.push_back(trim(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.fields.push_back(trim(cur));
    return out;
}

using Sections = std::map<std::string, std::vector<InfLine>>;  // lower-case name -> lines

Sections readSections(const std::string& text) {
    Sections out;
    std::vector<InfLine>* current = nullptr;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            current = &out[lower(trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)))];
            continue;
        }
        if (current) current->push_back(splitLine(line));
    }
    return out;
}

// %name% replaced from [Strings] (names case-insensitive), %% becomes %.
// Numbered directory ids (%10%) stand for Windows folders and are dropped.
// False when a name has no string.
bool substitute(const std::string& in, const std::map<std::string, std::string>& strings, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        const auto close = in.find('%', i + 1);
        if (close == std::string::npos) return false;
        const std::string name = in.substr(i + 1, close - i - 1);
        i = close;
        if (name.empty()) {
            out += '%';
        } else if (std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); })) {
            continue;
        } else {
            auto it = strings.find(lower(name));
            if (it == strings.end()) return false;
            out += it->second;
        }
    }
    return true;
}

// The file a scheme path names, or why it is refused.
bool fileOfPath(const std::string& path, std::string& file, std::string& why) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    for (const auto& p : parts)
        if (trim(p) == "..") {
            why = "the path \"" + path + "\" leaves the pack's folder";
            return false;
        }
    file = trim(parts.back());
    if (file.empty() || file == ".") {
        why = "the path \"" + path + "\" names no file";
        return false;
    }
    return true;
}

void assign(InstallInf& inf, int role, const std::string& rawPath, const std::map<std::string, std::string>& strings) {
    if (role < 0 || trim(rawPath).empty()) return;
    std::string path, file, why;
    if (!substitute(rawPath, strings, path)) {
        inf.refused[role] = "\"" + rawPath + "\" names a string that [Strings] does not have";
        return;
    }
    if (trim(path).empty()) return;
    if (!fileOfPath(path, file, why)) {
        inf.refused[role] = why;
        return;
    }
    inf.files[role] = file;
    inf.refused.erase(role);
}

}  // namespace

std::string DecodeInfText(const Bytes& data) {
    if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE) return fromUtf16(data, 2, false);
    if (data.size() >= 2 && data[0] == 0xFE && data[1] == 0xFF) return fromUtf16(data, 2, true);
    if (data.size() >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
        return std::string(data.begin() + 3, data.end());
    // UTF-16 without a mark: ASCII text with a zero after every byte.
    if (data.size() >= 4 && data[1] == 0 && data[3] == 0 && data[0] != 0) return fromUtf16(data, 0, false);
    std::string bytes(data.begin(), data.end());
    return validUtf8(bytes) ? bytes : ShiftJisToUtf8(bytes);
}

InstallInf ParseInstallInf(const std::string& text) {
    const Sections sections = readSections(text);
    std::map<std::string, std::string> strings;
    if (auto it = sections.find("strings"); it != sections.end())
        for (const InfLine& l : it->second)
            if (!l.key.empty()) strings[lower(l.key)] = l.fields.empty() ? std::string() : l.fields.front();

    InstallInf inf;
    if (auto it = strings.find("scheme_name"); it != strings.end()) inf.schemeName = it->second;

    auto reg = sections.find("scheme.reg");
    if (reg != sections.end()) {
        for (const InfLine& l : reg->second) {
            // root, key, value name, flags, value
            if (l.fields.size() < 5) continue;
            const std::string key = lower(l.fields[1]);
            if (key == "control panel\\cursors\\schemes") {
                std::string name;
                if (inf.schemeName.empty() && substitute(l.fields[2], strings, name)) inf.schemeName = name;
                // An unquoted list is split into further fields; join them back.
                std::string list = l.fields[4];
                for (std::size_t i = 5; i < l.fields.size(); ++i) list += "," + l.fields[i];
                std::string expanded;
                // Expand first: a string may itself hold several paths.
                if (!substitute(list, strings, expanded)) expanded = list;
                std::vector<std::string> paths;
                std::string cur;
                for (char c : expanded) {
                    if (c == ',') {
                        paths.push_back(cur);
                        cur.clear();
                    } else {
                        cur += c;
                    }
                }
                paths.push_back(cur);
                for (std::size_t r = 0; r < paths.size() && r < static_cast<std::size_t>(kCursorRoleCount); ++r)
                    assign(inf, static_cast<int>(r), paths[r], strings);
            } else if (key == "control panel\\cursors") {
                const int role = CursorRoleByName(l.fields[2]);
                if (role >= 0 && lower(l.fields[2]) == lower(CursorRoles()[static_cast<std::size_t>(role)].registryName))
                    assign(inf, role, l.fields[4], strings);
            }
        }
    }
    if (inf.files.empty() && inf.refused.empty()) {
        for (const auto& [name, value] : strings) {
            const int role = CursorRoleByName(name);
            if (role < 0 || inf.files.count(role)) continue;
            assign(inf, role, value, {});
        }
    }
    return inf;
}

std::string WriteInstallInf(const std::string& schemeName, const std::map<int, std::string>& files) {
    // Quotes would end the strings early; the name is all the inf takes from outside.
    std::string name;
    for (char c : schemeName)
        if (c != '"' && c != '\r' && c != '\n' && c != '%') name += c;
    if (name.empty()) name = "Cursors";
    const auto& roles = CursorRoles();
    std::string list;
    for (int r = 0; r < kCursorRoleCount; ++r) {
        if (r > 0) list += ',';
        if (files.count(r)) list += std::string("%10%\\%CUR_DIR%\\%") + roles[static_cast<std::size_t>(r)].role + "%";
    }
    std::string out;
    auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    line("; Installs these cursors as the scheme \"" + name + "\":");
    line("; right-click this file, choose Install, then pick the scheme in the mouse settings.");
    line("");
    line("[Version]");
    line("signature=\"$CHICAGO$\"");
    line("");
    line("[DefaultInstall]");
    line("CopyFiles = Scheme.Cur");
    line("AddReg    = Scheme.Reg");
    line("");
    line("[DestinationDirs]");
    line("Scheme.Cur = 10,\"%CUR_DIR%\"");
    line("");
    line("[Scheme.Reg]");
    line("HKCU,\"Control Panel\\Cursors\\Schemes\",\"%SCHEME_NAME%\",,\"" + list + "\"");
    line("");
    line("[Scheme.Cur]");
    for (const auto& [role, file] : files) line("\"" + file + "\"");
    line("");
    line("[Strings]");
    line("CUR_DIR     = \"Cursors\\" + name + "\"");
    line("SCHEME_NAME = \"" + name + "\"");
    for (const auto& [role, file] : files)
        line(std::string(roles[static_cast<std::size_t>(role)].role) + " = \"" + file + "\"");
    return out;
}

}  // namespace vornik
