// The editor keeps alpha through edits, stores and exports, and does not
// lose edits or change a document's kind behind the user's back.
#include <gtest/gtest.h>

#include <filesystem>

#include "DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "RgbaPictures.h"
#include "app/ClipboardCommands.h"
#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/EntryCommands.h"
#include "app/ImportCommand.h"
#include "app/LeaveDocument.h"
#include "app/MaskPaint.h"
#include "app/PendingViews.h"
#include "app/SaveExport.h"
#include "app/UndoCommands.h"
#include "app/ViewTransforms.h"
#include "imaging/AlphaMask.h"
#include "imaging/BmpAlpha.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIBCanvas.h"
#include "imaging/TransformView.h"
#include "model/EntryConversion.h"
#include "model/PngImage.h"
#include "platform/FileDialogsScript.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

using test::Bgra;
using test::RgbaAt;

// A 48 px icon with a soft shadow: an opaque square, a shadow fading out to
// the lower right, and colour under fully transparent pixels.
TQvDIB ShadowIcon() {
    return test::RgbaPicture(48, 48, [](int x, int y) {
        if (x >= 8 && x < 30 && y >= 10 && y < 34)
            return Bgra{200, static_cast<std::uint8_t>(x * 5), 40, 255};
        const int d = std::max(x - 30, y - 34);
        if (x >= 10 && y >= 12 && x < 40 && y < 44 && d < 10)
            return Bgra{0, 0, 0, static_cast<std::uint8_t>(std::max(1, 120 - 12 * std::max(d, 0)))};
        return Bgra{0, 90, 0, 0};
    });
}

void ExpectSameRgba(const TQvDIB& a, const TQvDIB& b) {
    ASSERT_EQ(a.GetBitCount(), 32);
    ASSERT_EQ(b.GetBitCount(), 32);
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(RgbaAt(a, x, y), RgbaAt(b, x, y)) << x << "," << y;
}

// An icon/cursor document holding the picture as its only entry, shown in the views.
void OpenPicture(MainState& s, const TQvDIB& picture, int resourceType) {
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.IconSet->InitEntry(0, resourceType, picture.Width(), picture.Height(), 32);
    s.doc.IconSet->Count = 1;
    DIBsToEntry(*s.doc.IconSet, picture, MaskFromAlpha(picture), 0);
    s.doc.IconSet->Entries[0].HotSpotX = resourceType == 2 ? 5 : 1;
    s.doc.IconSet->Entries[0].HotSpotY = resourceType == 2 ? 7 : 32;
    MarkClean(s, kIconPage);
    RefillResourceList(s);
    s.LVIcon.selected = 0;
    ShowEntry(s);
}

TQvDIB EntryImage(const TIconEx& set, int index) {
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, index);
    return image;
}

TEST(AlphaEditTest, MirrorStoreAndSaveKeepTheShadowPixelForPixel) {
    test::TempDir dir;
    MainState s;
    const TQvDIB icon = ShadowIcon();
    OpenPicture(s, icon, 1);
    ASSERT_EQ(s.edit.imgxor->GetBitCount(), 32);
    EXPECT_EQ(s.edit.cmbcolor, kColorAlpha);

    RunUndoable(s, kUndoViews, "views", [&] { TransformViews(s.edit, ViewTransform::Mirror); });
    EXPECT_TRUE(ViewsPending(s));
    ReplaceEntryFromViews(s, -1);
    EXPECT_FALSE(ViewsPending(s));
    s.doc.IconFileName = dir.file("shadow.ico");
    ASSERT_TRUE(SaveDocument(s));

    TIconCurEX back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("shadow.ico")));
    TQvDIB mirrored = icon;
    MirrorView(mirrored);
    ExpectSameRgba(EntryImage(back, 0), mirrored);
    // Still an icon entry: planes 1 and 32 bits in its directory.
    EXPECT_EQ(back.Entries[0].HotSpotX, 1);
    EXPECT_EQ(back.Entries[0].HotSpotY, 32);

    // Export: the PNG and the BMP carry the entry's own alpha.
    s.edit.target = ResourceTarget::Image;
    FileDialogsScript dialogs;
    dialogs.answer(dir.file("shadow.png"));
    ASSERT_TRUE(ExportImagePair(s));
    const Bytes png = ReadFileBytes(dir.file("shadow.png"));
    int w = 0, h = 0;
    Bytes bgra;
    ASSERT_EQ(DecodePngBgra(png.data(), png.size(), 256, &w, &h, bgra), "");
    ASSERT_EQ(w, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const Bgra expected = RgbaAt(mirrored, x, y);
            const std::uint8_t* p = bgra.data() + 4 * (y * 48 + x);
            ASSERT_EQ(p[3], expected[3]) << x << "," << y;
            if (expected[3] != 0) {
                ASSERT_EQ((Bgra{p[0], p[1], p[2], p[3]}), expected) << x << "," << y;
            }
        }
    dialogs.answer(dir.file("shadow.bmp"));
    s.edit.cmbtype = kTypeBitmap;
    ASSERT_TRUE(ExportImagePair(s));
    const auto bmp = DecodeBmpAlpha(ReadFileBytes(dir.file("shadow.bmp")), false);
    ASSERT_TRUE(bmp);
    ExpectSameRgba(*bmp, mirrored);
}

TEST(AlphaEditTest, CursorHotSpotFollowsTheTransformsOfTheImage) {
    MainState s;
    OpenPicture(s, ShadowIcon(), 2);
    ASSERT_EQ(s.edit.cmbtype, kTypeCursor);
    ASSERT_EQ(s.edit.spex, 5);
    TransformViews(s.edit, ViewTransform::Mirror);
    EXPECT_EQ(s.edit.spex, 42);
    EXPECT_EQ(s.edit.spey, 7);
    TransformViews(s.edit, ViewTransform::Flip);
    EXPECT_EQ(s.edit.spey, 40);
    TransformViews(s.edit, ViewTransform::QuarterRight);  // (42, 40) -> (7, 42)
    EXPECT_EQ(s.edit.spex, 7);
    EXPECT_EQ(s.edit.spey, 42);
    TransformViews(s.edit, ViewTransform::QuarterLeft);
    EXPECT_EQ(s.edit.spex, 42);
    EXPECT_EQ(s.edit.spey, 40);
    s.edit.target = ResourceTarget::Mask;  // the image does not move: neither does the hot spot
    TransformViews(s.edit, ViewTransform::Mirror);
    EXPECT_EQ(s.edit.spex, 42);
    s.edit.target = ResourceTarget::View;
    TransformViews(s.edit, ViewTransform::Angle, 30, false);
    EXPECT_GE(s.edit.spex, 0);
    EXPECT_LT(s.edit.spex, 48);
    EXPECT_EQ(s.edit.imgxor->GetBitCount(), 32);
    EXPECT_EQ(RgbaAt(*s.edit.imgxor, 0, 0)[3], 0);  // uncovered: transparent
}

TEST(AlphaEditTest, MaskEditsReachTheEntryOnlyWhereTheMaskChanged) {
    MainState s;
    const TQvDIB icon = ShadowIcon();
    OpenPicture(s, icon, 1);
    // Paint an opaque pixel into the transparent corner and clear one of the square.
    PaintMaskPixel(s.edit, 1, 1, true);
    PaintMaskPixel(s.edit, 12, 12, false);
    ReplaceEntryFromViews(s, -1);
    const TQvDIB stored = EntryImage(*s.doc.IconSet, 0);
    EXPECT_EQ(RgbaAt(stored, 1, 1)[3], 255);
    EXPECT_EQ(RgbaAt(stored, 12, 12)[3], 0);
    for (auto [x, y] : {std::pair{33, 37}, std::pair{35, 40}, std::pair{20, 20}})
        EXPECT_EQ(RgbaAt(stored, x, y), RgbaAt(icon, x, y)) << x << "," << y;
}

TEST(AlphaEditTest, PendingViewsAskBeforeTheyAreLost) {
    MainState s;
    OpenPicture(s, ShadowIcon(), 1);
    EXPECT_FALSE(ViewsPending(s));
    EXPECT_NE(WindowTitle(s).substr(0, 1), "*");
    PaintMaskPixel(s.edit, 0, 0, true);
    EXPECT_TRUE(ViewsPending(s));
    EXPECT_EQ(WindowTitle(s).substr(0, 1), "*");

    std::vector<std::string> asked;
    SaveChoice answer = SaveChoice::Cancel;
    s.AskSaveChanges = [&](const Message& text) {
        asked.push_back(EnglishText(text));
        return answer;
    };
    EXPECT_FALSE(ConfirmClose(s));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], kStoreViewsQuestion);
    // Selecting another entry after cancel leaves the views.
    const TQvDIB edited = *s.edit.imgand;
    ShowEntry(s);
    EXPECT_TRUE(s.edit.imgand->SharesStorageWith(edited));

    answer = SaveChoice::Save;  // store into the entry the views came from
    EXPECT_TRUE(ConfirmPendingViews(s));
    EXPECT_FALSE(ViewsPending(s));
    EXPECT_EQ(s.doc.IconSet->Count, 1);
    EXPECT_EQ(RgbaAt(EntryImage(*s.doc.IconSet, 0), 0, 0)[3], 255);
    EXPECT_TRUE(s.doc.IconModified);

    // Undoing the store back to the saved state clears the marker; redo sets it.
    ASSERT_TRUE(UndoEdit(s));
    EXPECT_FALSE(s.doc.IconModified);
    ASSERT_TRUE(RedoEdit(s));
    EXPECT_TRUE(s.doc.IconModified);

    answer = SaveChoice::Discard;
    PaintMaskPixel(s.edit, 3, 3, true);
    EXPECT_TRUE(ConfirmPendingViews(s));
    EXPECT_FALSE(ViewsPending(s));
}

TEST(AlphaEditTest, SaveAsWritesTheKindTheNameSays) {
    test::TempDir dir;
    FileDialogsScript dialogs;
    MainState s;
    OpenPicture(s, ShadowIcon(), 1);
    dialogs.answer(dir.file("as.cur"));
    ASSERT_TRUE(SaveDocumentAs(s));
    TIconCurEX cursor;
    ASSERT_TRUE(cursor.LoadFromFile(dir.file("as.cur")));
    EXPECT_EQ(cursor.ResourceType, 2);
    EXPECT_EQ(cursor.Entries[0].HotSpotX, 0);
    EXPECT_EQ(cursor.Entries[0].HotSpotY, 0);
    EXPECT_EQ(s.doc.IconSet->ResourceType, 2);
    EXPECT_FALSE(s.doc.IconModified);

    dialogs.answer(dir.file("back.ico"), 1);
    ASSERT_TRUE(SaveDocumentAs(s));
    TIconCurEX icon;
    ASSERT_TRUE(icon.LoadFromFile(dir.file("back.ico")));
    EXPECT_EQ(icon.ResourceType, 1);
    EXPECT_EQ(icon.Entries[0].HotSpotX, 1);
    EXPECT_EQ(icon.Entries[0].HotSpotY, 32);
    ExpectSameRgba(EntryImage(icon, 0), ShadowIcon());

    dialogs.answer(dir.file("plain"), 1);  // no extension: the document's own
    ASSERT_TRUE(SaveDocumentAs(s));
    EXPECT_TRUE(std::filesystem::exists(dir.file("plain.ico")));
    EXPECT_EQ(s.doc.IconFileName, dir.file("plain.ico"));
}

TEST(AlphaEditTest, AnUntouchedPngEntryKeepsItsBytes) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    MainState s;
    const std::string path = test::CopyAs(dir, "ico/imagers__png-32bpp-alpha.ico", "png.ico");
    OpenDocument(s, path);
    ASSERT_GE(s.doc.IconSet->Count, 1);
    const Bytes stream = s.doc.IconSet->Entries[0].PngStream;
    ASSERT_FALSE(stream.empty());
    s.LVIcon.selected = 0;
    ShowEntry(s);  // viewing is no touch
    ASSERT_TRUE(SaveDocument(s));
    TIconCurEX back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.Entries[0].PngStream, stream);
}

// A PNG with partial alpha: opened, the Bitmap page becomes the active page
// and holds its pixels exactly; imported into the views and added to the
// list, it becomes an entry with that very alpha.
TEST(AlphaEditTest, PngOpenAndImportKeepItsAlpha) {
    test::TempDir dir;
    const TQvDIB soft = test::SoftAlphaPicture(16, 16);
    SavePngFile(dir.file("soft.png"), soft);

    MainState s;
    ASSERT_EQ(s.edit.PageControl1, kIconPage);
    OpenDocument(s, dir.file("soft.png"));
    EXPECT_EQ(s.edit.PageControl1, kBitmapPage);
    ASSERT_TRUE(s.edit.imgbmp);
    ExpectSameRgba(*s.edit.imgbmp, soft);

    MainState t;
    t.doc.IconSet = std::make_unique<TIconCurEX>();
    t.doc.IconSet->ResourceType = 1;
    t.edit.target = ResourceTarget::Image;
    ASSERT_TRUE(ImportFile(t, dir.file("soft.png"), {}));
    ASSERT_TRUE(t.edit.imgxor);
    ExpectSameRgba(*t.edit.imgxor, soft);
    AddEntryFromViews(t);
    ASSERT_EQ(t.doc.IconSet->Count, 1);
    ExpectSameRgba(EntryImage(*t.doc.IconSet, 0), soft);
}

TEST(AlphaEditTest, PicturesWithAlphaComeInWithIt) {
    test::TempDir dir;
    MainState s;
    s.edit.target = ResourceTarget::Image;
    const TQvDIB soft = test::SoftAlphaPicture(16, 16);
    // A BMP file with a V5 header, under an extension of its own.
    WriteFileReplacing(dir.file("soft.bmp"), EncodeBmpAlpha(soft));
    ASSERT_TRUE(ImportFile(s, dir.file("soft.bmp"), {}));
    ExpectSameRgba(*s.edit.imgxor, soft);
    EXPECT_EQ(s.edit.cmbcolor, kColorAlpha);
    ASSERT_TRUE(s.edit.imgand);
    TQvDIBCanvas mask(*s.edit.imgand);
    EXPECT_EQ(mask.GetPixel(1, 0), kRasterWhite);  // alpha 1
    EXPECT_EQ(mask.GetPixel(2, 0), kRasterBlack);  // alpha 128

    // An SVG drawing: half-transparent blue stays half-transparent blue.
    {
        const std::string svg =
            "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='20'>"
            "<rect width='20' height='20' fill='#0000ff' fill-opacity='0.5'/></svg>";
        test::WriteAll(dir.file("soft.svg"), Bytes(svg.begin(), svg.end()));
    }
    MainState v;
    v.edit.target = ResourceTarget::Image;
    ASSERT_TRUE(ImportFile(v, dir.file("soft.svg"), {}));
    ASSERT_EQ(v.edit.imgxor->GetBitCount(), 32);
    const Bgra p = RgbaAt(*v.edit.imgxor, 10, 10);
    EXPECT_NEAR(p[3], 128, 2);
    EXPECT_GE(p[0], 250);
    EXPECT_EQ(v.edit.imgand->Width(), 20);

    // The clipboard: a 32-bit block with alpha.
    MainState c;
    c.edit.target = ResourceTarget::Image;
    // As the platform's: a DIB offered is a bitmap offered.
    struct Clipboard : TQvMemoryClipboard {
        bool HasFormat(std::uint32_t format) const override {
            return TQvMemoryClipboard::HasFormat(format == CF_BITMAP ? CF_DIB : format);
        }
    } clipboard;
    clipboard.SetData({CF_DIB, EncodeBmpAlpha(soft, true), std::nullopt});
    EntryClipboard entries;
    PasteFromClipboard(c, entries, clipboard);
    ASSERT_TRUE(c.edit.imgxor);
    ExpectSameRgba(*c.edit.imgxor, soft);
}

}  // namespace
}  // namespace vornik
