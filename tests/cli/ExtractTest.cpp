// vornik-cli extract: every entry as a numbered one-image file.

#include <gtest/gtest.h>

#include <filesystem>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "model/TIconEx.h"

namespace vornik {
namespace {

using namespace test;

std::string writeIcons(const TempDir& dir, int type, int n) {
    TIconCurEX set;
    for (int i = 0; i < n; ++i) {
        set.AddSlot(-1);
        set.InitEntry(i, type, 16 * (i + 1), 16 * (i + 1), 4);
    }
    const std::string path = dir.file(type == 1 ? "ic.ico" : "cu.cur");
    set.SaveToFile(path);
    return path;
}

TEST(CliExtract, NumberedNamesAndNoSilentOverwrite) {
    TempDir src, out;
    const std::string path = writeIcons(src, 1, 3);
    const std::string dir = (out.path() / "made" / "here").string();  // made when missing
    const AniCliRun first = RunVornikCli({"extract", path, "-o", dir, "--stem", "ic", "--start", "5"});
    ASSERT_EQ(first.status, 0) << first.err;
    const auto at = [&](const std::string& name) { return (std::filesystem::path(dir) / name).string(); };
    EXPECT_EQ(first.out, at("ic-05.ico") + "\n" + at("ic-06.ico") + "\n" + at("ic-07.ico") + "\n");
    TIconCurEX one;
    ASSERT_TRUE(one.LoadFromFile(at("ic-06.ico")));
    EXPECT_EQ(one.Count, 1);
    EXPECT_EQ(one.ResourceType, 1);
    EXPECT_EQ(one.Entries[0].Width, 32);

    // A second run refuses before writing anything and names the file in the way.
    WriteAll(at("ic-06.ico"), Bytes{9});
    std::filesystem::remove(at("ic-07.ico"));
    const AniCliRun again = RunVornikCli({"extract", path, "-o", dir, "--stem", "ic", "--start", "5"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.out.empty());
    EXPECT_NE(again.err.find("\"" + at("ic-05.ico") + "\" exists"), std::string::npos) << again.err;
    EXPECT_FALSE(std::filesystem::exists(at("ic-07.ico")));
    EXPECT_EQ(ReadAll(at("ic-06.ico")), Bytes{9});

    const AniCliRun over =
        RunVornikCli({"extract", path, "-o", dir, "--stem", "ic", "--start=5", "--overwrite"});
    ASSERT_EQ(over.status, 0) << over.err;
    EXPECT_EQ(over.out, first.out);
    EXPECT_NE(ReadAll(at("ic-06.ico")), Bytes{9});

    // Numbers widen when the last one needs more digits, so names sort in entry order.
    const AniCliRun wide = RunVornikCli({"extract", path, "-o", dir, "--stem", "w", "--start", "98"});
    ASSERT_EQ(wide.status, 0) << wide.err;
    EXPECT_EQ(wide.out, at("w-098.ico") + "\n" + at("w-099.ico") + "\n" + at("w-100.ico") + "\n");
}

TEST(CliExtract, CursorsFramesAndExecutables) {
    TempDir src, out;
    const AniCliRun cur =
        RunVornikCli({"extract", writeIcons(src, 2, 1), "-o", out.path().string(), "--start", "9"});
    ASSERT_EQ(cur.status, 0) << cur.err;
    EXPECT_EQ(cur.out, out.file("cu-09.cur") + "\n");  // stem defaults to the file's

    TAniEX a;
    for (int i = 0; i < 2; ++i) {
        a.AddFrame();
        a.InitEntry(i, 1, 32, 32, 1);
    }
    a.SaveToFile(src.file("a.ani"));
    const AniCliRun ani =
        RunVornikCli({"extract", src.file("a.ani"), "-o", out.path().string(), "--stem", "f"});
    ASSERT_EQ(ani.status, 0) << ani.err;
    EXPECT_EQ(ani.out, out.file("f-00.cur") + "\n" + out.file("f-01.cur") + "\n");
    TIconCurEX frame;
    ASSERT_TRUE(frame.LoadFromFile(out.file("f-01.cur")));
    EXPECT_EQ(frame.ResourceType, 2);

    // A cursor file under a program's name is read by its content: cursors come out.
    std::filesystem::copy_file(writeIcons(src, 2, 2), src.file("blob.dll"));
    const AniCliRun exe =
        RunVornikCli({"extract", src.file("blob.dll"), "-o", out.path().string(), "--stem", "x"});
    ASSERT_EQ(exe.status, 0) << exe.err;
    EXPECT_EQ(exe.out, out.file("x-00.cur") + "\n" + out.file("x-01.cur") + "\n");
    TIconCurEX icon;
    ASSERT_TRUE(icon.LoadFromFile(out.file("x-01.cur")));
    EXPECT_EQ(icon.ResourceType, 2);
    EXPECT_EQ(icon.Entries[0].Width, 32);
}

TEST(CliExtract, UsageAndFailures) {
    TempDir src, out;
    const std::string path = writeIcons(src, 1, 1);
    EXPECT_EQ(RunVornikCli({"extract", path}).status, 2);
    EXPECT_EQ(RunVornikCli({"extract", path, "-o", out.path().string(), "--start", "x"}).status, 2);
    EXPECT_EQ(RunVornikCli({"extract", path, "-o", out.path().string(), "--stem", " "}).status, 2);
    // A folder that cannot be made: its parent is a file.
    WriteAll(out.path() / "plain", Bytes{1});
    EXPECT_EQ(RunVornikCli({"extract", path, "-o", out.file("plain") + "/sub"}).status, 1);
    WriteAll(src.path() / "empty.exe", Bytes(100, 0));
    const AniCliRun none = RunVornikCli({"extract", src.file("empty.exe"), "-o", out.path().string()});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.empty());
}

}  // namespace
}  // namespace vornik
