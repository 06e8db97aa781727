// Commands that write part of a file refuse to write it over their input;
// resave, which writes all of it back, may.
#include <filesystem>

#include <gtest/gtest.h>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "imaging/TQvDIB.h"
#include "model/TIconEx.h"

namespace vornik {
namespace {

using namespace test;

std::string threeIcons(const TempDir& dir, const std::string& name) {
    TIconCurEX set;
    for (int i = 0; i < 3; ++i) {
        set.AddSlot(-1);
        set.InitEntry(i, 1, 16 * (i + 1), 16 * (i + 1), 4);
    }
    set.SaveToFile(dir.file(name));
    return dir.file(name);
}

void expectRefusedAndKept(const AniCliRun& r, const std::string& path, const Bytes& before) {
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("is the input file"), std::string::npos) << r.err;
    EXPECT_EQ(ReadAll(path), before);
}

TEST(CliOutputOverInput, ExportAndExtractRefuseToShrinkTheirInput) {
    TempDir dir;
    const std::string path = threeIcons(dir, "x5.ico");
    const Bytes before = ReadAll(path);
    expectRefusedAndKept(RunVornikCli({"export", path, "--entry", "0", "-o", path}), path, before);
    // Another spelling and a link to it are the same file.
    std::filesystem::create_symlink("x5.ico", dir.path() / "link.ico");
    expectRefusedAndKept(RunVornikCli({"export", path, "--entry", "1", "-o", dir.file("link.ico")}), path,
                         before);
    expectRefusedAndKept(RunVornikCli({"export", dir.file("./x5.ico"), "--entry", "1", "-o", path}), path,
                         before);
    // extract names its files STEM-NN.ext; the fifth would be the input itself.
    const std::string numbered = threeIcons(dir, "x-05.ico");
    expectRefusedAndKept(RunVornikCli({"extract", numbered, "-o", dir.path().string(), "--stem", "x", "--start",
                                       "5", "--overwrite"}),
                         numbered, before);
    // A distinct output is still written.
    const AniCliRun ok = RunVornikCli({"export", path, "--entry", "0", "-o", dir.file("one.ico")});
    EXPECT_EQ(ok.status, 0) << ok.err;
}

TEST(CliOutputOverInput, PictureAndAnimateRefuseResaveMay) {
    TempDir dir;
    TQvDIB dib;
    dib.CreateDIB(8, 8, 0, 24);
    dib.SaveToFile(dir.file("p.bmp"));
    const Bytes bmp = ReadAll(dir.file("p.bmp"));
    expectRefusedAndKept(RunVornikCli({"picture", dir.file("p.bmp"), "-o", dir.file("p.bmp")}), dir.file("p.bmp"),
                         bmp);
    // A picture read by its content under a name that animate accepts.
    WriteAll(dir.file("p.ani"), bmp);
    expectRefusedAndKept(RunVornikCli({"animate", dir.file("p.ani"), "-o", dir.file("p.ani"), "--rotate", "90"}),
                         dir.file("p.ani"), bmp);

    const std::string path = threeIcons(dir, "r.ico");
    const Bytes before = ReadAll(path);
    const AniCliRun same = RunVornikCli({"resave", path, path});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(ReadAll(path), before);
}

}  // namespace
}  // namespace vornik
