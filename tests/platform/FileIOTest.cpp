#include "platform/FileIO.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "platform/Errors.h"

using namespace vornik;

TEST(FileIO, ReplacingWritesExactBytesAndLeavesNoTemporary) {
    test::TempDir dir;
    const std::string target = dir.file("a.ico");
    test::WriteAll(target, Bytes{1, 2, 3});
    WriteFileReplacing(target, Bytes{9, 8});
    EXPECT_EQ(test::ReadAll(target), (Bytes{9, 8}));
    int count = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.path())) ++count;
    EXPECT_EQ(count, 1);
}

TEST(FileIO, FailedWriteKeepsOldFileAndNamesIt) {
    test::TempDir dir;
    const std::string target = dir.file("missing-folder/a.ico");
    try {
        WriteFileReplacing(target, Bytes{1});
        FAIL() << "expected EInOutError";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("missing-folder/a.ico"), std::string::npos);
    }
}

TEST(FileIO, ReadRefusesMissingAndOversizedFiles) {
    test::TempDir dir;
    EXPECT_THROW(ReadFileBytes(dir.file("none")), EInOutError);
    test::WriteAll(dir.file("big"), Bytes(100, 0));
    EXPECT_THROW(ReadFileBytes(dir.file("big"), 99), EInOutError);
    EXPECT_EQ(ReadFileBytes(dir.file("big"), 100).size(), 100u);
    EXPECT_FALSE(FileExists(dir.file("none")));
    EXPECT_TRUE(FileExists(dir.file("big")));
}
