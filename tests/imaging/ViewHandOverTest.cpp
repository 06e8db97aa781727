#include <gtest/gtest.h>

#include "CanvasTestHelpers.h"
#include "DibTestBuilders.h"
#include "imaging/PictureView.h"

namespace vornik {
namespace {

TEST(ViewHandOverTest, DIBToViewTakesSizeFormatAndPalette) {
    TQvDIB dib = test::MakeDib(5, 3, 4, {kRasterBlack, test::kRed, kRasterWhite});
    TQvDIB view = test::MakeDib(1, 1, 24);
    DIBToView(dib, view);
    EXPECT_EQ(view.Width(), 5);
    EXPECT_EQ(view.Height(), 3);
    EXPECT_EQ(view.GetBitCount(), 4);
    ASSERT_EQ(view.ColorCount(), 3);
    EXPECT_EQ(view.GetColor(1).rgbRed, 255);
    EXPECT_FALSE(view.SharesStorageWith(dib));
}

TEST(ViewHandOverTest, RlePictureIsDecodedIntoTheView) {
    test::BmpSpec spec;
    spec.width = 3;
    spec.height = 1;
    spec.bitCount = 8;
    spec.compression = 1;
    spec.clrUsed = 2;
    spec.table = {RgbQuad{0, 0, 0, 0}, RgbQuad{0, 0, 255, 0}};
    spec.pixels = {3, 1, 0, 0, 0, 1};
    TQvDIB rle;
    rle.LoadFromBytes(test::MakeBmp(spec));
    ASSERT_TRUE(rle.IsCompressed());
    TQvDIB view;
    DIBToView(rle, view);
    EXPECT_FALSE(view.IsCompressed());
    EXPECT_EQ(test::Picture(view, {{test::kRed, 'r'}}), (std::vector<std::string>{"rrr"}));
}

TEST(ViewHandOverTest, ViewToDIBGivesHighAndFullColourAsTwentyFour) {
    for (int bits : {16, 32}) {
        TQvDIB view = test::MakeDib(2, 1, bits);
        test::Paint(view, {"rw"}, {{'r', test::kRed}, {'w', kRasterWhite}});
        const TQvDIB dib = ViewToDIB(view);
        EXPECT_EQ(dib.GetBitCount(), 24) << bits;
        // 5-5-5 channels read 248 at full intensity.
        EXPECT_EQ(test::PixelOf24(dib, 0, 0).rgbRed, bits == 16 ? 248 : 255) << bits;
        EXPECT_EQ(test::PixelOf24(dib, 0, 0).rgbGreen, 0) << bits;
        EXPECT_EQ(test::PixelOf24(dib, 1, 0).rgbGreen, bits == 16 ? 248 : 255) << bits;
    }
    TQvDIB palette = test::MakeDib(2, 2, 8, {kRasterBlack});
    EXPECT_TRUE(ViewToDIB(palette).SharesStorageWith(palette));
}

}  // namespace
}  // namespace vornik
