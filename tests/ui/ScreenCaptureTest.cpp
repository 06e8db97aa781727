#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QSpinBox>
#include <QTabWidget>

#include "NoticeRecorder.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TScreenCapture.h"
#include "ui/TfrmMain.h"

using namespace vornik;

TEST(ScreenCapture, ACaptureBecomesTheBitmapPage) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    w.spebx->setEnabled(false);
    QImage shot(40, 30, QImage::Format_RGB32);
    shot.fill(qRgb(10, 200, 30));
    emit w.ScreenCapture1->OnCapture(shot);
    EXPECT_EQ(w.PageControl1->currentIndex(), 2);
    ASSERT_EQ(w.imgbmp->picture().size(), QSize(40, 30));
    EXPECT_EQ(w.imgbmp->picture().pixel(39, 29), qRgb(10, 200, 30));
    EXPECT_TRUE(w.spebx->isEnabled());          // the Bitmap page's commands
    EXPECT_TRUE(w.imgxor->picture().isNull());  // no take-in
    EXPECT_TRUE(notices.notices.empty());
}

TEST(ScreenCapture, TheSettingChoosesWhatIsCaptured) {
    TScreenCapture c;
    c.configure(0);
    EXPECT_TRUE(c.Active);
    EXPECT_TRUE(c.Desktop);
    c.configure(1);
    EXPECT_TRUE(c.Active);
    EXPECT_FALSE(c.Desktop);
    c.configure(2);
    EXPECT_FALSE(c.Active);
    // On X11 the hot key is grabbed; elsewhere there is none.
    if (QGuiApplication::platformName() == "xcb")
        EXPECT_TRUE(c.hotKeyRegistered());
    else
        EXPECT_FALSE(c.hotKeyRegistered());
}
