#include <gtest/gtest.h>

#include "CanvasTestHelpers.h"
#include "imaging/MaskOps.h"

namespace vornik {
namespace {

using test::MakeDib;
using test::Paint;
using test::Picture;

const RasterColor kGrey = RgbColor(128, 128, 128);
const std::map<char, RasterColor> kPaint{{'.', kRasterBlack}, {'#', kRasterWhite}, {'r', test::kRed},
                                         {'g', test::kGreen}, {'b', test::kBlue},  {'-', kGrey}};
std::map<RasterColor, char> Legend() {
    std::map<RasterColor, char> m;
    for (auto [k, v] : kPaint) m[v] = k;
    return m;
}

TQvDIB Painted(const std::vector<std::string>& rows) {
    TQvDIB dib = MakeDib(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 24);
    Paint(dib, rows, kPaint);
    return dib;
}
std::vector<std::string> Rows(TQvDIB dib) { return Picture(dib, Legend()); }

TEST(MaskTest, AutoMaskReplacesAndCompletesWithTheSetting) {
    TQvDIB image = Painted({"rg", "br"});
    TQvDIB mask = Painted({"##", "##"});
    AutoMask(image, mask, test::kRed, false);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"#.", ".#"}));
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"rg", "br"}));
    AutoMask(image, mask, test::kRed, true);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{".g", "b."}));

    TQvDIB all = Painted({"gg", "gg"});
    AutoMask(all, mask, test::kGreen, true);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"##", "##"}));
    EXPECT_EQ(Rows(all), (std::vector<std::string>{"..", ".."}));
}

TEST(MaskTest, AutoMaskAddAccumulatesUntilAutoMaskReplaces) {
    TQvDIB image = Painted({"rgb"});
    TQvDIB mask = Painted({"..."});
    AutoMaskAdd(image, mask, test::kRed, false);
    AutoMaskAdd(image, mask, test::kBlue, false);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"#.#"}));
    AutoMask(image, mask, test::kBlue, false);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"..#"}));
    AutoMaskAdd(image, mask, test::kGreen, true);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"r.."}));
}

TEST(MaskTest, CompleteImageOnlyUnderExactWhite) {
    TQvDIB image = Painted({"rgb"});
    TQvDIB mask = Painted({"#-."});
    CompleteImage(image, mask);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{".gb"}));
}

TEST(MaskTest, InvertTwiceAndGreyGoesBlack) {
    TQvDIB image = Painted({"rrr"});
    TQvDIB mask = Painted({"#.-"});
    InvertMask(image, mask);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{".#."}));
    InvertMask(image, mask);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"#.#"}));
    FillMask(image, mask);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"###"}));
}

TEST(MaskTest, MaskBeyondTheImageViewStays) {
    TQvDIB image = Painted({"rr"});
    TQvDIB mask = Painted({"...", "..."});
    FillMask(image, mask);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"##.", "..."}));
    InvertMask(image, mask);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"...", "..."}));
    AutoMask(image, mask, test::kRed, true);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"##.", "..."}));
    EXPECT_EQ(Rows(image), (std::vector<std::string>{".."}));
}

TEST(MaskTest, PalettePictureAndPickedColour) {
    TQvDIB image = MakeDib(2, 1, 8, {kRasterBlack, test::kRed, test::kGreen});
    Paint(image, {"rg"}, kPaint);
    EXPECT_EQ(PickedColor(image, 1, 0), test::kGreen);
    EXPECT_EQ(PickedColor(image, 2, 0), 0xFFFFFFFFu);
    TQvDIB mask = Painted({".."});
    AutoMask(image, mask, PickedColor(image, 1, 0), true);
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{".#"}));
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"r."}));
    EXPECT_EQ(image.GetBitCount(), 8);
}

}  // namespace
}  // namespace vornik
