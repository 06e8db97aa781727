// Cursor files and whole themes converted between Windows and Linux.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <X11/Xcursor/Xcursor.h>

#include "anim/XcursorConvert.h"
#include "formats/CursorFiles.h"
#include "formats/CursorTheme.h"
#include "model/EntryPixels.h"
#include "platform/FileIO.h"
#include "CursorSources.h"
#include "TestFiles.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

// Pixels and hot spot of every image a document shows, step by step.
struct Shown {
    std::vector<Bytes> pixels;
    std::vector<std::pair<int, int>> hotSpots;
    std::vector<int> rates;
    bool square = true;  // every image
};

Shown shownImages(const CursorDocument& doc) {
    Shown s;
    auto add = [&s](const IconEntry& e) {
        // Compared as shown, premultiplied: Xcursor keeps no colour under alpha 0,
        // and little colour under a low alpha.
        Bytes px = EntryToBgra(e).bgra;
        for (std::size_t i = 0; i < px.size(); i += 4)
            for (int c = 0; c < 3; ++c) px[i + c] = static_cast<std::uint8_t>((px[i + c] * px[i + 3] + 127) / 255);
        s.pixels.push_back(std::move(px));
        s.square = s.square && e.PixelWidth() == e.PixelHeight();
        s.hotSpots.emplace_back(e.HotSpotX, e.HotSpotY);
    };
    if (doc.animation && doc.animation->StepCount() == 1) {
        // One step is a still cursor in Xcursor, with every size of its frame.
        const TAniEX& a = *doc.animation;
        for (int k = 0; k < a.FrameImageCount(a.Steps[0].Frame); ++k) {
            IconEntry e;
            EXPECT_EQ(a.DecodeFrameImage(a.Steps[0].Frame, k, e), "");
            add(e);
        }
    } else if (doc.animation) {
        const TAniEX& a = *doc.animation;
        for (int i = 0; i < a.StepCount(); ++i) {
            const AniStep& st = a.Steps[static_cast<std::size_t>(i)];
            add(a.Entries[static_cast<std::size_t>(st.Frame)]);
            s.rates.push_back(std::max(st.Rate, 1));
        }
    } else {
        for (int i = 0; i < doc.cursor->Count; ++i) add(doc.cursor->Entries[static_cast<std::size_t>(i)]);
    }
    return s;
}

TEST(CursorFiles, CorpusCursorsGoToXcursorAndBackUnchanged) {
    VORNIK_REQUIRE_CORPUS();
    int checked = 0;
    auto files = test::CorpusFiles("ani");
    const auto curs = test::CorpusFiles("cur", ".cur");
    files.insert(files.end(), curs.begin(), curs.end());
    for (const fs::path& f : files) {
        const Bytes data = test::ReadAll(f);
        if (SniffCursorFile(data) == CursorFileKind::Other) continue;
        CursorDocument doc;
        try {
            doc = ReadCursorDocument(data, f.string());
        } catch (const EVornikError&) {
            continue;  // files the readers refuse are tested elsewhere
        }
        SCOPED_TRACE(f.filename().string());
        std::vector<std::string> notes;
        const Bytes xcursor = WriteXcursor(CursorDocumentToXcursor(doc, &notes));
        const CursorDocument back = ReadCursorDocument(xcursor, "back");
        // One step shows as a still cursor in Xcursor.
        const bool oneStep = doc.animation && doc.animation->StepCount() <= 1;
        EXPECT_EQ(back.animated(), doc.animated() && !oneStep);
        const Shown a = shownImages(doc), b = shownImages(back);
        if (!a.square) {
            // Windows stretches what is not square: such images come back padded to a square.
            EXPECT_TRUE(b.square);
            EXPECT_TRUE(a.hotSpots == b.hotSpots);
        } else if (doc.cursor && doc.cursor->Count > 1) {
            // Several entries of one size keep only one; compare the sizes kept.
            EXPECT_LE(b.pixels.size(), a.pixels.size());
        } else {
            EXPECT_TRUE(a.pixels == b.pixels);
            EXPECT_TRUE(a.hotSpots == b.hotSpots);
            if (!oneStep) {
                EXPECT_TRUE(a.rates == b.rates);
            }
        }
        if (doc.animation && !oneStep) {
            // Frames no step shows are not kept; equal frames are held once.
            EXPECT_LE(back.animation->Count, doc.animation->Count);
        }
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

XcursorPicture picture(std::uint32_t side, std::uint32_t delay, std::uint32_t colour) {
    XcursorPicture p;
    p.nominalSize = p.width = p.height = side;
    p.xhot = side / 4;
    p.yhot = side / 8;
    p.delay = delay;
    p.pixels.assign(std::size_t{side} * side, 0xFF000000u | colour);
    p.pixels[0] = 0;
    return p;
}

TEST(CursorTheme, ThemeToWindowsAndBackKeepsTheImagesAndLinks) {
    test::TempDir dir;
    const fs::path theme = dir.path() / "Tiny" / "cursors";
    fs::create_directories(theme);
    WriteFileReplacing((theme / "left_ptr").string(), WriteXcursor({picture(24, 0, 0xFF), picture(32, 0, 0xFF)}));
    WriteFileReplacing((theme / "watch").string(),
                       WriteXcursor({picture(32, 50, 1), picture(32, 100, 2), picture(32, 50, 3)}));
    fs::create_symlink("left_ptr", theme / "arrow");
    fs::create_symlink("/etc/passwd", theme / "hand2");  // leaves the theme
    WriteFileReplacing((theme / "zoom-in").string(), WriteXcursor({picture(32, 0, 5)}));
    const std::string index = "[Icon Theme]\nName=Tiny Theme\n";
    WriteFileReplacing((dir.path() / "Tiny" / "index.theme").string(), Bytes(index.begin(), index.end()));

    const std::string win = (dir.path() / "win").string();
    ASSERT_TRUE(IsXcursorThemeFolder((dir.path() / "Tiny").string()));
    const ThemeReport toWin = ThemeToWindowsPack((dir.path() / "Tiny").string(), win);
    EXPECT_EQ(toWin.converted, 2);
    EXPECT_EQ(toWin.missing.size(), 15u);
    ASSERT_TRUE(fs::exists(fs::path(win) / "pointer.cur"));
    ASSERT_TRUE(fs::exists(fs::path(win) / "busy.ani"));
    const Bytes infBytes = test::ReadAll(fs::path(win) / "install.inf");
    const std::string inf(infBytes.begin(), infBytes.end());
    EXPECT_NE(inf.find("SCHEME_NAME = \"Tiny Theme\""), std::string::npos);
    bool sawOutside = false, sawOthers = false;
    for (const auto& s : toWin.skipped) {
        sawOutside = sawOutside || s.find("hand2: points outside") != std::string::npos;
        sawOthers = sawOthers || s.find("zoom-in") != std::string::npos;
    }
    EXPECT_TRUE(sawOutside);
    EXPECT_TRUE(sawOthers);

    ASSERT_FALSE(IsXcursorThemeFolder(win));
    const std::string linux = (dir.path() / "linux").string();
    const ThemeReport toLinux = WindowsPackToTheme(win, linux);
    EXPECT_EQ(toLinux.converted, 2);
    const fs::path cursors = fs::path(linux) / "cursors";
    for (const char* name : {"left_ptr", "watch"}) {
        const auto before = ReadXcursorFile((theme / name).string());
        const auto after = ReadXcursorFile((cursors / name).string());
        ASSERT_EQ(before.size(), after.size()) << name;
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(before[i].pixels, after[i].pixels) << name << i;
            EXPECT_EQ(before[i].delay, after[i].delay) << name << i;
            EXPECT_EQ(before[i].xhot, after[i].xhot) << name << i;
        }
    }
    EXPECT_TRUE(fs::is_symlink(cursors / "default"));
    EXPECT_EQ(fs::read_symlink(cursors / "wait"), "watch");
    // libXcursor's own theme lookup finds the cursors by their names and aliases.
    fs::create_directory_symlink(linux, test::XcursorSearchRoot() / "linux");
    for (const char* name : {"left_ptr", "default", "watch", "wait"}) {
        XcursorImages* found = XcursorLibraryLoadImages(name, "linux", 32);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->nimage, name[0] == 'w' ? 3 : 1) << name;
        XcursorImagesDestroy(found);
    }
    fs::remove(test::XcursorSearchRoot() / "linux");
    const Bytes indexBytes = test::ReadAll(fs::path(linux) / "index.theme");
    EXPECT_NE(std::string(indexBytes.begin(), indexBytes.end()).find("Name=Tiny Theme\n"), std::string::npos);
}

TEST(CursorTheme, WindowsPackWithoutInfUsesFileNamesAndReportsWhatIsLeft) {
    test::TempDir dir;
    const fs::path pack = dir.path() / "pack";
    fs::create_directories(pack);
    CursorDocument doc = ReadCursorDocument(WriteXcursor({picture(32, 0, 7)}), "x");
    WriteWindowsCursor(doc, (pack / "Normal Select.cur").string());
    WriteWindowsCursor(doc, (pack / "Sparkle.cur").string());
    const std::string text = "hello";
    WriteFileReplacing((pack / "readme.txt").string(), Bytes(text.begin(), text.end()));
    WriteFileReplacing((pack / "broken.cur").string(), Bytes{0, 0, 2, 0, 1, 0, 1});

    const ThemeReport r = WindowsPackToTheme(pack.string(), (dir.path() / "out").string());
    EXPECT_EQ(r.converted, 2);  // pointer, and Sparkle under its own name
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "cursors" / "left_ptr"));
    EXPECT_TRUE(fs::exists(dir.path() / "out" / "cursors" / "Sparkle"));
    EXPECT_EQ(r.missing.size(), 16u);
    ASSERT_EQ(r.skipped.size(), 1u);  // readme.txt: not a cursor
    ASSERT_EQ(r.refused.size(), 1u);  // broken.cur: not readable
    EXPECT_EQ(r.refused[0].rfind("broken.cur: ", 0), 0u) << r.refused[0];

    // An empty folder converts nothing.
    fs::create_directories(dir.path() / "empty");
    EXPECT_EQ(WindowsPackToTheme((dir.path() / "empty").string(), (dir.path() / "out2").string()).converted, 0);
}

TEST(CursorFiles, SizesAreMadeFromTheNearestLargerSize) {
    const std::vector<XcursorPicture> images = {picture(32, 0, 0x102030), picture(64, 0, 0x102030)};
    const auto out = XcursorAtSizes(images, {24, 32, 96});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].width, 24u);
    EXPECT_EQ(out[0].xhot, 6u);
    EXPECT_EQ(out[1].pixels, images[0].pixels);  // present: kept as it is
    EXPECT_EQ(out[2].width, 96u);
    EXPECT_EQ(out[0].pixels[100], 0xFF102030u);  // a flat area stays its colour
}

}  // namespace
}  // namespace vornik
