#include "formats/XcursorConfig.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "formats/CursorPicture.h"
#include "model/XcursorPixels.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::uint64_t kMaxConfigBytes = 4u << 20;

[[noreturn]] void refuse(const std::string& name, int line, const std::string& why) {
    throw ECursorSourceError(name + ": line " + std::to_string(line) + ": " + why);
}

// A whole non-negative decimal number no larger than max, or false.
bool number(const std::string& text, std::uint32_t max, std::uint32_t& out) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > max) return false;
    out = static_cast<std::uint32_t>(v);
    return true;
}

}  // namespace

std::vector<XcursorConfigLine> ParseXcursorConfig(const std::string& text, const std::string& name) {
    std::vector<XcursorConfigLine> out;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.empty() || raw[0] == '#') continue;
        std::istringstream fields(raw);
        std::vector<std::string> f;
        for (std::string w; fields >> w;) f.push_back(w);
        if (f.empty()) continue;
        if (f.size() < 4) refuse(name, lineNo, "expected SIZE XHOT YHOT FILE [DELAY], not \"" + raw + "\"");
        XcursorConfigLine l;
        l.line = lineNo;
        if (!number(f[0], kMaxXcursorSide, l.size) || l.size == 0)
            refuse(name, lineNo,
                   "the size \"" + f[0] + "\" is not from 1 to " + std::to_string(kMaxXcursorSide));
        if (!number(f[1], kMaxXcursorSide, l.xhot) || !number(f[2], kMaxXcursorSide, l.yhot))
            refuse(name, lineNo,
                   "the hot spot \"" + f[1] + " " + f[2] + "\" is not two numbers from 0 to " +
                       std::to_string(kMaxXcursorSide));
        l.file = f[3];
        if (f.size() > 4 && !number(f[4], UINT32_MAX, l.delay))
            refuse(name, lineNo, "the delay \"" + f[4] + "\" is not a number of milliseconds");
        out.push_back(std::move(l));
    }
    if (out.empty()) throw ECursorSourceError(name + ": no image lines (SIZE XHOT YHOT FILE [DELAY])");
    return out;
}

std::vector<XcursorPicture> XcursorFromConfig(const std::vector<XcursorConfigLine>& lines,
                                              const std::string& folder, const std::string& configName) {
    namespace fs = std::filesystem;
    // Every size each file is wanted at, so that an SVG is drawn in one go.
    std::map<std::string, std::vector<std::uint32_t>> sizesOf;
    for (const XcursorConfigLine& l : lines) {
        std::vector<std::uint32_t>& sizes = sizesOf[l.file];
        if (std::find(sizes.begin(), sizes.end(), l.size) == sizes.end()) sizes.push_back(l.size);
    }
    std::map<std::string, DrawnPicture> drawn;
    std::vector<XcursorPicture> out;
    for (const XcursorConfigLine& l : lines) {
        auto it = drawn.find(l.file);
        if (it == drawn.end()) {
            const fs::path file =
                fs::path(l.file).is_absolute() ? fs::path(l.file) : fs::path(folder) / l.file;
            try {
                it = drawn.emplace(l.file, DrawCursorPicture(file.string(), sizesOf[l.file], RasterFit::AsIs))
                         .first;
            } catch (const EVornikError& e) {
                refuse(configName, l.line, e.what());
            }
        }
        const std::vector<std::uint32_t>& sizes = sizesOf[l.file];
        const auto at =
            static_cast<std::size_t>(std::find(sizes.begin(), sizes.end(), l.size) - sizes.begin());
        const BgraPicture& picture = it->second.pictures[at];
        const auto w = static_cast<std::uint32_t>(picture.width),
                   h = static_cast<std::uint32_t>(picture.height);
        // A hot spot on the edge just past the last pixel is what xcursorgen and
        // libXcursor still accept; beyond that the cursor would not load.
        if (l.xhot > w || l.yhot > h)
            refuse(configName, l.line,
                   "the hot spot " + std::to_string(l.xhot) + "," + std::to_string(l.yhot) +
                       " is outside the " + std::to_string(w) + " x " + std::to_string(h) + " picture \"" +
                       l.file + "\"");
        if (w > kMaxXcursorSide || h > kMaxXcursorSide)
            refuse(configName, l.line,
                   "\"" + l.file + "\" is " + std::to_string(w) + " x " + std::to_string(h) +
                       " pixels; Xcursor images are at most " + std::to_string(kMaxXcursorSide) + " a side");
        XcursorPicture p = BgraToXcursor(picture, 0, 0, l.delay);
        p.nominalSize = l.size;
        p.xhot = l.xhot;
        p.yhot = l.yhot;
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<XcursorPicture> XcursorFromConfigFile(const std::string& path, const std::string& prefix) {
    if (!FileExists(path)) throw EInOutError("no such file \"" + path + "\"");
    const Bytes data = ReadFileBytes(path, kMaxConfigBytes);
    const std::string text(data.begin(), data.end());
    const std::string folder = !prefix.empty() ? prefix : std::filesystem::path(path).parent_path().string();
    return XcursorFromConfig(ParseXcursorConfig(text, path), folder.empty() ? "." : folder, path);
}

}  // namespace vornik
