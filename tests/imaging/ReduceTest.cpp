// The colour reductions: brightness threshold, adaptive palettes (histogram,
// means, split), the fixed 16-colour palette, and what each conversion does
// with each input depth.
#include <gtest/gtest.h>

#include <set>

#include "DibTestBuilders.h"
#include "imaging/ColourReduction.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

using test::IndexOf;
using test::MakeTrueColour;

// A true-colour picture of the given colours in one row.
TQvDIB Row(const std::vector<RgbQuad>& colours) {
    return MakeTrueColour(static_cast<int>(colours.size()), 1,
                          [&](int x, int) { return colours[static_cast<std::size_t>(x)]; });
}

std::vector<RgbQuad> Table(const TQvDIB& dib) {
    return std::vector<RgbQuad>(dib.ColorTable(), dib.ColorTable() + dib.ColorCount());
}

AdaptivePalette PaletteOf(const std::vector<RgbQuad>& colours, int depth) {
    const TQvDIB dib = Row(colours);
    return BuildAdaptivePalette(dib.Pixels(), dib.Width(), 1, static_cast<std::size_t>(dib.Stride()), depth);
}

TEST(Reduce, MonoThresholdIsAbove128) {
    TQvDIB dib = Row({MakeRgbQuad(128, 129, 130), MakeRgbQuad(128, 128, 130), MakeRgbQuad(255, 255, 255),
                      MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 130, 2)});
    dib.ConvertToMono();
    EXPECT_EQ(dib.GetBitCount(), 1);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(dib.Header().biSizeImage, 0u);
    EXPECT_EQ(Table(dib), (std::vector<RgbQuad>{MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 255, 255)}));
    EXPECT_EQ(dib.ScanLine(0)[0], 0xA8);  // 1 0 1 0 1: 387/3 = 129 white, 386/3 = 128 black

    // An 8-bit picture is judged by its table colours.
    TQvDIB pal;
    pal.CreateDIB(3, 1, 2, 8);
    pal.SetColor(1, MakeRgbQuad(200, 200, 200));
    pal.MutableScanLine(0)[1] = 1;
    pal.MutableScanLine(0)[2] = 7;  // beyond the two entries: black
    pal.ConvertToMono();
    EXPECT_EQ(pal.ScanLine(0)[0], 0x40);

    TQvDIB again = dib;
    again.ConvertToMono();  // already 1 bit
    EXPECT_TRUE(again.SharesStorageWith(dib));
}

TEST(Reduce, OneCellGivesOneEntryFromTheMeanOfItsLowBits) {
    TQvDIB dib = Row({MakeRgbQuad(200, 0, 0), MakeRgbQuad(207, 3, 7)});
    TQvDIB sixteen = dib;
    dib.ConvertTo256Colors();
    EXPECT_EQ(dib.GetBitCount(), 8);
    ASSERT_EQ(dib.ColorCount(), 1);
    EXPECT_EQ(dib.GetColor(0), MakeRgbQuad(203, 1, 3));
    EXPECT_EQ(dib.ScanLine(0)[0], 0);
    EXPECT_EQ(dib.ScanLine(0)[1], 0);

    sixteen.ConvertTo16Colors();
    EXPECT_EQ(sixteen.GetBitCount(), 4);
    EXPECT_EQ(Table(sixteen), (std::vector<RgbQuad>{MakeRgbQuad(203, 1, 3)}));
}

TEST(Reduce, FewColoursGiveThatManyEntriesInLeafOrder) {
    // Three colours far apart: three entries, each pixel mapped to its own.
    TQvDIB dib = Row({MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 0, 0), MakeRgbQuad(0, 0, 255),
                      MakeRgbQuad(255, 0, 0)});
    dib.ConvertTo16Colors();
    ASSERT_EQ(dib.ColorCount(), 3);
    std::set<int> seen;
    for (int x = 0; x < 4; ++x) seen.insert(IndexOf(dib, x, 0));
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(IndexOf(dib, 1, 0), IndexOf(dib, 3, 0));
    EXPECT_EQ(dib.GetColor(IndexOf(dib, 0, 0)), MakeRgbQuad(0, 0, 0));
    EXPECT_EQ(dib.GetColor(IndexOf(dib, 1, 0)), MakeRgbQuad(255, 0, 0));
    EXPECT_EQ(dib.GetColor(IndexOf(dib, 2, 0)), MakeRgbQuad(0, 0, 255));
    // Even columns in the high nibble.
    EXPECT_EQ(dib.ScanLine(0)[0], (IndexOf(dib, 0, 0) << 4) | IndexOf(dib, 1, 0));
}

TEST(Reduce, SeventeenCellsShareSixteenEntries) {
    std::vector<RgbQuad> colours;
    for (int i = 0; i < 17; ++i) colours.push_back(MakeRgbQuad(static_cast<std::uint8_t>(i * 15), 0, 0));
    TQvDIB dib = Row(colours);
    dib.ConvertTo16Colors();
    EXPECT_LE(dib.ColorCount(), 16);
    std::set<int> used;
    for (int x = 0; x < 17; ++x) used.insert(IndexOf(dib, x, 0));
    EXPECT_LT(used.size(), 17u);
    // The entries are the means of their leaves, so every pixel maps close by.
    for (int x = 0; x < 17; ++x) EXPECT_LE(std::abs(dib.GetColor(IndexOf(dib, x, 0)).rgbRed - x * 15), 8);
}

TEST(Reduce, SplitChoosesTheAxisByWeightedVariance) {
    // Equal red and green variance: green wins (4 x green >= 3 x red).
    AdaptivePalette p = PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(64, 0, 0), MakeRgbQuad(0, 64, 0),
                                   MakeRgbQuad(64, 64, 0)},
                                  1);
    EXPECT_EQ(p.colours, (std::vector<RgbQuad>{MakeRgbQuad(32, 0, 0), MakeRgbQuad(32, 64, 0)}));
    EXPECT_EQ(p.IndexOf(64, 0, 0), 0);
    EXPECT_EQ(p.IndexOf(0, 64, 0), 1);

    // Blue variance 1.72 times green's: blue wins, since green needs
    // 3 x green >= 2 x blue.
    p = PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 64, 0), MakeRgbQuad(0, 0, 84), MakeRgbQuad(0, 64, 84)}, 1);
    EXPECT_EQ(p.colours, (std::vector<RgbQuad>{MakeRgbQuad(0, 32, 0), MakeRgbQuad(0, 32, 84)}));

    // Red needs 3 x red >= 4 x green: 1.27 times the green variance (red 0
    // and 72) is not enough, 1.41 times (red 0 and 76) is.
    p = PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 64, 0), MakeRgbQuad(72, 0, 0), MakeRgbQuad(72, 64, 0)}, 1);
    EXPECT_EQ(p.colours, (std::vector<RgbQuad>{MakeRgbQuad(36, 0, 0), MakeRgbQuad(36, 64, 0)}));
    p = PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 64, 0), MakeRgbQuad(76, 0, 0), MakeRgbQuad(76, 64, 0)}, 1);
    EXPECT_EQ(p.colours, (std::vector<RgbQuad>{MakeRgbQuad(0, 32, 0), MakeRgbQuad(76, 32, 0)}));
    p = PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 64, 0), MakeRgbQuad(76, 0, 0), MakeRgbQuad(76, 64, 0)}, 2);
    EXPECT_EQ(p.colours.size(), 4u);

    // Cells are weighted by their pixel counts: the mean of three blacks and
    // one 200 is 50, so the cut puts 0 left and 200 right.
    p = PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 0, 0), MakeRgbQuad(200, 0, 0)}, 1);
    EXPECT_EQ(p.colours, (std::vector<RgbQuad>{MakeRgbQuad(0, 0, 0), MakeRgbQuad(200, 0, 0)}));
}

TEST(Reduce, LeafMeansRoundHalvesToEven) {
    // One leaf over everything: red means 4.5 and 5.5 (weights 1 : 1).
    EXPECT_EQ(PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(9, 0, 0)}, 0).colours,
              (std::vector<RgbQuad>{MakeRgbQuad(4, 0, 0)}));
    EXPECT_EQ(PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(11, 0, 0)}, 0).colours,
              (std::vector<RgbQuad>{MakeRgbQuad(6, 0, 0)}));
    // 2/3 rounds up.
    EXPECT_EQ(PaletteOf({MakeRgbQuad(0, 0, 0), MakeRgbQuad(0, 4, 0), MakeRgbQuad(0, 4, 0)}, 0).colours,
              (std::vector<RgbQuad>{MakeRgbQuad(0, 3, 0)}));
}

TEST(Reduce, FixedColoursSnapAdaptiveEntries) {
    EXPECT_EQ(NearestFixedIndex(200, 0, 0), 1);    // 9 against 55 for index 9
    EXPECT_EQ(NearestFixedIndex(160, 160, 160), 7);  // 96 against 96 for index 8: lower index wins
    EXPECT_EQ(NearestFixedIndex(160, 159, 160), 8);
    const auto& fixed = FixedPalette16();
    EXPECT_EQ(fixed[1], MakeRgbQuad(191, 0, 0));
    EXPECT_EQ(fixed[7], MakeRgbQuad(192, 192, 192));
    EXPECT_EQ(fixed[8], MakeRgbQuad(128, 128, 128));
    EXPECT_EQ(fixed[15], MakeRgbQuad(255, 255, 255));

    TQvDIB dib = Row({MakeRgbQuad(200, 0, 0), MakeRgbQuad(0, 0, 250), MakeRgbQuad(10, 10, 10)});
    dib.ConvertTo16FixedColors();
    EXPECT_EQ(dib.GetBitCount(), 4);
    EXPECT_EQ(Table(dib), std::vector<RgbQuad>(fixed.begin(), fixed.end()));
    EXPECT_EQ(IndexOf(dib, 0, 0), 1);
    EXPECT_EQ(IndexOf(dib, 1, 0), 12);
    EXPECT_EQ(IndexOf(dib, 2, 0), 0);
}

TEST(Reduce, OneBitInputTakesTheFixedPaletteWhateverItsColours) {
    TQvDIB dib;
    dib.CreateDIB(3, 1, 2, 1);
    dib.SetColor(0, MakeRgbQuad(10, 200, 30));
    dib.SetColor(1, MakeRgbQuad(90, 0, 0));
    dib.MutableScanLine(0)[0] = 0xA0;  // 1 0 1
    TQvDIB fixed = dib;
    dib.ConvertTo16Colors();
    EXPECT_EQ(dib.ColorCount(), 16);
    EXPECT_EQ(dib.GetColor(15), MakeRgbQuad(255, 255, 255));
    EXPECT_EQ(IndexOf(dib, 0, 0), 15);
    EXPECT_EQ(IndexOf(dib, 1, 0), 0);
    EXPECT_EQ(IndexOf(dib, 2, 0), 15);
    fixed.ConvertTo16FixedColors();
    EXPECT_EQ(fixed.SaveToBytes(), dib.SaveToBytes());
}

TEST(Reduce, EightBitInputGoesThroughTrueColour) {
    TQvDIB dib;
    dib.CreateDIB(2, 1, 256, 8);
    dib.SetColor(3, MakeRgbQuad(40, 80, 120));
    dib.SetColor(9, MakeRgbQuad(255, 255, 0));
    dib.MutableScanLine(0)[0] = 3;
    dib.MutableScanLine(0)[1] = 9;
    TQvDIB fixed = dib;
    dib.ConvertTo16Colors();
    EXPECT_EQ(dib.ColorCount(), 2);
    EXPECT_EQ(dib.GetColor(IndexOf(dib, 0, 0)), MakeRgbQuad(40, 80, 120));
    fixed.ConvertTo16FixedColors();
    EXPECT_EQ(IndexOf(fixed, 1, 0), 11);

    // A 4-bit picture is already there.
    TQvDIB four;
    four.CreateDIB(2, 2, 16, 4);
    TQvDIB before = four;
    four.ConvertTo16Colors();
    EXPECT_TRUE(four.SharesStorageWith(before));
}

TEST(Reduce, TwoFiftySixColoursReplaceACarriedTable) {
    // Expanded from 8 bits, the picture carries its old table on.
    TQvDIB dib;
    dib.CreateDIB(4, 1, 256, 8);
    for (int i = 0; i < 256; ++i) dib.SetColor(i, MakeRgbQuad(static_cast<std::uint8_t>(i), 0, 0));
    for (int x = 0; x < 4; ++x) dib.MutableScanLine(0)[x] = static_cast<std::uint8_t>(x * 80);
    dib.ConvertToTrueColor();
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(test::PixelOf24(dib, 3, 0), MakeRgbQuad(240, 0, 0));
    dib.ConvertTo256Colors();
    ASSERT_EQ(dib.ColorCount(), 4);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dib.GetColor(IndexOf(dib, x, 0)), MakeRgbQuad(static_cast<std::uint8_t>(x * 80), 0, 0));
}

TEST(Reduce, OtherDepthsAndTheirMessages) {
    // 4-bit pictures reach the threshold only through 8 bits.
    TQvDIB four;
    four.CreateDIB(2, 1, 16, 4);
    four.SetColor(1, MakeRgbQuad(255, 255, 255));
    four.MutableScanLine(0)[0] = 0x10;
    four.ConvertToMono();
    EXPECT_EQ(four.ScanLine(0)[0], 0x80);

    // Storage made by SetBitCount at 15, 16 or 32 bits is read as pixels
    // of that depth and reduced like any true-colour picture.
    for (int bits : {15, 16, 32}) {
        SCOPED_TRACE(bits);
        TQvDIB dib;
        dib.CreateDIB(3, 2, 0, bits);
        TQvDIB a = dib, b = dib, c = dib;
        a.ConvertTo256Colors();
        EXPECT_EQ(a.ColorCount(), 1);
        b.ConvertToTrueColor();
        EXPECT_EQ(b.GetBitCount(), 24);
        EXPECT_EQ(b.DataSize(), 2 * 12);
        c.ConvertTo16FixedColors();
        EXPECT_EQ(IndexOf(c, 2, 1), 0);
    }
}

TEST(Reduce, LargePictureUsesAtMostTheDepthsEntries) {
    TQvDIB dib = MakeTrueColour(64, 64, [](int x, int y) {
        return MakeRgbQuad(static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4),
                           static_cast<std::uint8_t>((x ^ y) * 4));
    });
    TQvDIB sixteen = dib;
    dib.ConvertTo256Colors();
    EXPECT_EQ(dib.ColorCount(), 256);
    sixteen.ConvertTo16Colors();
    EXPECT_EQ(sixteen.ColorCount(), 16);
    // Every entry is used by some pixel (leaves are never empty).
    std::set<int> used;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) used.insert(IndexOf(sixteen, x, y));
    EXPECT_EQ(used.size(), 16u);
}

}  // namespace
}  // namespace vornik
