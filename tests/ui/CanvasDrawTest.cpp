// Drawing on the canvas as a user does: tool keys that act only while the
// canvas has the focus, strokes in picture pixels, the selection's clipboard
// keys beside the list's own, and "fit" below 1:1.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollArea>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "app/PendingViews.h"
#include "model/EntryConversion.h"
#include "imaging/AlphaMask.h"
#include "imaging/PaintColour.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"

using namespace vornik;

namespace {

TQvDIB Filled32(int side, Rgba c) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) WritePaintValue(dib, x, y, PaintValueOf(dib, c));
    return dib;
}

TQvDIB Black24(int side) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 24);
    return dib;
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct CanvasDraw : ::testing::Test {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w{store};

    void SetUp() override {
        w.resize(1000, 760);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));  // shortcuts need the active window
    }
    void showPair(int side, Rgba c) {
        w.state().edit.imgxor = Filled32(side, c);
        w.state().edit.imgand = Black24(side);
        w.refresh();
        QApplication::processEvents();
    }
    // A click on pixel (x, y) of the image view at its zoom.
    void click(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        const int z = w.imgxor->zoom();
        const QPoint at(z * x + z / 2, z * y + z / 2);
        Mouse(w.imgxor, QEvent::MouseButtonPress, at, b, b);
        Mouse(w.imgxor, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
    }
    bool toolChecked(const char* name) { return w.findChild<QToolButton*>(name)->isChecked(); }
    Rgba pixel(int x, int y) { return ReadColour(*w.state().edit.imgxor, x, y); }
};

}  // namespace

TEST_F(CanvasDraw, ToolKeysActOnlyWhileTheCanvasHasTheFocusAndDrawExactColours) {
    showPair(32, Rgba{255, 255, 255, 255});
    WritePaintValue(*w.state().edit.imgxor, 4, 4, PaintValueOf(*w.state().edit.imgxor, Rgba{0, 0, 255, 128}));
    w.refresh();
    w.action("mnu_zoom4")->trigger();

    // The list has the focus: B is no tool key there.
    w.LVIcon->currentWidget()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    EXPECT_TRUE(toolChecked("tbtoolhotspot"));

    // A click gives the canvas the focus; with H it only sets the hot spot.
    click(2, 3);
    w.imgxor->setFocus();  // what a real click does (ClickFocus); sent events do not move the focus
    EXPECT_EQ(w.state().edit.spex, 2);
    EXPECT_EQ(pixel(2, 3), (Rgba{255, 255, 255, 255}));

    QTest::keyClick(w.imgxor, Qt::Key_I);
    EXPECT_TRUE(toolChecked("tbtoolpicker"));
    click(4, 4);
    QTest::keyClick(w.imgxor, Qt::Key_B);
    EXPECT_TRUE(toolChecked("tbtoolpencil"));
    click(9, 9);
    EXPECT_EQ(pixel(9, 9), (Rgba{0, 0, 255, 128}));
    QTest::keyClick(w.imgxor, Qt::Key_E);
    click(20, 3);
    EXPECT_EQ(pixel(20, 3).a, 0);
    // Shift+U is the ellipse; ] widens the brush.
    QTest::keyClick(w.imgxor, Qt::Key_U, Qt::ShiftModifier);
    EXPECT_TRUE(toolChecked("tbtoolellipse"));
    QTest::keyClick(w.imgxor, Qt::Key_BracketRight);
    EXPECT_EQ(w.findChild<QSpinBox*>("spebrush")->value(), 2);
    // The status shows the pixel's RGBA.
    Mouse(w.imgxor, QEvent::MouseMove, QPoint(4 * 9 + 1, 4 * 9 + 1), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(w.findChild<QLabel*>("StatusRgba")->text(), "0,0,255,128");

    w.action("Undo1")->trigger();
    EXPECT_EQ(pixel(20, 3), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(pixel(9, 9), (Rgba{0, 0, 255, 128}));
    EXPECT_TRUE(notices.notices.empty());
}

TEST_F(CanvasDraw, ClipboardKeysGoToTheWidgetWithTheFocus) {
    showPair(16, Rgba{10, 20, 30, 40});
    QApplication::clipboard()->clear();
    w.imgxor->setFocus();
    QTest::keyClick(w.imgxor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.imgxor, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull()) << "Ctrl+C on the canvas copies the selected pixels";
    EXPECT_EQ(copied.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(copied.convertToFormat(QImage::Format_ARGB32).pixel(3, 3)), 40);
    // Delete clears the selection to transparent, as one undo step.
    QTest::keyClick(w.imgxor, Qt::Key_Delete);
    EXPECT_EQ(pixel(5, 5).a, 0);
    // Ctrl+V floats the picture back; Escape drops the selection and keeps the pixels.
    QTest::keyClick(w.imgxor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pixel(5, 5), (Rgba{10, 20, 30, 40}));
    QTest::keyClick(w.imgxor, Qt::Key_Escape);
    EXPECT_EQ(pixel(5, 5), (Rgba{10, 20, 30, 40}));
    // The list's Ctrl+C is the entry copy: the canvas keys do not fire there.
    QApplication::clipboard()->clear();
    w.LVIcon->currentWidget()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(pixel(5, 5), (Rgba{10, 20, 30, 40}));
}

TEST_F(CanvasDraw, FitShowsALargePictureWholeAndZoomKeepsThePointedPixel) {
    w.resize(800, 600);
    QApplication::processEvents();
    showPair(256, Rgba{200, 200, 200, 255});
    QApplication::processEvents();
    const double scale = w.imgxor->scale();
    EXPECT_LT(scale, 1.0);
    const QSize room = w.ScrollBox1->maximumViewportSize();
    EXPECT_LE(w.imgxor->width(), room.width());
    EXPECT_LE(w.imgxor->height(), room.height());
    EXPECT_EQ(w.imgxor->width(), w.imgxor->height());  // square pixels

    // A large window shows it at a whole factor, image and mask side by side.
    w.resize(1900, 1000);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_GE(w.imgxor->scale(), 2.0);
    EXPECT_EQ(w.imgxor->scale(), w.imgand->scale());

    // Ctrl + wheel zooms about the pointer: the pixel under it stays there.
    w.action("mnu_zoom4")->trigger();
    QApplication::processEvents();
    const QPoint at(4 * 100 + 2, 4 * 60 + 2);
    const QPoint before = w.imgxor->mapTo(w.ScrollBox1->viewport(), at);
    QWheelEvent wheel(QPointF(at), w.imgxor->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.imgxor, &wheel);
    QApplication::processEvents();
    ASSERT_EQ(w.imgxor->zoom(), 8);
    const QPoint after = w.imgxor->mapTo(w.ScrollBox1->viewport(), QPoint(8 * 100 + 4, 8 * 60 + 4));
    EXPECT_LE(std::abs(after.x() - before.x()), 8);
    EXPECT_LE(std::abs(after.y() - before.y()), 8);

    // The splitter's sizes are kept.
    w.SaveState();
    EXPECT_TRUE(store.read("Layout", "splitter").has_value());
}

TEST_F(CanvasDraw, AUsersStrokesOnA32BitIconAreSavedExactly) {
    // A white 32 px icon with one half-transparent blue pixel, opened as a user does.
    test::TempDir dir;
    TQvDIB picture = Filled32(32, Rgba{255, 255, 255, 255});
    constexpr Rgba kHalfBlue{0, 0, 255, 128};
    WritePaintValue(picture, 4, 4, PaintValueOf(picture, kHalfBlue));
    TIconCurEX set;
    set.InitEntry(0, 1, 32, 32, 32);
    set.Count = 1;
    DIBsToEntry(set, picture, MaskFromAlpha(picture), 0);
    test::WriteAll(dir.file("blue.ico"), set.SaveToBytes());
    w.OpenDocument(QString::fromStdString(dir.file("blue.ico")));
    ASSERT_EQ(w.LVIcon->count(), 1);
    w.LVIcon->selectIndex(0);
    w.LVIconDblClick();
    EXPECT_FALSE(ViewsPending(w.state()));
    w.action("mnu_zoom8")->trigger();

    w.imgxor->setFocus();
    QTest::keyClick(w.imgxor, Qt::Key_I);
    click(4, 4);
    QTest::keyClick(w.imgxor, Qt::Key_B);
    click(10, 10);
    EXPECT_TRUE(ViewsPending(w.state())) << "a stroke is a change not yet in the entry";
    QTest::keyClick(w.imgxor, Qt::Key_E);
    click(20, 3);
    // A line dragged from (2, 20) to (12, 28), then taken back.
    QTest::keyClick(w.imgxor, Qt::Key_L);
    const auto at = [&](int x, int y) { return QPoint(8 * x + 4, 8 * y + 4); };
    Mouse(w.imgxor, QEvent::MouseButtonPress, at(2, 20), Qt::LeftButton, Qt::LeftButton);
    Mouse(w.imgxor, QEvent::MouseMove, at(9, 21), Qt::NoButton, Qt::LeftButton);
    Mouse(w.imgxor, QEvent::MouseMove, at(12, 28), Qt::NoButton, Qt::LeftButton);
    Mouse(w.imgxor, QEvent::MouseButtonRelease, at(12, 28), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(pixel(2, 20), kHalfBlue);
    EXPECT_EQ(pixel(12, 28), kHalfBlue);
    EXPECT_EQ(pixel(9, 21), (Rgba{255, 255, 255, 255})) << "the line is drawn anew at each move";
    QTest::keyClick(w.imgxor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pixel(12, 28), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(pixel(10, 10), kHalfBlue) << "only the last stroke is taken back";

    QTest::keyClick(w.imgxor, Qt::Key_U, Qt::ControlModifier);
    EXPECT_FALSE(ViewsPending(w.state()));
    QTest::keyClick(w.imgxor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(notices.notices.empty());

    TIconCurEX back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("blue.ico")));
    ASSERT_EQ(back.Count, 1);
    TQvDIB image, mask;
    EntryToDIBs(back, image, mask, 0);
    ASSERT_EQ(image.GetBitCount(), 32);
    int differing = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const Rgba got = ReadColour(image, x, y);
            if ((x == 20 && y == 3 && got.a != 0) ||
                (!(x == 20 && y == 3) && got != ((x == 4 && y == 4) || (x == 10 && y == 10) ? kHalfBlue
                                                                                          : Rgba{255, 255, 255, 255})))
                ++differing;
        }
    EXPECT_EQ(differing, 0);
}
