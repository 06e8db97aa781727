// The commands run in this process through RunCli, with their output caught.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestFiles.h"
#include "RunCliCapture.h"

namespace vornik::cli {
namespace {

using Outcome = test::CliCapture;

Outcome run(const std::vector<std::string>& args) { return test::RunCliCaptured(args); }

TEST(RunCli, UsageErrorsAreStatusTwoAndWriteOnlyToTheErrorStream) {
    Outcome r = run({});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("usage: vornik-cli"), std::string::npos);

    r = run({"no-such-command"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("unknown command \"no-such-command\""), std::string::npos);

    r = run({"list", "--bogus", "x.ico"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("unknown option --bogus"), std::string::npos);

    r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("vornik-cli ", 0), 0u);
}

// Results on the output stream, refusals on the error stream with status 1;
// one run leaves nothing behind for the next ("--" operands included).
TEST(RunCli, ListWritesResultsAndRefusalsToTheirStreams) {
    VORNIK_REQUIRE_CORPUS();
    const auto icons = test::CorpusFiles("ico", ".ico");
    ASSERT_FALSE(icons.empty());
    Outcome r = run({"list", "--", icons.front().string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Offset"), std::string::npos) << r.out;

    test::TempDir dir;
    r = run({"list", dir.file("missing.ico")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find("missing.ico"), std::string::npos);

    r = run({"list", icons.front().string()});
    EXPECT_EQ(r.status, 0) << r.err;
}

// Apple icons go through the same streams: list, extract and a refusal.
TEST(RunCli, AppleIconCommandsWriteToTheirStreams) {
    test::TempDir dir;
    const std::string svg = dir.file("dot.svg");
    const std::string text = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                             "<circle cx=\"8\" cy=\"8\" r=\"6\" fill=\"red\"/></svg>";
    test::WriteAll(svg, Bytes(text.begin(), text.end()));
    Outcome r = run({"convert", svg, "-o", dir.file("app.icns"), "--size", "16,32"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = run({"list", "--tsv", dir.file("app.icns")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\til32"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\tic11"), std::string::npos) << r.out;
    r = run({"extract", "--png", dir.file("app.icns"), "-o", dir.file("out")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(".png"), std::string::npos) << r.out;

    test::WriteAll(dir.file("cut.icns"), Bytes{'i', 'c', 'n', 's', 0, 0, 1, 0, 'i', 's', '3', '2'});  // 256 bytes stated
    r = run({"list", dir.file("cut.icns")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find("cut.icns"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vornik::cli
