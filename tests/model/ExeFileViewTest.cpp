#include "model/ExeFileView.h"

#include <fstream>
#include <sstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace vornik {
namespace {

// Resident file-backed memory of this process, in kB.
long residentFileKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("RssFile:", 0) == 0) return std::stol(line.substr(8));
    return -1;
}

TEST(ExeFileView, MapsLazilyWithoutMakingTheWholeFileResident) {
    test::TempDir dir;
    const std::string path = dir.file("big.exe");
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 128 << 20), 0);
        ::close(fd);
    }
    const long before = residentFileKb();
    if (before < 0) GTEST_SKIP() << "no RssFile in /proc/self/status";
    ExeFileView view(path);
    ASSERT_EQ(view.size(), 128u << 20);
    EXPECT_LT(residentFileKb() - before, 16 * 1024);
    EXPECT_EQ(view.data()[view.size() - 1], 0);  // still readable on demand
}

}  // namespace
}  // namespace vornik
