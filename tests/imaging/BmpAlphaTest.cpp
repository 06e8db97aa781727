#include <gtest/gtest.h>

#include <set>

#include "RgbaPictures.h"
#include "TestFiles.h"
#include "imaging/BmpAlpha.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

using test::Bgra;
using test::RgbaAt;

std::string Corpus(const std::string& name) { return (test::CorpusDir() / "bmp" / name).string(); }

void ExpectSamePixels(const TQvDIB& a, const TQvDIB& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(RgbaAt(a, x, y), RgbaAt(b, x, y)) << x << "," << y;
}

TEST(BmpAlphaTest, WrittenV5FilesAndBlocksReadBackPixelForPixel) {
    const TQvDIB soft = test::SoftAlphaPicture(7, 5);
    const Bytes file = EncodeBmpAlpha(soft);
    ASSERT_EQ(ReadU32LE(file.data() + 14), 124u);              // BITMAPV5HEADER
    ASSERT_EQ(ReadU32LE(file.data() + 14 + 52), 0xFF000000u);  // alpha mask
    const auto back = DecodeBmpAlpha(file, false);
    ASSERT_TRUE(back);
    ExpectSamePixels(soft, *back);
    const auto block = DecodeBmpAlpha(EncodeBmpAlpha(soft, true), true);
    ASSERT_TRUE(block);
    ExpectSamePixels(soft, *block);
}

TEST(BmpAlphaTest, OneAlphaPictureInEveryHeaderGivesTheSamePixels) {
    VORNIK_REQUIRE_CORPUS();
    // The same picture as V5 with masks, a 40-byte header with four masks
    // after it (BI_ALPHABITFIELDS) and a 56-byte header.
    const auto v5 = DecodeBmpAlpha(ReadFileBytes(Corpus("questionable/pillow__rgba32.bmp")), false);
    const auto abf = DecodeBmpAlpha(ReadFileBytes(Corpus("questionable/pillow__rgba32abf.bmp")), false);
    const auto h56 = DecodeBmpAlpha(ReadFileBytes(Corpus("questionable/pillow__rgba32h56.bmp")), false);
    ASSERT_TRUE(v5 && abf && h56);
    ExpectSamePixels(*v5, *abf);
    ExpectSamePixels(*v5, *h56);
    bool soft = false;
    for (int y = 0; y < v5->Height(); ++y)
        for (int x = 0; x < v5->Width(); ++x)
            soft = soft || (RgbaAt(*v5, x, y)[3] > 0 && RgbaAt(*v5, x, y)[3] < 255);
    EXPECT_TRUE(soft);

    // A top-down BI_RGB picture whose fourth bytes are alpha.
    const auto rgb = DecodeBmpAlpha(ReadFileBytes(Corpus("good/imagers__V5_A8_R8_G8_B8_Rgb.bmp")), false);
    ASSERT_TRUE(rgb);
    std::set<int> alphas;
    for (int y = 0; y < rgb->Height(); ++y)
        for (int x = 0; x < rgb->Width(); ++x) alphas.insert(RgbaAt(*rgb, x, y)[3]);
    EXPECT_EQ(alphas, (std::set<int>{0, 64, 128, 255}));
    // Alpha 0 everywhere in a BI_RGB file: padding, as older programs write it.
    EXPECT_FALSE(DecodeBmpAlpha(ReadFileBytes(Corpus("good/imagers__Info_A8_R8_G8_B8.bmp")), false));
}

TEST(BmpAlphaTest, PicturesWithoutAlphaAndBrokenFilesAreLeftToTheDibReader) {
    VORNIK_REQUIRE_CORPUS();
    // No alpha mask, or alpha 0 everywhere: the ordinary 24-bit route.
    EXPECT_FALSE(DecodeBmpAlpha(ReadFileBytes(Corpus("good/pillow__rgb32bf.bmp")), false));
    EXPECT_FALSE(DecodeBmpAlpha(ReadFileBytes(Corpus("good/imagers__V3_X8_R8_G8_B8.bmp")), false));
    const TQvDIB clear = test::RgbaPicture(3, 3, [](int, int) { return Bgra{9, 9, 9, 0}; });
    EXPECT_FALSE(DecodeBmpAlpha(EncodeBmpAlpha(clear), false));
    // Cut short, huge or nonsense: refused without reading past the bytes.
    Bytes file = EncodeBmpAlpha(test::SoftAlphaPicture(4, 4));
    for (std::size_t cut : {std::size_t{10}, std::size_t{60}, file.size() - 1})
        EXPECT_FALSE(
            DecodeBmpAlpha(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut)), false))
            << cut;
    Bytes huge = file;
    WriteI32LE(huge.data() + 18, 1 << 30);
    EXPECT_FALSE(DecodeBmpAlpha(huge, false));
    for (const char* bad : {"bad/gdkpixbuf__bmp-line-overflow.bmp", "bad/gdkpixbuf__bug775242.bmp"})
        EXPECT_FALSE(DecodeBmpAlpha(ReadFileBytes(Corpus(bad)), false)) << bad;
}

}  // namespace
}  // namespace vornik
