// Command-line conventions shared by every vornik-cli command: --version,
// --name=VALUE, "--", "-" for standard input and output, English notices and
// the exit status of a run that left data out.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "VornikVersion.h"
#include "anim/AniMessages.h"
#include "cli/CliNotices.h"
#include "model/SetNotices.h"
#include "model/TIconEx.h"

namespace vornik {
namespace {

using namespace test;

// Runs vornik-cli with standard input read from a file.
AniCliRun runWithInput(const std::vector<std::string>& args, const std::string& input) {
    TempDir dir;
    std::string command = ShellQuoted(VORNIK_CLI_PATH);
    for (const auto& a : args) command += " " + ShellQuoted(a);
    command += " <" + ShellQuoted(input) + " >" + ShellQuoted(dir.file("out")) + " 2>" +
               ShellQuoted(dir.file("err"));
    const int raw = std::system(command.c_str());
    AniCliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes out = ReadAll(dir.path() / "out"), err = ReadAll(dir.path() / "err");
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

std::string writeIcon(const TempDir& dir, const std::string& name, int entries) {
    TIconCurEX set;
    for (int i = 0; i < entries; ++i) {
        set.AddSlot(-1);
        set.InitEntry(i, 1, 16 * (i + 1), 16 * (i + 1), 8);
    }
    const std::string path = dir.file(name);
    set.SaveToFile(path);
    return path;
}

// A 24-bit 4 x 4 BMP picture, for convert.
std::string writePicture(const TempDir& dir) {
    Bytes b(54 + 4 * 4 * 3, 0x80);
    const auto u32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) b[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
    };
    b[0] = 'B';
    b[1] = 'M';
    u32(2, static_cast<std::uint32_t>(b.size()));
    u32(6, 0);
    u32(10, 54);
    u32(14, 40);
    u32(18, 4);
    u32(22, 4);
    b[26] = 1;
    b[27] = 0;
    b[28] = 24;
    b[29] = 0;
    for (std::size_t at = 30; at < 54; ++at) b[at] = 0;
    WriteAll(dir.path() / "p.bmp", b);
    return dir.file("p.bmp");
}

TEST(CliConventions, VersionAndOptionForms) {
    const AniCliRun version = RunVornikCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("vornik-cli ") + VORNIK_VERSION + "\n");

    TempDir dir;
    const std::string icon = writeIcon(dir, "a.ico", 2);
    const AniCliRun spaced = RunVornikCli({"export", icon, "--entry", "1", "-o", dir.file("s.ico")});
    const AniCliRun joined = RunVornikCli({"export", icon, "--entry=1", "-o", dir.file("j.ico")});
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    ASSERT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(ReadAll(dir.path() / "s.ico"), ReadAll(dir.path() / "j.ico"));

    // A flag given a value, or an unknown --name=VALUE, is a usage error.
    EXPECT_EQ(RunVornikCli({"list", "--tsv=yes", icon}).status, 2);
    const AniCliRun unknown = RunVornikCli({"list", "--colour=red", icon});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown option --colour\n"), std::string::npos) << unknown.err;

    // After "--" a name beginning with a dash is a file, not an option.
    std::filesystem::copy_file(icon, dir.path() / "-odd.ico");
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.path());
    const AniCliRun dashed = RunVornikCli({"list", "--tsv", "--", "-odd.ico"});
    const AniCliRun without = RunVornikCli({"list", "-odd.ico"});
    std::filesystem::current_path(cwd);
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_EQ(dashed.out.substr(0, 3), "No\t");
    EXPECT_EQ(without.status, 2);
}

TEST(CliConventions, StandardInputAndOutput) {
    TempDir dir;
    const std::string icon = writeIcon(dir, "a.ico", 2);
    const AniCliRun fromFile = RunVornikCli({"list", "--tsv", icon});
    const AniCliRun fromStdin = runWithInput({"list", "--tsv", "-"}, icon);
    ASSERT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_EQ(fromStdin.out, fromFile.out);

    // resave - -: the same bytes as resave to a file.
    ASSERT_EQ(RunVornikCli({"resave", icon, dir.file("r.ico")}).status, 0);
    const AniCliRun piped = runWithInput({"resave", "-", "-"}, icon);
    ASSERT_EQ(piped.status, 0) << piped.err;
    const Bytes resaved = ReadAll(dir.path() / "r.ico");
    EXPECT_EQ(piped.out, std::string(resaved.begin(), resaved.end()));

    // convert - -o -: an icon on standard output, readable again from standard input.
    const AniCliRun converted =
        runWithInput({"convert", "-", "-o", "-", "--size", "16,32", "--colors", "256"}, writePicture(dir));
    ASSERT_EQ(converted.status, 0) << converted.err;
    WriteAll(dir.path() / "c.ico", Bytes(converted.out.begin(), converted.out.end()));
    const AniCliRun listed = runWithInput({"list", "--tsv", "-"}, dir.file("c.ico"));
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out.substr(listed.out.find('\n') + 1, 8), "0\t16\t16\t");

    // Standard input is read once.
    EXPECT_EQ(runWithInput({"list", "-", "-"}, icon).status, 2);
}

TEST(CliConventions, SeveralFilesNumberedRows) {
    TempDir dir;
    const std::string a = writeIcon(dir, "a.ico", 1), b = writeIcon(dir, "b.ico", 2);
    const AniCliRun both = RunVornikCli({"list", a, dir.file("missing.ico"), b});
    EXPECT_EQ(both.status, 1);  // the missing one
    EXPECT_EQ(both.out,
              "==> " + a + " <==\n"
              "#  No               X   Y  Color  Offset  Size  HX  HY\n"
              "0  16 x 16 -  256  16  16   256       16  1384   0   0\n"
              "\n==> " + dir.file("missing.ico") + " <==\n"
              "\n==> " + b + " <==\n"
              "#  No               X   Y  Color  Offset  Size  HX  HY\n"
              "0  16 x 16 -  256  16  16   256       26  1384   0   0\n"
              "1  32 x 32 -  256  32  32   256      58e  2216   0   0\n");
    EXPECT_NE(both.err.find("no such file"), std::string::npos);
}

TEST(CliConventions, ContentScanListsMoreImagesThanTheEditorsTable) {
    // More images than the editor's set holds, found by the content scan:
    // the command line lists them all.
    TempDir dir;
    const Bytes one = ReadAll(writeIcon(dir, "one.ico", 1));
    // Led by other bytes: a file that begins as an icon is read as one.
    Bytes many = {'d', 'a', 't', 'a'};
    for (int i = 0; i < 1005; ++i) many.insert(many.end(), one.begin(), one.end());
    WriteAll(dir.path() / "many.bin", many);
    const AniCliRun cut = RunVornikCli({"list", "--tsv", dir.file("many.bin")});
    EXPECT_EQ(cut.status, 0) << cut.err;
    EXPECT_EQ(cut.err, "");
    EXPECT_EQ(std::count(cut.out.begin(), cut.out.end(), '\n'), 1006);
}

TEST(CliConventions, ValidCursorIsQuietAndRepeatsAreCounted) {
    VORNIK_REQUIRE_CORPUS();
    const AniCliRun r = RunVornikCli({"list", (CorpusDir() / "ani" / "bibata__left_ptr_watch.ani").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");

    // The same notice many times is one line with its count.
    cli::CliNoticeHandler notices;
    for (int i = 0; i < 3; ++i) notices.warning(animsg::Damaged("LIST"));
    notices.message(Message::Plain("something else"));
    TempDir dir;
    std::FILE* out = std::fopen(dir.file("err").c_str(), "w");
    ASSERT_NE(out, nullptr);
    notices.Print(out, "list", [](const std::string& t) { return t; });
    std::fclose(out);
    const Bytes printed = ReadAll(dir.path() / "err");
    EXPECT_EQ(std::string(printed.begin(), printed.end()),
              "vornik-cli list: the file is damaged (LIST chunk) (3 times)\n"
              "vornik-cli list: something else\n");
    EXPECT_FALSE(notices.DroppedData());
    // A notice that says data was left out makes the command fail.
    notices.message(setmsg::SetFull());
    EXPECT_TRUE(notices.DroppedData());
}

}  // namespace
}  // namespace vornik
