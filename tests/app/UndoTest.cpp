#include <gtest/gtest.h>

#include <filesystem>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "app/DocumentOpen.h"
#include "app/EntryCommands.h"
#include "app/LeaveDocument.h"
#include "app/PendingViews.h"
#include "app/SetCopy.h"
#include "app/UndoCommands.h"
#include "imaging/MaskOps.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "platform/Errors.h"

using namespace vornik;
using vornik::test::NoticeRecorder;

namespace {

MainState IconState() {
    MainState s;
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.IconSet->ResourceType = 1;
    s.doc.AniSet = std::make_unique<TAniEX>();
    return s;
}

void PutViews(EditState& e, int side, int maskSide) {
    TQvDIB image, mask;
    image.CreateDIB(side, side, 0, 24);
    mask.CreateDIB(maskSide, maskSide, 0, 24);
    e.imgxor = image;
    e.imgand = mask;
}

RasterColor MaskPixel(const MainState& s, int x, int y) {
    TQvDIB copy = *s.edit.imgand;
    return TQvDIBCanvas(copy).GetPixel(x, y);
}

}  // namespace

TEST(Undo, ViewEditsUndoAndRedoInOrder) {
    MainState s = IconState();
    PutViews(s.edit, 16, 16);
    const TQvDIB original = *s.edit.imgand;
    RunUndoable(s, kUndoViews, "paint", [&] { TQvDIBCanvas(*s.edit.imgand).SetPixel(3, 4, kRasterWhite); });
    RunUndoable(s, kUndoViews, "convert", [&] { s.edit.cmbcolor = 3; });
    EXPECT_EQ(s.History.UndoCount(), 2u);
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_EQ(s.edit.cmbcolor, 1);
    EXPECT_EQ(MaskPixel(s, 3, 4), kRasterWhite);
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_TRUE(s.edit.imgand->SharesStorageWith(original));
    EXPECT_FALSE(UndoEdit(s));
    ASSERT_TRUE(RedoEdit(s));
    EXPECT_EQ(MaskPixel(s, 3, 4), kRasterWhite);
    ASSERT_TRUE(RedoEdit(s));
    EXPECT_EQ(s.edit.cmbcolor, 3);
    EXPECT_FALSE(RedoEdit(s));
    // A new edit after an undo drops what could have been redone.
    ASSERT_TRUE(UndoEdit(s));
    RunUndoable(s, kUndoViews, "hot spot", [&] { s.edit.spex = 5; });
    EXPECT_FALSE(s.History.CanRedo());
}

TEST(Undo, CommandsThatChangeNothingRecordNothing) {
    MainState s = IconState();
    PutViews(s.edit, 16, 16);
    RunUndoable(s, kUndoViews | kUndoIconSet, "nothing", [] {});
    EXPECT_FALSE(s.History.CanUndo());
    EXPECT_FALSE(s.doc.IconModified);
}

TEST(Undo, SetEditsMarkTheDocumentAndComeBack) {
    MainState s = IconState();
    PutViews(s.edit, 32, 32);
    s.edit.PageControl1 = kIconPage;
    RunUndoable(s, kUndoIconSet, "add", [&] { AddEntryFromViews(s); });
    ASSERT_EQ(s.doc.IconSet->Count, 1);
    EXPECT_TRUE(s.doc.IconModified);
    EXPECT_EQ(WindowTitle(s), "*" + s.Caption);
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_EQ(s.doc.IconSet->Count, 0);
    ASSERT_TRUE(RedoEdit(s));
    ASSERT_EQ(s.doc.IconSet->Count, 1);
    EXPECT_EQ(s.doc.IconSet->Entries[0].Width, 32);

    // Animation: frames, steps and texts are one set; undo shows its page.
    s.edit.PageControl1 = kAnimationPage;
    RunUndoable(s, kUndoAniSet, "frame", [&] {
        s.doc.AniSet->AddFrame();
        s.doc.AniSet->Title = "t";
    });
    EXPECT_TRUE(s.doc.AniModified);
    s.edit.PageControl1 = kIconPage;
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_EQ(s.edit.PageControl1, kAnimationPage);
    EXPECT_EQ(s.doc.AniSet->Count, 0);
    EXPECT_EQ(s.doc.AniSet->Title, "");
}

TEST(Undo, AFailedCommandLeavesEverythingAsItWas) {
    MainState s = IconState();
    PutViews(s.edit, 32, 32);
    RunUndoable(s, kUndoIconSet, "add", [&] { AddEntryFromViews(s); });
    const auto before = CopySet(*s.doc.IconSet);
    s.doc.IconModified = false;
    EXPECT_THROW(RunUndoable(s, kUndoIconSet | kUndoViews, "bad",
                             [&] {
                                 s.doc.IconSet->AddSlot(0);
                                 s.edit.spex = 9;
                                 throw std::runtime_error("x");
                             }),
                 std::runtime_error);
    EXPECT_TRUE(SameSet(*before, *s.doc.IconSet));
    EXPECT_EQ(s.edit.spex, 0);
    EXPECT_FALSE(s.doc.IconModified);
    EXPECT_EQ(s.History.UndoCount(), 1u);
}

TEST(Undo, HistoryIsBoundedByCountAndBytes) {
    UndoHistory h(3, 1000);
    for (int i = 0; i < 5; ++i) {
        UndoStep step;
        step.label = std::to_string(i);
        step.bytes = 100;
        h.Push(std::move(step));
    }
    EXPECT_EQ(h.UndoCount(), 3u);
    EXPECT_EQ(h.TakeUndo()->label, "4");
    UndoHistory small(100, 250);
    for (int i = 0; i < 5; ++i) {
        UndoStep step;
        step.bytes = 100;
        small.Push(std::move(step));
    }
    EXPECT_EQ(small.UndoCount(), 2u);
    EXPECT_LE(small.BytesHeld(), 250u);
    UndoStep huge;
    huge.bytes = 10000;
    small.Push(std::move(huge));
    EXPECT_EQ(small.UndoCount(), 1u);  // the newest step stays, whatever its size
}

TEST(Undo, PaintingStepsOnlyHoldThePicturesTheyChanged) {
    MainState s = IconState();
    PutViews(s.edit, 256, 256);
    TQvDIB bmp;
    bmp.CreateDIB(1024, 768, 0, 24);
    s.edit.imgbmp = bmp;
    for (int i = 0; i < 10; ++i)
        RunUndoable(s, kUndoViews, "paint",
                    [&] { TQvDIBCanvas(*s.edit.imgand).SetPixel(i, i, kRasterWhite); });
    // Ten mask pictures of 192 KiB, the shared Bitmap page picture not once.
    EXPECT_LT(s.History.BytesHeld(), 10u * (256 * 256 * 3 + 4096));
}

TEST(Undo, AddAndReplaceOfAMismatchedPairChangeNothing) {
    NoticeRecorder rec;
    MainState s = IconState();
    PutViews(s.edit, 32, 32);
    AddEntryFromViews(s);
    const auto before = CopySet(*s.doc.IconSet);
    PutViews(s.edit, 48, 32);
    EXPECT_THROW(AddEntryFromViews(s), EVornikError);
    s.LVIcon.selected = 0;
    try {
        ReplaceEntryFromViews(s, -1);
        ADD_FAILURE() << "replaced";
    } catch (const EVornikError& e) {
        EXPECT_NE(std::string(e.what()).find("The image (48 x 48) and the mask (32 x 32)"),
                  std::string::npos);
    }
    EXPECT_TRUE(SameSet(*before, *s.doc.IconSet));
    s.edit.PageControl1 = kAnimationPage;
    EXPECT_THROW(AddEntryFromViews(s), EVornikError);
    EXPECT_EQ(s.doc.AniSet->Count, 0);
}

TEST(LeaveDocument, ModifiedDocumentsAskSaveDiscardOrCancel) {
    MainState s = IconState();
    PutViews(s.edit, 32, 32);
    MarkViewsClean(s, -1);  // views already in a document: only the set is asked about
    std::vector<std::string> asked;
    SaveChoice answer = SaveChoice::Cancel;
    s.AskSaveChanges = [&](const Message& text) {
        asked.push_back(EnglishText(text));
        return answer;
    };
    EXPECT_TRUE(ConfirmLeave(s, kIconPage));  // nothing changed: nothing asked
    EXPECT_TRUE(asked.empty());
    RunUndoable(s, kUndoIconSet, "add", [&] { AddEntryFromViews(s); });
    EXPECT_FALSE(ConfirmLeave(s, kIconPage));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "\"Untitled icon\" has been changed. Save the changes?");
    NewDocument(s, [] { return 0; });  // cancelled: the document stays
    EXPECT_EQ(s.doc.IconSet->Count, 1);
    EXPECT_FALSE(ConfirmClose(s));
    answer = SaveChoice::Discard;
    EXPECT_TRUE(ConfirmClose(s));
    NewDocument(s, [] { return 0; });
    EXPECT_EQ(s.doc.IconSet->Count, 0);
    EXPECT_FALSE(s.doc.IconModified);
    EXPECT_FALSE(s.History.CanUndo());  // no step reaches back into the discarded document

    // Save: writes the file and leaves; a failed save keeps the document.
    test::TempDir dir;
    RunUndoable(s, kUndoIconSet, "add", [&] { AddEntryFromViews(s); });
    s.doc.IconFileName = dir.file("kept.ico");
    answer = SaveChoice::Save;
    EXPECT_TRUE(ConfirmLeave(s, kIconPage));
    EXPECT_FALSE(s.doc.IconModified);
    EXPECT_TRUE(std::filesystem::exists(dir.file("kept.ico")));
    RunUndoable(s, kUndoIconSet, "add", [&] { AddEntryFromViews(s); });
    s.doc.IconFileName = dir.file("no/such/folder/x.ico");
    EXPECT_ANY_THROW(ConfirmLeave(s, kIconPage));
    EXPECT_TRUE(s.doc.IconModified);
}
