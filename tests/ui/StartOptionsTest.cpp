// The editor's command line: options, "--", several files, usage errors.
#include <gtest/gtest.h>

#include "ui/StartOptions.h"

namespace vornik {
namespace {

TEST(StartOptions, HelpVersionUnknownAndDashes) {
    EXPECT_TRUE(ParseStartOptions({"--help"}).help);
    EXPECT_TRUE(ParseStartOptions({"-h"}).help);
    EXPECT_TRUE(ParseStartOptions({"a.ico", "--version"}).version);
    // Neither is taken for a file to open.
    EXPECT_TRUE(ParseStartOptions({"--help"}).file.isEmpty());

    EXPECT_EQ(ParseStartOptions({"--colour", "a.ico"}).error, "unknown option --colour");
    EXPECT_EQ(ParseStartOptions({"--colour=red"}).error, "unknown option --colour");
    EXPECT_EQ(ParseStartOptions({"-x"}).error, "unknown option -x");

    // After "--" a leading dash is part of a file name.
    const StartOptions dashed = ParseStartOptions({"--", "--help", "-x.ico"});
    EXPECT_FALSE(dashed.help);
    EXPECT_TRUE(dashed.error.isEmpty());
    EXPECT_EQ(dashed.file, "--help");
    EXPECT_EQ(dashed.otherFiles, QStringList{"-x.ico"});
    EXPECT_EQ(ParseStartOptions({"-"}).file, "-");

    const StartOptions several = ParseStartOptions({"a.ico", "--screenshot", "s.png", "b.cur", "c.ani"});
    EXPECT_EQ(several.file, "a.ico");
    EXPECT_EQ(several.otherFiles, (QStringList{"b.cur", "c.ani"}));
    EXPECT_EQ(several.screenshot, "s.png");
}

}  // namespace
}  // namespace vornik
