#include <gtest/gtest.h>

#include <set>

#include "CanvasTestHelpers.h"
#include "imaging/ConvertDIBFormat.h"

namespace vornik {
namespace {

using test::MakeDib;

TQvDIB Checkerboard(int size) {
    TQvDIB dib = MakeDib(size, size, 24);
    TQvDIBCanvas canvas(dib);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) canvas.SetPixel(x, y, (x + y) % 2 ? kRasterWhite : kRasterBlack);
    return dib;
}

std::set<RasterColor> ColoursOf(TQvDIB dib) {
    std::set<RasterColor> out;
    TQvDIBCanvas canvas(dib);
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) out.insert(canvas.GetPixel(x, y));
    return out;
}

TEST(ConvertListsTest, SizeAndColourMappings) {
    EXPECT_EQ(SizeIndexToPixels(0), 32);
    EXPECT_EQ(SizeIndexToPixels(1), 16);
    EXPECT_EQ(SizeIndexToPixels(3), 48);
    EXPECT_EQ(SizeIndexToPixels(5), 128);
    EXPECT_EQ(SizeIndexToPixels(6), 256);
    EXPECT_EQ(SizeIndexToPixels(7), 20);
    EXPECT_EQ(SizeIndexToPixels(10), 96);
    EXPECT_EQ(SizeIndexToPixels(11), 32);
    EXPECT_EQ(SizeIndexToPixels(-1), 32);
    EXPECT_EQ(ColorIndexToTarget(0), 1);
    EXPECT_EQ(ColorIndexToTarget(2), 8);
    EXPECT_EQ(ColorIndexToTarget(3), 0);
    EXPECT_EQ(ColorIndexToTarget(4), 32);
    EXPECT_EQ(ColorIndexToTarget(9), 4);
    EXPECT_EQ(BitCountToColorIndex(1), 0);
    EXPECT_EQ(BitCountToColorIndex(4), 1);
    EXPECT_EQ(BitCountToColorIndex(8), 2);
    for (int bits : {0, 15, 16, 24, 32}) EXPECT_EQ(BitCountToColorIndex(bits), 3) << bits;
    EXPECT_EQ(BitCountToColorIndex(7), 1);
    EXPECT_EQ(PixelFormatBitCount(PixelFormat::Device), 24);
    EXPECT_EQ(PixelFormatBitCount(PixelFormat::Custom), 24);
    EXPECT_EQ(PixelFormatBitCount(PixelFormat::Bits15), 15);
    EXPECT_EQ(StretchModeOfSetting(0), StretchMode::ColorOnColor);
    EXPECT_EQ(StretchModeOfSetting(2), StretchMode::Halftone);
    EXPECT_EQ(StretchModeOfSetting(7), StretchMode::ColorOnColor);
}

TEST(ConvertDIBFormatTest, AnySizeIgnoresAspectAndSameFormatIsUntouched) {
    TQvDIB wide = MakeDib(100, 50, 24);
    ConvertDIBFormat(wide, ColorIndexToTarget(3), SizeIndexToPixels(0), SizeIndexToPixels(0), false, 0);
    EXPECT_EQ(wide.Width(), 32);
    EXPECT_EQ(wide.Height(), 32);

    TQvDIB same = Checkerboard(32);
    const TQvDIB before = same;
    ConvertDIBFormat(same, 0, 32, 32, false, 1);
    EXPECT_TRUE(same.SharesStorageWith(before));
}

TEST(ConvertDIBFormatTest, SixteenColoursAdaptiveOrFixed) {
    TQvDIB source = MakeDib(48, 48, 24);
    {
        TQvDIBCanvas canvas(source);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) canvas.SetPixel(x, y, RgbColor(std::uint8_t(x * 5), std::uint8_t(y * 5), 40));
    }
    source.ConvertTo256Colors();
    TQvDIB adaptive = source;
    ConvertDIBFormat(adaptive, 4, 16, 16, false, 0);
    EXPECT_EQ(adaptive.GetBitCount(), 4);
    EXPECT_LE(adaptive.ColorCount(), 16);
    EXPECT_EQ(adaptive.Width(), 16);

    TQvDIB fixed = source;
    ConvertDIBFormat(fixed, 4, 16, 16, true, 0);
    ASSERT_EQ(fixed.ColorCount(), 16);
    bool has191 = false;
    for (int i = 0; i < 16; ++i) has191 = has191 || fixed.GetColor(i).rgbRed == 191;
    EXPECT_TRUE(has191);
    // Reduced before scaling: every pixel is one of the table's colours.
    for (RasterColor c : ColoursOf(fixed)) {
        bool found = false;
        for (int i = 0; i < 16; ++i) {
            const RgbQuad q = fixed.GetColor(i);
            found = found || RgbColor(q.rgbRed, q.rgbGreen, q.rgbBlue) == c;
        }
        EXPECT_TRUE(found) << std::hex << c;
    }
}

TEST(ConvertDIBFormatTest, MonoToTrueColourCarriesItsTable) {
    TQvDIB mono = MakeDib(8, 8, 1, {kRasterBlack, kRasterWhite});
    ConvertDIBFormat(mono, 0, 8, 8, false, 0);
    EXPECT_EQ(mono.GetBitCount(), 24);
    EXPECT_EQ(mono.ColorCount(), 2);
}

TEST(ConvertDIBFormatTest, CheckerboardHalvedByStretchMode) {
    TQvDIB nearest = Checkerboard(8);
    ConvertDIBFormat(nearest, 0, 4, 4, false, 0);
    for (RasterColor c : ColoursOf(nearest)) EXPECT_TRUE(c == kRasterBlack || c == kRasterWhite) << std::hex << c;

    for (int mode : {1, 2}) {
        TQvDIB averaged = Checkerboard(8);
        ConvertDIBFormat(averaged, 0, 4, 4, false, mode);
        const std::set<RasterColor> colours = ColoursOf(averaged);
        ASSERT_EQ(colours.size(), 1u) << mode;
        const RasterColor grey = *colours.begin();
        EXPECT_EQ(RedOf(grey), GreenOf(grey));
        EXPECT_NEAR(RedOf(grey), 128, 1);
    }

    // A palette target keeps only its own colours after averaging.
    TQvDIB mono = Checkerboard(8);
    ConvertDIBFormat(mono, 1, 4, 4, false, 1);
    EXPECT_EQ(mono.GetBitCount(), 1);
    for (RasterColor c : ColoursOf(mono)) EXPECT_TRUE(c == kRasterBlack || c == kRasterWhite);
}

TEST(ConvertViewsTest, MaskStaysTrueColourImageTakesTheDepth) {
    TQvDIB image = Checkerboard(16);
    TQvDIB mask = MakeDib(16, 16, 24);
    ConvertViews(mask, image, 3, 0, false, 0);
    EXPECT_EQ(mask.GetBitCount(), 24);
    EXPECT_EQ(mask.Width(), 48);
    EXPECT_EQ(mask.Height(), 48);
    EXPECT_EQ(image.GetBitCount(), 1);
    EXPECT_EQ(image.Width(), 48);
    EXPECT_FALSE(image.IsCompressed());
}

TEST(CopyBitmapRectTest, RectangleWithFormatAndTable) {
    TQvDIB source = MakeDib(4, 4, 8, {kRasterBlack, test::kRed, test::kGreen});
    test::Paint(source, {"....", ".rg.", ".gr.", "...."},
                {{'.', kRasterBlack}, {'r', test::kRed}, {'g', test::kGreen}});
    TQvDIB target;
    CopyBitmapRect(source, target, 1, 1, 3, 2);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
    EXPECT_EQ(target.GetBitCount(), 8);
    EXPECT_EQ(target.ColorCount(), 3);
    const std::map<RasterColor, char> legend{{kRasterBlack, '.'}, {test::kRed, 'r'}, {test::kGreen, 'g'}};
    EXPECT_EQ(test::Picture(target, legend), (std::vector<std::string>{"rg.", "gr."}));
    // Beyond the source: nothing copied.
    CopyBitmapRect(source, target, 3, 3, 2, 2);
    EXPECT_EQ(test::Picture(target, legend), (std::vector<std::string>{"..", ".."}));
}

}  // namespace
}  // namespace vornik
