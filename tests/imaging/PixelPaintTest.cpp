// Drawing tools' raster operations, pixel for pixel on 32-bit and 8-bit pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/PaintColour.h"
#include "imaging/PixelArea.h"
#include "imaging/PixelCoverage.h"

namespace vornik {
namespace {

// A bottom-up 32-bit picture (the usual row order: picture row 0 is the last in memory).
TQvDIB picture32(int w, int h, Rgba fill) {
    TQvDIB d;
    d.CreateDIB(w, h, 0, 32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) WritePaintValue(d, x, y, PaintValueOf(d, fill));
    return d;
}

// An 8-bit picture with four colours: black, red, green, blue; all pixels index `fill`.
TQvDIB picture8(int w, int h, int fill) {
    TQvDIB d;
    d.CreateDIB(w, h, 256, 8);
    const RgbQuad table[4] = {MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 0, 0), MakeRgbQuad(0, 255, 0),
                              MakeRgbQuad(0, 0, 255)};
    d.SetColorTable(table, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) WritePaintValue(d, x, y, PaintValue(fill));
    return d;
}

std::vector<std::string> art(const PixelCoverage& c) {
    std::vector<std::string> rows;
    for (int y = 0; y < c.height(); ++y) {
        std::string row;
        for (int x = 0; x < c.width(); ++x) row += c.has(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

using Art = std::vector<std::string>;

TEST(PixelPaint, ColoursAreStoredExactlyIn32BitAndSnappedToTheTableIn8Bit) {
    TQvDIB p = picture32(3, 2, Rgba{0, 0, 0, 0});
    const Rgba c{0, 0, 255, 128};
    WritePaintValue(p, 2, 0, PaintValueOf(p, c));
    EXPECT_EQ(ReadColour(p, 2, 0), c);
    // Row 0 is the top row: in a bottom-up picture it is the last one in memory.
    const std::uint8_t* bytes = p.ScanLine(1) + 8;
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 128);
    EXPECT_EQ(ReadColour(p, 2, 1), (Rgba{0, 0, 0, 0}));

    TQvDIB q = picture8(2, 2, 0);
    EXPECT_EQ(SnapColour(q, Rgba{200, 30, 10, 77}), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(PaintValueOf(q, Rgba{0, 0, 255, 255}), 3u);
    WritePaintValue(q, 1, 1, PaintValueOf(q, Rgba{10, 240, 10, 255}));
    EXPECT_EQ(ReadPaintValue(q, 1, 1), 2u);
    EXPECT_EQ(q.GetBitCount(), 8);
    EXPECT_EQ(q.ColorCount(), 4);

    TQvDIB t;
    t.CreateDIB(2, 1, 0, 24);
    EXPECT_EQ(SnapColour(t, c), (Rgba{0, 0, 255, 255}));
}

TEST(PixelPaint, BrushDotsAreSquareOrRoundAndCentredOnThePointer) {
    PixelCoverage one(5, 5), two(5, 5), round3(5, 5), round5(7, 7), square3(5, 5);
    AddDot(one, 2, 2, Brush{1, false});
    AddDot(two, 2, 2, Brush{2, true});
    AddDot(round3, 2, 2, Brush{3, true});
    AddDot(round5, 3, 3, Brush{5, true});
    AddDot(square3, 0, 0, Brush{3, false});
    EXPECT_EQ(art(one), (Art{".....", ".....", "..#..", ".....", "....."}));
    EXPECT_EQ(art(two), (Art{".....", ".....", "..##.", "..##.", "....."}));
    EXPECT_EQ(art(round3), (Art{".....", "..#..", ".###.", "..#..", "....."}));
    EXPECT_EQ(art(round5), (Art{".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}));
    // Clipped at the picture's corner.
    EXPECT_EQ(art(square3), (Art{"##...", "##...", ".....", ".....", "....."}));
    EXPECT_EQ(square3.bounds(), (PixelRect{0, 0, 2, 2}));
}

TEST(PixelPaint, LinesCoverBothEndsWithoutGapsInEveryDirection) {
    PixelCoverage c(6, 3);
    AddStroke(c, 0, 0, 5, 2, Brush{});
    EXPECT_EQ(art(c), (Art{"##....", "..##..", "....##"}));
    const int ends[][4] = {{7, 1, 0, 9}, {0, 0, 0, 0}, {3, 9, 3, 0}, {9, 9, 0, 0}, {1, 8, 9, 5}};
    for (const auto& e : ends) {
        PixelCoverage l(10, 10);
        AddStroke(l, e[0], e[1], e[2], e[3], Brush{});
        EXPECT_TRUE(l.has(e[0], e[1]) && l.has(e[2], e[3]));
        int count = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) count += l.has(x, y);
        // One pixel per step along the major axis: no gaps, no doubled pixels.
        EXPECT_EQ(count, std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1])) + 1);
    }
    // A wide brush along the line, partly outside the picture; an even size reaches down.
    PixelCoverage w(6, 4);
    AddStroke(w, -1, 0, 4, 0, Brush{2, false});
    EXPECT_EQ(art(w), (Art{"######", "######", "......", "......"}));
}

TEST(PixelPaint, RectanglesAndEllipsesFillOrOutlineTheirBox) {
    PixelCoverage r(6, 5), f(6, 5), clipped(4, 4);
    AddRectangle(r, 4, 3, 1, 0, false);
    AddRectangle(f, 1, 1, 2, 3, true);
    AddRectangle(clipped, -5, 1, 100, 100, false);
    EXPECT_EQ(art(r), (Art{".####.", ".#..#.", ".#..#.", ".####.", "......"}));
    EXPECT_EQ(art(f), (Art{"......", ".##...", ".##...", ".##...", "......"}));
    EXPECT_EQ(art(clipped), (Art{"....", "####", "....", "...."}));

    PixelCoverage e(9, 7), ef(9, 7), dot(3, 3);
    AddEllipse(e, 0, 0, 8, 6, false);
    AddEllipse(ef, 8, 6, 0, 0, true);
    AddEllipse(dot, 1, 1, 1, 1, false);
    EXPECT_EQ(art(e), (Art{"..#####..", ".#.....#.", "#.......#", "#.......#", "#.......#", ".#.....#.",
                           "..#####.."}));
    EXPECT_EQ(art(ef), (Art{"..#####..", ".#######.", "#########", "#########", "#########", ".#######.",
                            "..#####.."}));
    EXPECT_EQ(art(dot), (Art{"...", ".#.", "..."}));
}

TEST(PixelPaint, FillTakesTheFourConnectedAreaWithinTolerance) {
    // A diagonal wall of blue: 4-connected fill stops at it, an 8-connected one would leak.
    TQvDIB p = picture8(4, 4, 0);
    for (int i = 0; i < 4; ++i) WritePaintValue(p, i, 3 - i, 3);
    PixelCoverage c(4, 4);
    AddConnectedArea(c, p, 0, 0, 0);
    EXPECT_EQ(art(c), (Art{"###.", "##..", "#...", "...."}));
    const PixelRect changed = PaintCoverage(p, c, 1);
    EXPECT_EQ(changed, (PixelRect{0, 0, 3, 3}));
    EXPECT_EQ(ReadPaintValue(p, 0, 0), 1u);
    EXPECT_EQ(ReadPaintValue(p, 3, 0), 3u);
    EXPECT_EQ(ReadPaintValue(p, 3, 3), 0u);  // the other side is untouched
    EXPECT_EQ(p.GetBitCount(), 8);

    // Tolerance, alpha included; fully transparent pixels count as one colour.
    TQvDIB q = picture32(4, 1, Rgba{100, 100, 100, 255});
    WritePaintValue(q, 1, 0, PaintValueOf(q, Rgba{110, 95, 100, 250}));
    WritePaintValue(q, 2, 0, PaintValueOf(q, Rgba{130, 100, 100, 255}));
    PixelCoverage exact(4, 1), near(4, 1), wide(4, 1);
    AddConnectedArea(exact, q, 0, 0, 0);
    AddConnectedArea(near, q, 0, 0, 10);
    AddConnectedArea(wide, q, 0, 0, 30);
    EXPECT_EQ(art(exact), (Art{"#..."}));
    EXPECT_EQ(art(near), (Art{"##.."}));
    EXPECT_EQ(art(wide), (Art{"####"}));
    TQvDIB t = picture32(3, 1, Rgba{0, 0, 0, 0});
    WritePaintValue(t, 1, 0, PaintValueOf(t, Rgba{255, 0, 0, 0}));
    PixelCoverage clear(3, 1), outside(3, 1);
    AddConnectedArea(clear, t, 0, 0, 0);
    AddConnectedArea(outside, t, 5, 0, 0);
    EXPECT_EQ(art(clear), (Art{"###"}));
    EXPECT_TRUE(outside.bounds().empty());
}

TEST(PixelPaint, PaintingReplacesPixelsWithoutBlending) {
    TQvDIB p = picture32(3, 3, Rgba{10, 20, 30, 255});
    PixelCoverage c(3, 3);
    AddStroke(c, 0, 0, 2, 2, Brush{});
    PaintCoverage(p, c, PaintValueOf(p, Rgba{0, 0, 255, 128}));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(ReadColour(p, x, y), (x == y ? Rgba{0, 0, 255, 128} : Rgba{10, 20, 30, 255})) << x << "," << y;
    // The eraser writes transparent: alpha 0.
    PixelCoverage e(3, 3);
    AddDot(e, 1, 0, Brush{});
    PaintCoverage(p, e, 0);
    EXPECT_EQ(ReadColour(p, 1, 0).a, 0);
    // A coverage of another size paints nothing.
    PixelCoverage other(2, 2);
    AddDot(other, 0, 0, Brush{});
    EXPECT_TRUE(PaintCoverage(p, other, 0).empty());
    EXPECT_EQ(ReadColour(p, 0, 0), (Rgba{0, 0, 255, 128}));
}

TEST(PixelPaint, SelectionsCopyAndPasteWithAlphaAndSnapBetweenDepths) {
    TQvDIB p = picture32(4, 4, Rgba{0, 0, 0, 0});
    WritePaintValue(p, 1, 1, PaintValueOf(p, Rgba{1, 2, 3, 4}));
    WritePaintValue(p, 2, 1, PaintValueOf(p, Rgba{250, 0, 0, 255}));
    const TQvDIB part = CopyArea(p, PixelRect{1, 1, 2, 1});
    ASSERT_EQ(part.Width(), 2);
    ASSERT_EQ(part.Height(), 1);
    EXPECT_EQ(ReadColour(part, 0, 0), (Rgba{1, 2, 3, 4}));

    // Pasted over the picture's edge: clipped, every pixel replaced.
    const PixelRect at = PasteArea(p, part, 3, 3);
    EXPECT_EQ(at, (PixelRect{3, 3, 1, 1}));
    EXPECT_EQ(ReadColour(p, 3, 3), (Rgba{1, 2, 3, 4}));
    EXPECT_TRUE(PasteArea(p, part, 9, 9).empty());

    // Into an 8-bit picture: colours go to the nearest entry; the depth stays.
    TQvDIB q = picture8(3, 1, 2);
    PasteArea(q, part, 0, 0);
    EXPECT_EQ(ReadPaintValue(q, 0, 0), 0u);
    EXPECT_EQ(ReadPaintValue(q, 1, 0), 1u);
    EXPECT_EQ(ReadPaintValue(q, 2, 0), 2u);
    EXPECT_EQ(q.GetBitCount(), 8);
    // 8-bit to 8-bit with the same table: indices as they are.
    const TQvDIB qp = CopyArea(q, PixelRect{1, 0, 5, 5});
    EXPECT_EQ(qp.Width(), 2);
    TQvDIB r = picture8(2, 1, 3);
    PasteArea(r, qp, 0, 0);
    EXPECT_EQ(ReadPaintValue(r, 0, 0), 1u);
    EXPECT_EQ(ReadPaintValue(r, 1, 0), 2u);
}

}  // namespace
}  // namespace vornik
