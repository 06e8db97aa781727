#include <gtest/gtest.h>

#include "NoticeRecorder.h"
#include "anim/TAniEX.h"
#include "app/EditActions.h"
#include "app/EntryCommands.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "platform/Bytes.h"

using namespace vornik;

namespace {

int BitsOf(const IconEntry& e) { return ReadU16LE(e.InfoHeader.data() + 14); }

// Appends one entry of the given size and depth.
void AddEntry(TIconEx& set, int side, int bits) {
    TQvDIB image, mask;
    image.CreateDIB(side, side, bits <= 8 ? (1 << bits) : 0, bits);
    mask.CreateDIB(side, side, 2, 1);
    const int i = set.AddSlot(-1);
    ASSERT_GE(i, 0);
    DIBsToEntry(set, image, mask, i);
}

MainState IconState() {
    MainState s;
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.IconSet->ResourceType = 1;
    return s;
}

void PutViews(EditState& e, int side) {
    TQvDIB image, mask;
    image.CreateDIB(side, side, 0, 24);
    mask.CreateDIB(side, side, 0, 24);
    e.imgxor = image;
    e.imgand = mask;
}

}  // namespace

TEST(EntryCommands, FormatsAndSourcePick) {
    EXPECT_EQ(FormatSize(0), 16);
    EXPECT_EQ(FormatSize(19), 128);
    EXPECT_EQ(FormatBitCount(4), 1);
    EXPECT_EQ(FormatBitCount(11), 8);
    EXPECT_EQ(FormatBitCount(15), 24);
    TIconCurEX set;
    EXPECT_EQ(PickSourceEntry(set, 32), -1);
    AddEntry(set, 16, 24);  // deepest
    AddEntry(set, 48, 4);   // widest
    EXPECT_TRUE(EntryHasFormat(set, 1, 7));
    EXPECT_EQ(PickSourceEntry(set, 16), 0);
    EXPECT_EQ(PickSourceEntry(set, 32), 1);  // larger than the deepest entry: the widest
}

TEST(EntryCommands, AutoCompletionFillsTheDefaultFormatsInFront) {
    MainState s = IconState();
    AddEntry(*s.doc.IconSet, 32, 8);
    s.settings.autoicon = DefaultAutoIconFormats();
    AddMissingFormats(s);
    const TIconCurEX& set = *s.doc.IconSet;
    ASSERT_EQ(set.Count, 6);
    const int sides[6] = {16, 32, 48, 16, 48, 32};
    const int bits[6] = {4, 4, 4, 8, 8, 8};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(set.Entries[i].Width, sides[i]) << i;
        EXPECT_EQ(BitsOf(set.Entries[i]), bits[i]) << i;
    }
    EXPECT_EQ(s.LVIcon.items.size(), 6u);
    EXPECT_FALSE(s.WaitCursor);
    // Nothing enabled: nothing changes.
    s.settings.autoicon = {};
    AddMissingFormats(s);
    EXPECT_EQ(s.doc.IconSet->Count, 6);
}

TEST(EntryCommands, AutoCompletionMakesAlphaFormatsUpTo256FromTheMask) {
    MainState s = IconState();
    TIconCurEX& set = *s.doc.IconSet;
    // A 64 px 8-bit icon whose mask makes its left half transparent.
    TQvDIB image, mask;
    image.CreateDIB(64, 64, 256, 8);
    mask.CreateDIB(64, 64, 0, 24);
    {
        TQvDIBCanvas canvas(mask);
        canvas.FillRect(0, 0, 64, 64, RgbColor(0, 0, 0));
        canvas.FillRect(0, 0, 32, 64, RgbColor(255, 255, 255));
    }
    ASSERT_EQ(set.AddSlot(-1), 0);
    DIBsToEntry(set, image, mask, 0);
    s.settings.autoicon[kClassicFormats + 0] = true;  // 16 x 16 with alpha
    s.settings.autoicon[kClassicFormats + 5] = true;  // 256 x 256 with alpha
    AddMissingFormats(s);
    ASSERT_EQ(set.Count, 3);
    EXPECT_EQ(set.Entries[0].PixelWidth(), 16);
    EXPECT_EQ(set.Entries[1].PixelWidth(), 256);
    for (int i : {0, 1}) {
        EXPECT_EQ(BitsOf(set.Entries[i]), 32) << i;
        EXPECT_TRUE(EntryHasFormat(set, i, kClassicFormats + (i == 0 ? 0 : 5))) << i;
        TQvDIB rgba, m;
        EntryToDIBs(set, rgba, m, i);
        const int side = rgba.Width();
        const std::uint8_t* bottomRow = rgba.ScanLine(rgba.Height() - 1);
        EXPECT_EQ(bottomRow[3], 0) << i;                       // left: transparent
        EXPECT_EQ(bottomRow[(side - 1) * 4 + 3], 255) << i;    // right: opaque
    }
    // Run again: both are there, nothing is added.
    AddMissingFormats(s);
    EXPECT_EQ(set.Count, 3);
}

TEST(EntryCommands, HotSpotOfA256PixelCursorReachesItsLastPixel) {
    EditState e;
    SetHotSpot(e, 200, 300);
    EXPECT_EQ(e.spex, 127);  // no picture, or one of 128 px or less: the classic range
    TQvDIB big;
    big.CreateDIB(256, 256, 0, 32);
    e.imgxor = big;
    SetHotSpot(e, 200, 300);
    EXPECT_EQ(e.spex, 200);
    EXPECT_EQ(e.spey, 255);
}

TEST(EntryCommands, ReplaceNeedsASelectionAndTakesTheHotSpot) {
    test::NoticeRecorder notices;
    MainState s = IconState();
    s.doc.IconSet->ResourceType = 2;
    AddEntry(*s.doc.IconSet, 32, 4);
    PutViews(s.edit, 48);
    s.edit.spex = 3;
    s.edit.spey = 4;
    s.LVIcon.selected = -1;
    ReplaceEntryFromViews(s, -1);
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, kReplaceNeedsSelection);
    s.LVIcon.selected = 0;
    ReplaceEntryFromViews(s, -1);
    EXPECT_EQ(s.doc.IconSet->Entries[0].Width, 48);
    EXPECT_EQ(s.doc.IconSet->Entries[0].HotSpotX, 3);
    EXPECT_EQ(s.doc.IconSet->Entries[0].HotSpotY, 4);
    // The Bitmap page does nothing.
    s.edit.PageControl1 = kBitmapPage;
    ReplaceEntryFromViews(s, -1);
    EXPECT_EQ(notices.notices.size(), 1u);
}

TEST(EntryCommands, AddPutsEntriesFirstAndFramesLast) {
    MainState s = IconState();
    AddEntry(*s.doc.IconSet, 32, 4);
    PutViews(s.edit, 16);
    AddEntryFromViews(s);
    ASSERT_EQ(s.doc.IconSet->Count, 2);
    EXPECT_EQ(s.doc.IconSet->Entries[0].Width, 16);
    EXPECT_EQ(s.doc.IconSet->Entries[1].Width, 32);

    s.doc.AniSet = std::make_unique<TAniEX>(10);
    AddEntry(*s.doc.AniSet, 32, 4);
    int refreshed = 0;
    s.RefillAnimation = [&](MainState&) { ++refreshed; };
    s.edit.PageControl1 = kAnimationPage;
    const int frames = s.doc.AniSet->Count;
    AddEntryFromViews(s);
    ASSERT_EQ(s.doc.AniSet->Count, frames + 1);
    EXPECT_EQ(s.doc.AniSet->Entries[frames].Width, 16);
    EXPECT_EQ(refreshed, 1);
}
