#include "formats/ThemeBuild.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "anim/XcursorConvert.h"
#include "formats/CursorAliases.h"
#include "formats/CursorFiles.h"
#include "formats/CursorPicture.h"
#include "formats/CursorRoles.h"
#include "formats/InstallInf.h"
#include "formats/ThemeFiles.h"
#include "formats/XcursorConfig.h"
#include "model/XcursorPixels.h"
#include "platform/FileIO.h"

namespace vornik {

namespace fs = std::filesystem;

namespace {

// Largest image a Windows cursor file holds.
constexpr std::uint32_t kMaxWindowsCursorSide = 256;

[[noreturn]] void refuse(const ThemeDescription& theme, int line, const std::string& why) {
    throw ECursorSourceError(theme.path + ": line " + std::to_string(line) + ": " + why);
}

std::string pathOf(const ThemeDescription& theme, const std::string& file) {
    return fs::path(file).is_absolute() ? file : (fs::path(theme.folder) / file).string();
}

DrawnPicture draw(const ThemeDescription& theme, int line, const std::string& file,
                  const std::vector<std::uint32_t>& sizes, RasterFit fit) {
    try {
        return DrawCursorPicture(pathOf(theme, file), sizes, fit);
    } catch (const EVornikError& e) {
        refuse(theme, line, e.what());
    }
}

std::string number(double v) {
    const double r = std::round(v);
    return std::abs(v - r) < 1e-9 ? std::to_string(static_cast<long long>(r)) : std::to_string(v);
}

// One frame at every size of the theme: pictures in the theme's size order,
// and the extent of the coordinates its hot spot is given in.
struct DrawnFrame {
    std::vector<BgraPicture> pictures;
    double width = 0;
    double height = 0;
    double side = 0;  // the source size that hot spots scale from
};

DrawnFrame drawFrame(const ThemeDescription& theme, const ThemePictureSource& source) {
    DrawnFrame out;
    if (source.perSize.empty()) {
        DrawnPicture d = draw(theme, source.line, source.file, theme.sizes, RasterFit::Scaled);
        out.pictures = std::move(d.pictures);
        out.width = d.width;
        out.height = d.height;
        out.side = std::max(d.width, d.height);
        return out;
    }
    // One file per size, each used at its size; a file serving several sizes
    // is drawn once. Hot spots are in the pixels of the largest one.
    std::map<std::string, std::vector<std::uint32_t>> sizesOf;
    for (std::uint32_t s : theme.sizes) {
        const auto it = source.perSize.find(s);
        if (it == source.perSize.end())
            refuse(theme, source.line, "the source names no file for size " + std::to_string(s));
        sizesOf[it->second].push_back(s);
    }
    const auto& [largest, largestFile] = *source.perSize.rbegin();
    std::vector<std::uint32_t>& forLargest = sizesOf[largestFile];
    if (std::find(forLargest.begin(), forLargest.end(), largest) == forLargest.end())
        forLargest.push_back(largest);
    std::map<std::uint32_t, BgraPicture> bySize;
    for (const auto& [file, sizes] : sizesOf) {
        DrawnPicture d = draw(theme, source.line, file, sizes, RasterFit::AsIs);
        for (std::size_t i = 0; i < sizes.size(); ++i) bySize[sizes[i]] = std::move(d.pictures[i]);
    }
    out.width = bySize[largest].width;
    out.height = bySize[largest].height;
    out.side = largest;
    for (std::uint32_t s : theme.sizes) out.pictures.push_back(bySize[s]);
    return out;
}

// A source coordinate at a size: scaled, rounded half up, inside the image.
std::uint32_t scaled(double v, std::uint32_t size, double side, int limit) {
    const double x = std::floor(v * size / side + 0.5);
    return static_cast<std::uint32_t>(std::clamp(x, 0.0, static_cast<double>(std::max(limit - 1, 0))));
}

std::string indexTheme(const ThemeDescription& theme) {
    std::string text = "[Icon Theme]\nName=" + theme.name + "\n";
    if (!theme.comment.empty()) text += "Comment=" + theme.comment + "\n";
    if (!theme.inherits.empty()) {
        text += "Inherits=";
        for (std::size_t i = 0; i < theme.inherits.size(); ++i) text += (i ? "," : "") + theme.inherits[i];
        text += "\n";
    }
    return text;
}

void makeFolder(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw EInOutError("cannot create the folder \"" + dir.string() + "\": " + ec.message());
}

// Writes cursors/ and index.theme.
void writeX11(const ThemeDescription& theme, const std::vector<std::vector<XcursorPicture>>& images,
              const fs::path& dir, ThemeBuildReport& report) {
    const fs::path cursors = dir / "cursors";
    makeFolder(cursors);
    std::set<std::string> claimed;
    for (const ThemeCursor& c : theme.cursors) claimed.insert(c.names.begin(), c.names.end());
    for (std::size_t i = 0; i < theme.cursors.size(); ++i) {
        const ThemeCursor& c = theme.cursors[i];
        WriteThemeFile((cursors / c.names.front()).string(), WriteXcursor(images[i]));
        ++report.cursors;
        for (std::size_t k = 1; k < c.names.size(); ++k) {
            ReplaceWithLink((cursors / c.names[k]).string(), c.names.front());
            ++report.links;
        }
    }
    // Names toolkits ask for that no cursor claims: the first cursor of that
    // shape answers them.
    for (const ThemeCursor& c : theme.cursors)
        for (const std::string& name : c.names)
            for (const std::string& alias : CursorSynonyms(name)) {
                if (!claimed.insert(alias).second) continue;
                ReplaceWithLink((cursors / alias).string(), c.names.front());
                ++report.links;
            }
    const std::string index = indexTheme(theme);
    WriteFileReplacing((dir / "index.theme").string(), Bytes(index.begin(), index.end()));
    report.x11Folder = dir.string();
}

// Roles given in the theme, then roles taken from names for cursors without
// one (left_ptr is the pointer), first come first served. role -> cursor.
std::map<int, std::size_t> rolesOf(const ThemeDescription& theme) {
    std::map<int, std::size_t> out;
    for (std::size_t i = 0; i < theme.cursors.size(); ++i)
        if (theme.cursors[i].role >= 0) out[theme.cursors[i].role] = i;
    for (std::size_t i = 0; i < theme.cursors.size(); ++i) {
        if (theme.cursors[i].roleLine != 0) continue;
        for (const std::string& name : theme.cursors[i].names) {
            const int r = CursorRoleByThemeName(name);
            if (r >= 0 && !out.count(r)) {
                out[r] = i;
                break;
            }
        }
    }
    return out;
}

void writeWindows(const ThemeDescription& theme, const std::vector<std::vector<XcursorPicture>>& images,
                  const fs::path& dir, ThemeBuildReport& report) {
    const std::map<int, std::size_t> roles = rolesOf(theme);
    if (roles.empty()) {
        report.notes.push_back("no cursor has a Windows role: the Windows pack is not written");
        return;
    }
    std::vector<std::uint32_t> dropped;
    for (std::uint32_t s : theme.sizes)
        if (s > kMaxWindowsCursorSide) dropped.push_back(s);
    if (dropped.size() == theme.sizes.size()) {
        report.notes.push_back("every size is above " + std::to_string(kMaxWindowsCursorSide) +
                               " pixels, more than a Windows cursor holds: the Windows pack is not written");
        return;
    }
    for (std::uint32_t s : dropped)
        report.notes.push_back("size " + std::to_string(s) + " is left out of the Windows pack (at most " +
                               std::to_string(kMaxWindowsCursorSide) + " pixels)");
    makeFolder(dir);
    std::map<int, std::string> files;
    for (const auto& [role, index] : roles) {
        std::vector<XcursorPicture> kept;
        for (const XcursorPicture& p : images[index])
            if (p.nominalSize <= kMaxWindowsCursorSide) kept.push_back(p);
        XcursorConversion c = XcursorToSets(kept);
        CursorDocument doc;
        doc.cursor = std::move(c.cursor);
        doc.animation = std::move(c.animation);
        const std::string file =
            std::string(CursorRoles()[static_cast<std::size_t>(role)].role) + WindowsCursorExtension(doc);
        WriteWindowsCursor(doc, (dir / file).string());
        for (const std::string& n : c.notes) report.notes.push_back(file + ": " + n);
        files[role] = file;
        ++report.roles;
    }
    const std::string inf = WriteInstallInf(theme.name, files);
    WriteFileReplacing((dir / "install.inf").string(), Bytes(inf.begin(), inf.end()));
    report.windowsFolder = dir.string();
}

}  // namespace

std::vector<XcursorPicture> DrawThemeCursor(const ThemeDescription& theme, const ThemeCursor& cursor) {
    std::vector<DrawnFrame> frames;
    for (const ThemeFrame& f : cursor.frames) {
        frames.push_back(drawFrame(theme, f.source));
        const DrawnFrame& d = frames.back();
        if (cursor.hotX >= d.width || cursor.hotY >= d.height)
            refuse(theme, cursor.hotLine,
                   "the hot spot " + number(cursor.hotX) + "," + number(cursor.hotY) +
                       " is outside the source (" + number(d.width) + " x " + number(d.height) + ")");
    }
    std::vector<XcursorPicture> out;
    for (std::size_t k = 0; k < theme.sizes.size(); ++k) {
        const std::uint32_t size = theme.sizes[k];
        for (std::size_t f = 0; f < frames.size(); ++f) {
            const BgraPicture& picture = frames[f].pictures[k];
            if (static_cast<std::uint32_t>(std::max(picture.width, picture.height)) > kMaxXcursorSide)
                refuse(theme, cursor.frames[f].source.line,
                       "a picture of " + std::to_string(picture.width) + " x " +
                           std::to_string(picture.height) + " is larger than an Xcursor image may be");
            XcursorPicture p = BgraToXcursor(
                picture, scaled(cursor.hotX, size, frames[f].side, picture.width),
                scaled(cursor.hotY, size, frames[f].side, picture.height), cursor.frames[f].delay);
            p.nominalSize = size;
            out.push_back(std::move(p));
        }
    }
    return out;
}

ThemeBuildReport BuildTheme(const ThemeDescription& theme, const std::string& outDir,
                            ThemePlatforms platforms) {
    std::vector<std::vector<XcursorPicture>> images;
    for (const ThemeCursor& c : theme.cursors) images.push_back(DrawThemeCursor(theme, c));
    ThemeBuildReport report;
    if (platforms.x11) writeX11(theme, images, fs::path(outDir) / theme.name, report);
    if (platforms.windows) writeWindows(theme, images, fs::path(outDir) / (theme.name + "-windows"), report);
    return report;
}

}  // namespace vornik
