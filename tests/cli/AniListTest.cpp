// vornik-cli list and resave over animated cursors and executables.
#include <gtest/gtest.h>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "platform/ShiftJis.h"

namespace vornik {
namespace {

using namespace test;

// Two 16 x 16 frames, steps 1, 0, 1 at rates 4, 5, 6, a Shift-JIS title.
std::string writeAni(const TempDir& dir, const std::string& name) {
    TAniEX a;
    for (int i = 0; i < 2; ++i) {
        a.AddFrame();
        a.InitEntry(i, 2, 16, 16, 4);
        a.Entries[i].HotSpotX = 1;
        a.Entries[i].HotSpotY = 2;
    }
    a.DeleteStep(0);
    a.DeleteStep(0);
    a.InsertStep(1, -1, 4);
    a.InsertStep(0, -1, 5);
    a.InsertStep(1, -1, 6);
    a.Title = Utf8ToShiftJis("アイコン");
    a.Creator = "me";
    const std::string path = dir.file(name);
    a.SaveToFile(path);
    return path;
}

TEST(CliAniList, FramesStepsTitleAndCreator) {
    TempDir dir;
    const std::string path = writeAni(dir, "walk.ani");
    const AniCliRun tsv = RunVornikCli({"list", "--tsv", path});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(tsv.out,
              "No\tX\tY\tBitCount\tColor\tOffset\tSize\tHX\tHY\n"
              "0\t16\t16\t4\t  16\t16\t296\t1\t2\n"
              "1\t16\t16\t4\t  16\t16\t296\t1\t2\n"
              "\n"
              "Step\tFrame\tRate\n"
              "0\t1\t4\n"
              "1\t0\t5\n"
              "2\t1\t6\n"
              "\n"
              "Frame\tSizes\n"
              "0\t16x16\n"
              "1\t16x16\n");
    const AniCliRun table = RunVornikCli({"list", path});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("Step  Frame  Rate\n   0      1     4\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("Title: アイコン\nCreator: me\n"), std::string::npos) << table.out;
}

TEST(CliAniList, ContentDecidesOverTheExtension) {
    TempDir dir;
    const std::string path = writeAni(dir, "walk.ico");
    const AniCliRun r = RunVornikCli({"list", "--tsv", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Step\tFrame\tRate\n"), std::string::npos);
    EXPECT_EQ(RunVornikCli({"resave", path, dir.file("copy.bin")}).status, 0);
    EXPECT_EQ(ReadAll(dir.path() / "copy.bin"), ReadAll(path));
}

TEST(CliAniList, DamagedAndForeignFilesFail) {
    TempDir dir;
    WriteAll(dir.path() / "x.ani", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
    const AniCliRun notAni = RunVornikCli({"list", dir.file("x.ani")});
    EXPECT_EQ(notAni.status, 1);
    EXPECT_TRUE(notAni.out.empty());
    EXPECT_NE(notAni.err.find("x.ani"), std::string::npos) << notAni.err;
    Bytes cut = ReadAll(writeAni(dir, "cut.ani"));
    cut.resize(cut.size() - 3);
    WriteAll(dir.path() / "cut.ani", cut);
    const AniCliRun truncated = RunVornikCli({"list", dir.file("cut.ani")});
    EXPECT_EQ(truncated.status, 1);
    EXPECT_NE(truncated.err.find("cut.ani"), std::string::npos) << truncated.err;
    EXPECT_EQ(RunVornikCli({"list", dir.file("picture.bmp")}).status, 1);
    WriteAll(dir.path() / "picture.bmp", Bytes{'B', 'M'});
    EXPECT_EQ(RunVornikCli({"list", dir.file("picture.bmp")}).status, 1);
}

TEST(CliAniList, ExecutablesAreScanned) {
    VORNIK_REQUIRE_CORPUS();
    int listed = 0;
    for (const auto& f : CorpusFiles("pe")) {
        const AniCliRun r = RunVornikCli({"list", "--tsv", f.string()});
        if (r.status == 0) {
            EXPECT_EQ(r.out.rfind("No\tX\tY", 0), 0u) << f;
            ++listed;
        } else {
            // Some executables hold no icon image of a standard size.
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find("no icon images found"), std::string::npos) << f << r.err;
        }
    }
    EXPECT_GT(listed, 0);
}

TEST(CliAniList, CorpusAnimationsListAndResave) {
    VORNIK_REQUIRE_CORPUS();
    TempDir dir;
    // Also the animated cursors named .cur: the content decides.
    for (const auto& f : CorpusFiles("ani")) {
        if (f.extension() == ".png") continue;
        const AniCliRun r = RunVornikCli({"list", f.string()});
        ASSERT_EQ(r.status, 0) << f << r.err;
        EXPECT_NE(r.out.find("Step  Frame  Rate"), std::string::npos) << f;
        const AniCliRun s = RunVornikCli({"resave", f.string(), dir.file("out.ani")});
        EXPECT_EQ(s.status, 0) << f << s.err;
        EXPECT_EQ(RunVornikCli({"list", dir.file("out.ani")}).out, r.out) << f;
    }
}

}  // namespace
}  // namespace vornik
