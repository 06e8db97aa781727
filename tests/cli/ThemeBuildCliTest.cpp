// vornik-cli xcursor --config and theme-build: what the program prints and its exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "../formats/CursorSources.h"
#include "AniCliRun.h"
#include "TestFiles.h"
#include "formats/CursorFiles.h"
#include "model/XcursorFile.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

TEST(ThemeBuildCli, XcursorConfigWritesXcursorOrAWindowsFileAndRefusesMixedArguments) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "art");
    for (int f = 0; f < 3; ++f)
        test::WritePng(dir.file("art/f" + std::to_string(f) + ".png"), 32, 32, test::PatternRgba(32, 32, f));
    test::WriteText(dir.file("spin.in"), "32 5 6 f0.png 100\n32 5 6 f1.png 100\n32 5 6 f2.png 200\n");

    auto r = test::RunVornikCli(
        {"xcursor", "--config", dir.file("spin.in"), "-o", dir.file("spin"), "--prefix", dir.file("art")});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto images = ReadXcursorFile(dir.file("spin"));
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[2].delay, 200u);
    EXPECT_EQ(images[0].xhot, 5u);

    r = test::RunVornikCli({"xcursor", "--config", dir.file("spin.in"), "-o", dir.file("spin.ani"),
                            "--prefix", dir.file("art")});
    ASSERT_EQ(r.status, 0) << r.err;
    const CursorDocument ani = ReadCursorDocument(dir.file("spin.ani"));
    ASSERT_TRUE(ani.animated());
    EXPECT_EQ(ani.animation->StepCount(), 3);

    // Without --prefix the files are looked for beside the config: not there.
    r = test::RunVornikCli({"xcursor", "--config", dir.file("spin.in"), "-o", dir.file("x")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 1: no such file"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.file("x")));
    EXPECT_EQ(test::RunVornikCli(
                  {"xcursor", dir.file("spin"), "--config", dir.file("spin.in"), "-o", dir.file("x")})
                  .status,
              2);
    EXPECT_EQ(
        test::RunVornikCli({"xcursor", dir.file("spin"), "--prefix", dir.file("art"), "-o", dir.file("x")})
            .status,
        2);
}

TEST(ThemeBuildCli, BuildsThePlatformsAskedForAndReportsMistakesWithTheLine) {
    test::TempDir dir;
    test::WriteText(dir.file("a.svg"), test::TestSvg(64, 64, "#ff0000"));
    const std::string toml =
        "name = \"T\"\nsizes = [24, 32]\n[[cursor]]\nnames = [\"left_ptr\"]\nsource = \"a.svg\"\n";
    test::WriteText(dir.file("t.toml"), toml);

    auto r =
        test::RunVornikCli({"theme-build", dir.file("t.toml"), "-o", dir.file("out"), "--platforms", "x11"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("1 cursors"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(dir.file("out/T/cursors/left_ptr")));
    EXPECT_TRUE(fs::is_symlink(dir.file("out/T/cursors/default")));
    EXPECT_FALSE(fs::exists(dir.file("out/T-windows")));

    r = test::RunVornikCli({"theme-build", dir.file("t.toml"), "-o", dir.file("out")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir.file("out/T-windows/pointer.cur")));  // the role follows from left_ptr
    EXPECT_TRUE(fs::exists(dir.file("out/T-windows/install.inf")));

    EXPECT_EQ(
        test::RunVornikCli({"theme-build", dir.file("t.toml"), "-o", dir.file("o2"), "--platforms", "mac"})
            .status,
        2);
    test::WriteText(dir.file("bad.toml"), toml + "hotspot = [64, 0]\n");
    r = test::RunVornikCli({"theme-build", dir.file("bad.toml"), "-o", dir.file("o3")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("bad.toml: line 6: the hot spot 64,0 is outside"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(fs::exists(dir.file("o3")));
}

}  // namespace
}  // namespace vornik
