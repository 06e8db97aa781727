#include "platform/FileIO.h"

#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "platform/Errors.h"

using namespace vornik;

namespace {

std::vector<std::string> Listing(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

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
    const std::string target = dir.file("a.ico");
    test::WriteAll(target, Bytes{1, 2, 3});
    // The write fails part way: a child process may write no file beyond 1 KB.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileReplacing(target, Bytes(64 * 1024, 0x5A));
        } catch (const EInOutError& e) {
            ::_exit(std::string(e.what()).find(target) != std::string::npos ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the write succeeded, 2: the message does not name the file";
    EXPECT_EQ(test::ReadAll(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"a.ico"}));
    // A folder that is not there: nothing made, the name in the message.
    try {
        WriteFileReplacing(dir.file("missing-folder/a.ico"), Bytes{1});
        FAIL() << "expected EInOutError";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("missing-folder/a.ico"), std::string::npos);
    }
}

TEST(FileIO, WriteProtectedTargetIsRefusedUnlessAllowed) {
    test::TempDir dir;
    const std::string target = dir.file("a.ico");
    test::WriteAll(target, Bytes{1, 2, 3});
    std::filesystem::permissions(target, std::filesystem::perms(0444));
    for (bool named : {false, true}) {
        SCOPED_TRACE(named);
        try {
            if (named)
                detail::WriteFileReplacingNamed(target, Bytes{9}.data(), 1);
            else
                WriteFileReplacing(target, Bytes{9});
            FAIL() << "a write-protected file was replaced";
        } catch (const EWriteProtected& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Cannot replace file \"" + target + "\": Permission denied (the file is write-protected)");
        }
        EXPECT_EQ(test::ReadAll(target), (Bytes{1, 2, 3}));
    }
    // Through a link the file it points to is judged.
    std::filesystem::create_symlink("a.ico", dir.path() / "link.ico");
    EXPECT_THROW(WriteFileReplacing(dir.file("link.ico"), Bytes{9}), EWriteProtected);
    ReplaceWriteProtected(true);
    WriteFileReplacing(dir.file("link.ico"), Bytes{9});
    ReplaceWriteProtected(false);
    EXPECT_EQ(test::ReadAll(target), (Bytes{9}));
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0444));
    // Some write bit is enough: a file only its group may write is ours to replace as root.
    std::filesystem::permissions(target, std::filesystem::perms(0464));
    if (::geteuid() == 0) {
        WriteFileReplacing(target, Bytes{7});
        EXPECT_EQ(test::ReadAll(target), (Bytes{7}));
    }
}

TEST(FileIO, LinkIntoAMissingFolderSaysItPointsNowhere) {
    test::TempDir dir;
    std::filesystem::create_symlink("gone/a.ico", dir.path() / "link.ico");
    try {
        WriteFileReplacing(dir.file("link.ico"), Bytes{1});
        FAIL() << "expected EInOutError";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + dir.file("link.ico") +
                                             "\": the symbolic link points nowhere (to \"" + dir.file("gone/a.ico") +
                                             "\", whose folder does not exist)");
    }
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"link.ico"}));
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

TEST(FileIO, SaveThroughSymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "real");
    const std::string target = dir.file("real/a.ico");
    test::WriteAll(target, Bytes{1, 2, 3});
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    std::filesystem::create_symlink("real/a.ico", dir.path() / "link.ico");
    std::filesystem::create_symlink("link.ico", dir.path() / "link2.ico");
    for (bool named : {false, true}) {
        const Bytes data{named ? std::uint8_t(7) : std::uint8_t(9), 8};
        if (named)
            detail::WriteFileReplacingNamed(dir.file("link2.ico"), data.data(), data.size());
        else
            WriteFileReplacing(dir.file("link2.ico"), data);
        EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.ico"));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link2.ico"));
        EXPECT_EQ(test::ReadAll(target), data);
        EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
        EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"link.ico", "link2.ico", "real"}));
        EXPECT_EQ(Listing(dir.path() / "real"), (std::vector<std::string>{"a.ico"}));
    }
    // A dangling link makes its target.
    std::filesystem::create_symlink("real/new.ico", dir.path() / "dangling.ico");
    WriteFileReplacing(dir.file("dangling.ico"), Bytes{5});
    EXPECT_EQ(test::ReadAll(dir.file("real/new.ico")), Bytes{5});
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "dangling.ico"));
}

TEST(FileIO, LinkLoopIsRefusedWithTheName) {
    test::TempDir dir;
    std::filesystem::create_symlink("b", dir.path() / "a");
    std::filesystem::create_symlink("a", dir.path() / "b");
    try {
        WriteFileReplacing(dir.file("a"), Bytes{1});
        FAIL() << "expected EInOutError";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.file("a")), std::string::npos);
    }
}

TEST(FileIO, LeftoverOfAKilledNamedSaveIsReplacedNotPiledUp) {
    test::TempDir dir;
    const std::string target = dir.file("a.ico");
    test::WriteAll(target, Bytes{1});
    // What a save killed mid-write on a file system without unnamed files leaves.
    test::WriteAll(SaveTempNameFor(target), Bytes(1000, 0xAA));
    EXPECT_EQ(Listing(dir.path()).size(), 2u);
    const Bytes data{4, 5};
    detail::WriteFileReplacingNamed(target, data.data(), data.size());
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"a.ico"}));
    test::WriteAll(SaveTempNameFor(target), Bytes(10, 0));
    WriteFileReplacing(target, Bytes{6});
    EXPECT_EQ(test::ReadAll(target), Bytes{6});
    EXPECT_EQ(Listing(dir.path()), (std::vector<std::string>{"a.ico"}));
}

TEST(FileIO, SaveKilledMidWriteLeavesTheOldFileAndNothingElse) {
    test::TempDir dir;
    const std::string target = dir.file("a.ico");
    test::WriteAll(target, Bytes{1, 2, 3});
    const Bytes big(64u << 20, 0x5A);
    for (int delayMs : {0, 5, 20}) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            (void)!::write(ready[1], "x", 1);
            for (;;) WriteFileReplacing(target, big);
        }
        ::close(ready[1]);
        char c;
        ASSERT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(delayMs * 1000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        // The target is whole (old or new); at most the one fixed-name file of
        // the swap moment can remain, never a pile.
        const std::uint64_t size = FileSizeOf(target);
        EXPECT_TRUE(size == 3 || size == big.size()) << size;
        EXPECT_LE(Listing(dir.path()).size(), 2u);
    }
}

TEST(FileIO, SameFileComparesDeviceAndInode) {
    test::TempDir dir;
    test::WriteAll(dir.file("a"), Bytes{1});
    test::WriteAll(dir.file("b"), Bytes{1});
    std::filesystem::create_symlink("a", dir.path() / "l");
    std::filesystem::create_hard_link(dir.path() / "a", dir.path() / "h");
    EXPECT_TRUE(SameFile(dir.file("a"), dir.file("./a")));
    EXPECT_TRUE(SameFile(dir.file("a"), dir.file("l")));
    EXPECT_TRUE(SameFile(dir.file("a"), dir.file("h")));
    EXPECT_FALSE(SameFile(dir.file("a"), dir.file("b")));
    EXPECT_FALSE(SameFile(dir.file("a"), dir.file("missing")));
}
