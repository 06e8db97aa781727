// vornik-cli picture over RLE bitmaps: decoded before any output is written.
#include <gtest/gtest.h>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {
namespace {

using namespace test;

void put16(Bytes& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// A 4 x 2 RLE8 bitmap file with two colours (0 black, 1 red) and the given data.
Bytes rle8File(const Bytes& data) {
    Bytes b{'B', 'M'};
    put32(b, 14 + 40 + 8 + std::uint32_t(data.size()));
    put32(b, 0);
    put32(b, 14 + 40 + 8);
    put32(b, 40);
    put32(b, 4);
    put32(b, 2);
    put16(b, 1);
    put16(b, 8);
    put32(b, 1);  // BI_RLE8
    put32(b, std::uint32_t(data.size()));
    put32(b, 0);
    put32(b, 0);
    put32(b, 2);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0x00FF0000);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

TEST(CliPictureRle, BadRunIsRefusedNamingTheFileForEveryOutput) {
    TempDir dir;
    const std::string in = dir.file("bad-rle.bmp");
    WriteAll(in, rle8File({10, 1, 0, 1}));  // a run of 10 in a row of 4
    for (const char* out : {"o.png", "o.bmp", "o.jpg"}) {
        const AniCliRun r = RunVornikCli({"picture", in, "-o", dir.file(out)});
        EXPECT_EQ(r.status, 1) << out;
        EXPECT_NE(r.err.find(in), std::string::npos) << out << ": " << r.err;
        // In the user's words, not the decoding routine's name.
        EXPECT_EQ(r.err.find("TQv"), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file(out))) << out;
    }
}

// Data that ends after the first of two rows: the picture is written all the
// same, and the exit status and the error stream say a row is missing.
TEST(CliPictureRle, CutDataIsWrittenButSaidWithStatusOne) {
    TempDir dir;
    const std::string in = dir.file("cut-rle.bmp");
    WriteAll(in, rle8File({4, 1, 0, 0}));
    const std::vector<std::vector<std::string>> runs = {{"picture", in, "-o", dir.file("o.png")},
                                                        {"convert", in, "-o", dir.file("o.ico")}};
    for (const auto& args : runs) {
        const AniCliRun r = RunVornikCli(args);
        EXPECT_EQ(r.status, 1) << args[0] << ": " << r.err;
        EXPECT_NE(r.err.find("\"" + in + "\": read with losses: the pixel data ends early: 1 row is missing (row 1 from the top)"),
                  std::string::npos)
            << args[0] << ": " << r.err;
        EXPECT_TRUE(std::filesystem::exists(args[3])) << args[0];
    }
}

TEST(CliPictureRle, GoodRleIsWrittenDecoded) {
    TempDir dir;
    const std::string in = dir.file("rle.bmp");
    // Bottom row: 4 red; top row: 2 black, 2 red.
    WriteAll(in, rle8File({4, 1, 0, 0, 2, 0, 2, 1, 0, 1}));
    const AniCliRun r = RunVornikCli({"picture", in, "-o", dir.file("o.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    TQvDIB out;
    out.LoadFromFile(dir.file("o.bmp"));
    EXPECT_EQ(out.Compression(), 0u);
    TQvDIBCanvas canvas(out);
    EXPECT_EQ(canvas.GetPixel(0, 0), kRasterBlack);
    EXPECT_EQ(canvas.GetPixel(3, 0), RgbColor(255, 0, 0));
    EXPECT_EQ(canvas.GetPixel(0, 1), RgbColor(255, 0, 0));
}

}  // namespace
}  // namespace vornik
