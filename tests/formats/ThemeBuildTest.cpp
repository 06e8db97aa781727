// theme-build: a theme of five cursors (one animated) at four sizes, looked
// up by libXcursor as a desktop would, and its Windows pack converted back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include <X11/Xcursor/Xcursor.h>

#include "CursorSources.h"
#include "TestFiles.h"
#include "formats/CursorAliases.h"
#include "formats/CursorFiles.h"
#include "formats/CursorRoles.h"
#include "formats/CursorTheme.h"
#include "formats/InstallInf.h"
#include "formats/ThemeBuild.h"
#include "formats/XcursorConfig.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint32_t> kSizes = {24, 32, 48, 64};

// Writes the sources and the TOML of the test theme into dir.
std::string writeTestTheme(const fs::path& dir) {
    auto file = [&](const std::string& name) { return (dir / name).string(); };
    test::WriteText(file("arrow.svg"), test::TestSvg(256, 256, "#ffffff"));
    for (std::uint32_t s : kSizes) {
        const int n = static_cast<int>(s);
        test::WritePng(file("hand-" + std::to_string(s) + ".png"), n, n, test::PatternRgba(n, n, n));
    }
    test::WritePng(file("beam.png"), 128, 128, test::PatternRgba(128, 128, 9));
    const char* colours[] = {"#ff0000", "#00ff00", "#0000ff", "#ffff00"};
    for (int f = 0; f < 4; ++f)
        test::WriteText(file("w" + std::to_string(f) + ".svg"), test::TestSvg(64, 64, colours[f]));
    test::WriteText(file("c.svg"), test::TestSvg(32, 32, "#808080"));
    test::WriteText(file("c-big.svg"), test::TestSvg(64, 64, "#404040"));
    const std::string toml = R"(name = "TestTheme"
comment = "Five cursors"
inherits = "Adwaita"
sizes = [24, 32, 48, 64]

[[cursor]]
names = ["left_ptr"]
role = "pointer"
source = "arrow.svg"
hotspot = [16, 250]

[[cursor]]
names = ["hand2"]
source = { 24 = "hand-24.png", 32 = "hand-32.png", 48 = "hand-48.png", 64 = "hand-64.png" }
hotspot = [20, 6]

[[cursor]]
names = ["xterm", "text"]
role = "text"
source = "beam.png"
hotspot = [64, 64]

[[cursor]]
names = ["watch"]
role = "busy"
frames = [ { source = "w0.svg", delay = 50 }, { source = "w1.svg", delay = 100 },
           { source = "w2.svg", delay = 200 }, { source = "w3.svg" } ]
hotspot = [32, 32]

[[cursor]]
names = ["crosshair", "cross"]
role = "precision"
source = { 24 = "c.svg", 32 = "c.svg", 48 = "c-big.svg", 64 = "c-big.svg" }
hotspot = [31, 31]
)";
    test::WriteText(file("theme.toml"), toml);
    return file("theme.toml");
}

// The images of one nominal size, in file order.
std::vector<XcursorPicture> atSize(const std::vector<XcursorPicture>& images, std::uint32_t size) {
    std::vector<XcursorPicture> out;
    for (const XcursorPicture& p : images)
        if (p.nominalSize == size) out.push_back(p);
    return out;
}

std::vector<XcursorPicture> fromLibrary(const XcursorImages* images) {
    std::vector<XcursorPicture> out;
    for (int i = 0; images && i < images->nimage; ++i) {
        const XcursorImage* im = images->images[i];
        XcursorPicture p;
        p.nominalSize = im->size;
        p.width = im->width;
        p.height = im->height;
        p.xhot = im->xhot;
        p.yhot = im->yhot;
        p.delay = im->delay;
        p.pixels.assign(im->pixels, im->pixels + std::size_t{im->width} * im->height);
        out.push_back(std::move(p));
    }
    return out;
}

TEST(ThemeBuild, EveryNameAndAliasResolvesThroughLibXcursorAtEverySize) {
    const fs::path root = test::XcursorSearchRoot();
    fs::create_directories(root / "src");
    const ThemeDescription theme = ReadThemeDescription(writeTestTheme(root / "src"));
    const ThemeBuildReport report = BuildTheme(theme, root.string());
    EXPECT_EQ(report.cursors, 5);
    EXPECT_EQ(report.roles, 5);  // hand2 takes the link role from its name
    EXPECT_TRUE(report.notes.empty());

    std::set<std::string> given;
    for (const ThemeCursor& c : theme.cursors) given.insert(c.names.begin(), c.names.end());
    int looked = 0;
    for (const ThemeCursor& c : theme.cursors) {
        const auto file = ReadXcursorFile((root / "TestTheme" / "cursors" / c.names.front()).string());
        ASSERT_EQ(file.size(), kSizes.size() * c.frames.size()) << c.names.front();
        std::vector<std::string> names = c.names;
        for (const std::string& n : c.names)
            for (const std::string& alias : CursorSynonyms(n))
                if (!given.count(alias)) names.push_back(alias);
        for (const std::string& name : names)
            for (std::uint32_t size : kSizes) {
                XcursorImages* images =
                    XcursorLibraryLoadImages(name.c_str(), "TestTheme", static_cast<int>(size));
                ASSERT_NE(images, nullptr) << name << " at " << size;
                test::ExpectSameImages(fromLibrary(images), atSize(file, size),
                                       name + " at " + std::to_string(size));
                XcursorImagesDestroy(images);
                ++looked;
            }
    }
    EXPECT_GT(looked, 100);  // the hash names and CSS names are there too
    const Bytes index = ReadFileBytes((root / "TestTheme" / "index.theme").string());
    EXPECT_EQ(std::string(index.begin(), index.end()),
              "[Icon Theme]\nName=TestTheme\nComment=Five cursors\nInherits=Adwaita\n");
}

TEST(ThemeBuild, TheWindowsPackConvertsBackToTheSameImages) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "src");
    const ThemeDescription theme = ReadThemeDescription(writeTestTheme(dir.path() / "src"));
    BuildTheme(theme, dir.file("out"));
    const ThemeReport back = WindowsPackToTheme(dir.file("out/TestTheme-windows"), dir.file("back"));
    EXPECT_EQ(back.converted, 5);
    for (const ThemeCursor& c : theme.cursors) {
        const int role = c.role >= 0 ? c.role : CursorRoleByThemeName(c.names.front());
        ASSERT_GE(role, 0);
        const std::string linuxName = CursorRoles()[static_cast<std::size_t>(role)].freedesktopName;
        test::ExpectSameImages(ReadXcursorFile(dir.file("back/cursors/" + linuxName)),
                               ReadXcursorFile(dir.file("out/TestTheme/cursors/" + c.names.front())),
                               c.names.front());
    }
    // The animation: every frame holds every size.
    const CursorDocument busy = ReadCursorDocument(dir.file("out/TestTheme-windows/busy.ani"));
    ASSERT_TRUE(busy.animated());
    ASSERT_EQ(busy.animation->Count, 4);
    for (int f = 0; f < 4; ++f) EXPECT_EQ(busy.animation->FrameImageCount(f), 4) << f;
    const Bytes inf = ReadFileBytes(dir.file("out/TestTheme-windows/install.inf"));
    const InstallInf parsed = ParseInstallInf(std::string(inf.begin(), inf.end()));
    EXPECT_EQ(parsed.schemeName, "TestTheme");
    EXPECT_EQ(parsed.files.size(), 5u);
    EXPECT_EQ(parsed.files.at(CursorRoleByName("pointer")), "pointer.cur");
    EXPECT_EQ(parsed.files.at(CursorRoleByName("busy")), "busy.ani");
}

TEST(ThemeBuild, HotSpotsScaleFromSourceUnitsRoundingHalfUp) {
    test::TempDir dir;
    const ThemeDescription theme = ReadThemeDescription(writeTestTheme(dir.path()));
    struct Want {
        std::size_t cursor;
        std::uint32_t hot[4][2];  // at 24, 32, 48, 64
    } wants[] = {
        // 16,250 of 256 units: 1.5 -> 2 and 62.5 -> 63 round up.
        {0, {{2, 23}, {2, 31}, {3, 47}, {4, 63}}},
        // 20,6 in the 64 px file's pixels.
        {1, {{8, 2}, {10, 3}, {15, 5}, {20, 6}}},
        // 64,64 of a 128 px picture scaled down.
        {2, {{12, 12}, {16, 16}, {24, 24}, {32, 32}}},
        // 31,31 in the largest file's pixels: 11.625 -> 12, 15.5 -> 16.
        {4, {{12, 12}, {16, 16}, {23, 23}, {31, 31}}},
    };
    for (const Want& w : wants) {
        const auto images = DrawThemeCursor(theme, theme.cursors[w.cursor]);
        for (std::size_t k = 0; k < kSizes.size(); ++k) {
            const XcursorPicture& p = images[k];
            EXPECT_EQ(p.nominalSize, kSizes[k]);
            EXPECT_EQ(p.width, kSizes[k]);
            EXPECT_EQ(p.xhot, w.hot[k][0]) << theme.cursors[w.cursor].names.front() << " at " << kSizes[k];
            EXPECT_EQ(p.yhot, w.hot[k][1]) << theme.cursors[w.cursor].names.front() << " at " << kSizes[k];
        }
    }
    // The animation: sizes in order, every frame at each, with its delay (50 when not given).
    const auto watch = DrawThemeCursor(theme, theme.cursors[3]);
    ASSERT_EQ(watch.size(), 16u);
    const std::uint32_t delays[] = {50, 100, 200, 50};
    for (std::size_t i = 0; i < watch.size(); ++i) {
        EXPECT_EQ(watch[i].nominalSize, kSizes[i / 4]);
        EXPECT_EQ(watch[i].delay, delays[i % 4]);
    }
    EXPECT_NE(watch[0].pixels, watch[1].pixels);
}

TEST(ThemeBuild, GivenNamesWinOverAutomaticAliasesAndRebuildsDoNotWriteThroughOldLinks) {
    test::TempDir dir;
    test::WriteText(dir.file("a.svg"), test::TestSvg(32, 32, "#ff0000"));
    test::WriteText(dir.file("b.svg"), test::TestSvg(32, 32, "#0000ff"));
    const std::string one =
        "name = \"T\"\nsizes = [32]\n[[cursor]]\nnames = [\"left_ptr\"]\nsource = \"a.svg\"\n";
    test::WriteText(dir.file("t.toml"), one);
    BuildTheme(ReadThemeDescription(dir.file("t.toml")), dir.file("out"), {true, false});
    EXPECT_TRUE(fs::is_symlink(dir.file("out/T/cursors/arrow")));
    const auto leftPtr = ReadXcursorFile(dir.file("out/T/cursors/left_ptr"));

    // Now "arrow" is a cursor of its own: it replaces the old link, and left_ptr stays.
    test::WriteText(dir.file("t.toml"), one + "[[cursor]]\nnames = [\"arrow\"]\nsource = \"b.svg\"\n");
    BuildTheme(ReadThemeDescription(dir.file("t.toml")), dir.file("out"), {true, false});
    EXPECT_FALSE(fs::is_symlink(dir.file("out/T/cursors/arrow")));
    test::ExpectSameImages(ReadXcursorFile(dir.file("out/T/cursors/left_ptr")), leftPtr, "left_ptr");
    EXPECT_NE(ReadXcursorFile(dir.file("out/T/cursors/arrow")).at(0).pixels, leftPtr.at(0).pixels);
    EXPECT_EQ(fs::read_symlink(dir.file("out/T/cursors/default")), "left_ptr");
    EXPECT_EQ(fs::read_symlink(dir.file("out/T/cursors/top_left_arrow")), "left_ptr");
    EXPECT_FALSE(fs::exists(dir.file("out/T-windows")));
}

TEST(ThemeBuild, MistakesNameTheTomlLine) {
    test::TempDir dir;
    test::WriteText(dir.file("a.svg"), test::TestSvg(32, 32, "#ff0000"));
    const std::string head =
        "name = \"T\"\nsizes = [24, 32]\n[[cursor]]\nnames = [\"left_ptr\"]\n";  // lines 1-4
    struct Case {
        std::string text;
        const char* expected;
    } cases[] = {
        {
            head + "source = \"missing.svg\"\n",
            "line 5: no such file",
        },
        {
            head + "source = \"a.svg\"\nhotspot = [40, 2]\n",
            "line 6: the hot spot 40,2 is outside the source (32 x 32)",
        },
        {
            head + "source = { 24 = \"a.svg\" }\n",
            "line 5: the source names no file for size 32",
        },
        {head + "role = \"pointr\"\nsource = \"a.svg\"\n",
         "line 5: role \"pointr\" is not a Windows cursor role"},
        {head + "source = \"a.svg\"\nhotspots = [1, 1]\n", "line 6: unknown key \"hotspots\""},
        {head + "source = \"a.svg\"\n[[cursor]]\nnames = [\"default\", \"left_ptr\"]\nsource = \"a.svg\"\n",
         "line 6: the name \"left_ptr\" is given twice"},
        {head + "source = \"a.svg\"\nframes = []\n", "line 6: cursor 1 has both source and frames"},
        {head + "frames = [ { source = \"a.svg\", delay = -5 } ]\n", "line 5: delay -5 is not from 1"},
        {"name = \"T\"\nsizes = [24, 0]\n", "line 2: a size 0 is not from 1"},
        {"name = \"T\"\nsizes = [24\n", "line 2: "},  // TOML syntax
        {"name = \"a/b\"\nsizes = [24]\n", "line 1: name \"a/b\" cannot be a file name"},
    };
    for (const Case& c : cases) {
        test::WriteText(dir.file("t.toml"), c.text);
        try {
            BuildTheme(ReadThemeDescription(dir.file("t.toml")), dir.file("out"));
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const ECursorSourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(dir.file("t.toml"), 0), 0u) << e.what();
        }
        // Nothing is written when a mistake is found.
        EXPECT_FALSE(fs::exists(dir.file("out"))) << c.text;
    }
}

}  // namespace
}  // namespace vornik
