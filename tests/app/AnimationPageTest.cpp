#include <gtest/gtest.h>

#include "../anim/MultiSizeAni.h"
#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "anim/FrameOrder.h"
#include "anim/FrameSizes.h"
#include "app/AnimationPage.h"
#include "app/BatchSave.h"
#include "app/ClipboardCommands.h"
#include "app/EntryCommands.h"
#include "app/FrameAutoComplete.h"
#include "app/SetCopy.h"
#include "app/UndoCommands.h"
#include "model/EntryConversion.h"
#include "platform/ShiftJis.h"

#include "DibClipboard.h"

using namespace vornik;

namespace {

using Clipboard = test::DibClipboard;

MainState WithAni(const Bytes& file) {
    MainState s;
    s.doc.AniSet = std::make_unique<TAniEX>();
    EXPECT_TRUE(s.doc.AniSet->LoadFromMemory(file.data(), file.size(), "t.ani"));
    s.edit.PageControl1 = kAnimationPage;
    s.edit.target = ResourceTarget::View;
    return s;
}

}  // namespace

TEST(AnimationPage, CutAndPasteOfSeveralFramesCarryEverySize) {
    test::NoticeRecorder notices;
    const Bytes file = test::MultiSizeAni(3, {16, 32, 48});
    const std::vector<Bytes> chunks = test::IconChunks(file);
    MainState s = WithAni(file);
    Clipboard clipboard;
    EntryClipboard entries;
    CutToClipboard(s, entries, clipboard, std::vector<int>{2, 0});
    ASSERT_EQ(s.doc.AniSet->Count, 1);
    ASSERT_EQ(entries.frames.size(), 2u);
    EXPECT_EQ(clipboard.Content().format, CF_DIB);  // the first frame's picture for other programs
    PasteFromClipboard(s, entries, clipboard);
    ASSERT_EQ(s.doc.AniSet->Count, 3);
    const std::vector<Bytes> out = test::IconChunks(s.doc.AniSet->SaveToBytes());
    EXPECT_EQ(out, (std::vector<Bytes>{chunks[1], chunks[0], chunks[2]}));
    // A copy on the Icon page leaves no frames behind to paste here.
    s.edit.PageControl1 = kIconPage;
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    TQvDIB image, mask;
    image.CreateDIB(16, 16, 16, 4);
    mask.CreateDIB(16, 16, 2, 1);
    s.doc.IconSet->AddSlot(-1);
    DIBsToEntry(*s.doc.IconSet, image, mask, 0);
    s.LVIcon.selected = 0;
    CopyToClipboard(s, entries, clipboard, std::vector<int>{0});
    EXPECT_TRUE(entries.frames.empty());
    EXPECT_TRUE(notices.notices.empty());
}

TEST(AnimationPage, BatchSaveWritesEachFrameWithEverySize) {
    test::TempDir dir;
    const Bytes file = test::MultiSizeAni(2, {16, 32, 48});
    MainState s = WithAni(file);
    BatchSaveFields f;
    f.Edit1 = dir.path().string();
    f.Edit2 = "fr";
    // Frames are written as cursors, and the preview says so.
    EXPECT_EQ(BatchPreview(s, f), (dir.path() / "fr0.cur").string());
    for (const BatchFile& file : PlanBatchSave(s, f)) EXPECT_EQ(file.Type, 2);
    EXPECT_EQ(RunBatchSave(s, f), 2);
    const std::vector<Bytes> chunks = test::IconChunks(file);
    EXPECT_EQ(test::ReadAll(dir.path() / "fr0.cur"), chunks[0]);
    EXPECT_EQ(test::ReadAll(dir.path() / "fr1.cur"), chunks[1]);
}

TEST(AnimationPage, AStoredRateBeyondTheFieldIsShownButKept) {
    MainState s = WithAni(test::MultiSizeAni(2, {32}, {0, 1}, {150, 5000}));
    const auto before = s.doc.AniSet->Steps;
    RateFieldShow a = RateFieldFor(*s.doc.AniSet, 0);
    EXPECT_EQ(a.value, 150);
    EXPECT_FALSE(a.beyond);
    EXPECT_EQ(a.note, "= 2500 ms");
    RateFieldShow b = RateFieldFor(*s.doc.AniSet, 1);
    EXPECT_EQ(b.value, kRateFieldMax);
    EXPECT_TRUE(b.beyond);
    EXPECT_NE(b.note.find("5000"), std::string::npos);
    EXPECT_EQ(s.doc.AniSet->Steps, before);
    EXPECT_EQ(test::ChunkValues(s.doc.AniSet->SaveToBytes(), "rate"), (std::vector<std::int32_t>{150, 5000}));
}

TEST(AnimationPage, OneRateForSeveralStepsAndAMoveAreOneUndoStepEach) {
    MainState s = WithAni(test::MultiSizeAni(3, {16, 32, 48}));
    RunUndoable(s, kUndoAniSet, "rate", [&] { SetStepsRate(*s.doc.AniSet, {0, 2}, 30); });
    RunUndoable(s, kUndoAniSet, "move", [&] { MoveFrames(*s.doc.AniSet, {2}, -1); });
    EXPECT_EQ(s.doc.AniSet->Steps[1].Frame, 2);
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_EQ(s.doc.AniSet->Steps[1].Frame, 1);
    EXPECT_EQ(s.doc.AniSet->Steps[2].Rate, 30);
    // The other sizes come back with the frames.
    for (int f = 0; f < 3; ++f) EXPECT_EQ(FrameSizesCaption(*s.doc.AniSet, f), "16, 32, 48");
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_EQ(s.doc.AniSet->Steps[2].Rate, 6);
    EXPECT_FALSE(UndoEdit(s));
}

TEST(AnimationPage, TitleCharactersOutsideShiftJisAreNamedBeforeSaving) {
    MainState s = WithAni(test::MultiSizeAni(1, {32}));
    TAniEX& a = *s.doc.AniSet;
    SetInfoText(a, false, "Zoë の矢印");
    SetInfoText(a, true, "作者");
    EXPECT_EQ(a.Creator, Utf8ToShiftJis("作者"));
    EXPECT_EQ(InfoFieldText(a, false), "Zoë の矢印");
    {
        test::NoticeRecorder notices;
        notices.answers = {false};  // keep Shift-JIS
        std::unique_ptr<TAniEX> held = CopyAniSet(a);
        TAniEX& copy = *held;
        SettleInfoEncoding(copy);
        ASSERT_EQ(notices.notices.size(), 1u);
        EXPECT_NE(notices.notices[0].text.find("ë"), std::string::npos);
        EXPECT_EQ(copy.Title, Utf8ToShiftJis("Zo? の矢印"));
    }
    {
        test::NoticeRecorder notices;
        notices.answers = {true};  // UTF-8
        SettleInfoEncoding(a);
        EXPECT_EQ(a.Title, "Zoë の矢印");
        SettleInfoEncoding(a);  // asked once
        EXPECT_EQ(notices.notices.size(), 1u);
    }
    TAniEX back;
    const Bytes saved = a.SaveToBytes();
    ASSERT_TRUE(back.LoadFromMemory(saved.data(), saved.size(), "t.ani"));
    EXPECT_EQ(InfoFieldText(back, false), "Zoë の矢印");
    EXPECT_EQ(InfoFieldText(back, true), "作者");
}

TEST(AnimationPage, AutoCompletionAddsTheMissingSizesToEveryFrame) {
    const Bytes file = test::MultiSizeAni(2, {32});
    MainState s = WithAni(file);
    s.settings.autoicon = {};
    s.settings.autoicon[5] = true;                  // 16 px, 4 bits
    s.settings.autoicon[kClassicFormats + 2] = true;  // 48 px, 32 bits
    s.settings.autoicon[11] = true;                 // 32 px, 8 bits: the frames have it
    EXPECT_EQ(AutoCompleteFrames(s), 4);
    const TAniEX& a = *s.doc.AniSet;
    const std::vector<Bytes> before = test::IconChunks(file);
    for (int f = 0; f < 2; ++f) {
        EXPECT_EQ(FrameSizesCaption(a, f), "16, 32, 48");
        EXPECT_EQ(ShownSize(a, f), 32);
        const FrameImageList* list = a.ImagesOfFrame(f);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->Images.size(), 3u);
        // The frame's own image first and unchanged; the hot spot (1, 2) scaled.
        EXPECT_EQ(list->Images[0].Data, Bytes(before[f].begin() + 22, before[f].end()));
        for (const FrameImage& im : list->Images)
            if (im.Width == 48) {
                EXPECT_EQ(im.HotSpotX(), 1);
                EXPECT_EQ(im.HotSpotY(), 3);
            }
    }
    EXPECT_EQ(AutoCompleteFrames(s), 0);  // nothing is missing any more
}
