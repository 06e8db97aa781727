// A huge icon file whose images declare more than the decoding budget is
// refused from its headers, before the file is read into memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/resource.h>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/TIconEx.h"
#include "platform/Bytes.h"

namespace vornik {
namespace {

long peakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

TEST(IcoHugeFile, OneGigabyteImageIsRefusedWithoutReadingTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("huge.ico");
    // One 65535 x 65535 1-bit image: 1 GB of rows, all of them present (a
    // sparse file, so it costs no disk).
    const std::uint32_t w = 65535, row = ((w + 31) / 32) * 4;
    const std::uint64_t image = 40 + 8 + 2ull * row * w;
    Bytes head(6 + 16 + 48, 0);
    WriteU16LE(head.data() + 2, 1);
    WriteU16LE(head.data() + 4, 1);
    WriteU32LE(head.data() + 6 + 8, static_cast<std::uint32_t>(image));
    WriteU32LE(head.data() + 6 + 12, 22);
    std::uint8_t* bih = head.data() + 22;
    WriteU32LE(bih, 40);
    WriteU32LE(bih + 4, w);
    WriteU32LE(bih + 8, 2 * w);
    WriteU16LE(bih + 12, 1);
    WriteU16LE(bih + 14, 1);
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
    }
    std::filesystem::resize_file(path, 22 + image);

    const long before = peakRssMb();
    TIconCurEX set;
    EXPECT_FALSE(set.LoadFromFile(path));
    EXPECT_NE(set.LoadError().find("decode to more than"), std::string::npos) << set.LoadError();
    EXPECT_LT(peakRssMb() - before, 100);
}

}  // namespace
}  // namespace vornik
