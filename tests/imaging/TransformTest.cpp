#include <gtest/gtest.h>

#include "CanvasTestHelpers.h"
#include "imaging/TransformDIB.h"
#include "imaging/TransformView.h"

namespace vornik {
namespace {

using test::MakeDib;
using test::Paint;
using test::Picture;

// Nine distinct colours named a..i, plus black '.' and white '#'.
std::map<char, RasterColor> Letters() {
    std::map<char, RasterColor> m{{'.', kRasterBlack}, {'#', kRasterWhite}};
    for (int i = 0; i < 9; ++i) m['a' + i] = RgbColor(std::uint8_t(20 * (i + 1)), std::uint8_t(7 * i), 99);
    return m;
}
std::map<RasterColor, char> Legend() {
    std::map<RasterColor, char> m;
    for (auto [k, v] : Letters()) m[v] = k;
    return m;
}

TQvDIB Painted(const std::vector<std::string>& rows, int bitCount = 24) {
    TQvDIB dib = MakeDib(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), bitCount);
    Paint(dib, rows, Letters());
    return dib;
}

std::vector<std::string> Rows(TQvDIB dib) { return Picture(dib, Legend()); }

TEST(ViewTransformTest, MirrorFlipAndQuarterTurnsOfASquare) {
    const std::vector<std::string> start{"abc", "def", "ghi"};
    TQvDIB v = Painted(start);
    MirrorView(v);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"cba", "fed", "ihg"}));
    v = Painted(start);
    FlipView(v);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"ghi", "def", "abc"}));
    v = Painted(start);
    RotateViewRight(v);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"gda", "heb", "ifc"}));
    v = Painted(start);
    RotateViewLeft(v);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"cfi", "beh", "adg"}));

    v = Painted(start);
    for (int i = 0; i < 4; ++i) RotateViewRight(v);
    EXPECT_EQ(Rows(v), start);
    RotateViewRight(v);
    RotateViewLeft(v);
    EXPECT_EQ(Rows(v), start);
}

TEST(ViewTransformTest, QuarterTurnOfAWidePictureDropsAndKeeps) {
    TQvDIB v = Painted({"abcd", "efgh"});
    RotateViewRight(v);
    EXPECT_EQ(v.Width(), 4);
    EXPECT_EQ(v.Height(), 2);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"eacd", "fbgh"}));
}

TEST(ViewTransformTest, PalettePictureKeepsItsTable) {
    const std::vector<RasterColor> table{kRasterBlack, kRasterWhite, Letters()['a'], Letters()['b']};
    TQvDIB v = MakeDib(2, 2, 4, table);
    Paint(v, {"a#", "b."}, Letters());
    MirrorView(v);
    EXPECT_EQ(v.GetBitCount(), 4);
    EXPECT_EQ(v.ColorCount(), 4);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"#a", ".b"}));
}

TEST(ViewTransformTest, ThirtyTwoBitViewsStayThirtyTwo) {
    TQvDIB v = Painted({"ab", "cd"}, 32);
    FlipView(v);
    EXPECT_EQ(v.GetBitCount(), 32);
    EXPECT_EQ(Rows(v), (std::vector<std::string>{"cd", "ab"}));
}

TEST(ViewTransformTest, SelectedViewsImageFirstAndRotate180) {
    TQvDIB image = Painted({"ab", "cd"});
    TQvDIB mask = Painted({"#.", ".."});
    RotateViews180(ViewTarget::Image, image, mask);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"dc", "ba"}));
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"#.", ".."}));
    RotateViews180(ViewTarget::Mask, image, mask);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"dc", "ba"}));
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"..", ".#"}));
    MirrorViews(ViewTarget::Both, image, mask);
    EXPECT_EQ(Rows(image), (std::vector<std::string>{"cd", "ab"}));
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"..", "#."}));

    std::vector<bool> order;
    ForSelectedViews(ViewTarget::Both, image, mask, [&](PictureView&, bool isMask) { order.push_back(isMask); });
    EXPECT_EQ(order, (std::vector<bool>{false, true}));
}

TEST(RotateTest, NinetyDegreesClockwiseAboutTheCentre) {
    // The pixel right of the centre takes the one above it; the one below
    // the centre takes the one right of it.
    TQvDIB v = Painted({"...", ".a.", "..."});
    TQvDIBCanvas(v).SetPixel(1, 0, Letters()['b']);
    TQvDIBCanvas(v).SetPixel(2, 1, Letters()['c']);
    RotateView(v, 90, kRasterBlack);
    const std::vector<std::string> r = Rows(v);
    EXPECT_EQ(r[1][1], 'a');
    EXPECT_EQ(r[1][2], 'b');
    EXPECT_EQ(r[2][1], 'c');
}

TEST(RotateTest, ZeroDegreesIsIdentityAnd45LeavesBackgroundCorners) {
    std::vector<std::string> rows(32, std::string(32, 'a'));
    TQvDIB v = Painted(rows);
    RotateView(v, 0, kRasterBlack);
    EXPECT_EQ(Rows(v), rows);

    RotateView(v, 45, kRasterBlack);
    std::vector<std::string> r = Rows(v);
    EXPECT_EQ(r[0][0], '.');
    EXPECT_EQ(r[0][31], '.');
    EXPECT_EQ(r[31][0], '.');
    EXPECT_EQ(r[31][31], '.');
    EXPECT_EQ(r[16][16], 'a');

    TQvDIB m = Painted(std::vector<std::string>(32, std::string(32, '.')));
    RotateView(m, -45, kRasterWhite);
    r = Rows(m);
    EXPECT_EQ(r[0][0], '#');
    EXPECT_EQ(r[31][31], '#');
    EXPECT_EQ(r[16][16], '.');
}

TEST(RotateTest, DialogAngleLeftIsNegativeAndZeroDoesNothing) {
    TQvDIB image = Painted({"...", ".ab", "..."});
    TQvDIB mask = Painted({"...", "...", "..."});
    TQvDIB before = image;
    RotateViewsBy(ViewTarget::Both, image, mask, 0, true);
    EXPECT_TRUE(image.SharesStorageWith(before));
    RotateViewsBy(ViewTarget::Image, image, mask, 90, true);
    // Counter-clockwise: the pixel right of the centre moves to the top.
    EXPECT_EQ(Rows(image)[0][1], 'b');
    EXPECT_EQ(Rows(mask), (std::vector<std::string>{"...", "...", "..."}));
}

// Every pixel its own colour, so a misplaced pixel cannot go unseen.
TQvDIB Numbered(int n) {
    TQvDIB dib = MakeDib(n, n, 24);
    TQvDIBCanvas canvas(dib);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) canvas.SetPixel(x, y, RgbColor(std::uint8_t(5 * x), std::uint8_t(5 * y), 77));
    return dib;
}

TEST(RotateTest, QuarterTurnsMoveWholePixelsAtEverySize) {
    // Target (x, y) takes source (cx + c dx - s dy, cy + c dy + s dx) with the
    // exact cos and sin of the turn.
    struct Exact {
        int angle, c, s;
    };
    for (const Exact turn : {Exact{90, 0, -1}, Exact{180, -1, 0}, Exact{270, 0, 1}, Exact{-90, 0, 1}}) {
        for (int n : {16, 32, 33, 48}) {
            SCOPED_TRACE(::testing::Message() << turn.angle << " degrees on " << n << " px");
            TQvDIB source = Numbered(n);
            TQvDIB v = source;
            RotateView(v, turn.angle, kRasterBlack);
            TQvDIB d = source;
            RotateDIB(d, kRasterBlack, turn.angle);
            TQvDIBCanvas in(source), out(v), outDib(d);
            const int c = n / 2;
            int wrong = 0;
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) {
                    const int sx = c + turn.c * (x - c) - turn.s * (y - c);
                    const int sy = c + turn.c * (y - c) + turn.s * (x - c);
                    const bool inside = sx >= 0 && sx < n && sy >= 0 && sy < n;
                    const RasterColor want = inside ? in.GetPixel(sx, sy) : kRasterBlack;
                    wrong += out.GetPixel(x, y) != want;
                    wrong += outDib.GetPixel(x, y) != want;
                }
            EXPECT_EQ(wrong, 0);
        }
    }
}

TEST(RotateTest, QuarterTurnsAgreeWithTheFixedTurnsUpToTheCentreOffset) {
    // Odd sizes have a true centre pixel, so 90 degrees is the exact right turn.
    TQvDIB free = Numbered(33), right = Numbered(33);
    RotateView(free, 90, kRasterBlack);
    RotateViewRight(right);
    EXPECT_EQ(test::RawPixels(free), test::RawPixels(right));
    free = Numbered(33);
    TQvDIB left = Numbered(33);
    RotateView(free, -90, kRasterBlack);
    RotateViewLeft(left);
    EXPECT_EQ(test::RawPixels(free), test::RawPixels(left));
}

TEST(SqueezeTest, SixtyDegreesHalvesTheHeightExactly) {
    // cos 60 = 0.5 must give y0 = 16 - 8 on a 32-row picture, not 16 - 7.
    TQvDIB dib = Painted(std::vector<std::string>(32, std::string(4, 'a')));
    SqueezeDIBVertical(dib, kRasterBlack, 0, 60);
    const std::vector<std::string> r = Rows(dib);
    EXPECT_EQ(r[7], "....");
    EXPECT_EQ(r[8], "aaaa");
    EXPECT_EQ(r[23], "aaaa");
    EXPECT_EQ(r[24], "....");
}

TEST(RotateTest, RotateDIBMatchesTheViewForm) {
    const std::vector<std::string> rows{"abcd", "efgh", "abcd", "efgh", "iiii"};
    TQvDIB dib = Painted(rows);
    TQvDIB view = Painted(rows);
    RotateDIB(dib, kRasterBlack, 30);
    RotateView(view, 30, kRasterBlack);
    EXPECT_EQ(Rows(dib), Rows(view));
    EXPECT_EQ(dib.Width(), 4);
    EXPECT_EQ(dib.Height(), 5);
}

TEST(SqueezeTest, VerticalAndHorizontal) {
    const std::vector<std::string> rows{"aa", "bb", "cc", "dd", "ee", "ff", "gg", "hh"};
    TQvDIB dib = Painted(rows);
    SqueezeDIBVertical(dib, kRasterBlack, 0, 0);
    EXPECT_EQ(Rows(dib), rows);
    // 45 degrees: y0 = 4 + trunc(-4 * 0.707) = 2; rows 2..5 hold the picture,
    // every second row kept.
    const std::vector<std::string> squeezed{"..", "..", "bb", "dd", "ff", "hh", "..", ".."};
    SqueezeDIBVertical(dib, kRasterBlack, 0, 45);
    EXPECT_EQ(Rows(dib), squeezed);
    dib = Painted(rows);
    SqueezeDIBVertical(dib, kRasterBlack, 0, -45);
    EXPECT_EQ(Rows(dib), squeezed);
    dib = Painted(rows);
    SqueezeDIBVertical(dib, kRasterWhite, 0, 90);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>(8, "##")));

    TQvDIB h = Painted({"abcdefgh"});
    SqueezeDIBHorizontal(h, kRasterBlack, 0, 45);
    EXPECT_EQ(Rows(h), (std::vector<std::string>{"..bdfh.."}));
}

TEST(SqueezeTest, ThirtyTwoSquareAtNinetyLeavesOnlyBackground) {
    TQvDIB dib = Painted(std::vector<std::string>(32, std::string(32, 'a')));
    SqueezeDIBVertical(dib, kRasterBlack, 1, 90);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>(32, std::string(32, '.'))));
}

TEST(ShiftTest, FourDirectionsAndOutOfFrame) {
    const std::vector<std::string> rows{"ab", "cd"};
    TQvDIB dib = Painted(rows);
    ShiftDIB(dib, kRasterBlack, 0, 1);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{".a", ".c"}));
    dib = Painted(rows);
    ShiftDIB(dib, kRasterBlack, 1, 1);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{"b.", "d."}));
    dib = Painted(rows);
    ShiftDIB(dib, kRasterBlack, 2, 1);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{"cd", ".."}));
    dib = Painted(rows);
    ShiftDIB(dib, kRasterWhite, 3, 1);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{"##", "ab"}));
    dib = Painted(rows);
    ShiftDIB(dib, kRasterBlack, 7, 0);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{"..", ".."}));
    TQvDIB big = Painted(std::vector<std::string>(32, std::string(32, 'a')));
    ShiftDIB(big, kRasterBlack, 0, 40);
    EXPECT_EQ(Rows(big), (std::vector<std::string>(32, std::string(32, '.'))));
}

TEST(ZoomTest, SizesAboutTheCentre) {
    const std::vector<std::string> rows{"aabb", "aabb", "ccdd", "ccdd"};
    TQvDIB dib = Painted(rows);
    ZoomDIB(dib, kRasterBlack, 0, 0);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>(4, "....")));
    dib = Painted(rows);
    ZoomDIB(dib, kRasterBlack, 0, 1);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{"....", "....", "..d.", "...."}));
    dib = Painted(rows);
    ZoomDIB(dib, kRasterBlack, 0, 2);
    EXPECT_EQ(Rows(dib), (std::vector<std::string>{"....", ".ab.", ".cd.", "...."}));
    dib = Painted(rows);
    // Twice the size about the centre: the middle of the picture fills the frame.
    ZoomDIB(dib, kRasterBlack, 0, 8);
    EXPECT_EQ(Rows(dib), rows);
    TQvDIB wide = Painted({"abcd", "efgh", "abcd", "efgh"});
    ZoomDIB(wide, kRasterBlack, 0, 8);
    EXPECT_EQ(Rows(wide), (std::vector<std::string>{"ffgg", "ffgg", "bbcc", "bbcc"}));
    dib = Painted(rows);
    ZoomDIB(dib, kRasterBlack, 0, 4);
    EXPECT_EQ(Rows(dib), rows);
}

TEST(ZoomTest, DialogProposalTruncates) {
    EXPECT_EQ(ZoomedLength(50, 101), 50);
    EXPECT_EQ(ZoomedLength(50, 75), 37);
    EXPECT_EQ(ZoomedLength(100, 75), 75);
    EXPECT_EQ(ZoomedLength(1, 99), 0);
    EXPECT_EQ(ZoomedLength(2000, 32), 640);
    EXPECT_EQ(ZoomedLength(33, 300), 99);
}

}  // namespace
}  // namespace vornik
