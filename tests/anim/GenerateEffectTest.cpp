// The effect dialog's command: set creation, choice of generator, status texts.
#include <gtest/gtest.h>

#include "GenerateTestPictures.h"
#include "NoticeRecorder.h"
#include "anim/GenerateEffect.h"

using namespace vornik;

namespace {

const std::string kDone = "Automatic creation finished";

struct EffectRun {
    std::unique_ptr<TAniEX> set;
    test::StatusLog log;
    bool ran = false;
    void run(const AniEffectChoice& choice, int defrate = 10, int width = 32) {
        const PictureView image = test::PositionImage(width, width), mask = test::BlockMask(width, width);
        ran = RunAniEffect(set, defrate, image, mask, 0, choice, log.sink());
    }
};

TEST(RunAniEffect, CancelChangesNothing) {
    EffectRun r;
    r.run({false, AniEffectTab::Rotation, 0, 90});
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(r.set, nullptr);
    EXPECT_TRUE(r.log.texts.empty());

    r.set = std::make_unique<TAniEX>();
    r.run({false, AniEffectTab::Move, 0, 8});
    EXPECT_EQ(r.set->Count, 0);
}

TEST(RunAniEffect, CreatesTheSetWithTheDefaultRateAndRunsTheActiveTab) {
    EffectRun r;
    r.run({true, AniEffectTab::Zoom, 0, 4}, 6);
    EXPECT_TRUE(r.ran);
    ASSERT_NE(r.set, nullptr);
    EXPECT_EQ(r.set->Count, 4);
    for (int i = 0; i < r.set->StepCount(); ++i) EXPECT_EQ(r.set->Steps[i].Rate, 6);
    std::vector<std::string> expected = test::Ordinals({1, 2, 3, 4});
    expected.push_back(kDone);
    EXPECT_EQ(r.log.texts, expected);

    // A second run appends to the same set, with its rate.
    TAniEX* before = r.set.get();
    r.set->AnimHeader.DisplayRate = 2;
    r.run({true, AniEffectTab::Move, 1, 8}, 6);
    EXPECT_EQ(r.set.get(), before);
    EXPECT_EQ(r.set->Count, 12);
    EXPECT_EQ(r.set->Steps[11].Frame, 11);
    EXPECT_EQ(r.set->Steps[11].Rate, 2);

    EffectRun turn;
    turn.run({true, AniEffectTab::Rotation, 3, 120});
    EXPECT_EQ(turn.set->Count, 3);
}

TEST(RunAniEffect, ParameterLargerThanThePictureStillReportsCompletion) {
    for (const AniEffectChoice& choice : {AniEffectChoice{true, AniEffectTab::Rotation, 0, 361},
                                          AniEffectChoice{true, AniEffectTab::Zoom, 2, 33},
                                          AniEffectChoice{true, AniEffectTab::Move, 3, 40}}) {
        EffectRun r;
        r.run(choice);
        EXPECT_TRUE(r.ran);
        ASSERT_NE(r.set, nullptr);
        EXPECT_EQ(r.set->Count, 0);
        EXPECT_EQ(r.log.texts, std::vector<std::string>{kDone});
    }
}

TEST(RunAniEffect, ZeroInTheFieldIsTakenAsOne) {
    EffectRun r;
    r.run({true, AniEffectTab::Move, 2, 0}, 10, 8);
    // Unit 1 on 8 pixels: 8 frames up and out, 7 back in.
    EXPECT_EQ(r.set->Count, 15);
    EXPECT_EQ(r.log.texts.back(), kDone);

    EffectRun zoom;
    zoom.run({true, AniEffectTab::Zoom, 1, 0}, 10, 8);
    EXPECT_EQ(zoom.set->Count, 2);  // sides 0 and 8
}

TEST(RunAniEffect, LimitMessagesThenCompletion) {
    EffectRun r;
    r.set = std::make_unique<TAniEX>();
    test::NoticeRecorder notices;
    r.run({true, AniEffectTab::Rotation, 1, 3}, 10, 8);  // 120 frames
    EXPECT_EQ(r.set->Count, 100);
    EXPECT_EQ(notices.texts(),
              (std::vector<std::string>(20, "the set is full (1000 images); nothing more can be added")));
    ASSERT_EQ(r.log.texts.size(), 121u);
    EXPECT_EQ(r.log.texts[119], test::Ordinals({120})[0]);
    EXPECT_EQ(r.log.texts.back(), kDone);
}

}  // namespace
