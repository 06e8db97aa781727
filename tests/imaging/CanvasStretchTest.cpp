#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "CanvasTestHelpers.h"

namespace vornik::test {
namespace {

using Rows = std::vector<std::string>;

// Letters a..h as distinct colours, z as the untouched background.
const std::map<char, RasterColor> kLetters = {
    {'a', RgbColor(10, 0, 0)}, {'b', RgbColor(20, 0, 0)}, {'c', RgbColor(30, 0, 0)},
    {'d', RgbColor(40, 0, 0)}, {'e', RgbColor(50, 0, 0)}, {'f', RgbColor(60, 0, 0)},
    {'g', RgbColor(70, 0, 0)}, {'h', RgbColor(80, 0, 0)}, {'i', RgbColor(90, 0, 0)},
    {'z', RgbColor(0, 0, 99)}, {'.', kRasterBlack},       {'#', kRasterWhite}};

std::map<RasterColor, char> legend() {
    std::map<RasterColor, char> m;
    for (auto [ch, c] : kLetters) m[c] = ch;
    return m;
}

TQvDIB picture(const Rows& rows, int bitCount = 24) {
    std::vector<RasterColor> table;
    if (bitCount <= 8)
        for (auto [ch, c] : kLetters) table.push_back(c);
    TQvDIB dib = MakeDib(int(rows[0].size()), int(rows.size()), bitCount, table);
    Paint(dib, rows, kLetters);
    return dib;
}

// Stretches src's rectangle onto a fresh destination filled with 'z'.
Rows stretch(const Rows& src, int dstW, int dstH, int dx, int dy, int dw, int dh, int sx, int sy, int sw,
             int sh, StretchMode mode = StretchMode::ColorOnColor) {
    TQvDIB s = picture(src);
    TQvDIB d = picture(Rows(dstH, std::string(dstW, 'z')));
    {
        TQvDIBCanvas canvas(d);
        canvas.SetStretchBltMode(mode);
        canvas.StretchBlt(dx, dy, dw, dh, s, sx, sy, sw, sh);
    }
    return Picture(d, legend());
}

TEST(CanvasStretch, ColorOnColorTakesThePixelUnderEachCentre) {
    EXPECT_EQ(stretch({"abcd"}, 2, 1, 0, 0, 2, 1, 0, 0, 4, 1), (Rows{"bd"}));
    EXPECT_EQ(stretch({"abc"}, 2, 1, 0, 0, 2, 1, 0, 0, 3, 1), (Rows{"ac"}));
    EXPECT_EQ(stretch({"ab"}, 4, 1, 0, 0, 4, 1, 0, 0, 2, 1), (Rows{"aabb"}));
    EXPECT_EQ(stretch({"abc"}, 5, 1, 0, 0, 5, 1, 0, 0, 3, 1), (Rows{"aabcc"}));
    EXPECT_EQ(stretch({"ab", "cd"}, 1, 4, 0, 0, 1, 4, 0, 0, 2, 2), (Rows{"b", "b", "d", "d"}));
}

TEST(CanvasStretch, NegativeExtentsMirrorAndFlip) {
    // Source column W - 1 with width -W: every column in reverse.
    EXPECT_EQ(stretch({"abcd"}, 4, 1, 0, 0, 4, 1, 3, 0, -4, 1), (Rows{"dcba"}));
    EXPECT_EQ(stretch({"ab", "cd", "ef"}, 2, 3, 0, 0, 2, 3, 0, 2, 2, -3), (Rows{"ef", "cd", "ab"}));
    // The same through the destination, and both at once cancel out.
    EXPECT_EQ(stretch({"abcd"}, 4, 1, 3, 0, -4, 1, 0, 0, 4, 1), (Rows{"dcba"}));
    EXPECT_EQ(stretch({"abcd"}, 4, 1, 3, 0, -4, 1, 3, 0, -4, 1), (Rows{"abcd"}));
    // Mirrored and halved: steps 1 and 3 of the reversed walk.
    EXPECT_EQ(stretch({"abcd"}, 2, 1, 0, 0, 2, 1, 3, 0, -4, 1), (Rows{"ca"}));
    TQvDIB src = MakeDib(4, 1, 24), halved = MakeDib(2, 1, 24);
    Paint(src, {"abcd"}, kLetters);
    TQvDIBCanvas c(halved);
    c.SetStretchBltMode(StretchMode::Halftone);
    c.StretchBlt(0, 0, 2, 1, src, 3, 0, -4, 1);
    EXPECT_EQ(c.GetPixel(0, 0), RgbColor(35, 0, 0));  // d and c
    EXPECT_EQ(c.GetPixel(1, 0), RgbColor(15, 0, 0));  // b and a
}

TEST(CanvasStretch, ClipsAtEveryEdge) {
    EXPECT_EQ(stretch({"abcd"}, 4, 1, -1, 0, 4, 1, 0, 0, 4, 1), (Rows{"bcdz"}));
    EXPECT_EQ(stretch({"abcd"}, 4, 1, 2, 0, 4, 1, 0, 0, 4, 1), (Rows{"zzab"}));
    EXPECT_EQ(stretch({"ab", "cd"}, 2, 2, 0, -1, 2, 2, 0, 0, 2, 2), (Rows{"cd", "zz"}));
    EXPECT_EQ(stretch({"ab", "cd"}, 2, 2, 0, 1, 2, 2, 0, 0, 2, 2), (Rows{"zz", "ab"}));
    // Source rectangles reaching past the source leave those pixels alone.
    EXPECT_EQ(stretch({"abcd"}, 4, 1, 0, 0, 4, 1, 2, 0, 4, 1), (Rows{"cdzz"}));
    EXPECT_EQ(stretch({"abcd"}, 4, 1, 0, 0, 4, 1, -2, 0, 4, 1), (Rows{"zzab"}));
    EXPECT_EQ(stretch({"ab", "cd"}, 2, 2, 0, 0, 2, 2, 0, 1, 2, 2, StretchMode::Halftone), (Rows{"cd", "zz"}));
    EXPECT_EQ(stretch({"ab", "cd"}, 2, 2, 0, 0, 2, 2, 0, -1, 2, 2, StretchMode::Halftone),
              (Rows{"zz", "ab"}));
}

TEST(CanvasStretch, ExtremeRectanglesFinishQuickly) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(stretch({"abcd"}, 3, 1, 0, 0, INT_MAX, 1, 0, 0, 4, 1), (Rows{"aaa"}));
    // Columns INT_MAX + INT_MIN + 1 = 0 .. INT_MAX, walked from the right.
    EXPECT_EQ(stretch({"abcd"}, 3, 1, INT_MAX, 0, INT_MIN, 1, 0, 0, 4, 1), (Rows{"ddd"}));
    stretch({"abcd"}, 3, 1, 0, 0, 3, 1, 0, 0, INT_MAX, INT_MIN, StretchMode::Halftone);
    stretch({"abcd"}, 3, 1, 0, 0, INT_MIN, INT_MIN, 3, 0, INT_MIN, INT_MAX, StretchMode::Halftone);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(CanvasStretch, HalftoneAveragesTheCoveredArea) {
    const Rows checker{"#.#.", ".#.#", "#.#.", ".#.#"};
    TQvDIB src = picture(checker);
    TQvDIB grey = MakeDib(2, 2, 24);
    TQvDIB nearest = MakeDib(2, 2, 24);
    {
        TQvDIBCanvas g(grey), n(nearest);
        g.SetStretchBltMode(StretchMode::Halftone);
        g.StretchDraw(0, 0, 2, 2, src);
        n.StretchDraw(0, 0, 2, 2, src);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                EXPECT_EQ(g.GetPixel(x, y), RgbColor(128, 128, 128));  // 127.5 rounded
                const RasterColor c = n.GetPixel(x, y);
                EXPECT_TRUE(c == kRasterBlack || c == kRasterWhite);
            }
    }
    // Fractional cover: 2/3 of one pixel and 1/3 of the next.
    TQvDIB third = MakeDib(3, 1, 24), out = MakeDib(2, 1, 24);
    Paint(third, {".#."}, kBwPaint);
    TQvDIB up = MakeDib(2, 1, 24), upOut = MakeDib(3, 1, 24);
    Paint(up, {".#"}, kBwPaint);
    TQvDIBCanvas c(out), cu(upOut);
    c.SetStretchBltMode(StretchMode::Halftone);
    cu.SetStretchBltMode(StretchMode::Halftone);
    c.StretchDraw(0, 0, 2, 1, third);
    cu.StretchDraw(0, 0, 3, 1, up);
    EXPECT_EQ(c.GetPixel(0, 0), RgbColor(85, 85, 85));
    EXPECT_EQ(c.GetPixel(1, 0), RgbColor(85, 85, 85));
    // Enlarging repeats pixels and blends only across the seam.
    EXPECT_EQ(cu.GetPixel(0, 0), kRasterBlack);
    EXPECT_EQ(cu.GetPixel(1, 0), RgbColor(128, 128, 128));
    EXPECT_EQ(cu.GetPixel(2, 0), kRasterWhite);
}

TEST(CanvasStretch, HalftoneIntoPaletteTakesNearestEntryOfTheAverage) {
    TQvDIB src = picture({"#.", ".#"});
    TQvDIB bw = MakeDib(1, 1, 1, {kRasterBlack, kRasterWhite});
    TQvDIB withGrey = MakeDib(1, 1, 8, {kRasterBlack, kRasterWhite, RgbColor(120, 120, 120)});
    for (TQvDIB* d : {&bw, &withGrey}) {
        TQvDIBCanvas c(*d);
        c.SetStretchBltMode(StretchMode::Halftone);
        c.StretchDraw(0, 0, 1, 1, src);
    }
    EXPECT_EQ(RawPixels(bw)[0][0], 1u);  // 128 is nearer white than black
    EXPECT_EQ(RawPixels(withGrey)[0][0], 2u);
}

TEST(CanvasStretch, PaletteToPaletteKeepsIndicesWhereTablesAgree) {
    const std::vector<RasterColor> table{kRasterBlack, kRed, kRed, kBlue};
    TQvDIB src = MakeDib(4, 1, 8, table);
    {
        TQvDIBCanvas c(src);
        const RasterSurface s = c.Surface();
        for (int x = 0; x < 4; ++x) WriteRawPixel(s, x, 0, unsigned(x));
    }
    TQvDIB same = MakeDib(4, 1, 4, table);
    TQvDIB other = MakeDib(4, 1, 8, {kBlue, kRed, kRasterBlack});
    TQvDIB grown = MakeDib(8, 2, 8, table);
    {
        TQvDIBCanvas c1(same), c2(other), c3(grown);
        c1.StretchDraw(0, 0, 4, 1, src);
        c2.StretchDraw(0, 0, 4, 1, src);
        c3.SetStretchBltMode(StretchMode::Halftone);  // uniform areas: same colours
        c3.StretchDraw(0, 0, 8, 2, src);
    }
    EXPECT_EQ(RawPixels(same)[0], (std::vector<unsigned>{0, 1, 2, 3}));  // the duplicate keeps its entry
    EXPECT_EQ(RawPixels(other)[0], (std::vector<unsigned>{2, 1, 1, 0}));
    EXPECT_EQ(RawPixels(grown)[1], (std::vector<unsigned>{0, 0, 1, 1, 1, 1, 3, 3}));
}

TEST(CanvasStretch, PaletteSourceIntoTrueColourAndOntoItself) {
    EXPECT_EQ(Picture(*std::make_unique<TQvDIB>(picture({"abc"}, 4)), legend()), (Rows{"abc"}));
    TQvDIB dib = picture({"abcd", "efgh"}, 8);
    TQvDIB target = MakeDib(4, 2, 24);
    {
        TQvDIBCanvas c(target);
        c.StretchDraw(0, 0, 4, 2, dib);
        TQvDIBCanvas self(dib);
        self.StretchBlt(0, 0, 4, 2, dib, 3, 1, -4, -2);  // 180 degrees in place
    }
    EXPECT_EQ(Picture(target, legend()), (Rows{"abcd", "efgh"}));
    EXPECT_EQ(Picture(dib, legend()), (Rows{"hgfe", "dcba"}));
}

}  // namespace
}  // namespace vornik::test
