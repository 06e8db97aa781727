#include "formats/IconSet.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "imaging/AlphaSplit.h"
#include "imaging/PngWriteRgba.h"
#include "model/EntryConversion.h"
#include "model/IcnsFile.h"
#include "model/IcnsImage.h"
#include "model/TIconEx.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

namespace fs = std::filesystem;

// Windows' own sizes (20 and 40 for 125 % and 250 % scaling), the favicon's,
// and the freedesktop theme's fixed sizes.
const std::vector<int> kWindowsSides = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
const std::vector<int> kFaviconSides = {16, 32, 48};
const std::vector<int> kThemeSides = {16, 22, 24, 32, 48, 64, 128, 256, 512};
const std::vector<int> kWebSides = {180, 192, 512};

// The folder iconutil turns into an .icns: point sizes at 1x and 2x.
struct IconsetSlot {
    const char* file;
    int side;
};
const IconsetSlot kIconsetSlots[] = {
    {"icon_16x16.png", 16},        {"icon_16x16@2x.png", 32},    {"icon_32x32.png", 32},
    {"icon_32x32@2x.png", 64},     {"icon_128x128.png", 128},    {"icon_128x128@2x.png", 256},
    {"icon_256x256.png", 256},     {"icon_256x256@2x.png", 512}, {"icon_512x512.png", 512},
    {"icon_512x512@2x.png", 1024},
};

// Xcode's classic app icon slots; the 1024 one also serves as the single
// universal icon of current Xcode.
struct IosSlot {
    const char* idiom;
    const char* points;
    int scale;
    int side;
};
const IosSlot kIosSlots[] = {
    {"iphone", "20", 2, 40},  {"iphone", "20", 3, 60},  {"iphone", "29", 2, 58},
    {"iphone", "29", 3, 87},  {"iphone", "40", 2, 80},  {"iphone", "40", 3, 120},
    {"iphone", "60", 2, 120}, {"iphone", "60", 3, 180}, {"ipad", "20", 1, 20},
    {"ipad", "20", 2, 40},    {"ipad", "29", 1, 29},    {"ipad", "29", 2, 58},
    {"ipad", "40", 1, 40},    {"ipad", "40", 2, 80},    {"ipad", "76", 1, 76},
    {"ipad", "76", 2, 152},   {"ipad", "83.5", 2, 167}, {"ios-marketing", "1024", 1, 1024},
};

// Android's launcher densities; an adaptive icon's layers are 108/48 of the
// launcher's side, their safe zone the circle of diameter 66/108.
struct AndroidDensity {
    const char* name;
    int side;
};
const AndroidDensity kAndroidDensities[] = {
    {"mdpi", 48}, {"hdpi", 72}, {"xhdpi", 96}, {"xxhdpi", 144}, {"xxxhdpi", 192},
};
int foregroundSide(int launcherSide) { return launcherSide * 108 / 48; }

// Safe zones as radius over side: a maskable web icon's circle of radius
// 40 %, an adaptive foreground's 33/108, and a round launcher icon, whose
// drawing keeps clear of the disc's edge.
constexpr double kMaskableRadius = 0.40;
constexpr double kAdaptiveRadius = 33.0 / 108.0;
constexpr double kRoundRadius = 0.42;

std::string hexColour(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    return buf;
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string sideName(int side) { return std::to_string(side) + "x" + std::to_string(side); }

// A 32-bit icon: alpha in the image, and the mask opaque wherever alpha is
// not 0 for programs that read only the mask; 256 stored as PNG.
Bytes icoBytes(const std::vector<int>& sides, const std::map<int, TQvDIB>& squares) {
    TIconCurEX set;
    for (int side : sides) {
        const TQvDIB& rgba = squares.at(side);
        TQvDIB image, mask;
        SplitAlpha(rgba, image, mask);
        mask.ConvertToMono();
        const int index = set.AddSlot(-1);
        set.InitEntry(index, 1, side, side, 32);
        DIBsToEntry(set, rgba, mask, index);
    }
    set.Reserved = 0;
    set.ResourceType = 1;
    return set.SaveToBytes();
}

class Builder {
public:
    Builder(IconDrawing& drawing, const IconSetOptions& options) : drawing_(drawing), options_(options) {}

    std::vector<IconSetFile> Build() {
        const std::vector<int> sides = IconSetSides(options_.platforms);
        drawing_.Prepare(sides);
        for (int side : sides) squares_[side] = BottomUp(drawing_.Square(side));
        prepareInsets();
        if (has(IconPlatform::Windows)) windows();
        if (has(IconPlatform::Macos)) macos();
        if (has(IconPlatform::Linux)) linux();
        if (has(IconPlatform::Web)) web();
        if (has(IconPlatform::Ios)) ios();
        if (has(IconPlatform::Android)) android();
        return std::move(files_);
    }

private:
    bool has(IconPlatform p) const { return options_.platforms.count(p) > 0; }
    void add(const std::string& path, Bytes content) { files_.push_back({path, std::move(content)}); }
    void addPng(const std::string& path, const TQvDIB& picture) { add(path, EncodeRgbaPng(picture)); }

    // The safe-zone icons: their canvas sides and radii in pixels.
    std::vector<std::pair<int, double>> insetCanvases() const {
        std::vector<std::pair<int, double>> out;
        if (has(IconPlatform::Web)) out.push_back({512, 512 * kMaskableRadius});
        if (has(IconPlatform::Android))
            for (const auto& d : kAndroidDensities) {
                out.push_back({d.side, d.side * kRoundRadius});
                out.push_back({foregroundSide(d.side), foregroundSide(d.side) * kAdaptiveRadius});
            }
        return out;
    }

    // How far the drawing reaches is measured on its largest rendering, and
    // each safe-zone icon is drawn afresh at the side that keeps it inside.
    void prepareInsets() {
        const auto canvases = insetCanvases();
        if (canvases.empty() || squares_.empty()) return;
        const double reach = ContentRadius(squares_.rbegin()->second);
        std::vector<int> inner;
        for (const auto& [canvas, radius] : canvases) {
            const int side = InsetSide(reach, radius, canvas);
            insetSide_[{canvas, radius}] = side;
            inner.push_back(side);
        }
        std::sort(inner.begin(), inner.end());
        inner.erase(std::unique(inner.begin(), inner.end()), inner.end());
        std::vector<int> fresh;
        for (int side : inner)
            if (!squares_.count(side)) fresh.push_back(side);
        drawing_.Prepare(fresh);
        for (int side : inner) {
            const auto full = squares_.find(side);
            innerSquares_[side] = full != squares_.end() ? full->second : BottomUp(drawing_.Square(side));
        }
    }

    TQvDIB inset(int canvas, double radius) {
        return Centred(innerSquares_.at(insetSide_.at({canvas, radius})), canvas);
    }

    void windows() { add("app.ico", icoBytes(kWindowsSides, squares_)); }

    void macos() {
        std::map<int, TQvDIB> pictures;
        for (int side : IcnsSides()) pictures[side] = squares_.at(side);
        add("app.icns", WriteIcns(IcnsFromPictures(pictures).elements));
        for (const auto& slot : kIconsetSlots)
            addPng(std::string("app.iconset/") + slot.file, squares_.at(slot.side));
    }

    void linux() {
        for (int side : kThemeSides)
            addPng("hicolor/" + sideName(side) + "/apps/" + options_.name + ".png", squares_.at(side));
        // An SVGZ goes in decompressed, as themes expect .svg.
        if (const Bytes* svg = drawing_.SvgText())
            add("hicolor/scalable/apps/" + options_.name + ".svg", *svg);
    }

    void web() {
        add("favicon.ico", icoBytes(kFaviconSides, squares_));
        const Bytes* svg = drawing_.SvgText();
        if (svg) add("favicon.svg", *svg);
        // iOS shows transparency as black.
        addPng("apple-touch-icon.png", OverColour(squares_.at(180), options_.background));
        addPng("icon-192.png", squares_.at(192));
        addPng("icon-512.png", squares_.at(512));
        addPng("icon-maskable-512.png", OverColour(inset(512, 512 * kMaskableRadius), options_.background));
        const std::string colour = hexColour(options_.background);
        std::string manifest = "{\n  \"name\": " + jsonString(options_.name) +
                               ",\n  \"short_name\": " + jsonString(options_.name) + ",\n  \"icons\": [\n";
        manifest +=
            "    { \"src\": \"icon-192.png\", \"sizes\": \"192x192\", \"type\": \"image/png\", \"purpose\": "
            "\"any\" },\n";
        manifest +=
            "    { \"src\": \"icon-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\", \"purpose\": "
            "\"any\" },\n";
        manifest +=
            "    { \"src\": \"icon-maskable-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\", "
            "\"purpose\": \"maskable\" }\n  ],\n";
        manifest += "  \"theme_color\": \"" + colour + "\",\n  \"background_color\": \"" + colour +
                    "\",\n  \"display\": \"standalone\"\n}\n";
        add("site.webmanifest", bytesOf(manifest));
        std::string head = "<link rel=\"icon\" href=\"/favicon.ico\" sizes=\"16x16 32x32 48x48\">\n";
        if (svg) head += "<link rel=\"icon\" href=\"/favicon.svg\" type=\"image/svg+xml\">\n";
        head += "<link rel=\"apple-touch-icon\" href=\"/apple-touch-icon.png\">\n";
        head += "<link rel=\"manifest\" href=\"/site.webmanifest\">\n";
        add("head.html", bytesOf(head));
    }

    void ios() {
        // The App Store refuses icons with alpha.
        const std::string folder = "AppIcon.appiconset/";
        std::map<std::string, int> pictures;  // file name and side, each written once
        std::string images =
            "    {\n      \"filename\" : \"AppIcon-1024.png\",\n      \"idiom\" : \"universal\",\n"
            "      \"platform\" : \"ios\",\n      \"size\" : \"1024x1024\"\n    }";
        pictures["AppIcon-1024.png"] = 1024;
        for (const auto& slot : kIosSlots) {
            const std::string file = slot.side == 1024 ? "AppIcon-1024.png"
                                                       : std::string("AppIcon-") + slot.points + "@" +
                                                             std::to_string(slot.scale) + "x.png";
            pictures[file] = slot.side;
            images += ",\n    {\n      \"filename\" : \"" + file + "\",\n      \"idiom\" : \"" + slot.idiom +
                      "\",\n      \"scale\" : \"" + std::to_string(slot.scale) + "x\",\n      \"size\" : \"" +
                      slot.points + "x" + slot.points + "\"\n    }";
        }
        std::vector<std::pair<int, std::string>> bySide;
        bySide.reserve(pictures.size());
        for (const auto& [file, side] : pictures) bySide.push_back({side, file});
        std::sort(bySide.begin(), bySide.end());
        for (const auto& [side, file] : bySide)
            addPng(folder + file, OverColour(squares_.at(side), options_.background));
        add(folder + "Contents.json", bytesOf("{\n  \"images\" : [\n" + images +
                                              "\n  ],\n  \"info\" : {\n    \"author\" : \"vornik\",\n"
                                              "    \"version\" : 1\n  }\n}\n"));
    }

    void android() {
        for (const auto& d : kAndroidDensities) {
            const std::string folder = std::string("android/mipmap-") + d.name + "/";
            addPng(folder + "ic_launcher.png", squares_.at(d.side));
            addPng(folder + "ic_launcher_round.png",
                   OverDisc(inset(d.side, d.side * kRoundRadius), options_.background));
            const int fg = foregroundSide(d.side);
            addPng(folder + "ic_launcher_foreground.png", inset(fg, fg * kAdaptiveRadius));
        }
        add("android/values/ic_launcher_background.xml",
            bytesOf("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<resources>\n    <color "
                    "name=\"ic_launcher_background\">" +
                    hexColour(options_.background) + "</color>\n</resources>\n"));
        const std::string adaptive =
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<adaptive-icon xmlns:android=\"http://schemas.android.com/apk/res/android\">\n"
            "    <background android:drawable=\"@color/ic_launcher_background\"/>\n"
            "    <foreground android:drawable=\"@mipmap/ic_launcher_foreground\"/>\n"
            "</adaptive-icon>\n";
        add("android/mipmap-anydpi-v26/ic_launcher.xml", bytesOf(adaptive));
        add("android/mipmap-anydpi-v26/ic_launcher_round.xml", bytesOf(adaptive));
    }

    IconDrawing& drawing_;
    const IconSetOptions& options_;
    std::map<int, TQvDIB> squares_;
    std::map<int, TQvDIB> innerSquares_;
    std::map<std::pair<int, double>, int> insetSide_;
    std::vector<IconSetFile> files_;
};

}  // namespace

std::set<IconPlatform> ParseIconPlatforms(const std::string& list) {
    static const std::map<std::string, IconPlatform> names = {
        {"windows", IconPlatform::Windows}, {"macos", IconPlatform::Macos},
        {"linux", IconPlatform::Linux},     {"web", IconPlatform::Web},
        {"ios", IconPlatform::Ios},         {"android", IconPlatform::Android}};
    std::set<IconPlatform> out;
    std::stringstream in(list);
    std::string word;
    while (std::getline(in, word, ',')) {
        const auto found = names.find(word);
        if (found == names.end())
            throw EVornikError("\"" + word +
                               "\" is not a platform (windows, macos, linux, web, ios, android)");
        out.insert(found->second);
    }
    if (out.empty()) throw EVornikError("no platform named (windows, macos, linux, web, ios, android)");
    return out;
}

Rgb ParseBackgroundColour(const std::string& text) {
    std::string t = text;
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (t == "white") return 0xFFFFFF;
    if (t == "black") return 0x000000;
    if (!t.empty() && t[0] == '#') t.erase(0, 1);
    const bool hex =
        !t.empty() && std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isxdigit(c); });
    if (hex && t.size() == 3) t = {t[0], t[0], t[1], t[1], t[2], t[2]};
    if (!hex || t.size() != 6)
        throw EVornikError("\"" + text + "\" is not a colour (#RRGGBB, #RGB, white, black)");
    return static_cast<Rgb>(std::stoul(t, nullptr, 16));
}

std::vector<int> IconSetSides(const std::set<IconPlatform>& platforms) {
    std::set<int> sides;
    auto take = [&](const std::vector<int>& list) { sides.insert(list.begin(), list.end()); };
    if (platforms.count(IconPlatform::Windows)) take(kWindowsSides);
    if (platforms.count(IconPlatform::Macos)) take(IcnsSides());
    if (platforms.count(IconPlatform::Linux)) take(kThemeSides);
    if (platforms.count(IconPlatform::Web)) {
        take(kFaviconSides);
        take(kWebSides);
    }
    if (platforms.count(IconPlatform::Ios)) {
        sides.insert(1024);
        for (const auto& slot : kIosSlots) sides.insert(slot.side);
    }
    if (platforms.count(IconPlatform::Android))
        for (const auto& d : kAndroidDensities) sides.insert(d.side);
    return {sides.begin(), sides.end()};
}

std::vector<IconSetFile> BuildIconSet(IconDrawing& drawing, const IconSetOptions& options) {
    return Builder(drawing, options).Build();
}

std::vector<std::string> WriteIconSet(const std::string& dir, const std::vector<IconSetFile>& files,
                                      bool overwrite) {
    const fs::path base(dir);
    std::error_code ec;
    if (!overwrite)
        for (const auto& f : files)
            if (fs::exists(base / f.path, ec))
                throw EIconSetFileExists("\"" + (base / f.path).string() +
                                         "\" exists; nothing written (--overwrite replaces it)");
    std::vector<std::string> written;
    for (const auto& f : files) {
        const fs::path path = base / f.path;
        fs::create_directories(path.parent_path(), ec);
        if (!fs::is_directory(path.parent_path(), ec))
            throw EInOutError("Cannot create folder \"" + path.parent_path().string() + "\"");
        WriteFileReplacing(path.string(), f.content);
        written.push_back(path.string());
    }
    return written;
}

}  // namespace vornik
