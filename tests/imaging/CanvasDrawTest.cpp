#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "CanvasTestHelpers.h"

namespace vornik::test {
namespace {

using Rows = std::vector<std::string>;

TEST(CanvasFill, ClipsAtEveryEdge) {
    TQvDIB dib = MakeDib(4, 3, 1, {kRasterBlack, kRasterWhite});
    TQvDIBCanvas canvas(dib);
    canvas.FillRect(-5, -5, 1, 1, kRasterWhite);  // top-left corner only
    canvas.FillRect(3, 2, 99, 99, kRasterWhite);  // bottom-right corner only
    canvas.FillRect(2, 0, 1, 3, kRasterWhite);    // right < left: nothing
    canvas.FillRect(1, 1, 3, 1, kRasterWhite);    // empty height: nothing
    EXPECT_EQ(Picture(dib, kBw), (Rows{"#...", "....", "...#"}));
    canvas.FillRect(INT_MIN, 1, INT_MAX, 2, kRasterWhite);
    EXPECT_EQ(Picture(dib, kBw), (Rows{"#...", "####", "...#"}));
}

TEST(CanvasFill, PaletteFillUsesNearestEntry) {
    TQvDIB dib = MakeDib(2, 1, 4, {kRasterBlack, kRed, RgbColor(0, 0, 200)});
    TQvDIBCanvas canvas(dib);
    canvas.FillRect(0, 0, 2, 1, RgbColor(10, 10, 250));
    EXPECT_EQ(RawPixels(dib)[0], (std::vector<unsigned>{2, 2}));
}

TEST(CanvasLine, CoversBothEndsInEveryDirection) {
    TQvDIB dib = MakeDib(5, 5, 24);
    TQvDIBCanvas canvas(dib);
    canvas.Line(0, 0, 4, 4, kRasterWhite);
    canvas.Line(4, 0, 4, 2, kRasterWhite);
    canvas.Line(2, 4, 0, 4, kRasterWhite);
    EXPECT_EQ(Picture(dib, kBw), (Rows{"#...#", ".#..#", "..#.#", "...#.", "###.#"}));
}

TEST(CanvasLine, ShallowSlopeRoundsHalvesAwayFromTheStart) {
    TQvDIB dib = MakeDib(5, 2, 24);
    TQvDIBCanvas canvas(dib);
    canvas.Line(0, 0, 4, 1, kRasterWhite);  // y = round(i / 4): 0 0 1 1 1
    EXPECT_EQ(Picture(dib, kBw), (Rows{"##...", "..###"}));
    TQvDIB single = MakeDib(3, 3, 24);
    TQvDIBCanvas c2(single);
    c2.Line(1, 1, 1, 1, kRasterWhite);
    EXPECT_EQ(Picture(single, kBw), (Rows{"...", ".#.", "..."}));
}

TEST(CanvasLine, ClipsAndWalksOnlyTheVisiblePart) {
    TQvDIB dib = MakeDib(4, 4, 8, {kRasterBlack, kRasterWhite});
    TQvDIBCanvas canvas(dib);
    const auto start = std::chrono::steady_clock::now();
    canvas.Line(-10, -10, 10, 10, kRasterWhite);
    canvas.Line(INT_MIN, 3, INT_MAX, 3, kRasterWhite);
    canvas.Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kRasterWhite);  // passes through the middle
    canvas.Line(-5, 0, -1, 3, kRasterWhite);                        // wholly outside
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Picture(dib, kBw), (Rows{"#...", ".#..", "..#.", "####"}));
}

TEST(CanvasFlood, FillsOnlyTheFourConnectedAreaOfTheExactColour) {
    TQvDIB dib = MakeDib(6, 5, 24);
    Paint(dib, {"..#...", ".#.#..", ".#.#..", "..#.#.", "....#."}, kBwPaint);
    TQvDIBCanvas canvas(dib);
    EXPECT_TRUE(canvas.FloodFill(2, 1, kRasterBlack, kRed));
    // Diagonal gaps do not leak; the outside stays black.
    EXPECT_EQ(Picture(dib, {{kRasterBlack, '.'}, {kRasterWhite, '#'}, {kRed, 'r'}}),
              (Rows{"..#...", ".#r#..", ".#r#..", "..#.#.", "....#."}));
    EXPECT_FALSE(canvas.FloodFill(0, 0, kRasterWhite, kRed));  // start is not white
    EXPECT_FALSE(canvas.FloodFill(6, 0, kRasterBlack, kRed));  // outside
    EXPECT_TRUE(canvas.FloodFill(5, 4, kRasterBlack, kBlue));
    EXPECT_TRUE(canvas.FloodFill(0, 0, kRasterBlack, kGreen));
    EXPECT_EQ(
        Picture(dib, {{kRasterBlack, '.'}, {kRasterWhite, '#'}, {kRed, 'r'}, {kBlue, 'b'}, {kGreen, 'g'}}),
        (Rows{"gg#bbb", "g#r#bb", "g#r#bb", "gg#g#b", "gggg#b"}));
    EXPECT_EQ(canvas.GetPixel(2, 2), kRed);
}

TEST(CanvasFlood, FillThatWouldReadAsTheSurfaceStopsAtOnce) {
    TQvDIB dib = MakeDib(3, 1, 1, {kRasterBlack, kRasterWhite});
    TQvDIBCanvas canvas(dib);
    // Dark grey is stored as black again: nothing to do, and no endless loop.
    EXPECT_TRUE(canvas.FloodFill(0, 0, kRasterBlack, RgbColor(20, 20, 20)));
    EXPECT_EQ(Picture(dib, kBw), (Rows{"..."}));
    EXPECT_TRUE(canvas.FloodFill(1, 0, kRasterBlack, RgbColor(200, 200, 200)));
    EXPECT_EQ(Picture(dib, kBw), (Rows{"###"}));
}

TEST(CanvasFlood, SerpentineOn4096SquareNeedsNoDeepStack) {
    // Walls on every other column, open alternately at the top and bottom:
    // one path that snakes through the whole picture.
    const int n = 4096;
    TQvDIB dib = MakeDib(n, n, 8, {kRasterBlack, kRasterWhite, kRed});
    {
        TQvDIBCanvas canvas(dib);
        for (int x = 1; x < n; x += 2) {
            const bool openAtTop = (x / 2) % 2 == 1;
            canvas.FillRect(x, openAtTop ? 1 : 0, x + 1, openAtTop ? n : n - 1, kRasterWhite);
        }
        EXPECT_TRUE(canvas.FloodFill(0, 0, kRasterBlack, kRed));
        EXPECT_EQ(canvas.GetPixel(n - 2, n - 1), kRed);
        EXPECT_EQ(canvas.GetPixel(n - 2, 0), kRed);
        EXPECT_EQ(canvas.GetPixel(1, n - 1), kRed);  // the gap under the first wall
        EXPECT_EQ(canvas.GetPixel(1, 0), kRasterWhite);
    }
    // No black pixel is left anywhere.
    for (int y = 0; y < n; ++y) {
        const std::uint8_t* row = dib.ScanLine(y);
        for (int x = 0; x < n; ++x)
            if (row[x] == 0) FAIL() << "unfilled pixel at " << x << "," << y;
    }
}

}  // namespace
}  // namespace vornik::test
