// What the picture view puts on the screen, device pixel by device pixel. The
// ctest entry PictureViewPixelsAtScreenScale150 runs these at 150 %, where a
// picture pixel of 1x, 3x or 5x is no whole number of device pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QPixmap>
#include <QTest>

#include "app/ViewZoom.h"
#include "ui/TPictureView.h"

using namespace vornik;

namespace {

// Neighbouring pixels always differ, in both directions.
QImage Pattern(int side) {
    QImage p(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) p.setPixel(x, y, qRgb(40 * (x % 3) + 20, 60 * (y % 3) + 10, (x + y) % 2 ? 250 : 90));
    return p;
}

QImage Shown(TPictureView& v) {
    QApplication::processEvents();
    return v.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(PictureViewPixels, EveryPixelIsTheSameSquareOfDevicePixelsAtAnyZoomAndScreenScale) {
    TPictureView v;
    const QImage picture = Pattern(12);
    v.setPicture(picture);
    v.show();
    const double ratio = v.devicePixelRatioF();
    RecordProperty("ratio", std::to_string(ratio));
    for (int zoom : {1, 2, 3, 5, 8}) {
        v.setScale(zoom);
        const QImage shown = Shown(v);
        const int d = static_cast<int>(DevicePixelScale(zoom, ratio));
        ASSERT_GE(shown.width(), 12 * d) << "zoom " << zoom;
        for (int y = 0; y < 12 * d; ++y)
            for (int x = 0; x < 12 * d; ++x)
                ASSERT_EQ(shown.pixel(x, y), picture.pixel(x / d, y / d))
                    << "zoom " << zoom << " at ratio " << ratio << ": device pixel " << x << "," << y;
        // The mouse reads the pixel it is over: the first and last device pixel of pixel 7.
        for (double device : {7.0 * d + 0.25, 8.0 * d - 0.25}) {
            QSignalSpy pressed(&v, &TPictureView::pressed);
            const QPointF at(device / ratio, device / ratio);
            QMouseEvent press(QEvent::MouseButtonPress, at, v.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(&v, &press);
            ASSERT_EQ(pressed.count(), 1);
            EXPECT_EQ(pressed[0][0].toInt(), 7) << "zoom " << zoom << " device " << device;
            EXPECT_EQ(pressed[0][1].toInt(), 7);
            QMouseEvent release(QEvent::MouseButtonRelease, at, v.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                                Qt::NoModifier);
            QApplication::sendEvent(&v, &release);
        }
    }
}

TEST(PictureViewPixels, TheGridIsOneDevicePixelAndTheSelectionsDashesMarch) {
    TPictureView v;
    const QImage picture = Pattern(10);
    v.setPicture(picture);
    v.setScale(4);
    v.setGridEnabled(true);
    v.show();
    const int d = static_cast<int>(DevicePixelScale(4, v.devicePixelRatioF()));
    QImage shown = Shown(v);
    for (int n = 0; n < 10; ++n) {
        // The first device column of each pixel is the line, the next is the pixel's own colour.
        EXPECT_NE(shown.pixel(n * d, 2 * d + 2), picture.pixel(n, 2)) << n;
        EXPECT_EQ(shown.pixel(n * d + 1, 2 * d + 2), picture.pixel(n, 2)) << n;
    }
    v.setGridEnabled(false);
    v.setSelectionMark(QRect(2, 2, 5, 5));
    const QImage first = Shown(v);
    const QRgb inside = first.pixel(4 * d + 1, 4 * d + 1);
    EXPECT_EQ(inside, picture.pixel(4, 4));  // the pixels inside are not covered
    bool marched = false;
    for (int i = 0; i < 10 && !marched; ++i) {
        QTest::qWait(100);
        const QImage later = Shown(v);
        for (int x = 2 * d; x < 7 * d && !marched; ++x) marched = later.pixel(x, 2 * d) != first.pixel(x, 2 * d);
        EXPECT_EQ(later.pixel(4 * d + 1, 4 * d + 1), inside);
    }
    EXPECT_TRUE(marched) << "the dashes of the selection's edge move";
    v.setSelectionMark(std::nullopt);
    EXPECT_EQ(Shown(v).pixel(2 * d, 2 * d), picture.pixel(2, 2));
}
