// vornik-cli convert over a picture far larger than its entries: a 64 KB RLE
// bitmap of 8192 x 8192 into 20 entries. Reducing the whole picture once per
// entry took four minutes of processor time in the sanitizer build, and
// making the whole picture 32-bit before shrinking it held 800 MB.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestFiles.h"
#include "model/TIconEx.h"

namespace vornik {
namespace {

TEST(CliConvertBomb, RleBombIntoTwentyEntriesStaysWithinBudget) {
    const std::filesystem::path bomb = std::filesystem::path(VORNIK_CRASHERS_DIR) / "rle8-bomb-8192.bmp";
    ASSERT_TRUE(std::filesystem::exists(bomb));
    test::TempDir dir;
    const std::string out = dir.file("bomb.ico");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A small quarantine, so memory the sanitizer keeps after a free is
        // not counted against the command.
        ::setenv("ASAN_OPTIONS", "quarantine_size_mb=16:detect_leaks=0", 1);
        ::execl(VORNIK_CLI_PATH, VORNIK_CLI_PATH, "convert", bomb.c_str(), "-o", out.c_str(), "--size",
                "16,32,48,64,128", "--colors", "2,16,256,true", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ASSERT_EQ(::wait4(child, &status, 0, &usage), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const double seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    EXPECT_LT(seconds, 30);
    // The 8-bit decoding (64 MB) and the working-size picture, not 32-bit copies at full size.
    EXPECT_LT(usage.ru_maxrss / 1024, 200) << "peak resident MB";
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(out));
    EXPECT_EQ(set.Count, 20);
}

}  // namespace
}  // namespace vornik
