// The 32-bit picture icons are made from: the same pixels as the full-size
// conversion followed by scaling, without ever holding the full-size copy.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/AlphaMask.h"
#include "imaging/PictureRgba.h"
#include "imaging/ScaleArea.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

TQvDIB opaqueOf(const TQvDIB& picture) {
    TQvDIB black;
    black.CreateDIB(picture.Width(), picture.Height(), 0, 24);
    return WithAlphaFromMask(picture, black);
}

void expectSamePixels(const TQvDIB& a, const TQvDIB& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    ASSERT_EQ(a.GetBitCount(), 32);
    ASSERT_EQ(b.GetBitCount(), 32);
    for (int y = 0; y < a.Height(); ++y)
        ASSERT_EQ(std::memcmp(a.ScanLine(y), b.ScanLine(y), 4 * static_cast<std::size_t>(a.Width())), 0)
            << "row " << y;
}

// A 16-colour, a true-colour and a 32-bit picture with varied pixels.
TQvDIB pattern(int w, int h, int bits) {
    TQvDIB dib;
    dib.CreateDIB(w, h, bits <= 8 ? 1 << bits : 0, bits);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = dib.MutableScanLine(y);
        const std::size_t bytes = static_cast<std::size_t>(dib.Stride());
        for (std::size_t i = 0; i < bytes; ++i) p[i] = static_cast<std::uint8_t>((i * 37 + y * 11) ^ (i >> 3));
    }
    return dib;
}

TEST(PictureRgba, MatchesTheFullSizeConversionAndScaling) {
    for (int bits : {4, 24, 32}) {
        const TQvDIB picture = pattern(300, 170, bits);
        const TQvDIB full = bits == 32 ? picture : opaqueOf(picture);
        expectSamePixels(PictureRgba(picture, {}), full);
        PictureRgbaOptions shrink;
        shrink.maxSide = 64;
        expectSamePixels(PictureRgba(picture, shrink), ScaleArea(full, 64, 36));
        shrink.nearest = true;
        expectSamePixels(PictureRgba(picture, shrink), ScaleNearest(full, 64, 36));
    }
}

TEST(PictureRgba, ClearsTheColourAtAPointBeforeScaling) {
    TQvDIB picture;
    picture.CreateDIB(4, 2, 0, 24);  // black
    std::uint8_t* top = picture.MutableScanLine(1);
    top[3] = 200;  // (1, 0): blue 200
    top[9] = 200;  // (3, 0)
    PictureRgbaOptions options;
    options.clearColourAt = std::make_pair(1, 0);
    const TQvDIB out = PictureRgba(picture, options);
    EXPECT_EQ(out.ScanLine(1)[4 * 1 + 3], 0);
    EXPECT_EQ(out.ScanLine(1)[4 * 3 + 3], 0);
    EXPECT_EQ(out.ScanLine(1)[4 * 0 + 3], 255);
    EXPECT_EQ(out.ScanLine(0)[4 * 1 + 3], 255);
    options.maxSide = 2;  // 4 x 2 to 2 x 1: the cleared pixels count as transparent
    const TQvDIB small = PictureRgba(picture, options);
    ASSERT_EQ(small.Width(), 2);
    EXPECT_EQ(small.ScanLine(0)[3], 191);  // three of four covered pixels opaque
    options.clearColourAt = std::make_pair(4, 0);
    EXPECT_THROW(PictureRgba(picture, options), EVornikError);
}

}  // namespace
}  // namespace vornik
