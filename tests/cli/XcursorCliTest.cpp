// vornik-cli xcursor and theme: directions, sizes, exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "../anim/AniBuilder.h"
#include "AniCliRun.h"
#include "TestFiles.h"
#include "model/XcursorFile.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

XcursorPicture picture(std::uint32_t side, std::uint32_t delay, std::uint32_t colour) {
    XcursorPicture p;
    p.nominalSize = p.width = p.height = side;
    p.delay = delay;
    p.xhot = 3;
    p.pixels.assign(std::size_t{side} * side, 0xFF000000u | colour);
    return p;
}

TEST(XcursorCli, ConvertsBothWaysByNameAndContent) {
    test::TempDir dir;
    const std::string anim = dir.file("spin");
    WriteFileReplacing(anim, WriteXcursor({picture(32, 100, 1), picture(32, 100, 2)}));

    // An animation refuses .cur, goes to .ani.
    auto r = test::RunVornikCli({"xcursor", anim, "-o", dir.file("spin.cur")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("animated"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("spin.cur")));
    r = test::RunVornikCli({"xcursor", anim, "-o", dir.file("spin.ani")});
    ASSERT_EQ(r.status, 0) << r.err;

    // Back to Xcursor at theme sizes: every frame at every size.
    r = test::RunVornikCli({"xcursor", dir.file("spin.ani"), "-o", dir.file("spin2"), "--sizes", "24,32,48"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto images = ReadXcursorFile(dir.file("spin2"));
    ASSERT_EQ(images.size(), 6u);
    EXPECT_EQ(images[0].width, 24u);
    EXPECT_EQ(images[5].width, 48u);
    EXPECT_EQ(images[1].delay, 100u);

    EXPECT_EQ(test::RunVornikCli({"xcursor", anim, "-o", dir.file("x"), "--sizes", "0"}).status, 2);
    EXPECT_EQ(test::RunVornikCli({"xcursor", dir.file("none"), "-o", dir.file("x")}).status, 1);
}

TEST(XcursorCli, ThemeReportsAndFailsWhenNothingConverts) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "pack");
    const std::string text = "not a cursor";
    WriteFileReplacing(dir.file("pack/readme.txt"), Bytes(text.begin(), text.end()));
    auto r = test::RunVornikCli({"theme", dir.file("pack"), "-o", dir.file("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("skipped: readme.txt: not a cursor"), std::string::npos);
    EXPECT_NE(r.out.find("missing: pointer"), std::string::npos);

    WriteFileReplacing(dir.file("pack/Busy.cur"), Bytes{});
    fs::create_directories(dir.path() / "theme" / "cursors");
    WriteFileReplacing(dir.file("theme/cursors/left_ptr"), WriteXcursor({picture(32, 0, 9)}));
    r = test::RunVornikCli({"theme", dir.file("theme"), "-o", dir.file("win")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("mapped: pointer: left_ptr -> pointer.cur"), std::string::npos) << r.out;
    EXPECT_TRUE(fs::exists(dir.file("win/install.inf")));
}

// A pack with one good cursor, one broken cursor and an animation with a
// damaged frame: what can be converted is, and the exit status and the error
// stream say which files were not (or not wholly) read.
TEST(XcursorCli, ThemeWithABadFileExitsOneAndNamesIt) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "pack");
    using test::Chunk, test::CursorFile, test::CursorImage;
    const Bytes cursor = CursorFile({CursorImage(32, 4, 1)});
    WriteFileReplacing(dir.file("pack/Normal Select.cur"), cursor);
    WriteFileReplacing(dir.file("pack/Busy.cur"), Bytes{0, 0, 2, 0, 1, 0, 1});
    const Bytes ani = test::Ani({test::Anih(3, 3, 7), test::List("fram", {Chunk("icon", cursor), Chunk("icon", Bytes(4, 0)),
                                                                        Chunk("icon", cursor)})});
    WriteFileReplacing(dir.file("pack/Working in Background.ani"), ani);
    const auto r = test::RunVornikCli({"theme", dir.file("pack"), "-o", dir.file("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("mapped: pointer: Normal Select.cur"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("mapped: working: Working in Background.ani"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("refused: Busy.cur"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\"Working in Background.ani\": read with losses: frame 1 "), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("vornik-cli"), std::string::npos) << r.out;  // messages stay off the results
}

}  // namespace
}  // namespace vornik
