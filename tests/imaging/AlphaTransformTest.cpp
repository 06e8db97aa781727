#include <gtest/gtest.h>

#include "RgbaPictures.h"
#include "imaging/AlphaMask.h"
#include "imaging/MaskOps.h"
#include "imaging/TQvDIBCanvas.h"
#include "imaging/TransformDIB.h"
#include "imaging/TransformPoint.h"
#include "imaging/TransformView.h"

namespace vornik {
namespace {

using test::Bgra;
using test::RgbaAt;
using test::SoftAlphaPicture;

// Every pixel of `out` is the pixel of `in` that `from` names, exactly.
template <typename From>
void ExpectMoved(const TQvDIB& in, const TQvDIB& out, From from) {
    ASSERT_EQ(out.GetBitCount(), 32);
    ASSERT_EQ(out.Width(), in.Width());
    ASSERT_EQ(out.Height(), in.Height());
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            const auto [sx, sy] = from(x, y);
            ASSERT_EQ(RgbaAt(out, x, y), RgbaAt(in, sx, sy)) << "at " << x << "," << y;
        }
}

TEST(AlphaTransformTest, FlipsAndQuarterTurnsMoveColourAndAlphaExactly) {
    const TQvDIB start = SoftAlphaPicture(5, 5);
    TQvDIB v = start;
    MirrorView(v);
    ExpectMoved(start, v, [](int x, int y) { return std::pair{4 - x, y}; });
    v = start;
    FlipView(v);
    ExpectMoved(start, v, [](int x, int y) { return std::pair{x, 4 - y}; });
    v = start;
    RotateViewRight(v);  // source (x, y) went to (4 - y, x)
    ExpectMoved(start, v, [](int x, int y) { return std::pair{y, 4 - x}; });
    v = start;
    RotateViewLeft(v);  // source (x, y) went to (y, 4 - x)
    ExpectMoved(start, v, [](int x, int y) { return std::pair{4 - y, x}; });

    // A wide picture: flips still exact, alpha 1 and colour under alpha 0 kept.
    const TQvDIB wide = SoftAlphaPicture(7, 3);
    v = wide;
    MirrorView(v);
    ExpectMoved(wide, v, [](int x, int y) { return std::pair{6 - x, y}; });
}

TEST(AlphaTransformTest, FreeRotationSamplesNearestAndUncoversTransparency) {
    const TQvDIB start = SoftAlphaPicture(9, 9);
    TQvDIB turned = start;
    RotateView(turned, 90, kRasterBlack);  // odd side: the centre is exact
    TQvDIB quarter = start;
    RotateViewRight(quarter);
    ExpectMoved(quarter, turned, [](int x, int y) { return std::pair{x, y}; });

    TQvDIB oblique = start;
    RotateView(oblique, 45, kRasterBlack);
    ASSERT_EQ(oblique.GetBitCount(), 32);
    EXPECT_EQ(RgbaAt(oblique, 0, 0), (Bgra{0, 0, 0, 0}));  // uncovered corner: transparent, not black
    EXPECT_EQ(RgbaAt(oblique, 8, 8), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(RgbaAt(oblique, 4, 4), RgbaAt(start, 4, 4));
    // Every covered pixel is one of the source's, colour and alpha together.
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const Bgra p = RgbaAt(oblique, x, y);
            if (p == Bgra{0, 0, 0, 0}) continue;
            bool found = false;
            for (int sy = 0; sy < 9 && !found; ++sy)
                for (int sx = 0; sx < 9 && !found; ++sx) found = RgbaAt(start, sx, sy) == p;
            EXPECT_TRUE(found) << "at " << x << "," << y;
        }
}

TEST(AlphaTransformTest, GeneratorTransformsKeepAlphaWithoutFringes) {
    // Left half opaque red, right half transparent with green beneath.
    const TQvDIB half = test::RgbaPicture(8, 8, [](int x, int) {
        return x < 4 ? Bgra{0, 0, 255, 255} : Bgra{0, 255, 0, 0};
    });
    for (int mode : {0, 1}) {
        TQvDIB z = half;
        ZoomDIB(z, kRasterBlack, mode, 4);
        ASSERT_EQ(z.GetBitCount(), 32);
        EXPECT_EQ(RgbaAt(z, 0, 0), (Bgra{0, 0, 0, 0})) << "outside the square";
        bool opaqueSeen = false;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const Bgra p = RgbaAt(z, x, y);
                if (p[3] == 0) continue;
                opaqueSeen = true;
                EXPECT_EQ(p[1], 0) << "green fringe at " << x << "," << y << " mode " << mode;
                EXPECT_EQ(p[2], 255) << "at " << x << "," << y;
            }
        EXPECT_TRUE(opaqueSeen);
        TQvDIB sq = half;
        SqueezeDIBHorizontal(sq, kRasterBlack, mode, 60);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (RgbaAt(sq, x, y)[3] != 0) {
                    EXPECT_EQ(RgbaAt(sq, x, y)[1], 0) << x << "," << y;
                }
    }
    const TQvDIB soft = SoftAlphaPicture(6, 6);
    TQvDIB same = soft;
    SqueezeDIBVertical(same, kRasterBlack, 0, 0);
    ExpectMoved(soft, same, [](int x, int y) { return std::pair{x, y}; });
    TQvDIB moved = soft;
    ShiftDIB(moved, kRasterBlack, 0, 2);
    EXPECT_EQ(RgbaAt(moved, 0, 3), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(RgbaAt(moved, 3, 3), RgbaAt(soft, 1, 3));
    TQvDIB rotated = soft;
    RotateDIB(rotated, kRasterBlack, 180);
    EXPECT_EQ(RgbaAt(rotated, 5, 5), RgbaAt(soft, 1, 1));  // about (3, 3)
}

TEST(AlphaTransformTest, OldThirtyTwoBitPicturesWithoutAlphaStayAsTheyWere) {
    // Alpha 0 everywhere: such icons go by their mask; colour must not be lost.
    const TQvDIB old = test::RgbaPicture(4, 4, [](int x, int y) {
        return Bgra{static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 50), 200, 0};
    });
    TQvDIB z = old;
    ZoomDIB(z, kRasterBlack, 1, 4);
    ASSERT_EQ(z.GetBitCount(), 32);
    EXPECT_EQ(RgbaAt(z, 1, 2), RgbaAt(old, 1, 2));
}

TEST(AlphaTransformTest, HotSpotFollowsEveryTransform) {
    const PixelPoint p{3, 5};
    EXPECT_EQ(MirrorPoint(p, 48, 48), (PixelPoint{44, 5}));
    EXPECT_EQ(FlipPoint(p, 48, 48), (PixelPoint{3, 42}));
    EXPECT_EQ(QuarterRightPoint(p, 48, 48), (PixelPoint{42, 3}));
    EXPECT_EQ(QuarterLeftPoint(p, 48, 48), (PixelPoint{5, 44}));
    EXPECT_EQ(QuarterRightPoint(p, 48, 32), (PixelPoint{26, 3}));
    EXPECT_EQ(QuarterLeftPoint(QuarterRightPoint(p, 48, 48), 48, 48), p);
    EXPECT_EQ(RotatePoint(p, 49, 49, 90), QuarterRightPoint(p, 49, 49));
    EXPECT_EQ(RotatePoint(p, 49, 49, -90), QuarterLeftPoint(p, 49, 49));
    EXPECT_EQ(RotatePoint({24, 24}, 48, 48, 33), (PixelPoint{24, 24}));  // the centre stays
    EXPECT_EQ(RotatePoint({0, 0}, 32, 32, 45), (PixelPoint{16, 0}));     // out of the frame: clamped
    EXPECT_EQ(ShiftPoint({30, 5}, 32, 32, 0, 10), (PixelPoint{31, 5}));
    EXPECT_EQ(ShiftPoint({30, 5}, 32, 32, 2, 3), (PixelPoint{30, 2}));
    EXPECT_EQ(SqueezeVerticalPoint({3, 5}, 32, 32, 0), (PixelPoint{3, 5}));
    EXPECT_EQ(SqueezeVerticalPoint({3, 5}, 32, 32, 180), (PixelPoint{3, 26}));
    EXPECT_EQ(SqueezeHorizontalPoint({3, 5}, 32, 32, 180), (PixelPoint{28, 5}));
    EXPECT_EQ(ZoomPoint({0, 0}, 32, 32, 16), (PixelPoint{8, 8}));
    EXPECT_EQ(ZoomPoint({31, 31}, 32, 32, 32), (PixelPoint{31, 31}));
    EXPECT_EQ(ZoomPoint({5, 9}, 32, 32, 1), (PixelPoint{16, 16}));
}

TEST(AlphaTransformTest, MaskEditsReachAlphaOnlyWhereTheMaskChanged) {
    TQvDIB image = SoftAlphaPicture(5, 2);  // alphas 255 1 128 0 77 / 255 1 128 0 77
    TQvDIB mask = MaskFromAlpha(image);
    ASSERT_EQ(mask.GetBitCount(), 24);
    TQvDIB kept = image;
    StoreAlphaFromMask(kept, mask);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(RgbaAt(kept, x, 0), RgbaAt(image, x, 0));
    {
        TQvDIBCanvas canvas(mask);
        EXPECT_EQ(canvas.GetPixel(0, 0), kRasterBlack);
        EXPECT_EQ(canvas.GetPixel(1, 0), kRasterWhite);  // alpha 1
        EXPECT_EQ(canvas.GetPixel(2, 0), kRasterBlack);  // alpha 128
        canvas.SetPixel(0, 0, kRasterWhite);             // the user clears an opaque pixel
        canvas.SetPixel(3, 1, kRasterBlack);             // and makes a transparent one opaque
    }
    StoreAlphaFromMask(image, mask);
    EXPECT_EQ(RgbaAt(image, 0, 0)[3], 0);
    EXPECT_EQ(RgbaAt(image, 3, 1)[3], 255);
    EXPECT_EQ(RgbaAt(image, 1, 0)[3], 1);  // soft pixels the mask agrees with stay soft
    EXPECT_EQ(RgbaAt(image, 4, 1)[3], 77);
}

TEST(AlphaTransformTest, CompleteImageKeepsTheColourOfFaintPixels) {
    const TQvDIB start = SoftAlphaPicture(5, 1);  // alphas 255 1 128 0 77
    TQvDIB image = start;
    TQvDIB mask = MaskFromAlpha(image);  // white at 1, 3 and 4
    CompleteImage(image, mask);
    ASSERT_EQ(image.GetBitCount(), 32);
    EXPECT_EQ(RgbaAt(image, 1, 0), RgbaAt(start, 1, 0));
    EXPECT_EQ(RgbaAt(image, 4, 0), RgbaAt(start, 4, 0));
    EXPECT_EQ(RgbaAt(image, 3, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(RgbaAt(image, 0, 0), RgbaAt(start, 0, 0));
}

}  // namespace
}  // namespace vornik
