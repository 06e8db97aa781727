#include "formats/CursorTheme.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>

#include "formats/CursorFiles.h"
#include "formats/CursorRoles.h"
#include "formats/InstallInf.h"
#include "formats/ThemeFiles.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxInfBytes = 1 << 20;

// The first bytes of a file, enough to tell what it is.
Bytes fileHead(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Bytes out(12);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return out;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// True when path, with every link followed, lies inside base (canonical).
bool inside(const fs::path& path, const fs::path& base) {
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    if (ec) return false;
    const auto rel = real.lexically_relative(base);
    return !rel.empty() && *rel.begin() != ".." && rel != ".";
}

fs::path folderOf(const std::string& dir) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) throw EInOutError("no such folder \"" + dir + "\"");
    return fs::canonical(dir);
}

// One line of text without the characters that would end it early.
std::string oneLine(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

// A name usable as a theme file: not empty, no '/', not "." or "..", no leading dot.
std::string themeFileName(std::string s) {
    std::replace(s.begin(), s.end(), '/', '_');
    s = oneLine(s);
    while (!s.empty() && s.front() == '.') s.erase(s.begin());
    return s;
}

std::string joinNotes(const std::vector<std::string>& notes) {
    std::string out;
    for (const auto& n : notes) out += "; " + n;
    return out;
}

std::string themeNameOf(const fs::path& dir) {
    std::error_code ec;
    const fs::path index = dir / "index.theme";
    if (fs::is_regular_file(index, ec) && inside(index, dir)) {
        const Bytes data = ReadFileBytes(index.string(), kMaxInfBytes);
        const std::string text(data.begin(), data.end());
        std::size_t pos = 0;
        bool inTheme = false;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos) end = text.size();
            std::string line = text.substr(pos, end - pos);
            pos = end + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line[0] == '[') inTheme = line == "[Icon Theme]";
            if (inTheme && line.rfind("Name=", 0) == 0 && line.size() > 5) return line.substr(5);
        }
    }
    return dir.filename().string();
}

}  // namespace

bool IsXcursorThemeFolder(const std::string& dir) {
    std::error_code ec;
    if (fs::is_directory(fs::path(dir) / "cursors", ec)) return true;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        if (e.is_regular_file(ec) && SniffCursorFile(fileHead(e.path())) == CursorFileKind::Xcursor) return true;
    }
    return false;
}

ThemeReport WindowsPackToTheme(const std::string& inDir, const std::string& outDir) {
    const fs::path base = folderOf(inDir);
    ThemeReport report;
    const auto& roles = CursorRoles();

    // The pack's files, by lower-case name.
    std::map<std::string, fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(base, ec)) {
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file(ec)) continue;
        if (!inside(e.path(), base)) {
            report.skipped.push_back(name + ": points outside the pack's folder");
            continue;
        }
        files[lower(name)] = e.path();
    }

    std::array<std::optional<fs::path>, kCursorRoleCount> chosen;
    std::array<std::string, kCursorRoleCount> whyMissing;
    std::string themeName;
    std::optional<fs::path> inf;
    if (files.count("install.inf")) {
        inf = files["install.inf"];
    } else {
        for (const auto& [name, path] : files)
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".inf") == 0) {
                inf = path;
                break;
            }
    }
    if (inf) {
        const InstallInf parsed = ParseInstallInf(DecodeInfText(ReadFileBytes(inf->string(), kMaxInfBytes)));
        themeName = parsed.schemeName;
        for (const auto& [role, file] : parsed.files) {
            auto it = files.find(lower(file));
            if (it != files.end())
                chosen[static_cast<std::size_t>(role)] = it->second;
            else
                whyMissing[static_cast<std::size_t>(role)] =
                    inf->filename().string() + " names \"" + file + "\", which is not in the folder";
        }
        for (const auto& [role, why] : parsed.refused)
            whyMissing[static_cast<std::size_t>(role)] = inf->filename().string() + ": " + why;
    }
    if (themeName.empty()) themeName = base.filename().string();

    // Cursor files by content; the others are left out.
    std::vector<fs::path> cursors;
    for (const auto& [name, path] : files) {
        if (inf && path == *inf) continue;
        const CursorFileKind kind = SniffCursorFile(fileHead(path));
        if (kind == CursorFileKind::Animated || kind == CursorFileKind::IconOrCursor || kind == CursorFileKind::Xcursor)
            cursors.push_back(path);
        else
            report.skipped.push_back(path.filename().string() + ": not a cursor");
    }
    auto used = [&](const fs::path& p) {
        return std::any_of(chosen.begin(), chosen.end(), [&](const auto& c) { return c && *c == p; });
    };
    // Roles the inf left open: the usual Windows names.
    for (int r = 0; r < kCursorRoleCount; ++r) {
        if (chosen[static_cast<std::size_t>(r)]) continue;
        for (const fs::path& p : cursors)
            if (!used(p) && CursorRoleByFileName(p.filename().string()) == r) {
                chosen[static_cast<std::size_t>(r)] = p;
                break;
            }
    }

    const fs::path outCursors = fs::path(outDir) / "cursors";
    fs::create_directories(outCursors, ec);
    if (ec) throw EInOutError("cannot create the folder \"" + outCursors.string() + "\": " + ec.message());

    std::set<std::string> written;
    auto convert = [&](const fs::path& from, const std::string& name, std::string& notes) {
        CursorDocument doc = ReadCursorDocument(from.string());
        if (!doc.losses.empty()) report.readWithLosses.push_back({from.filename().string(), doc.losses});
        std::vector<std::string> n = doc.notes;
        const Bytes xcursor = WriteXcursor(CursorDocumentToXcursor(doc, &n));
        WriteThemeFile((outCursors / name).string(), xcursor);
        written.insert(name);
        notes = joinNotes(n);
    };
    for (int r = 0; r < kCursorRoleCount; ++r) {
        const CursorRole& role = roles[static_cast<std::size_t>(r)];
        const auto& from = chosen[static_cast<std::size_t>(r)];
        if (!from) {
            const std::string& why = whyMissing[static_cast<std::size_t>(r)];
            report.missing.push_back(std::string(role.role) + ": " + (why.empty() ? "no file" : why));
            continue;
        }
        std::string notes;
        try {
            convert(*from, role.freedesktopName, notes);
        } catch (const EVornikError& e) {
            report.refused.push_back(from->filename().string() + ": " + e.what());
            report.missing.push_back(std::string(role.role) + ": " + from->filename().string() + " was refused");
            continue;
        }
        ++report.converted;
        int links = 0;
        for (const char* alias : role.aliases) {
            if (written.count(alias)) continue;
            ReplaceWithLink((outCursors / alias).string(), role.freedesktopName);
            ++links;
        }
        report.mapped.push_back(std::string(role.role) + ": " + from->filename().string() + " -> " +
                                role.freedesktopName + " (+" + std::to_string(links) + " links)" + notes);
    }
    // The last resort: cursors no role claimed keep their own names.
    for (const fs::path& p : cursors) {
        if (used(p)) continue;
        const std::string name = themeFileName(p.stem().string());
        if (name.empty() || written.count(name) || CursorRoleByThemeName(name) >= 0) {
            report.skipped.push_back(p.filename().string() + ": its name is taken");
            continue;
        }
        std::string notes;
        try {
            convert(p, name, notes);
        } catch (const EVornikError& e) {
            report.refused.push_back(p.filename().string() + ": " + e.what());
            continue;
        }
        ++report.converted;
        report.mapped.push_back(p.filename().string() + " -> " + name + " (its own name)" + notes);
    }

    const std::string index = "[Icon Theme]\nName=" + oneLine(themeName) +
                              "\nComment=Cursors converted from a Windows cursor scheme\n";
    WriteFileReplacing((fs::path(outDir) / "index.theme").string(), Bytes(index.begin(), index.end()));
    return report;
}

ThemeReport ThemeToWindowsPack(const std::string& inDir, const std::string& outDir) {
    const fs::path base = folderOf(inDir);
    std::error_code ec;
    const fs::path cursors = fs::is_directory(base / "cursors", ec) ? base / "cursors" : base;
    ThemeReport report;
    const auto& roles = CursorRoles();
    fs::create_directories(outDir, ec);
    if (ec) throw EInOutError("cannot create the folder \"" + outDir + "\": " + ec.message());

    std::map<int, std::string> files;
    for (int r = 0; r < kCursorRoleCount; ++r) {
        const CursorRole& role = roles[static_cast<std::size_t>(r)];
        std::vector<std::string> names = {role.freedesktopName};
        names.insert(names.end(), role.aliases.begin(), role.aliases.end());
        bool done = false;
        for (const std::string& name : names) {
            const fs::path p = cursors / name;
            if (!fs::exists(p, ec)) continue;
            if (!inside(p, base)) {
                report.skipped.push_back(name + ": points outside the theme's folder");
                continue;
            }
            try {
                CursorDocument doc = ReadCursorDocument(p.string());
                if (!doc.losses.empty()) report.readWithLosses.push_back({name, doc.losses});
                const std::string file = std::string(role.role) + WindowsCursorExtension(doc);
                WriteWindowsCursor(doc, (fs::path(outDir) / file).string());
                files[r] = file;
                report.mapped.push_back(std::string(role.role) + ": " + name + " -> " + file + joinNotes(doc.notes));
                ++report.converted;
                done = true;
                break;
            } catch (const EVornikError& e) {
                report.refused.push_back(name + ": " + e.what());
            }
        }
        if (!done) report.missing.push_back(std::string(role.role) + ": the theme has no " + role.freedesktopName);
    }

    // The theme's other cursors have no place in a Windows scheme.
    std::vector<std::string> others;
    for (const auto& e : fs::directory_iterator(cursors, ec)) {
        const std::string name = e.path().filename().string();
        if (CursorRoleByThemeName(name) < 0) others.push_back(name);
    }
    std::sort(others.begin(), others.end());
    if (!others.empty()) {
        std::string list;
        for (std::size_t i = 0; i < others.size() && i < 8; ++i) list += (i ? ", " : "") + others[i];
        if (others.size() > 8) list += ", ...";
        report.skipped.push_back(std::to_string(others.size()) + " cursors without a Windows role (" + list + ")");
    }

    if (!files.empty()) {
        const std::string inf = WriteInstallInf(themeNameOf(base), files);
        WriteFileReplacing((fs::path(outDir) / "install.inf").string(), Bytes(inf.begin(), inf.end()));
    }
    return report;
}

}  // namespace vornik
