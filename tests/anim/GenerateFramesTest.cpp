// Rotating, zooming and moving animations generated from an image and mask.
#include <gtest/gtest.h>

#include "GenerateTestPictures.h"
#include "NoticeRecorder.h"
#include "anim/GenerateFrames.h"
#include "platform/Errors.h"

using namespace vornik;
using test::Box;
using test::Frame;

namespace {

constexpr int kColorOnColor = 0;

// Frame numbers and rates of the set's steps.
void expectOneStepPerFrame(const TAniEX& set, int rate) {
    ASSERT_EQ(set.StepCount(), set.Count);
    EXPECT_EQ(set.AnimHeader.FrameCount, std::uint32_t(set.Count));
    for (int i = 0; i < set.StepCount(); ++i) {
        EXPECT_EQ(set.Steps[i].Frame, i);
        EXPECT_EQ(set.Steps[i].Rate, rate);
    }
}

TEST(GenerateRotation, FrameCountsAreWholeTurnsOfTheStep) {
    const PictureView image = test::PositionImage(8, 8), mask = test::BlockMask(8, 8);
    for (auto [angle, frames] : {std::pair{90, 4}, {360, 1}, {7, 51}, {120, 3}, {361, 0}, {1000, 0}}) {
        TAniEX set;
        test::StatusLog log;
        EXPECT_EQ(GenerateRotation(set, image, mask, angle, 0, kColorOnColor, log.sink()), frames) << angle;
        EXPECT_EQ(set.Count, frames) << angle;
        EXPECT_EQ(log.texts.size(), std::size_t(frames)) << angle;
    }
}

TEST(GenerateRotation, FramesTurnTheContentStepByStep) {
    // A 4 x 4 block near the top edge: clockwise it goes right, then down, then left.
    const PictureView image = test::PositionImage(32, 32), mask = test::BlockMask(32, 32, 14, 2, 18, 6);
    TAniEX set;
    set.AnimHeader.DisplayRate = 7;
    test::StatusLog log;
    ASSERT_EQ(GenerateRotation(set, image, mask, 90, 0, kColorOnColor, log.sink()), 4);
    EXPECT_EQ(log.texts, test::Ordinals({1, 2, 3, 4}));
    expectOneStepPerFrame(set, 7);

    auto frame0 = Frame(set, 0);
    EXPECT_EQ(frame0.opaqueBox(), (Box{14, 2, 4, 4}));
    for (int y = 0; y < 32; y += 5)
        for (int x = 0; x < 32; x += 3) EXPECT_EQ(frame0.imageAt(x, y), test::PositionColor(x, y));

    // Rotation about (16, 16); truncation towards zero repeats the centre
    // row and column, and the sine and cosine round, so a pixel either way.
    auto near = [](const Box& b, int x, int y) {
        return b.w >= 4 && b.w <= 5 && b.h >= 4 && b.h <= 5 && std::abs(b.x - x) <= 1 &&
               std::abs(b.y - y) <= 1;
    };
    EXPECT_PRED3(near, Frame(set, 1).opaqueBox(), 27, 14);
    EXPECT_PRED3(near, Frame(set, 2).opaqueBox(), 14, 27);
    EXPECT_PRED3(near, Frame(set, 3).opaqueBox(), 2, 14);

    TAniEX left;
    GenerateRotation(left, image, mask, 90, 1, kColorOnColor);
    EXPECT_PRED3(near, Frame(left, 1).opaqueBox(), 2, 14);
    EXPECT_PRED3(near, Frame(left, 3).opaqueBox(), 27, 14);
}

TEST(GenerateRotation, UncoveredCornersAreTransparentAndBlack) {
    const PictureView image = test::PositionImage(32, 32), mask = test::BlockMask(32, 32);
    TAniEX set;
    ASSERT_EQ(GenerateRotation(set, image, mask, 45, 0, kColorOnColor), 8);
    auto turned = Frame(set, 1);
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) {
        EXPECT_FALSE(turned.opaqueAt(x, y)) << x << "," << y;
        EXPECT_EQ(turned.imageAt(x, y), kRasterBlack) << x << "," << y;
    }
    EXPECT_TRUE(turned.opaqueAt(16, 16));
    EXPECT_NE(turned.imageAt(16, 16), kRasterBlack);
}

TEST(GenerateRotation, SqueezesFlattenAndFlip) {
    const PictureView image = test::PositionImage(32, 32), mask = test::BlockMask(32, 32, 3, 2, 7, 6);
    // 2 "水平上方向" and 3 "水平下方向" squeeze about the horizontal centre line.
    for (int direction : {2, 3}) {
        TAniEX set;
        ASSERT_EQ(GenerateRotation(set, image, mask, 90, direction, kColorOnColor), 4);
        EXPECT_EQ(Frame(set, 0).opaqueBox(), (Box{3, 2, 4, 4}));
        auto flat = Frame(set, 1);
        EXPECT_EQ(flat.opaqueBox(), Box{});
        EXPECT_TRUE(flat.imageAllBlack());
        auto flipped = Frame(set, 2);
        // Drawn upside down into rows 32 .. 1 (the negative height mirrors
        // about the rectangle's start row).
        EXPECT_EQ(flipped.opaqueBox(), (Box{3, 27, 4, 4}));
        EXPECT_EQ(flipped.imageAt(3, 27), test::PositionColor(3, 5));
    }
    // 4 "垂直右方向" and 5 "垂直左方向" about the vertical one.
    for (int direction : {4, 5}) {
        TAniEX set;
        ASSERT_EQ(GenerateRotation(set, image, mask, 90, direction, kColorOnColor), 4);
        EXPECT_EQ(Frame(set, 1).opaqueBox(), Box{});
        auto flipped = Frame(set, 2);
        EXPECT_EQ(flipped.opaqueBox(), (Box{26, 2, 4, 4}));
        EXPECT_EQ(flipped.imageAt(26, 2), test::PositionColor(6, 2));
    }
}

// The side of each zoom frame, read from the opaque square of a fully opaque
// mask; the square is centred on (16, 16).
std::vector<int> zoomSides(int rate, int mode, std::vector<std::string>* statuses = nullptr) {
    const PictureView image = test::PositionImage(32, 32), mask = test::BlockMask(32, 32);
    TAniEX set;
    test::StatusLog log;
    const int made = GenerateZoom(set, image, mask, rate, mode, kColorOnColor, log.sink());
    EXPECT_EQ(made, set.Count);
    if (statuses) *statuses = log.texts;
    std::vector<int> sides;
    for (int i = 0; i < set.Count; ++i) {
        auto f = Frame(set, i);
        const Box b = f.opaqueBox();
        EXPECT_EQ(b.w, b.h) << "frame " << i;
        EXPECT_EQ(f.opaqueCount(), b.w * b.h) << "frame " << i;
        if (b.w > 0) {
            EXPECT_EQ(b.x, 16 - b.w / 2) << "frame " << i;
            EXPECT_EQ(b.y, 16 - b.w / 2) << "frame " << i;
        } else {
            EXPECT_TRUE(f.imageAllBlack()) << "frame " << i;
        }
        sides.push_back(b.w);
    }
    return sides;
}

TEST(GenerateZoom, SidesOfShrinkGrowAndBoth) {
    std::vector<std::string> statuses;
    EXPECT_EQ(zoomSides(4, 0, &statuses), (std::vector<int>{32, 24, 16, 8}));
    EXPECT_EQ(statuses, test::Ordinals({1, 2, 3, 4}));
    // s = 4 frames at most, before the side reaches 0.
    EXPECT_EQ(zoomSides(8, 0), (std::vector<int>{32, 28, 24, 20}));
    EXPECT_EQ(zoomSides(4, 1, &statuses), (std::vector<int>{0, 8, 16, 24, 32}));
    EXPECT_EQ(statuses, test::Ordinals({1, 2, 3, 4, 5}));
    EXPECT_EQ(zoomSides(8, 1), (std::vector<int>{0, 4, 8, 12}));
    // The last side of the growing phase starts the shrinking one again.
    EXPECT_EQ(zoomSides(4, 2, &statuses), (std::vector<int>{0, 8, 16, 24, 32, 32, 24, 16, 8}));
    EXPECT_EQ(statuses, test::Ordinals({1, 2, 3, 4, 5, 1, 2, 3, 4}));
    EXPECT_EQ(zoomSides(8, 2), (std::vector<int>{0, 4, 8, 12, 12, 8, 4}));
}

TEST(GenerateZoom, RatesBeyondThePictureAndBelowOne) {
    std::vector<std::string> statuses;
    EXPECT_EQ(zoomSides(33, 0, &statuses), std::vector<int>{});
    EXPECT_TRUE(statuses.empty());
    EXPECT_EQ(zoomSides(32, 1), (std::vector<int>{0}));
    // 0 (or less) is taken as 1: one side of 32 each way.
    EXPECT_EQ(zoomSides(0, 2), (std::vector<int>{0, 32, 32}));
    EXPECT_EQ(zoomSides(-5, 0), (std::vector<int>{32}));
}

struct Corner {
    int x, y;
};

// Checks every frame against the picture moved to its corner position: the
// opaque area is the moved picture clipped to the frame, and its pixels are
// the source's.
void expectMovedFrames(const TAniEX& set, const std::vector<Corner>& corners) {
    ASSERT_EQ(set.Count, int(corners.size()));
    for (int i = 0; i < set.Count; ++i) {
        const Corner c = corners[std::size_t(i)];
        const int x0 = std::max(c.x, 0), y0 = std::max(c.y, 0);
        const int x1 = std::min(c.x + 32, 32), y1 = std::min(c.y + 32, 32);
        const Box expected = x1 > x0 && y1 > y0 ? Box{x0, y0, x1 - x0, y1 - y0} : Box{};
        auto f = Frame(set, i);
        EXPECT_EQ(f.opaqueBox(), expected) << "frame " << i;
        if (expected.w == 0) {
            EXPECT_TRUE(f.imageAllBlack()) << "frame " << i;
            continue;
        }
        EXPECT_EQ(f.opaqueCount(), expected.w * expected.h) << "frame " << i;
        EXPECT_EQ(f.imageAt(x0, y0), test::PositionColor(x0 - c.x, y0 - c.y)) << "frame " << i;
        EXPECT_EQ(f.imageAt(x1 - 1, y1 - 1), test::PositionColor(x1 - 1 - c.x, y1 - 1 - c.y))
            << "frame " << i;
    }
}

TEST(GenerateMove, PositionsOfAllFourDirections) {
    const PictureView image = test::PositionImage(32, 32), mask = test::BlockMask(32, 32);
    struct Case {
        int direction;
        std::vector<Corner> corners;
        std::vector<std::string> statuses;
    };
    const Case cases[] = {
        {0,
         {{0, 0}, {8, 0}, {16, 0}, {24, 0}, {-24, 0}, {-16, 0}, {-8, 0}},
         test::Ordinals({1, 2, 3, 4, 1, 2, 3})},
        {1,
         {{0, 0}, {-8, 0}, {-16, 0}, {-24, 0}, {40, 0}, {32, 0}, {24, 0}, {16, 0}},
         test::Ordinals({1, 2, 3, 4, 1, 2, 3, 4})},
        {2,
         {{0, 0}, {0, -8}, {0, -16}, {0, -24}, {0, 24}, {0, 16}, {0, 8}},
         test::Ordinals({1, 2, 3, 4, 1, 2, 3})},
        {3,
         {{0, 0}, {0, 8}, {0, 16}, {0, 24}, {0, -40}, {0, -32}, {0, -24}},
         test::Ordinals({1, 2, 3, 4, 1, 2, 3})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("direction " + std::to_string(c.direction));
        TAniEX set;
        set.AnimHeader.DisplayRate = 3;
        test::StatusLog log;
        EXPECT_EQ(GenerateMove(set, image, mask, 8, c.direction, log.sink()), int(c.corners.size()));
        EXPECT_EQ(log.texts, c.statuses);
        expectOneStepPerFrame(set, 3);
        expectMovedFrames(set, c.corners);
    }
}

TEST(GenerateMove, UnitsBeyondThePictureAndWholeWidth) {
    const PictureView image = test::PositionImage(32, 32), mask = test::BlockMask(32, 32);
    TAniEX set;
    test::StatusLog log;
    EXPECT_EQ(GenerateMove(set, image, mask, 33, 0, log.sink()), 0);
    EXPECT_TRUE(log.texts.empty());
    // n = 1: one leaving frame; entering has none, except to the left.
    EXPECT_EQ(GenerateMove(set, image, mask, 32, 0), 1);
    EXPECT_EQ(GenerateMove(set, image, mask, 32, 1), 2);
    EXPECT_EQ(GenerateMove(set, image, mask, 32, 3), 1);
    EXPECT_EQ(set.Count, 4);
    // 0 is taken as 1 pixel: 32 frames out and 31 back in.
    TAniEX fine;
    EXPECT_EQ(GenerateMove(fine, image, mask, 0, 0), 63);
}

TEST(Generate, FramesFollowTheSetsFramesAndKeepThePictureDepth) {
    // A 16-colour image keeps its bit count and colour table in every frame.
    PictureView image = test::PositionImage(16, 16);
    image.ConvertTo16FixedColors();
    const PictureView mask = test::BlockMask(16, 16);
    TAniEX set;
    set.AnimHeader.DisplayRate = 5;
    ASSERT_EQ(GenerateRotation(set, image, mask, 360, 0, kColorOnColor), 1);
    set.AnimHeader.DisplayRate = 9;
    ASSERT_EQ(GenerateMove(set, image, mask, 8, 0), 3);
    ASSERT_EQ(set.Count, 4);
    ASSERT_EQ(set.StepCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.Steps[i].Frame, i);
        EXPECT_EQ(set.Steps[i].Rate, i == 0 ? 5 : 9);
        auto f = Frame(set, i);
        EXPECT_EQ(f.image.GetBitCount(), 4);
        EXPECT_EQ(f.mask.GetBitCount(), 1);
    }
    // The moved frame's uncovered left half is black, the mask there transparent.
    auto moved = Frame(set, 2);
    EXPECT_EQ(moved.imageAt(0, 0), kRasterBlack);
    EXPECT_FALSE(moved.opaqueAt(0, 0));
    EXPECT_TRUE(moved.opaqueAt(8, 0));
}

TEST(Generate, FrameLimitDropsLaterFramesWithAMessageEach) {
    const PictureView image = test::PositionImage(8, 8), mask = test::BlockMask(8, 8);
    TAniEX set;
    ASSERT_EQ(GenerateRotation(set, image, mask, 4, 0, kColorOnColor), 90);
    test::NoticeRecorder notices;
    test::StatusLog log;
    // 12 frames, room for 10 steps.
    EXPECT_EQ(GenerateRotation(set, image, mask, 30, 0, kColorOnColor, log.sink()), 10);
    EXPECT_EQ(set.Count, 100);
    EXPECT_EQ(set.StepCount(), 100);
    EXPECT_EQ(notices.texts(),
              (std::vector<std::string>(2, "the set is full (1000 images); nothing more can be added")));
    EXPECT_EQ(log.texts, test::Ordinals({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    // The frames made before the limit are whole.
    EXPECT_EQ(Frame(set, 99).image.Width(), 8);

    EXPECT_EQ(GenerateZoom(set, image, mask, 4, 0, kColorOnColor), 0);
    EXPECT_EQ(notices.texts().size(), 4u);
    EXPECT_EQ(set.Count, 100);
}

TEST(Generate, UnknownChoicesAndMismatchedViewsChangeNothing) {
    const PictureView image = test::PositionImage(16, 16), mask = test::BlockMask(16, 16);
    TAniEX set;
    EXPECT_EQ(GenerateRotation(set, image, mask, 90, 6, kColorOnColor), 0);
    EXPECT_EQ(GenerateZoom(set, image, mask, 4, 3, kColorOnColor), 0);
    EXPECT_EQ(GenerateMove(set, image, mask, 4, -1), 0);
    EXPECT_EQ(set.Count, 0);

    const PictureView otherMask = test::BlockMask(16, 8);
    EXPECT_THROW(GenerateMove(set, image, otherMask, 4, 0), EVornikError);
    EXPECT_EQ(set.Count, 0);
    EXPECT_EQ(set.StepCount(), 0);
}

}  // namespace
