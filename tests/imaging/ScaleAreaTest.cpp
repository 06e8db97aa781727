// Resizing 32-bit pictures with alpha.
#include <gtest/gtest.h>

#include <vector>

#include "imaging/AlphaMask.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/ScaleArea.h"

using namespace vornik;

namespace {

using Bgra = std::vector<std::uint8_t>;

Bgra solid(int w, int h, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
    Bgra out;
    for (int i = 0; i < w * h; ++i) out.insert(out.end(), {b, g, r, a});
    return out;
}

TQvDIB picture32(int w, int h, const Bgra& pixels) {
    TQvDIB dib;
    dib.CreateDIB(w, h, 0, 32);
    for (int y = 0; y < h; ++y)
        std::copy_n(pixels.data() + 4 * static_cast<std::size_t>(y * w), 4 * w, dib.MutableScanLine(y));
    return dib;
}

const std::uint8_t* at(const TQvDIB& dib, int x, int y) { return dib.ScanLine(y) + 4 * x; }

}  // namespace

TEST(ScaleArea, UniformStaysUniformAtAnyRatio) {
    const Bgra in = solid(37, 23, 10, 120, 250, 200);
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{16, 16}, {5, 3}, {37, 23}, {64, 40}, {1, 1}}) {
        Bgra out(4 * static_cast<std::size_t>(w * h));
        ScaleAreaBgra(in.data(), 37, 23, 37 * 4, out.data(), w, h, 4 * static_cast<std::size_t>(w));
        for (int i = 0; i < w * h; ++i) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " pixel " + std::to_string(i));
            EXPECT_EQ(out[4 * i], 10);
            EXPECT_EQ(out[4 * i + 1], 120);
            EXPECT_EQ(out[4 * i + 2], 250);
            EXPECT_EQ(out[4 * i + 3], 200);
        }
    }
}

TEST(ScaleArea, TransparentBlackLeavesNoDarkFringe) {
    // Opaque red beside fully transparent black: halving gives red at half
    // alpha, not a dark red that straight averaging would give.
    Bgra in = {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0};
    const TQvDIB out = ScaleArea(picture32(2, 2, in), 1, 1);
    EXPECT_EQ(out.GetBitCount(), 32);
    EXPECT_EQ(at(out, 0, 0)[2], 255);
    EXPECT_EQ(at(out, 0, 0)[0], 0);
    EXPECT_EQ(at(out, 0, 0)[3], 128);
}

TEST(ScaleArea, AveragesCoveredAreaIncludingPartialPixels) {
    // 3 -> 2 pixels: the middle source pixel is shared half and half.
    Bgra in = {0, 0, 0, 255, 90, 90, 90, 255, 180, 180, 180, 255};
    Bgra out(8);
    ScaleAreaBgra(in.data(), 3, 1, 12, out.data(), 2, 1, 8);
    EXPECT_EQ(out[0], 30);   // (0 * 1 + 90 * 0.5) / 1.5
    EXPECT_EQ(out[4], 150);  // (90 * 0.5 + 180 * 1) / 1.5
}

TEST(ScaleArea, NearestKeepsAlphaAndPicksOneSourcePixel) {
    Bgra in = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const TQvDIB out = ScaleNearest(picture32(4, 1, in), 2, 1);
    EXPECT_EQ(at(out, 0, 0)[3], 8);
    EXPECT_EQ(at(out, 1, 0)[3], 16);
    EXPECT_THROW(ScaleNearest(TQvDIB(), 2, 2), EQvDIBInvalidDIBPara);  // 8 bits
}

TEST(ConvertDIBFormatAlpha, TrueColourKeepsAlphaAndHalftoneAveragesPremultiplied) {
    Bgra in = {0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0};
    TQvDIB dib = picture32(2, 2, in);
    ConvertDIBFormat(dib, 0, 1, 1, false, 1);
    ASSERT_EQ(dib.GetBitCount(), 32);
    EXPECT_EQ(at(dib, 0, 0)[2], 255);
    EXPECT_EQ(at(dib, 0, 0)[3], 128);
    TQvDIB named = picture32(2, 2, in);
    ConvertDIBFormat(named, 24, 2, 2, false, 0);
    EXPECT_EQ(named.GetBitCount(), 24);
}

TEST(AlphaMask, HalfCoverageSplitsOpaqueFromTransparent) {
    // Alphas 0, 127, 128, 255 in one row; a 24-bit black mask and a 1-bit one.
    Bgra in = {9, 9, 9, 0, 9, 9, 9, 127, 9, 9, 9, 128, 9, 9, 9, 255};
    const TQvDIB image = picture32(4, 1, in);
    TQvDIB mask24;
    mask24.CreateDIB(4, -1, 0, 24);
    FoldAlphaIntoMask(image, mask24);
    const std::uint8_t* m = mask24.ScanLine(0);
    EXPECT_EQ(m[0], 255);
    EXPECT_EQ(m[3], 255);
    EXPECT_EQ(m[6], 0);
    EXPECT_EQ(m[9], 0);
    TQvDIB mask1;
    mask1.CreateDIB(4, 1, 2, 1);
    const RgbQuad bw[2] = {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
    mask1.SetColorTable(bw, 2);
    FoldAlphaIntoMask(image, mask1);
    EXPECT_EQ(mask1.ScanLine(0)[0], 0xC0);

    const TQvDIB flat = FlattenAlpha(image);
    ASSERT_EQ(flat.GetBitCount(), 24);
    EXPECT_EQ(flat.ScanLine(0)[3], 0);  // alpha 127: black
    EXPECT_EQ(flat.ScanLine(0)[6], 9);  // alpha 128: its colour
}

TEST(AlphaMask, ConvertViewsMakesTheMaskFromAlpha) {
    Bgra in = {9, 9, 9, 0, 9, 9, 9, 100, 9, 9, 9, 200, 9, 9, 9, 255};
    TQvDIB imageView = picture32(4, 1, in);
    TQvDIB maskView;
    maskView.CreateDIB(4, 1, 0, 24);  // all opaque
    ConvertViews(maskView, imageView, 2, 3, false, 0);  // 32 x 32, true colour
    ASSERT_EQ(maskView.Width(), 32);
    EXPECT_EQ(imageView.GetBitCount(), 24);
    const TQvDIB mask = maskView;
    // Columns 0..15 come from alphas 0 and 100 (transparent), 16..31 opaque.
    EXPECT_EQ(mask.ScanLine(5)[3 * 3], 255);
    EXPECT_EQ(mask.ScanLine(5)[3 * 12], 255);
    EXPECT_EQ(mask.ScanLine(5)[3 * 20], 0);
    EXPECT_EQ(imageView.ScanLine(5)[3 * 12], 0);
}
