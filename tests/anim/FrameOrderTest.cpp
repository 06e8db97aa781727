#include <gtest/gtest.h>

#include <memory>

#include "MultiSizeAni.h"
#include "NoticeRecorder.h"
#include "anim/FrameOrder.h"
#include "anim/TAniEX.h"

namespace vornik {
namespace {

using test::MultiSizeAni;

std::vector<int> stepFrames(const TAniEX& a) {
    std::vector<int> out;
    for (int i = 0; i < a.StepCount(); ++i) out.push_back(a.Steps[i].Frame);
    return out;
}

std::vector<int> stepRates(const TAniEX& a) {
    std::vector<int> out;
    for (int i = 0; i < a.StepCount(); ++i) out.push_back(a.Steps[i].Rate);
    return out;
}

// What each step shows: the first XOR byte of its frame's picture.
std::vector<int> shownPictures(const TAniEX& a) {
    std::vector<int> out;
    for (int i = 0; i < a.StepCount(); ++i) out.push_back(a.Entries[a.Steps[i].Frame].XorBits.at(0));
    return out;
}

std::unique_ptr<TAniEX> load(const Bytes& file) {
    auto a = std::make_unique<TAniEX>();
    EXPECT_TRUE(a->LoadFromMemory(file.data(), file.size(), "t.ani"));
    return a;
}

TEST(FrameOrder, OneStepMovesAndDropsKeepTheOrderOfTheMovedItems) {
    using V = std::vector<int>;
    EXPECT_EQ(OrderAfterStep(5, {2}, -1), (V{0, 2, 1, 3, 4}));
    EXPECT_EQ(OrderAfterStep(5, {1, 3}, -1), (V{1, 0, 3, 2, 4}));
    EXPECT_EQ(OrderAfterStep(5, {0, 1, 3}, -1), (V{0, 1, 3, 2, 4}));  // the block at the top stays
    EXPECT_EQ(OrderAfterStep(5, {3, 4}, +1), (V{0, 1, 2, 3, 4}));
    EXPECT_EQ(OrderAfterStep(5, {1, 2}, +1), (V{0, 3, 1, 2, 4}));
    EXPECT_EQ(OrderAfterStep(3, {7, -1, 2, 2}, -1), (V{0, 2, 1}));  // junk and repeats ignored
    EXPECT_EQ(OrderAfterDrop(5, {3, 1}, 0), (V{1, 3, 0, 2, 4}));
    EXPECT_EQ(OrderAfterDrop(5, {0, 1}, 5), (V{2, 3, 4, 0, 1}));
    EXPECT_EQ(OrderAfterDrop(5, {0, 4}, 2), (V{1, 0, 4, 2, 3}));
    EXPECT_EQ(OrderAfterDrop(4, {}, 1), (V{0, 1, 2, 3}));
    EXPECT_EQ(OrderAfterStep(0, {0}, -1), V{});
}

TEST(FrameOrder, MovingFramesRenumbersTheStepsSoTheAnimationIsUnchanged) {
    auto aHeld = load(MultiSizeAni(3, {16, 32}, {0, 1, 2, 1}, {1, 2, 3, 4}));
    TAniEX& a = *aHeld;
    const std::vector<int> pictures = shownPictures(a);
    const Bytes frame2 = test::IconChunks(a.SaveToBytes())[2];

    EXPECT_EQ(MoveFrames(a, {2}, -1), (std::vector<int>{1}));
    EXPECT_EQ(stepFrames(a), (std::vector<int>{0, 2, 1, 2}));
    EXPECT_EQ(shownPictures(a), pictures);
    EXPECT_EQ(stepRates(a), (std::vector<int>{1, 2, 3, 4}));

    EXPECT_EQ(DropFrames(a, {1, 2}, 0), (std::vector<int>{0, 1}));
    EXPECT_EQ(shownPictures(a), pictures);
    const Bytes saved = a.SaveToBytes();
    // The frame moved whole, every size, byte for byte.
    EXPECT_EQ(test::IconChunks(saved)[0], frame2);
    EXPECT_EQ(test::ChunkValues(saved, "seq "), (std::vector<std::int32_t>{2, 1, 0, 1}));
    auto backHeld = load(saved);
    TAniEX& back = *backHeld;
    EXPECT_EQ(shownPictures(back), pictures);
    EXPECT_EQ(back.FrameImageCount(0), 2);
}

TEST(FrameOrder, MovingTheLastStepUpTwiceWritesTheNewSequenceAndTheSameFrames) {
    const Bytes file = MultiSizeAni(3, {32});
    auto aHeld = load(file);
    TAniEX& a = *aHeld;
    EXPECT_EQ(MoveSteps(a, {2}, -1), (std::vector<int>{1}));
    EXPECT_EQ(MoveSteps(a, {1}, -1), (std::vector<int>{0}));
    EXPECT_EQ(MoveSteps(a, {0}, -1), (std::vector<int>{0}));  // already first
    const Bytes saved = a.SaveToBytes();
    EXPECT_EQ(test::ChunkValues(saved, "seq "), (std::vector<std::int32_t>{2, 0, 1}));
    EXPECT_EQ(test::IconChunks(saved), test::IconChunks(file));

    EXPECT_EQ(DropSteps(a, {0}, 3), (std::vector<int>{2}));
    EXPECT_EQ(stepFrames(a), (std::vector<int>{0, 1, 2}));
}

TEST(FrameOrder, GroupDeleteAndRate) {
    test::NoticeRecorder notices;
    auto aHeld = load(MultiSizeAni(4, {16, 32}, {0, 1, 2, 3, 2, 1}));
    TAniEX& a = *aHeld;
    const std::vector<int> pictures = shownPictures(a);
    EXPECT_EQ(SetStepsRate(a, {0, 5, 9}, 120), 2);
    EXPECT_EQ(stepRates(a), (std::vector<int>{120, 6, 6, 6, 6, 120}));
    EXPECT_EQ(DeleteSteps(a, {5, 0, 5}), 2);
    EXPECT_EQ(stepFrames(a), (std::vector<int>{1, 2, 3, 2}));
    EXPECT_EQ(DeleteFrames(a, {1, 3}), 2);
    EXPECT_EQ(a.Count, 2);
    // Frames 0 and 2 are left; the steps of frame 2 now name frame 1.
    EXPECT_EQ(stepFrames(a), (std::vector<int>{1, 1}));
    EXPECT_EQ(shownPictures(a), (std::vector<int>{pictures[2], pictures[2]}));
    EXPECT_EQ(a.FrameImageCount(1), 2);
    EXPECT_TRUE(notices.notices.empty());
}

}  // namespace
}  // namespace vornik
