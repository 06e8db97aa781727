// Generated frames of a 32-bit picture keep its alpha, and the hot spot
// moves with every frame.
#include <gtest/gtest.h>

#include "RgbaPictures.h"
#include "anim/GenerateFrames.h"
#include "imaging/AlphaMask.h"
#include "imaging/TQvDIBCanvas.h"
#include "imaging/TransformView.h"
#include "model/EntryConversion.h"

namespace vornik {
namespace {

using test::Bgra;
using test::RgbaAt;

TQvDIB FrameImage(const TAniEX& set, int frame) {
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, frame);
    return image;
}

TEST(GenerateAlphaTest, QuarterTurnFramesAreTheTurnedPictureWithItsAlpha) {
    const TQvDIB soft = test::SoftAlphaPicture(9, 9);
    const TQvDIB mask = MaskFromAlpha(soft);
    TAniEX set;
    ASSERT_EQ(GenerateRotation(set, soft, mask, 90, 0, 0, {}, PixelPoint{1, 0}), 4);
    TQvDIB expected = soft;
    for (int k = 0; k < 4; ++k) {
        const TQvDIB frame = FrameImage(set, k);
        ASSERT_EQ(frame.GetBitCount(), 32) << "frame " << k;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(RgbaAt(frame, x, y), RgbaAt(expected, x, y))
                    << "frame " << k << " at " << x << "," << y;
        RotateViewRight(expected);
    }
    // (1, 0) turned clockwise: (8, 1), then (7, 8), then (0, 7).
    const PixelPoint spots[4] = {{1, 0}, {8, 1}, {7, 8}, {0, 7}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(set.Entries[k].HotSpotX, spots[k].x) << k;
        EXPECT_EQ(set.Entries[k].HotSpotY, spots[k].y) << k;
    }
}

TEST(GenerateAlphaTest, UncoveredAreaIsTransparentAndTheEntryMaskFollowsAlpha) {
    const TQvDIB soft = test::RgbaPicture(8, 8, [](int, int) { return Bgra{10, 20, 30, 200}; });
    TAniEX set;
    ASSERT_EQ(GenerateMove(set, soft, MaskFromAlpha(soft), 4, 0, {}, PixelPoint{6, 3}), 3);
    const TQvDIB moved = FrameImage(set, 1);  // moved right by 4
    EXPECT_EQ(RgbaAt(moved, 1, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(RgbaAt(moved, 5, 1), (Bgra{10, 20, 30, 200}));
    EXPECT_EQ(set.Entries[1].HotSpotX, 7);  // 6 + 4, kept inside
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, 1);
    TQvDIBCanvas canvas(mask);
    EXPECT_EQ(canvas.GetPixel(1, 1), kRasterWhite);
    EXPECT_EQ(canvas.GetPixel(5, 1), kRasterBlack);

    // Without a hot spot frames keep 0, 0 as before.
    TAniEX plain;
    GenerateZoom(plain, soft, MaskFromAlpha(soft), 2, 0, 1);
    ASSERT_GT(plain.Count, 0);
    EXPECT_EQ(plain.Entries[0].HotSpotX, 0);
    EXPECT_EQ(FrameImage(plain, 1).GetBitCount(), 32);
}

TEST(GenerateAlphaTest, AMaskEditedInTheViewsWinsOverAlpha) {
    const TQvDIB soft = test::RgbaPicture(4, 4, [](int, int) { return Bgra{10, 20, 30, 90}; });
    TQvDIB mask = MaskFromAlpha(soft);  // all white: alpha 90 is below half
    {
        TQvDIBCanvas canvas(mask);
        canvas.SetPixel(2, 2, kRasterBlack);
    }
    TAniEX set;
    ASSERT_EQ(GenerateRotation(set, soft, mask, 360, 0, 0), 1);
    const TQvDIB frame = FrameImage(set, 0);
    EXPECT_EQ(RgbaAt(frame, 2, 2)[3], 255);
    EXPECT_EQ(RgbaAt(frame, 1, 1)[3], 90);
}

}  // namespace
}  // namespace vornik
