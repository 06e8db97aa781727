#include <gtest/gtest.h>

#include <algorithm>

#include "NoticeRecorder.h"
#include "anim/AniPlayer.h"
#include "anim/PlayFrame.h"
#include "anim/StepInsertion.h"
#include "anim/StepList.h"
#include "anim/TAniEX.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {
namespace {

using test::NoticeRecorder;

std::vector<int> frames(const TAniEX& a) {
    std::vector<int> out;
    for (int i = 0; i < a.StepCount(); ++i) out.push_back(a.Steps[i].Frame);
    return out;
}

TEST(AniEdit, NewSetDefaults) {
    TAniEX a(0);
    EXPECT_EQ(a.AnimHeader.DisplayRate, 10u);
    EXPECT_EQ(a.DefaultRate, 10u);
    EXPECT_EQ(a.AnimHeader.CursorBitCount, 4u);
    EXPECT_EQ(a.AnimHeader.CursorPlanes, 1u);
    EXPECT_EQ(a.AnimHeader.Flags, 0u);
    EXPECT_EQ(a.Count, 0);
    EXPECT_EQ(a.StepCount(), 0);
    EXPECT_EQ(TAniEX(25).DefaultRate, 25u);
}

TEST(AniEdit, AddFrameAppendsAStepAtTheHeaderRateAndStopsAtTheLimits) {
    NoticeRecorder rec;
    TAniEX a(6);
    EXPECT_EQ(a.AddFrame(), 0);
    EXPECT_EQ(a.Steps[0], (AniStep{6, 0}));
    EXPECT_TRUE(a.Entries[0].InfoHeader.empty());
    EXPECT_EQ(a.AnimHeader.FrameCount, 1u);
    for (int i = 1; i < 100; ++i) ASSERT_EQ(a.AddFrame(), i);
    EXPECT_EQ(a.AddFrame(), -1);
    EXPECT_EQ(a.InsertStep(0, -1, 1), -1);
    EXPECT_EQ(rec.texts(),
              (std::vector<std::string>{"the set is full (1000 images); nothing more can be added",
                                        "the set is full (1000 images); nothing more can be added"}));
    EXPECT_EQ(a.Count, 100);
}

TEST(AniEdit, DeleteFrameDropsItsStepsAndRenumbersTheLaterOnes) {
    NoticeRecorder rec;
    TAniEX a;
    for (int i = 0; i < 3; ++i) a.AddFrame();
    a.InsertStep(1, -1, 4);  // steps show 0, 1, 2, 1
    ASSERT_EQ(a.DeleteFrame(1), 1);
    EXPECT_EQ(frames(a), (std::vector<int>{0, 1}));
    EXPECT_EQ(a.Count, 2);
    EXPECT_EQ(a.AnimHeader.FrameCount, 3u);  // until the next save
    EXPECT_EQ(a.DeleteFrame(2), -1);
    a.DeleteFrame(0);
    a.DeleteFrame(0);
    EXPECT_EQ(a.DeleteFrame(0), -1);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{"cannot delete that entry", "nothing left to delete"}));
}

TEST(AniEdit, InsertAndDeleteSteps) {
    NoticeRecorder rec;
    TAniEX a;
    a.InsertStep(7, -1, 1);
    a.InsertStep(8, 0, 2);
    a.InsertStep(9, 1, 3);
    EXPECT_EQ(frames(a), (std::vector<int>{8, 9, 7}));
    EXPECT_EQ(a.Steps[1].Rate, 3);
    EXPECT_EQ(a.DeleteStep(1), 0);
    EXPECT_EQ(frames(a), (std::vector<int>{8, 7}));
    EXPECT_EQ(a.DeleteStep(2), -1);
    a.DeleteStep(0);
    a.DeleteStep(0);
    EXPECT_EQ(a.DeleteStep(0), -1);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{"cannot delete that entry", "nothing left to delete"}));
}

TEST(AniEdit, StepInsertPositionRule) {
    NoticeRecorder rec;
    EXPECT_EQ(StepInsertPosition(-1, 3), -1);
    EXPECT_EQ(StepInsertPosition(2, 3), -1);  // last selected: append
    EXPECT_EQ(StepInsertPosition(1, 3), 2);   // after the selected one
    EXPECT_TRUE(rec.notices.empty());
    rec.answers = {false, true, true};
    EXPECT_EQ(StepInsertPosition(0, 3), 0);   // No: in front
    EXPECT_EQ(StepInsertPosition(0, 3), 1);   // Yes: second
    EXPECT_EQ(StepInsertPosition(0, 1), -1);  // Yes with a single step: append
    ASSERT_EQ(rec.notices.size(), 3u);
    EXPECT_EQ(rec.notices[0], (NoticeRecorder::Notice{"question", "Insert after the selected position?"}));
}

TEST(AniEdit, InsertStepAtSelectionNeedsASetAndAFrame) {
    NoticeRecorder rec;
    TAniEX a;
    a.AddFrame();
    a.AddFrame();
    EXPECT_FALSE(InsertStepAtSelection(nullptr, 0, -1, 5));
    EXPECT_FALSE(InsertStepAtSelection(&a, -1, -1, 5));
    rec.answers = {false};
    EXPECT_TRUE(InsertStepAtSelection(&a, 1, 0, 5));
    EXPECT_EQ(frames(a), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(a.Steps[0].Rate, 5);
}

TEST(AniEdit, StepListCaptionsThumbnailsAndRateChange) {
    NoticeRecorder rec;
    TAniEX a(4);
    a.AddFrame();
    a.InitEntry(0, 2, 32, 32, 4);
    a.AddFrame();             // no image yet
    a.InsertStep(5, -1, 12);  // a step without its frame
    StepListView view;
    ImageList large, small;
    small.size = 16;
    FillStepList(a, view, large, small, 0);
    EXPECT_FALSE(view.updating);
    ASSERT_EQ(view.Items.size(), 3u);
    EXPECT_EQ(view.Items[0].Caption, "0 - [4]");
    EXPECT_EQ(view.Items[2].Caption, "2 - [12]");
    EXPECT_EQ(view.Items[0].ImageIndex, 0);
    EXPECT_EQ(view.Items[1].ImageIndex, -1);
    EXPECT_EQ(view.Items[2].ImageIndex, -1);
    ASSERT_EQ(large.pairs.size(), 1u);
    ASSERT_EQ(small.pairs.size(), 1u);
    EXPECT_EQ(large.pairs[0].image.Width(), 32);
    EXPECT_EQ(small.pairs[0].mask.Width(), 16);
    SetStepRate(a, view, 2, 3);
    EXPECT_EQ(view.Items[2].Caption, "2 - [3]");
    EXPECT_EQ(a.Steps[2].Rate, 3);
    SetStepRate(a, view, -1, 9);  // nothing selected
    EXPECT_EQ(a.Steps[0].Rate, 4);
}

TEST(AniPlayback, DrawsTheFrameOverTheBackground) {
    NoticeRecorder rec;
    TAniEX a;
    a.AddFrame();
    a.InitEntry(0, 2, 16, 16, 4);  // black image
    IconEntry& e = a.Entries[0];
    std::fill(e.AndBits.begin(), e.AndBits.end(), 0);  // opaque
    TQvDIB view;
    view.CreateDIB(32, 32, 0, 24);
    DrawPlayFrame(a, 0, view, RgbColor(0, 128, 255));
    TQvDIBCanvas canvas(view);
    EXPECT_EQ(canvas.GetPixel(3, 3), kRasterBlack);
    EXPECT_EQ(canvas.GetPixel(15, 15), kRasterBlack);
    EXPECT_EQ(canvas.GetPixel(16, 3), RgbColor(0, 128, 255));
    EXPECT_EQ(canvas.GetPixel(31, 31), RgbColor(0, 128, 255));
}

TEST(AniPlayback, TicksFollowTheRates) {
    NoticeRecorder rec;
    TAniEX a;
    a.AddFrame();
    a.AddFrame();
    a.Steps[0].Rate = 0;
    a.Steps[1].Rate = 3;
    AniPlayer player;
    std::vector<int> drawn;  // frame drawn at each tick, -1 for none
    auto tick = [&] {
        int f = -1;
        player.Tick(a, [&](int k) { f = k; });
        drawn.push_back(f);
    };
    ASSERT_TRUE(player.Play(&a));
    EXPECT_EQ(player.TickCounter(), 0);
    for (int i = 0; i < 9; ++i) tick();
    // Step 0 at once; step 1 three ticks later; step 0 (rate 0) one tick after.
    EXPECT_EQ(drawn, (std::vector<int>{0, -1, -1, 1, 0, -1, -1, 1, 0}));
    player.Stop();
    EXPECT_FALSE(player.Playing());
    EXPECT_EQ(player.CurrentStep(), 0);
    EXPECT_EQ(player.TickCounter(), 0);
}

TEST(AniPlayback, StartsOnlyWithFramesAndStepsAndSkipsMissingFrames) {
    NoticeRecorder rec;
    AniPlayer player;
    TAniEX a;
    EXPECT_FALSE(player.Play(nullptr));
    EXPECT_FALSE(player.Play(&a));
    a.AddFrame();
    a.DeleteStep(0);
    EXPECT_FALSE(player.Play(&a));  // a frame, no step
    a.InsertStep(3, -1, 1);
    a.InsertStep(0, -1, 1);
    ASSERT_TRUE(player.Play(&a));
    std::vector<int> drawn;
    for (int i = 0; i < 4; ++i) player.Tick(a, [&](int k) { drawn.push_back(k); });
    EXPECT_EQ(drawn, (std::vector<int>{0, 0}));
    // Frames all deleted while playing: the player stops itself.
    a.DeleteFrame(0);
    player.Tick(a, [&](int k) { drawn.push_back(k); });
    EXPECT_FALSE(player.Playing());
}

}  // namespace
}  // namespace vornik
