#include <gtest/gtest.h>

#include "app/IconCheck.h"
#include "imaging/TQvDIBCanvas.h"

using namespace vornik;

TEST(IconCheck, TransparentPixelsShowTheBackgroundMixedWithTheImage) {
    TQvDIB image, mask;
    image.CreateDIB(32, 32, 0, 24);  // black
    mask.CreateDIB(32, 32, 0, 24);   // black: opaque
    {
        TQvDIBCanvas ci(image), cm(mask);
        cm.FillRect(0, 0, 16, 32, kRasterWhite);        // left half transparent
        ci.FillRect(0, 0, 8, 32, RgbColor(255, 0, 0));  // red under part of it
        ci.FillRect(16, 0, 32, 32, RgbColor(0, 0, 255));
    }
    TQvDIB out = RenderIconCheck(&image, &mask, kRasterWhite, 0);
    ASSERT_EQ(out.Width(), 161);
    TQvDIBCanvas c(out);
    EXPECT_EQ(c.GetPixel(2, 2), RgbColor(0, 255, 255));    // white XOR red
    EXPECT_EQ(c.GetPixel(60, 60), kRasterWhite);           // transparent over black: the background
    EXPECT_EQ(c.GetPixel(100, 100), RgbColor(0, 0, 255));  // opaque: the image alone
    EXPECT_EQ(c.GetPixel(160, 160), kRasterWhite);         // the last row and column keep the fill
    EXPECT_EQ(IconCheckColors()[14], RgbColor(0, 255, 255));
    // Without a pair: the plain fill.
    TQvDIB plain = RenderIconCheck(nullptr, nullptr, RgbColor(1, 2, 3), 0);
    EXPECT_EQ(TQvDIBCanvas(plain).GetPixel(80, 80), RgbColor(1, 2, 3));
}

TEST(IconCheck, AThirtyTwoBitPictureIsBlendedByItsAlpha) {
    TQvDIB image, mask;
    image.CreateDIB(32, 32, 0, 32);
    mask.CreateDIB(32, 32, 0, 24);  // all opaque: the alpha decides
    for (int y = 0; y < 32; ++y) {
        std::uint8_t* row = image.MutableScanLine(y);
        for (int x = 0; x < 32; ++x) row[4 * x + 3] = x < 16 ? 0 : 128;  // black: a half shadow on the right
    }
    TQvDIB out = RenderIconCheck(&image, &mask, kRasterWhite, 0);
    TQvDIBCanvas c(out);
    EXPECT_EQ(c.GetPixel(20, 80), kRasterWhite);               // alpha 0: the background
    EXPECT_EQ(c.GetPixel(140, 80), RgbColor(127, 127, 127));   // half over white, not black
    EXPECT_EQ(c.GetPixel(160, 160), kRasterWhite);
}
