#include <gtest/gtest.h>

#include <filesystem>

#include "DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/SaveExport.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/TIconEx.h"
#include "platform/FileDialogsScript.h"

using namespace vornik;

namespace {

// A state with the first corpus icon open and its first entry in the views.
bool OpenFirstIcon(MainState& s, test::TempDir& dir) {
    const auto files = test::CorpusFiles("ico", ".ico");
    if (files.empty()) return false;
    const std::string copy = dir.file("in.ico");
    std::filesystem::copy_file(files.front(), copy);
    OpenDocument(s, copy);
    if (s.LVIcon.items.empty()) return false;
    s.LVIcon.selected = 0;
    ShowEntry(s);
    return s.edit.imgxor.has_value();
}

}  // namespace

TEST(SaveExport, SaveWritesToTheFileAndSaveAsAsksWithThePagesFilter) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    MainState s;
    s.doc.AniSet = std::make_unique<TAniEX>(10);
    ASSERT_TRUE(OpenFirstIcon(s, dir));
    const int count = s.doc.IconSet->Count;

    std::filesystem::remove(dir.file("in.ico"));
    SaveDocument(s);  // has a name: written without a question
    EXPECT_TRUE(dialogs.asked.empty());
    TIconCurEX back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("in.ico")));
    EXPECT_EQ(back.Count, count);

    dialogs.answer(dir.file("out.ico"));
    EXPECT_TRUE(SaveDocumentAs(s));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "save");
    EXPECT_EQ(dialogs.asked[0].request.filter, "Icon|*.ico");
    EXPECT_EQ(dialogs.asked[0].request.defaultExt, "ico");
    EXPECT_EQ(s.doc.IconFileName, dir.file("out.ico"));
    EXPECT_EQ(s.Caption, dir.file("out.ico") + " - " + kAppTitle);
    EXPECT_TRUE(std::filesystem::exists(dir.file("out.ico")));

    // Cancelled: nothing written, the name stays.
    dialogs.cancel();
    EXPECT_FALSE(SaveDocumentAs(s));
    EXPECT_EQ(s.doc.IconFileName, dir.file("out.ico"));
    // Save As starts in the document's own folder, with its name.
    EXPECT_EQ(dialogs.asked.back().request.initialDir,
              std::filesystem::path(dir.file("out.ico")).parent_path().string());
    EXPECT_EQ(dialogs.asked.back().request.fileName, "out.ico");

    // A cursor set offers the cursor filter.
    s.doc.IconSet->ResourceType = 2;
    dialogs.cancel();
    SaveDocumentAs(s);
    EXPECT_EQ(dialogs.asked.back().request.filter, "Cursor|*.cur|Xcursor|*");
    EXPECT_EQ(dialogs.asked.back().request.defaultExt, "cur");

    // An animation never saved goes through Save As with the .ani filter.
    s.edit.PageControl1 = kAnimationPage;
    dialogs.cancel();
    SaveDocument(s);
    EXPECT_EQ(dialogs.asked.back().request.filter, "Animated cursor|*.ani|Xcursor|*");
    EXPECT_EQ(dialogs.asked.back().request.defaultExt, "ani");
    // The Bitmap page saves nothing and asks nothing.
    const auto asked = dialogs.asked.size();
    s.edit.PageControl1 = kBitmapPage;
    SaveDocument(s);
    EXPECT_FALSE(SaveDocumentAs(s));
    EXPECT_EQ(dialogs.asked.size(), asked);
    EXPECT_TRUE(notices.notices.empty());
}

TEST(SaveExport, ExportByTypeAndTarget) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    MainState s;
    ASSERT_TRUE(OpenFirstIcon(s, dir));

    s.edit.cmbtype = kTypeCursor;
    s.edit.spex = 3;
    s.edit.spey = 4;
    dialogs.answer(dir.file("one.cur"));
    ASSERT_TRUE(ExportImagePair(s));
    TIconCurEX cur;
    ASSERT_TRUE(cur.LoadFromFile(dir.file("one.cur")));
    EXPECT_EQ(cur.ResourceType, 2);
    ASSERT_EQ(cur.Count, 1);
    EXPECT_EQ(cur.Entries[0].HotSpotX, 3);
    EXPECT_EQ(cur.Entries[0].HotSpotY, 4);

    s.edit.cmbtype = kTypeBitmap;
    s.edit.target = ResourceTarget::View;
    const auto asked = dialogs.asked.size();
    EXPECT_FALSE(ExportImagePair(s));
    EXPECT_EQ(dialogs.asked.size(), asked);  // no chooser
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, kExportNeedsTargetNotice);

    s.edit.target = ResourceTarget::Mask;
    dialogs.answer(dir.file("mask.jpg"));
    EXPECT_TRUE(ExportImagePair(s));
    EXPECT_GT(std::filesystem::file_size(dir.file("mask.jpg")), 0u);
    dialogs.answer(dir.file("mask.png"));
    EXPECT_TRUE(ExportImagePair(s));
    EXPECT_GT(std::filesystem::file_size(dir.file("mask.png")), 0u);
    dialogs.answer(dir.file("mask.gif"));  // no writer: refused with a message naming the file
    EXPECT_FALSE(ExportImagePair(s));
    EXPECT_FALSE(std::filesystem::exists(dir.file("mask.gif")));
    ASSERT_EQ(notices.notices.size(), 2u);
    EXPECT_NE(notices.notices[1].text.find("Cannot export to \"mask.gif\""), std::string::npos);

    s.edit.target = ResourceTarget::Image;
    s.settings.iconbackadd = true;
    dialogs.answer(dir.file("image.bmp"));
    EXPECT_TRUE(ExportImagePair(s));
    TQvDIB written;
    written.LoadFromFile(dir.file("image.bmp"));
    EXPECT_EQ(written.Width(), s.edit.imgxor->Width());
    EXPECT_EQ(notices.notices.size(), 2u);

    // The name decides the format, not the type selector.
    s.edit.cmbtype = kTypeIcon;
    dialogs.answer(dir.file("named.bmp"));
    EXPECT_TRUE(ExportImagePair(s));
    TQvDIB bmp;
    bmp.LoadFromFile(dir.file("named.bmp"));
    EXPECT_EQ(bmp.Width(), s.edit.imgxor->Width());
    dialogs.answer(dir.file("named.cur"));
    EXPECT_TRUE(ExportImagePair(s));
    TIconCurEX named;
    ASSERT_TRUE(named.LoadFromFile(dir.file("named.cur")));
    EXPECT_EQ(named.ResourceType, 2);
    EXPECT_EQ(ExportKindOf("x", kTypeCursor), ExportKind::Cursor);
    EXPECT_EQ(ExportKindOf("x.JPEG", kTypeIcon), ExportKind::Jpeg);
}

TEST(SaveExport, ComposedPictureTakesTheBackgroundUnderTransparentPixels) {
    TQvDIB image, mask;
    image.CreateDIB(2, 1, 0, 24);
    mask.CreateDIB(2, 1, 0, 24);
    {
        TQvDIBCanvas ci(image), cm(mask);
        ci.SetPixel(0, 0, RgbColor(10, 20, 30));
        ci.SetPixel(1, 0, RgbColor(40, 50, 60));
        cm.SetPixel(0, 0, kRasterWhite);
        cm.SetPixel(1, 0, kRasterBlack);
    }
    TQvDIB out = ComposeWithBackground(image, mask, 0xC0C0C0);
    TQvDIBCanvas c(out);
    EXPECT_EQ(c.GetPixel(0, 0), RasterColor(0xC0C0C0));
    EXPECT_EQ(c.GetPixel(1, 0), RgbColor(40, 50, 60));
    TQvDIBCanvas ci(image);
    EXPECT_EQ(ci.GetPixel(0, 0), RgbColor(10, 20, 30));  // the view's own picture is untouched
}
