#include <gtest/gtest.h>

#include "NoticeRecorder.h"
#include "anim/TAniEX.h"
#include "app/ClipboardCommands.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"

#include "DibClipboard.h"

using namespace vornik;

namespace {

using Clipboard = test::DibClipboard;

TQvDIB Picture(int side, RasterColor colour) {
    TQvDIB d;
    d.CreateDIB(side, side, 0, 24);
    TQvDIBCanvas(d).FillRect(0, 0, side, side, colour);
    return d;
}

MainState WithIcon() {
    MainState s;
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.IconSet->ResourceType = 1;
    TQvDIB mask;
    mask.CreateDIB(16, 16, 2, 1);
    s.doc.IconSet->AddSlot(-1);
    DIBsToEntry(*s.doc.IconSet, Picture(16, RgbColor(200, 0, 0)), mask, 0);
    return s;
}

}  // namespace

TEST(ClipboardCommands, ViewsGoThroughTheClipboard) {
    test::NoticeRecorder notices;
    Clipboard clipboard;
    EntryClipboard entries;
    entries.available = true;
    MainState s;
    s.edit.target = ResourceTarget::Image;
    s.edit.imgxor = Picture(20, RgbColor(1, 2, 3));
    CopyToClipboard(s, entries, clipboard, -1);
    EXPECT_EQ(clipboard.Content().format, CF_DIB);
    EXPECT_FALSE(entries.available);
    EXPECT_EQ(clipboard.Opens(), clipboard.Closes());

    s.edit.target = ResourceTarget::Mask;
    PasteFromClipboard(s, entries, clipboard);
    ASSERT_TRUE(s.edit.imgand);
    EXPECT_EQ(s.edit.imgand->Width(), 20);
    EXPECT_EQ(s.edit.imgand->GetBitCount(), 24);
    EXPECT_EQ(s.edit.cmbtype, kTypeBitmap);

    // The mask goes out as one bit per pixel.
    CopyToClipboard(s, entries, clipboard, -1);
    TQvDIB back;
    back.LoadFromClipboardFormat(CF_DIB, &clipboard.Content().data, nullptr);
    EXPECT_EQ(back.GetBitCount(), 1);

    // An empty clipboard says so and changes nothing.
    Clipboard empty;
    s.edit.target = ResourceTarget::Image;
    PasteFromClipboard(s, entries, empty);
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, kNoBitmapOnClipboard);
    EXPECT_EQ(s.edit.imgxor->Width(), 20);
}

TEST(ClipboardCommands, EntriesAreCutAndPastedWhole) {
    test::NoticeRecorder notices;
    Clipboard clipboard;
    EntryClipboard entries;
    MainState s = WithIcon();
    s.LVIcon.selected = 0;
    CutToClipboard(s, entries, clipboard, -1);
    EXPECT_TRUE(entries.available);
    EXPECT_EQ(s.doc.IconSet->Count, 0);
    EXPECT_EQ(entries.image.Width(), 16);

    // Into another document: the entry comes first.
    MainState other = WithIcon();
    PasteFromClipboard(other, entries, clipboard);
    EXPECT_EQ(other.doc.IconSet->Count, 2);
    EXPECT_EQ(other.LVIcon.items.size(), 2u);

    // An animation takes it as its last frame; without a set there is a message.
    other.edit.PageControl1 = kAnimationPage;
    PasteFromClipboard(other, entries, clipboard);
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, kNoAniSetToPaste);
    other.doc.AniSet = std::make_unique<TAniEX>(10);
    PasteFromClipboard(other, entries, clipboard);
    EXPECT_EQ(other.doc.AniSet->Count, 1);

    // The Bitmap page takes the clipboard's bitmap at (0, 0).
    other.edit.PageControl1 = kBitmapPage;
    other.edit.spebx = 7;
    PasteFromClipboard(other, entries, clipboard);
    ASSERT_TRUE(other.edit.imgbmp);
    EXPECT_EQ(other.edit.imgbmp->Width(), 16);
    EXPECT_EQ(other.edit.spebx, 0);
}
