// The editing views magnified: mouse positions in picture pixels at any zoom,
// "fit", and 32-bit pictures kept with their alpha.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QToolButton>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "app/ViewZoom.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"

using namespace vornik;

namespace {

TQvDIB Filled(int side, int bits, RasterColor c) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, bits);
    TQvDIBCanvas canvas(dib);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) canvas.SetPixel(x, y, c);
    return dib;
}

RasterColor PixelOf(const TQvDIB& dib, int x, int y) {
    TQvDIB copy = dib;
    return TQvDIBCanvas(copy).GetPixel(x, y);
}

int AlphaOf(const TQvDIB& dib, int x, int y) {
    return dib.ScanLine(dib.IsTopDown() ? y : dib.Height() - 1 - y)[4 * x + 3];
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A 32-bit picture with a soft drop shadow: every alpha from 0 to 255 occurs.
TQvDIB ShadowedPicture(int side) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 32);
    for (int y = 0; y < side; ++y) {
        std::uint8_t* row = dib.MutableScanLine(y);
        for (int x = 0; x < side; ++x) {
            row[4 * x + 0] = static_cast<std::uint8_t>(x * 7);
            row[4 * x + 1] = static_cast<std::uint8_t>(y * 5);
            row[4 * x + 2] = 200;
            row[4 * x + 3] = static_cast<std::uint8_t>((x * side + y) * 255 / (side * side - 1));
        }
    }
    return dib;
}

struct CanvasZoom : ::testing::Test {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w{store};

    void showPair(int side, int imageBits = 24) {
        w.state().edit.imgxor = Filled(side, imageBits, RgbColor(10, 120, 30));
        w.state().edit.imgand = Filled(side, 24, kRasterWhite);
        w.refresh();
    }
};

}  // namespace

TEST_F(CanvasZoom, AClickAtEightTimesSetsTheHotSpotInPicturePixels) {
    showPair(32);
    w.action("mnu_zoom8")->trigger();
    ASSERT_EQ(w.imgxor->zoom(), 8);
    EXPECT_EQ(w.imgxor->size(), QSize(256, 256));
    Mouse(w.imgxor, QEvent::MouseButtonPress, QPoint(8 * 5 + 7, 8 * 7 + 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(w.state().edit.spex, 5);
    EXPECT_EQ(w.state().edit.spey, 7);
    // The status shows picture pixels too.
    Mouse(w.imgxor, QEvent::MouseMove, QPoint(8 * 30, 8 * 2 + 7), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.panelText(2), "30,2");
    w.SaveState();
    EXPECT_EQ(store.read("option", "zoom"), "8");
}

TEST_F(CanvasZoom, ADragAtFourTimesPaintsAContinuousStroke) {
    showPair(32);
    w.action("mnu_zoom4")->trigger();
    Mouse(w.imgand, QEvent::MouseButtonPress, QPoint(4 * 2 + 1, 4 * 3 + 2), Qt::LeftButton, Qt::LeftButton);
    // Two jumps of many screen pixels each: the stroke must have no gaps.
    Mouse(w.imgand, QEvent::MouseMove, QPoint(4 * 20 + 3, 4 * 3 + 3), Qt::NoButton, Qt::LeftButton);
    Mouse(w.imgand, QEvent::MouseMove, QPoint(4 * 25 + 2, 4 * 12), Qt::NoButton, Qt::LeftButton);
    Mouse(w.imgand, QEvent::MouseButtonRelease, QPoint(4 * 25 + 2, 4 * 12), Qt::LeftButton, Qt::NoButton);
    const TQvDIB& mask = *w.state().edit.imgand;
    for (int x = 2; x <= 20; ++x) EXPECT_EQ(PixelOf(mask, x, 3), kRasterBlack) << x;
    for (int y = 3; y <= 12; ++y) {
        int black = 0;
        for (int x = 20; x <= 25; ++x) black += PixelOf(mask, x, y) == kRasterBlack;
        EXPECT_GE(black, 1) << "row " << y;
    }
    EXPECT_EQ(PixelOf(mask, 1, 3), kRasterWhite);
    EXPECT_EQ(PixelOf(mask, 2, 4), kRasterWhite);
    EXPECT_EQ(PixelOf(mask, 26, 12), kRasterWhite);
    // What is shown is what is held, after the stroke and without a refresh.
    const QImage shown = w.imgand->picture();
    EXPECT_EQ(qRed(shown.pixel(20, 3)), 0);
    EXPECT_EQ(qRed(shown.pixel(1, 3)), 255);
    // The stroke is one undo step.
    w.action("Undo1")->trigger();
    EXPECT_EQ(PixelOf(*w.state().edit.imgand, 10, 3), kRasterWhite);
}

TEST_F(CanvasZoom, FitPicksTheLargestWholeFactorForEachSize) {
    w.resize(1000, 760);
    w.show();
    QApplication::processEvents();
    for (int side : {16, 32, 48, 128, 256}) {
        showPair(side);
        QApplication::processEvents();
        const QSize room = w.ScrollBox1->maximumViewportSize().boundedTo(w.ScrollBox2->maximumViewportSize());
        const int z = w.imgxor->zoom();
        EXPECT_EQ(z, FitZoom(side, side, room.width(), room.height())) << side;
        EXPECT_EQ(w.imgand->zoom(), z) << side;
        if (side * z > std::min(room.width(), room.height())) {
            EXPECT_EQ(z, 1) << side << ": only a picture larger than its box may overflow it";
        } else {
            EXPECT_TRUE(z == kMaxZoom || side * (z + 1) > std::min(room.width(), room.height())) << side;
        }
    }
    // A chosen factor stays whatever the picture; "fit" is the new user's default.
    EXPECT_TRUE(w.action("mnu_zoomfit")->isChecked());
    w.action("mnu_zoom2")->trigger();
    showPair(16);
    EXPECT_EQ(w.imgxor->zoom(), 2);
    w.action("mnu_zoomin")->trigger();
    EXPECT_EQ(w.imgxor->zoom(), 4);
    EXPECT_TRUE(w.action("mnu_zoom4")->isChecked());
    w.action("mnu_zoomout")->trigger();
    w.action("mnu_zoomout")->trigger();
    EXPECT_EQ(w.imgxor->zoom(), 1);
}

TEST_F(CanvasZoom, ThirtyTwoBitEntryStoredBackUnchangedIsByteIdentical) {
    test::TempDir dir;
    TIconCurEX set;
    set.InitEntry(0, 1, 48, 48, 32);
    set.Count = 1;
    DIBsToEntry(set, ShadowedPicture(48), Filled(48, 24, kRasterBlack), 0);
    const Bytes file = set.SaveToBytes();
    test::WriteAll(dir.file("shadow.ico"), file);

    w.OpenDocument(QString::fromStdString(dir.file("shadow.ico")));
    ASSERT_EQ(w.LVIcon->count(), 1);
    const IconEntry before = w.state().doc.IconSet->Entries[0];
    w.LVIcon->selectIndex(0);
    w.LVIconDblClick();
    ASSERT_TRUE(w.imgxor->picture().hasAlphaChannel());  // shown over the checkerboard
    EXPECT_EQ(w.cmbcolor->currentIndex(), 4);  // "32ﾋﾞｯﾄ (ｱﾙﾌｧ)"
    qobject_cast<QToolButton*>(w.control("tbiconrep"))->click();
    EXPECT_TRUE(notices.notices.empty());
    const IconEntry& after = w.state().doc.IconSet->Entries[0];
    EXPECT_EQ(after.InfoHeader, before.InfoHeader);
    EXPECT_EQ(after.XorBits, before.XorBits);
    EXPECT_EQ(after.AndBits, before.AndBits);
    // Stored from the views, the icon's directory states planes 1 and its bit
    // count (bytes 10..13 of the file); every other byte stays.
    Bytes saved = w.state().doc.IconSet->SaveToBytes();
    ASSERT_EQ(saved.size(), file.size());
    EXPECT_EQ(ReadU16LE(saved.data() + 10), 1);
    EXPECT_EQ(ReadU16LE(saved.data() + 12), 32);
    std::copy(file.begin() + 10, file.begin() + 14, saved.begin() + 10);
    EXPECT_EQ(saved, file);
}

TEST_F(CanvasZoom, MaskPaintingOnThirtyTwoBitsSetsAlpha) {
    w.state().edit.imgxor = ShadowedPicture(16);
    w.state().edit.imgand = Filled(16, 24, kRasterBlack);
    w.refresh();
    w.action("mnu_zoom4")->trigger();
    const int untouched = AlphaOf(*w.state().edit.imgxor, 9, 9);
    // Right button: transparent, alpha 0; left: opaque, alpha 255.
    Mouse(w.imgand, QEvent::MouseButtonPress, QPoint(4 * 1, 4 * 2), Qt::RightButton, Qt::RightButton);
    Mouse(w.imgand, QEvent::MouseMove, QPoint(4 * 6, 4 * 2), Qt::NoButton, Qt::RightButton);
    Mouse(w.imgand, QEvent::MouseButtonRelease, QPoint(4 * 6, 4 * 2), Qt::RightButton, Qt::NoButton);
    Mouse(w.imgand, QEvent::MouseButtonPress, QPoint(4 * 3, 4 * 5), Qt::LeftButton, Qt::LeftButton);
    Mouse(w.imgand, QEvent::MouseButtonRelease, QPoint(4 * 3, 4 * 5), Qt::LeftButton, Qt::NoButton);
    const TQvDIB& image = *w.state().edit.imgxor;
    for (int x = 1; x <= 6; ++x) EXPECT_EQ(AlphaOf(image, x, 2), 0) << x;
    EXPECT_EQ(AlphaOf(image, 3, 5), 255);
    EXPECT_EQ(AlphaOf(image, 9, 9), untouched);
    EXPECT_EQ(PixelOf(*w.state().edit.imgand, 4, 2), kRasterWhite);
    // A flood (Shift) sets alpha over everything it fills.
    w.state().edit.imgand = Filled(16, 24, kRasterBlack);
    w.refresh();
    emit w.imgand->pressed(0, 0, Qt::RightButton, Qt::ShiftModifier);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(AlphaOf(*w.state().edit.imgxor, x, y), 0) << x << "," << y;
}

TEST_F(CanvasZoom, ACursorsHotSpotIsMarkedAndOneTimesShowsThePictureAsIs) {
    showPair(32);
    w.action("mnu_zoom1")->trigger();
    EXPECT_EQ(w.imgxor->size(), QSize(32, 32));
    QImage plain = w.imgxor->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(plain.pixel(5, 5), qRgb(10, 120, 30));
    w.state().edit.cmbtype = 1;  // a cursor: its hot spot is marked
    w.state().edit.spex = 20;
    w.state().edit.spey = 20;
    w.refresh();
    const QImage marked = w.imgxor->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(marked.pixel(19, 19), plain.pixel(19, 19));
    EXPECT_EQ(marked.pixel(5, 5), plain.pixel(5, 5));
}

TEST_F(CanvasZoom, SelectorsOffer256AndThirtyTwoBitsAndConvertKeepsAlpha) {
    w.show();
    ASSERT_EQ(w.cmbsize->count(), 11);
    // Shown by size; the state keeps the older item indices.
    QStringList shown;
    for (int row = 0; row < w.cmbsize->count(); ++row) shown << w.cmbsize->itemText(row).simplified();
    EXPECT_EQ(shown.join(","), "Any,16x 16,20x 20,24x 24,32x 32,40x 40,48x 48,64x 64,96x 96,128x128,256x256");
    ASSERT_EQ(w.cmbcolor->count(), 5);
    EXPECT_EQ(w.cmbcolor->itemText(3), "True color");
    EXPECT_EQ(w.cmbcolor->itemText(4), "32ﾋﾞｯﾄ (ｱﾙﾌｧ)");
    EXPECT_GE(w.cmbcolor->width(), w.cmbcolor->sizeHint().width());  // the caption fits

    // A 32 x 32 pair, its left half transparent, converted to 256 px with alpha.
    w.state().edit.imgxor = Filled(32, 24, RgbColor(200, 10, 10));
    w.state().edit.imgand = Filled(32, 24, kRasterBlack);
    TQvDIBCanvas(*w.state().edit.imgand).FillRect(0, 0, 16, 32, kRasterWhite);
    w.refresh();
    w.sbxorClick();
    w.cmbsize->setCurrentIndex(10);
    w.cmbsizeClick();
    EXPECT_EQ(w.state().edit.cmbsize, 6);  // the stored index of 256
    w.state().edit.cmbcolor = 4;
    w.action("mnu_convert")->trigger();
    const TQvDIB& image = *w.state().edit.imgxor;
    ASSERT_EQ(image.GetBitCount(), 32);
    ASSERT_EQ(image.Width(), 256);
    EXPECT_EQ(AlphaOf(image, 10, 100), 0);
    EXPECT_EQ(AlphaOf(image, 200, 100), 255);
    EXPECT_EQ(PixelOf(*w.state().edit.imgand, 10, 100), kRasterWhite);
    EXPECT_EQ(PixelOf(*w.state().edit.imgand, 200, 100), kRasterBlack);
    EXPECT_EQ(w.cmbcolor->currentIndex(), 4);

    // Added to the set as a 256 px entry with its alpha.
    qobject_cast<QToolButton*>(w.control("tbiconadd"))->click();
    ASSERT_GE(w.state().doc.IconSet->Count, 1);
    const IconEntry& e = w.state().doc.IconSet->Entries[0];
    EXPECT_EQ(e.PixelWidth(), 256);
    EXPECT_EQ(ReadU16LE(e.InfoHeader.data() + 14), 32);
    EXPECT_TRUE(notices.notices.empty());
}

TEST_F(CanvasZoom, ThePreviewShowsTheEntryOverTheBackgroundAtOneAndAtTheZoom) {
    w.state().edit.imgxor = Filled(16, 24, RgbColor(200, 10, 10));
    w.state().edit.imgand = Filled(16, 24, kRasterBlack);
    {
        TQvDIBCanvas image(*w.state().edit.imgxor), mask(*w.state().edit.imgand);
        mask.FillRect(0, 0, 8, 16, kRasterWhite);
        image.FillRect(0, 0, 4, 16, kRasterBlack);  // transparent and black: the background
    }
    w.refresh();
    w.action("mnu_zoom4")->trigger();
    QImage one = w.imgpreview1->picture().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(one.size(), QSize(16, 16));
    EXPECT_EQ(one.pixel(1, 1), qRgb(192, 192, 192));                // the background colour setting
    EXPECT_EQ(one.pixel(5, 1), qRgb(192 ^ 200, 192 ^ 10, 192 ^ 10));  // transparent but not black: inverted
    EXPECT_EQ(one.pixel(12, 1), qRgb(200, 10, 10));
    EXPECT_EQ(w.imgpreviewz->zoom(), 4);
    EXPECT_EQ(w.imgpreviewz->size(), QSize(64, 64));

    // A picture with alpha is blended over the background.
    w.state().edit.imgxor = ShadowedPicture(16);
    w.refresh();
    one = w.imgpreview1->picture().convertToFormat(QImage::Format_RGB32);
    const TQvDIB& image = *w.state().edit.imgxor;
    const int a = AlphaOf(image, 7, 3);
    ASSERT_GT(a, 0);
    ASSERT_LT(a, 255);
    EXPECT_NEAR(qRed(one.pixel(7, 3)), (200 * a + 192 * (255 - a)) / 255, 1);
}
