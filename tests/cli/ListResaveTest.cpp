// vornik-cli list and resave, run as a program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TestFiles.h"
#include "model/TIconEx.h"

using namespace vornik;

namespace {

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun runCli(const std::vector<std::string>& args) {
    test::TempDir dir;
    std::string command = quoted(VORNIK_CLI_PATH);
    for (const auto& a : args) command += " " + quoted(a);
    command += " >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err"));
    const int raw = std::system(command.c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes out = test::ReadAll(dir.path() / "out"), err = test::ReadAll(dir.path() / "err");
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

// A cursor of two entries: 32 x 32 at 16 colours with hot spot (5, 7), 16 x 16 true colour.
std::string writeCursor(const test::TempDir& dir) {
    TIconCurEX set;
    set.AddSlot(-1);
    set.InitEntry(0, 2, 32, 32, 4);
    set.Entries[0].HotSpotX = 5;
    set.Entries[0].HotSpotY = 7;
    set.AddSlot(-1);
    set.InitEntry(1, 2, 16, 16, 24);
    const std::string path = dir.file("two.cur");
    set.SaveToFile(path);
    return path;
}

}  // namespace

TEST(CliList, AlignedTableAndTabSeparatedForm) {
    test::TempDir dir;
    const std::string path = writeCursor(dir);
    const CliRun table = runCli({"list", path});
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out,
              "#  No               X   Y  Color  Offset  Size  HX  HY\n"
              "0  32 x 32 -   16  32  32    16       26   744   5   7\n"
              "1  16 x 16 - True  16  16  True      30e   872   0   0\n");
    const CliRun tsv = runCli({"list", "--tsv", path});
    EXPECT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_EQ(tsv.out,
              "No\tX\tY\tBitCount\tColor\tOffset\tSize\tHX\tHY\n"
              "0\t32\t32\t4\t  16\t26\t744\t5\t7\n"
              "1\t16\t16\t24\tTrue\t30e\t872\t0\t0\n");
    EXPECT_TRUE(tsv.err.empty());
}

TEST(CliList, RefusedFilesAndUsageErrors) {
    test::TempDir dir;
    test::WriteAll(dir.path() / "t3.ico", Bytes{0, 0, 3, 0, 1, 0});
    const CliRun refused = runCli({"list", dir.file("t3.ico")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("\"" + dir.file("t3.ico") + "\": the file is damaged (not an icon or cursor file"),
              std::string::npos)
        << refused.err;
    const CliRun missing = runCli({"list", dir.file("none.ico")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.ico"), std::string::npos);
    EXPECT_EQ(runCli({"list"}).status, 2);
    EXPECT_EQ(runCli({"list", "a.ico", "b.ico"}).status, 1);  // several files, both missing
    EXPECT_EQ(runCli({"list", "--wide", "a.ico"}).status, 2);
    EXPECT_EQ(runCli({"resave", "a.ico"}).status, 2);
}

TEST(CliResave, WritesTheSameBytesAndRefusesBadInput) {
    test::TempDir dir;
    const std::string path = writeCursor(dir);
    const CliRun ok = runCli({"resave", path, dir.file("copy.cur")});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(test::ReadAll(dir.path() / "copy.cur"), test::ReadAll(path));

    Bytes truncated = test::ReadAll(path);
    truncated.resize(truncated.size() - 10);
    test::WriteAll(dir.path() / "cut.cur", truncated);
    test::WriteAll(dir.path() / "keep.cur", Bytes{1, 2, 3});
    const CliRun bad = runCli({"resave", dir.file("cut.cur"), dir.file("keep.cur")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(
        bad.err.find("\"" + dir.file("cut.cur") + "\": the file is damaged (entry 1: mask data runs past the end of the file)"),
        std::string::npos)
        << bad.err;
    EXPECT_EQ(test::ReadAll(dir.path() / "keep.cur"), (Bytes{1, 2, 3}));

    const CliRun unwritable = runCli({"resave", path, dir.file("no/dir/x.cur")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("no/dir/x.cur"), std::string::npos) << unwritable.err;
}

TEST(CliResave, WriteProtectedOutputIsRefusedUnlessForced) {
    test::TempDir dir;
    const std::string path = writeCursor(dir);
    const std::string out = dir.file("locked.cur");
    test::WriteAll(out, Bytes{1, 2, 3});
    std::filesystem::permissions(out, std::filesystem::perms(0444));
    const CliRun refused = runCli({"resave", path, out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "vornik-cli resave: Cannot replace file \"" + out +
                               "\": Permission denied (the file is write-protected); --force replaces it\n");
    EXPECT_EQ(test::ReadAll(out), (Bytes{1, 2, 3}));
    const CliRun forced = runCli({"resave", "--force", path, out});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(test::ReadAll(out), test::ReadAll(path));
    EXPECT_EQ(std::filesystem::status(out).permissions(), std::filesystem::perms(0444));
}

TEST(CliResave, CorpusFilesRoundTrip) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    for (const char* name : {"ico/imagers__multiple_entries_with_different_bit_depth.ico",
                             "cur/webamp-skin__Skinner_Atlas__Close.cur", "ico/pillow__hopper.ico"}) {
        const auto src = test::CorpusDir() / name;
        const CliRun r = runCli({"resave", src.string(), dir.file("out")});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(test::ReadAll(dir.path() / "out"), test::ReadAll(src)) << name;
    }
}
