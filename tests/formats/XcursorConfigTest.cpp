// xcursorgen configs: our file against xcursorgen's, image for image through
// libXcursor, and the mistakes a config can hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "CursorSources.h"
#include "TestFiles.h"
#include "formats/XcursorConfig.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

bool haveXcursorgen() { return std::system("command -v xcursorgen >/dev/null 2>&1") == 0; }

// xcursorgen run in the config's folder, so that it finds the same files.
std::vector<XcursorPicture> xcursorgen(const test::TempDir& dir, const std::string& config) {
    const std::string out = dir.file(config + ".xcursorgen");
    const std::string command =
        "cd '" + dir.path().string() + "' && xcursorgen '" + config + "' '" + out + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadXcursorFile(out);
}

void expectLikeXcursorgen(const test::TempDir& dir, const std::string& config, const std::string& text) {
    test::WriteText(dir.file(config), text);
    const auto ours = XcursorFromConfigFile(dir.file(config));
    // Written and read back through libXcursor, as theirs is.
    WriteFileReplacing(dir.file(config + ".ours"), WriteXcursor(ours));
    test::ExpectSameImages(ReadXcursorFile(dir.file(config + ".ours")), xcursorgen(dir, config), config);
}

TEST(XcursorConfig, OurFileEqualsXcursorgensImageForImage) {
    if (!haveXcursorgen()) GTEST_SKIP() << "xcursorgen (x11-apps) is not installed";
    test::TempDir dir;
    // Every alpha level, several colour types, a picture that is not square.
    for (int s : {24, 32, 48})
        test::WritePng(dir.file("p" + std::to_string(s) + ".png"), s, s, test::PatternRgba(s, s, s));
    test::WritePng(dir.file("wide.png"), 29, 32, test::PatternRgba(29, 32, 3));
    test::WritePng(dir.file("tall.png"), 20, 31, test::PatternRgba(20, 31, 4));
    test::WritePng(dir.file("rgb.png"), 32, 32, test::PatternRgba(32, 32, 5), PNG_FORMAT_RGB);
    test::WritePng(dir.file("grey.png"), 32, 32, test::PatternRgba(32, 32, 6), PNG_FORMAT_GA);
    std::vector<std::uint8_t> few = test::PatternRgba(16, 16, 7);
    for (std::size_t i = 0; i < few.size(); ++i) few[i] = static_cast<std::uint8_t>(few[i] & 0xC0);
    test::WritePng(dir.file("palette.png"), 16, 16, few, PNG_FORMAT_RGBA_COLORMAP);
    for (int f = 0; f < 4; ++f)
        test::WritePng(dir.file("f" + std::to_string(f) + ".png"), 32, 32, test::PatternRgba(32, 32, 10 + f));

    expectLikeXcursorgen(dir, "static.in", "24 3 4 p24.png\n32 4 5 p32.png\n48 6 7 p48.png\n");
    expectLikeXcursorgen(dir, "order.in",
                         "# sizes out of order stay in line order\n48 1 1 p48.png\n24 1 1 p24.png\n");
    expectLikeXcursorgen(dir, "animated.in",
                         "32 16 16 f0.png 30\n32 16 16 f1.png\n32 16 16 f2.png 120\n32 16 16 f3.png 7\n"
                         "24 1 1 p24.png 30\n24 1 1 p24.png 40\n");
    // 29 x 32 stays 29 x 32; hot spots on the last row and column.
    expectLikeXcursorgen(dir, "nonsquare.in", "32 28 31 wide.png\n32 19 30 tall.png 10\n");
    // On the edge one past the last pixel: both tools keep it, libXcursor loads it.
    expectLikeXcursorgen(dir, "edge.in", "32 29 32 wide.png\n");
    expectLikeXcursorgen(dir, "types.in", "32 0 0 rgb.png\n32 0 0 grey.png\n16 2 2 palette.png\n");
    // Fields after the delay are ignored, as xcursorgen does.
    expectLikeXcursorgen(dir, "extra.in", "32 1 2 p32.png 60 whatever\n");
}

TEST(XcursorConfig, FilesAreFoundBesideTheConfigOrUnderThePrefix) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "conf");
    fs::create_directories(dir.path() / "art");
    test::WritePng(dir.file("conf/a.png"), 24, 24, test::PatternRgba(24, 24, 1));
    test::WritePng(dir.file("art/a.png"), 32, 32, test::PatternRgba(32, 32, 2));
    test::WriteText(dir.file("conf/c.in"), "24 0 0 a.png\n");
    EXPECT_EQ(XcursorFromConfigFile(dir.file("conf/c.in")).at(0).width, 24u);
    EXPECT_EQ(XcursorFromConfigFile(dir.file("conf/c.in"), dir.file("art")).at(0).width, 32u);
}

TEST(XcursorConfig, AnSvgIsDrawnWithItsLongerSideAtTheLinesSize) {
    test::TempDir dir;
    test::WriteText(dir.file("tall.svg"), test::TestSvg(100, 200, "#f80"));
    test::WriteText(dir.file("c.in"), "48 3 40 tall.svg 20\n24 1 20 tall.svg 20\n");
    const auto images = XcursorFromConfigFile(dir.file("c.in"));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].width, 24u);
    EXPECT_EQ(images[0].height, 48u);
    EXPECT_EQ(images[0].nominalSize, 48u);
    EXPECT_EQ(images[0].yhot, 40u);
    EXPECT_EQ(images[1].width, 12u);
    EXPECT_EQ(images[1].height, 24u);
    // Drawn afresh, not one scaled from the other: some opaque and some clear pixels at each size.
    for (const XcursorPicture& p : images) {
        const auto opaque =
            std::count_if(p.pixels.begin(), p.pixels.end(), [](std::uint32_t v) { return v >> 24 == 255; });
        EXPECT_GT(opaque, 0);
        EXPECT_LT(static_cast<std::size_t>(opaque), p.pixels.size());
    }
}

TEST(XcursorConfig, MistakesNameTheFileAndLine) {
    test::TempDir dir;
    test::WritePng(dir.file("a.png"), 24, 24, test::PatternRgba(24, 24, 1));
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"24 0 0 a.png\n24 0 0\n", "line 2: expected SIZE XHOT YHOT FILE"},
        {"# c\n\nx 0 0 a.png\n", "line 3: the size \"x\""},
        {"24 -1 0 a.png\n", "line 1: the hot spot"},
        {"24 0 0 a.png 1.5\n", "line 1: the delay"},
        {"24 0 0 a.png\n24 0 0 missing.png\n", "line 2: no such file"},
        {"24 25 3 a.png\n", "line 1: the hot spot 25,3 is outside the 24 x 24 picture"},
        {"24 0 0 c.in\n", "line 1: "},  // not a picture
        {"# only comments\n", "no image lines"},
    };
    for (const Case& c : cases) {
        test::WriteText(dir.file("c.in"), c.text);
        try {
            XcursorFromConfigFile(dir.file("c.in"));
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ECursorSourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("c.in"), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace vornik
