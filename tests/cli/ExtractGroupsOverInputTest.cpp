// extract --groups refuses to write a group's file over the program it reads,
// as the other commands that write part of a file do.
#include <gtest/gtest.h>

#include "AniCliRun.h"
#include "PeBuilder.h"
#include "TestFiles.h"
#include "model/ExeResources.h"

namespace vornik {
namespace {

using namespace test;

TEST(CliExtractGroups, RefusesToWriteAGroupOverItsInput) {
    TempDir dir;
    const Bytes image = DibIconImage(16, 16, 4, 0x11);
    PeBuilder b;
    b.Add(kRtIcon, 1, image);
    b.AddNamed(kRtGroupIcon, "APP", GroupRecord(1, {{16, 16, 16, 1, 4, static_cast<std::uint32_t>(image.size()), 1}}));
    // The program's own name is the name its group would be written under.
    const std::string program = dir.file("APP.ico");
    WriteAll(program, b.Build());
    const Bytes before = ReadAll(program);
    const AniCliRun r = RunVornikCli({"extract", program, "--groups", "-o", dir.path().string(), "--overwrite"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("is the input file"), std::string::npos) << r.err;
    EXPECT_EQ(ReadAll(program), before);
}

}  // namespace
}  // namespace vornik
