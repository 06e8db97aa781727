// Icon sets for every platform from one drawing: the files, their sizes,
// opaque where a platform needs it, drawings kept inside safe zones.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <map>

#include "TestFiles.h"
#include "formats/IconSet.h"
#include "model/IcnsFile.h"
#include "model/IcnsImage.h"
#include "model/TIconEx.h"

using namespace vornik;

namespace {

// A drawing made at each side: an opaque red disc of the given radius (a
// fraction of the side), or a square filling the picture when radius is 0.
class Disc : public IconDrawing {
public:
    explicit Disc(double radius, const Bytes* svg = nullptr) : radius_(radius), svg_(svg) {}
    void Prepare(const std::vector<int>& sides) override {
        prepared.insert(prepared.end(), sides.begin(), sides.end());
    }
    TQvDIB Square(int side) override {
        asked.push_back(side);
        TQvDIB dib;
        dib.CreateDIB(side, side, 0, 32);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const double dx = x + 0.5 - side / 2.0, dy = y + 0.5 - side / 2.0;
                if (radius_ > 0 && std::hypot(dx, dy) > radius_ * side) continue;
                std::uint8_t* p = dib.MutableScanLine(y) + 4 * x;
                p[2] = 255;
                p[3] = 255;
            }
        return dib;
    }
    const Bytes* SvgText() const override { return svg_; }
    std::vector<int> prepared, asked;

private:
    double radius_;
    const Bytes* svg_;
};

struct Png {
    int side = 0;
    Bytes rgba;
    std::uint8_t alpha(int x, int y) const { return rgba[4 * (static_cast<std::size_t>(y) * side + x) + 3]; }
    const std::uint8_t* at(int x, int y) const { return &rgba[4 * (static_cast<std::size_t>(y) * side + x)]; }
};

Png decode(const Bytes& data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size()))
        throw std::runtime_error(image.message);
    image.format = PNG_FORMAT_RGBA;
    Png out;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    EXPECT_EQ(image.width, image.height);
    out.side = static_cast<int>(image.width);
    return out;
}

std::map<std::string, Bytes> byPath(const std::vector<IconSetFile>& files) {
    std::map<std::string, Bytes> out;
    for (const auto& f : files) EXPECT_TRUE(out.emplace(f.path, f.content).second) << f.path << " twice";
    return out;
}

// The farthest pixel from the centre whose colour is not the background's
// (opaque icons) or that is not transparent.
double reach(const Png& png, bool opaque) {
    double far = 0;
    for (int y = 0; y < png.side; ++y)
        for (int x = 0; x < png.side; ++x) {
            const std::uint8_t* p = png.at(x, y);
            const bool drawn = opaque ? !(p[0] == 255 && p[1] == 255 && p[2] == 255) : p[3] != 0;
            if (drawn) far = std::max(far, std::hypot(x + 0.5 - png.side / 2.0, y + 0.5 - png.side / 2.0));
        }
    return far;
}

bool allOpaque(const Png& png) {
    for (int y = 0; y < png.side; ++y)
        for (int x = 0; x < png.side; ++x)
            if (png.alpha(x, y) != 255) return false;
    return true;
}

}  // namespace

TEST(IconSet, EveryPlatformGetsItsFilesAtTheirSizesOpaqueWhereItMustBe) {
    const Bytes svg = {'<', 's', 'v', 'g', '/', '>'};
    Disc drawing(0.45, &svg);
    IconSetOptions options;
    options.name = "org.example.App";
    const auto files = byPath(BuildIconSet(drawing, options));
    // Each side drawn once for the whole set, asked for together first.
    EXPECT_EQ(drawing.prepared.size() >= IconSetSides(options.platforms).size(), true);
    std::vector<int> asked = drawing.asked;
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(std::adjacent_find(asked.begin(), asked.end()), asked.end());

    std::map<std::string, int> pngs = {{"app.iconset/icon_16x16.png", 16},
                                       {"app.iconset/icon_16x16@2x.png", 32},
                                       {"app.iconset/icon_512x512@2x.png", 1024},
                                       {"hicolor/22x22/apps/org.example.App.png", 22},
                                       {"hicolor/512x512/apps/org.example.App.png", 512},
                                       {"apple-touch-icon.png", 180},
                                       {"icon-192.png", 192},
                                       {"icon-512.png", 512},
                                       {"icon-maskable-512.png", 512},
                                       {"AppIcon.appiconset/AppIcon-1024.png", 1024},
                                       {"AppIcon.appiconset/AppIcon-60@3x.png", 180},
                                       {"AppIcon.appiconset/AppIcon-40@3x.png", 120},
                                       {"AppIcon.appiconset/AppIcon-83.5@2x.png", 167},
                                       {"android/mipmap-mdpi/ic_launcher.png", 48},
                                       {"android/mipmap-xxxhdpi/ic_launcher_round.png", 192},
                                       {"android/mipmap-hdpi/ic_launcher_foreground.png", 162},
                                       {"android/mipmap-xxxhdpi/ic_launcher_foreground.png", 432}};
    for (const auto& [path, side] : pngs) {
        ASSERT_TRUE(files.count(path)) << path;
        EXPECT_EQ(decode(files.at(path)).side, side) << path;
    }
    for (const char* path :
         {"app.ico", "app.icns", "favicon.ico", "favicon.svg", "site.webmanifest", "head.html",
          "AppIcon.appiconset/Contents.json", "hicolor/scalable/apps/org.example.App.svg",
          "android/values/ic_launcher_background.xml", "android/mipmap-anydpi-v26/ic_launcher.xml"})
        EXPECT_TRUE(files.count(path)) << path;
    EXPECT_EQ(files.at("favicon.svg"), svg);

    // Every file Contents.json names is in the set, and every iOS icon is opaque.
    const Bytes& contents = files.at("AppIcon.appiconset/Contents.json");
    const std::string json(contents.begin(), contents.end());
    std::size_t named = 0;
    for (std::size_t at = json.find("\"filename\" : \""); at != std::string::npos;
         at = json.find("\"filename\" : \"", at + 1), ++named) {
        const std::size_t start = at + 14;
        const std::string file = json.substr(start, json.find('"', start) - start);
        ASSERT_TRUE(files.count("AppIcon.appiconset/" + file)) << file;
        EXPECT_TRUE(allOpaque(decode(files.at("AppIcon.appiconset/" + file)))) << file;
    }
    EXPECT_EQ(named, 19u);
    EXPECT_NE(json.find("\"idiom\" : \"universal\""), std::string::npos);
    EXPECT_TRUE(allOpaque(decode(files.at("apple-touch-icon.png"))));
    EXPECT_FALSE(allOpaque(decode(files.at("icon-512.png"))));

    // Windows smallest first with 20 and 40; the favicon 16, 32, 48.
    TIconCurEX ico;
    ASSERT_TRUE(ico.LoadFromBytes(files.at("app.ico"), "app.ico"));
    std::vector<int> sides;
    for (int i = 0; i < ico.Count; ++i)
        sides.push_back(ico.Entries[static_cast<std::size_t>(i)].PixelWidth());
    EXPECT_EQ(sides, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 96, 128, 256}));
    EXPECT_FALSE(ico.Entries[9].PngStream.empty());  // 256 as PNG
    ASSERT_TRUE(ico.LoadFromBytes(files.at("favicon.ico"), "favicon.ico"));
    EXPECT_EQ(ico.Count, 3);
    // The ICNS holds every side from 16 to 1024.
    const Bytes& icns = files.at("app.icns");
    const IcnsFile apple = ReadIcns(icns.data(), icns.size(), "app.icns");
    std::set<int> icnsSides;
    for (const auto& image : IcnsImages(apple)) icnsSides.insert(image.side);
    EXPECT_EQ(icnsSides, (std::set<int>{16, 32, 64, 128, 256, 512, 1024}));
}

TEST(IconSet, SafeZoneIconsKeepTheDrawingInsideTheirCircles) {
    // A drawing filling its square reaches the corners, a disc does not: each
    // is drawn as large as its own reach allows.
    for (double radius : {0.0, 0.3, 0.5}) {
        Disc drawing(radius);
        IconSetOptions options;
        options.platforms = {IconPlatform::Web, IconPlatform::Android};
        options.background = 0xFFFFFF;
        const auto files = byPath(BuildIconSet(drawing, options));
        const Png maskable = decode(files.at("icon-maskable-512.png"));
        EXPECT_TRUE(allOpaque(maskable));
        const double r = reach(maskable, true);
        EXPECT_LE(r, 0.40 * 512) << radius;
        // Not needlessly small: as large as the circle or the canvas allows.
        EXPECT_GE(r, radius == 0.3 ? 0.3 * 512 - 2 : 0.40 * 512 - 4) << radius;
        for (const char* density : {"mdpi", "xhdpi", "xxxhdpi"}) {
            const Png fg =
                decode(files.at(std::string("android/mipmap-") + density + "/ic_launcher_foreground.png"));
            EXPECT_LE(reach(fg, false), fg.side * 33.0 / 108) << density << " " << radius;
            EXPECT_EQ(fg.alpha(0, 0), 0);  // transparent outside the drawing
            const Png round =
                decode(files.at(std::string("android/mipmap-") + density + "/ic_launcher_round.png"));
            EXPECT_EQ(round.alpha(0, 0), 0);
            EXPECT_EQ(round.alpha(round.side / 2, 1), 255);  // the disc reaches the edge
        }
    }
    Disc blank(0.0001);  // nothing drawn at small sizes: the whole side serves
    IconSetOptions web;
    web.platforms = {IconPlatform::Web};
    EXPECT_NO_THROW(BuildIconSet(blank, web));
}

TEST(IconSet, OptionsAreParsedAndAnExistingFileStopsTheWriteBeforeAnything) {
    EXPECT_EQ(ParseIconPlatforms("web,ios"), (std::set<IconPlatform>{IconPlatform::Web, IconPlatform::Ios}));
    EXPECT_THROW(ParseIconPlatforms("web,tvos"), EVornikError);
    EXPECT_THROW(ParseIconPlatforms(""), EVornikError);
    EXPECT_EQ(ParseBackgroundColour("#1a2B3c"), 0x1A2B3Cu);
    EXPECT_EQ(ParseBackgroundColour("f00"), 0xFF0000u);
    EXPECT_EQ(ParseBackgroundColour("Black"), 0u);
    EXPECT_THROW(ParseBackgroundColour("#12345"), EVornikError);
    EXPECT_THROW(ParseBackgroundColour("#12345g"), EVornikError);

    test::TempDir dir;
    const std::vector<IconSetFile> files = {{"a/one.txt", {'1'}}, {"two.txt", {'2'}}};
    test::WriteAll(dir.path() / "two.txt", {'o', 'l', 'd'});
    EXPECT_THROW(WriteIconSet(dir.path().string(), files, false), EIconSetFileExists);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "a"));
    EXPECT_EQ(test::ReadAll(dir.path() / "two.txt"), (Bytes{'o', 'l', 'd'}));
    const auto written = WriteIconSet(dir.path().string(), files, true);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(test::ReadAll(dir.path() / "a/one.txt"), (Bytes{'1'}));
    EXPECT_EQ(test::ReadAll(dir.path() / "two.txt"), (Bytes{'2'}));
}
