// Theme descriptions in TOML, read with toml++. Every node keeps its line, so
// each mistake is reported where it was made.
#include "formats/ThemeDescription.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "formats/CursorRoles.h"
#include "formats/XcursorConfig.h"
#include "model/XcursorFile.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::uint64_t kMaxThemeFileBytes = 4u << 20;
// Largest delay of a frame: a minute.
constexpr std::int64_t kMaxDelay = 60000;

class Reader {
public:
    explicit Reader(std::string path) : path_(std::move(path)) {}

    [[noreturn]] void refuse(int line, const std::string& why) const {
        throw ECursorSourceError(path_ + ": line " + std::to_string(line) + ": " + why);
    }
    [[noreturn]] void refuse(const toml::node& at, const std::string& why) const { refuse(lineOf(at), why); }

    static int lineOf(const toml::node& n) { return static_cast<int>(n.source().begin.line); }

    // Refuses keys of the table that are not in `known`, naming the first.
    void onlyKeys(const toml::table& t, std::initializer_list<const char*> known,
                  const std::string& where) const {
        for (auto&& [key, value] : t) {
            const std::string k(key.str());
            if (std::none_of(known.begin(), known.end(), [&](const char* n) { return k == n; })) {
                std::string list;
                for (const char* n : known) list += (list.empty() ? "" : ", ") + std::string(n);
                refuse(value, "unknown key \"" + k + "\" in " + where + " (known: " + list + ")");
            }
        }
    }

    std::string text(const toml::node& n, const std::string& what) const {
        if (!n.is_string()) refuse(n, what + " must be a string");
        return n.as_string()->get();
    }

    std::int64_t integer(const toml::node& n, const std::string& what, std::int64_t min,
                         std::int64_t max) const {
        if (!n.is_integer()) refuse(n, what + " must be a whole number");
        const std::int64_t v = n.as_integer()->get();
        if (v < min || v > max)
            refuse(n, what + " " + std::to_string(v) + " is not from " + std::to_string(min) + " to " +
                          std::to_string(max));
        return v;
    }

    double coordinate(const toml::node& n, const std::string& what) const {
        double v = 0;
        if (n.is_integer())
            v = static_cast<double>(n.as_integer()->get());
        else if (n.is_floating_point())
            v = n.as_floating_point()->get();
        else
            refuse(n, what + " must be a number");
        if (!(v >= 0 && v <= 1e6)) refuse(n, what + " must be a number from 0");
        return v;
    }

    const toml::array& array(const toml::node& n, const std::string& what) const {
        if (!n.is_array()) refuse(n, what + " must be an array [...]");
        return *n.as_array();
    }

    // A name usable as a file in cursors/.
    std::string fileName(const toml::node& n, const std::string& what) const {
        std::string s = text(n, what);
        if (s.empty() || s == "." || s == ".." || s.find('/') != std::string::npos ||
            std::any_of(s.begin(), s.end(), [](unsigned char c) { return c < 0x20; }))
            refuse(n, what + " \"" + s + "\" cannot be a file name");
        return s;
    }

    ThemePictureSource source(const toml::node& n, const std::string& what) const {
        ThemePictureSource s;
        s.line = lineOf(n);
        if (n.is_string()) {
            s.file = n.as_string()->get();
            if (s.file.empty()) refuse(n, what + " is empty");
            return s;
        }
        if (!n.is_table()) refuse(n, what + " must be a file name or a table of size = file");
        for (auto&& [key, value] : *n.as_table()) {
            const std::string k(key.str());
            std::uint32_t size = 0;
            const bool digits =
                !k.empty() && k.size() <= 5 &&
                std::all_of(k.begin(), k.end(), [](unsigned char c) { return std::isdigit(c); });
            if (digits) size = static_cast<std::uint32_t>(std::stoul(k));
            if (size == 0 || size > kMaxXcursorSide)
                refuse(value, "\"" + k + "\" in " + what + " is not a size from 1 to " +
                                  std::to_string(kMaxXcursorSide));
            const std::string file = text(value, what + " " + k);
            if (file.empty()) refuse(value, what + " " + k + " is empty");
            s.perSize[size] = file;
        }
        if (s.perSize.empty()) refuse(n, what + " names no file");
        return s;
    }

private:
    std::string path_;
};

ThemeCursor readCursor(const Reader& r, const toml::table& t, int number) {
    ThemeCursor c;
    c.line = Reader::lineOf(t);
    const std::string where = "cursor " + std::to_string(number);
    r.onlyKeys(t, {"names", "role", "source", "frames", "hotspot"}, where);

    const toml::node* names = t.get("names");
    if (!names) r.refuse(c.line, where + " has no names = [...]");
    for (const toml::node& n : r.array(*names, "names")) c.names.push_back(r.fileName(n, "a name"));
    if (c.names.empty()) r.refuse(*names, "names is empty");

    if (const toml::node* role = t.get("role")) {
        const std::string text = r.text(*role, "role");
        std::string lower = text;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char ch) { return char(std::tolower(ch)); });
        const auto& roles = CursorRoles();
        for (int i = 0; i < kCursorRoleCount; ++i)
            if (lower == roles[static_cast<std::size_t>(i)].role) c.role = i;
        if (c.role < 0) {
            std::string list;
            for (const CursorRole& known : roles)
                list += (list.empty() ? "" : ", ") + std::string(known.role);
            r.refuse(*role, "role \"" + text + "\" is not a Windows cursor role (" + list + ")");
        }
        c.roleLine = Reader::lineOf(*role);
    }

    const toml::node* source = t.get("source");
    const toml::node* frames = t.get("frames");
    if (source && frames) r.refuse(*frames, where + " has both source and frames; give one");
    if (!source && !frames) r.refuse(c.line, where + " has neither source nor frames");
    if (source) {
        c.frames.push_back({r.source(*source, "source"), 0});
    } else {
        c.animated = true;
        for (const toml::node& f : r.array(*frames, "frames")) {
            if (!f.is_table()) r.refuse(f, "each frame must be a table { source = ..., delay = ms }");
            const toml::table& ft = *f.as_table();
            r.onlyKeys(ft, {"source", "delay"}, "a frame");
            const toml::node* fs = ft.get("source");
            if (!fs) r.refuse(f, "a frame has no source");
            ThemeFrame frame{r.source(*fs, "the frame's source"), 50};
            if (const toml::node* d = ft.get("delay"))
                frame.delay = static_cast<std::uint32_t>(r.integer(*d, "delay", 1, kMaxDelay));
            c.frames.push_back(std::move(frame));
        }
        if (c.frames.empty()) r.refuse(*frames, "frames is empty");
    }

    if (const toml::node* hot = t.get("hotspot")) {
        const toml::array& xy = r.array(*hot, "hotspot");
        if (xy.size() != 2) r.refuse(*hot, "hotspot must be [x, y]");
        c.hotX = r.coordinate(xy[0], "the hot spot's x");
        c.hotY = r.coordinate(xy[1], "the hot spot's y");
        c.hotLine = Reader::lineOf(*hot);
    } else {
        c.hotLine = c.line;
    }
    return c;
}

}  // namespace

ThemeDescription ParseThemeDescription(const std::string& text, const std::string& path) {
    const Reader r(path);
    toml::table root;
    try {
        root = toml::parse(text, path);
    } catch (const toml::parse_error& e) {
        r.refuse(static_cast<int>(e.source().begin.line), std::string(e.description()));
    }
    ThemeDescription theme;
    theme.path = path;
    theme.folder = std::filesystem::path(path).parent_path().string();
    if (theme.folder.empty()) theme.folder = ".";
    r.onlyKeys(root, {"name", "comment", "inherits", "sizes", "cursor"}, "the theme");

    const toml::node* name = root.get("name");
    if (!name) r.refuse(1, "the theme has no name = \"...\"");
    theme.name = r.fileName(*name, "name");
    if (const toml::node* c = root.get("comment")) theme.comment = r.text(*c, "comment");
    if (const toml::node* inh = root.get("inherits")) {
        if (inh->is_array()) {
            for (const toml::node& n : *inh->as_array()) theme.inherits.push_back(r.text(n, "inherits"));
        } else {
            theme.inherits.push_back(r.text(*inh, "inherits"));
        }
    }
    for (const std::string& s : theme.inherits)
        if (s.empty() || s.find_first_of(",\n\r") != std::string::npos)
            r.refuse(*root.get("inherits"), "inherits \"" + s + "\" is not a theme name");
    if (theme.comment.find_first_of("\n\r") != std::string::npos)
        r.refuse(*root.get("comment"), "comment must be one line");

    const toml::node* sizes = root.get("sizes");
    if (!sizes) r.refuse(1, "the theme has no sizes = [...]");
    for (const toml::node& n : r.array(*sizes, "sizes")) {
        const auto s = static_cast<std::uint32_t>(r.integer(n, "a size", 1, kMaxXcursorSide));
        if (std::find(theme.sizes.begin(), theme.sizes.end(), s) != theme.sizes.end())
            r.refuse(n, "size " + std::to_string(s) + " is given twice");
        theme.sizes.push_back(s);
    }
    if (theme.sizes.empty()) r.refuse(*sizes, "sizes is empty");

    const toml::node* cursors = root.get("cursor");
    if (!cursors) r.refuse(1, "the theme has no [[cursor]]");
    if (!cursors->is_array_of_tables()) r.refuse(*cursors, "cursor must be written as [[cursor]] tables");
    std::set<std::string> names;
    std::set<int> roles;
    int number = 0;
    for (const toml::node& n : *cursors->as_array()) {
        ThemeCursor c = readCursor(r, *n.as_table(), ++number);
        for (const std::string& nm : c.names)
            if (!names.insert(nm).second) r.refuse(c.line, "the name \"" + nm + "\" is given twice");
        if (c.role >= 0 && !roles.insert(c.role).second)
            r.refuse(c.roleLine, "role \"" +
                                     std::string(CursorRoles()[static_cast<std::size_t>(c.role)].role) +
                                     "\" is given to another cursor");
        theme.cursors.push_back(std::move(c));
    }
    return theme;
}

ThemeDescription ReadThemeDescription(const std::string& path) {
    if (!FileExists(path)) throw EInOutError("no such file \"" + path + "\"");
    const Bytes data = ReadFileBytes(path, kMaxThemeFileBytes);
    return ParseThemeDescription(std::string(data.begin(), data.end()), path);
}

}  // namespace vornik
