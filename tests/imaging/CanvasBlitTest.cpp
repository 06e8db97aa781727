#include <gtest/gtest.h>

#include "CanvasTestHelpers.h"
#include "imaging/QvDIBErrors.h"

namespace vornik::test {
namespace {

using Rows = std::vector<std::string>;

const std::map<char, RasterColor> kPaint = {{'a', kRed},
                                            {'b', kGreen},
                                            {'c', kBlue},
                                            {'d', RgbColor(1, 1, 1)},
                                            {'e', RgbColor(2, 2, 2)},
                                            {'f', RgbColor(3, 3, 3)},
                                            {'g', RgbColor(4, 4, 4)},
                                            {'h', RgbColor(5, 5, 5)},
                                            {'i', RgbColor(6, 6, 6)},
                                            {'z', RgbColor(9, 9, 9)},
                                            {'.', kRasterBlack},
                                            {'#', kRasterWhite},
                                            {'y', RgbColor(0, 255, 255)}};
std::map<RasterColor, char> legend() {
    std::map<RasterColor, char> m;
    for (auto [ch, c] : kPaint) m[c] = ch;
    return m;
}
TQvDIB picture(const Rows& rows) {
    TQvDIB dib = MakeDib(int(rows[0].size()), int(rows.size()), 24);
    Paint(dib, rows, kPaint);
    return dib;
}

Rows blit(int dx, int dy, int w, int h, int sx, int sy) {
    TQvDIB src = picture({"abc", "def", "ghi"});
    TQvDIB dst = picture({"zzz", "zzz", "zzz"});
    TQvDIBCanvas(dst).BitBlt(dx, dy, w, h, src, sx, sy, RasterOp::SrcCopy);
    return Picture(dst, legend());
}

TEST(CanvasBlit, CopyClipsAtEveryEdge) {
    EXPECT_EQ(blit(-1, -1, 3, 3, 0, 0), (Rows{"efz", "hiz", "zzz"}));
    EXPECT_EQ(blit(2, 2, 3, 3, 0, 0), (Rows{"zzz", "zzz", "zza"}));
    EXPECT_EQ(blit(0, 0, 3, 3, -1, 1), (Rows{"zde", "zgh", "zzz"}));
    EXPECT_EQ(blit(0, 0, 3, 3, 2, -2), (Rows{"zzz", "zzz", "czz"}));
    EXPECT_EQ(blit(0, 0, 0, 3, 0, 0), (Rows{"zzz", "zzz", "zzz"}));
    EXPECT_EQ(blit(1, 0, 1, 2, 1, 1), (Rows{"zez", "zhz", "zzz"}));
}

TEST(CanvasBlit, OverlappingCopyWithinOneDib) {
    TQvDIB dib = picture({"abc", "def", "ghi"});
    TQvDIBCanvas c(dib);
    c.BitBlt(1, 1, 3, 3, dib, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(Picture(dib, legend()), (Rows{"abc", "dab", "gde"}));
}

TEST(CanvasBlit, MaskAndThenImageComposeAnIconOnTheBackground) {
    // Mask bit 1 = transparent. Image black under transparency leaves the
    // background; a colour there inverts it; opaque pixels show the image.
    TQvDIB mask = MakeDib(3, 1, 1, {kRasterBlack, kRasterWhite});
    Paint(mask, {"##."}, kBwPaint);
    TQvDIB image = MakeDib(3, 1, 4, {kRasterBlack, kRed, kGreen});
    Paint(image, {".aa"}, kPaint);
    TQvDIB screen = picture({"###"});
    {
        TQvDIBCanvas c(screen);
        c.BitBlt(0, 0, 3, 1, mask, 0, 0, RasterOp::SrcAnd);
        c.BitBlt(0, 0, 3, 1, image, 0, 0, RasterOp::SrcInvert);
    }
    EXPECT_EQ(Picture(screen, legend()), (Rows{"#ya"}));
}

TEST(CanvasBlit, PaletteDestinationStoresNearestEntryOfTheCombination) {
    TQvDIB dst = MakeDib(2, 1, 8, {kRasterBlack, kRasterWhite, kRed, RgbColor(0, 250, 250)});
    TQvDIB red = picture({"aa"});
    TQvDIB mask = MakeDib(2, 1, 1, {kRasterBlack, kRasterWhite});
    Paint(mask, {"#."}, kBwPaint);
    {
        TQvDIBCanvas c(dst);
        c.FillRect(0, 0, 2, 1, kRasterWhite);
        c.BitBlt(0, 0, 1, 1, red, 0, 0, RasterOp::SrcInvert);  // white ^ red = cyan, nearest entry 3
        c.BitBlt(1, 0, 1, 1, mask, 1, 0, RasterOp::SrcAnd);    // white & black = black
    }
    EXPECT_EQ(RawPixels(dst)[0], (std::vector<unsigned>{3, 0}));
}

}  // namespace
}  // namespace vornik::test

namespace vornik::test {
namespace {

// 4 x 2 RLE8: bottom row four times index 1, top row 0 0 1 1; black, white.
TQvDIB rle8Picture() {
    Bytes bmp = {'B', 'M', 72, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0};
    const Bytes header = {40, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0,
                          10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
    const Bytes rest = {0, 0, 0, 0, 255, 255, 255, 0, 4, 1, 0, 0, 2, 0, 2, 1, 0, 1};
    bmp.insert(bmp.end(), header.begin(), header.end());
    bmp.insert(bmp.end(), rest.begin(), rest.end());
    TQvDIB dib;
    dib.LoadFromBytes(bmp);
    return dib;
}

TEST(CanvasBlit, CompressedSourceIsDecodedCompressedTargetRefused) {
    TQvDIB rle = rle8Picture();
    ASSERT_TRUE(rle.IsCompressed());
    TQvDIB target = MakeDib(4, 2, 24);
    TQvDIBCanvas(target).BitBlt(0, 0, 4, 2, rle, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(Picture(target, kBw), (Rows{"..##", "####"}));
    EXPECT_TRUE(rle.IsCompressed());  // the source itself stays as it was
    EXPECT_THROW(TQvDIBCanvas{rle}, EOutOfResources);
}

}  // namespace
}  // namespace vornik::test
