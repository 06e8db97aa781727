#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "platform/MemorySettingsStore.h"
#include "anim/FrameSizes.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmaniEft.h"
#include "ui/Tfrmrotinput.h"

using namespace vornik;

namespace {

struct Editing : ::testing::Test {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w{store};

    // Opens the first corpus icon and shows its first entry.
    bool showFirstIcon() {
        const auto files = test::CorpusFiles("ico", ".ico");
        if (files.empty()) return false;
        w.OpenDocument(QString::fromStdString(files.front().string()));
        if (w.LVIcon->count() == 0) return false;
        w.LVIcon->selectIndex(0);
        w.LVIconDblClick();
        return !w.imgxor->picture().isNull();
    }
};

QImage Rgb(const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); }

}  // namespace

TEST_F(Editing, FlipMirrorAndRotateActOnBothViews) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    const QImage image = Rgb(w.imgxor->picture());
    const QImage mask = Rgb(w.imgand->picture());
    w.action("mnu_flip")->trigger();
    EXPECT_EQ(Rgb(w.imgxor->picture()), image.mirrored(false, true));
    EXPECT_EQ(Rgb(w.imgand->picture()), mask.mirrored(false, true));
    // The panel button runs the same handler: flipping back restores the pair.
    qobject_cast<QToolButton*>(w.control("tbflip"))->click();
    EXPECT_EQ(Rgb(w.imgxor->picture()), image);
    w.action("mnu_millor")->trigger();
    EXPECT_EQ(Rgb(w.imgxor->picture()), image.mirrored(true, false));
    w.action("mnu_millor")->trigger();
    w.action("mnu_r90")->trigger();
    w.action("mnu_l90")->trigger();
    EXPECT_EQ(Rgb(w.imgxor->picture()), image);
    EXPECT_TRUE(notices.notices.empty());
}

TEST_F(Editing, MaskCommandsAndTheRightClickMask) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    const QImage mask = Rgb(w.imgand->picture());
    w.action("mnu_maskinv")->trigger();
    const QImage inverted = Rgb(w.imgand->picture());
    ASSERT_EQ(inverted.size(), mask.size());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            ASSERT_EQ(qRed(inverted.pixel(x, y)), 255 - qRed(mask.pixel(x, y))) << x << "," << y;

    // A right click makes exactly the pixels of the clicked colour transparent.
    const QImage image = Rgb(w.imgxor->picture());
    const QRgb clicked = image.pixel(0, 0);
    emit w.imgxor->pressed(0, 0, Qt::RightButton, Qt::NoModifier);
    const QImage automask = Rgb(w.imgand->picture());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(automask.pixel(x, y) == qRgb(255, 255, 255), image.pixel(x, y) == clicked)
                << x << "," << y;
    EXPECT_EQ(w.panelText(2), "0,0");
}

TEST_F(Editing, AnimationStepsAndPlayback) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("ani", ".ani");
    ASSERT_FALSE(files.empty());
    w.OpenDocument(QString::fromStdString(files.front().string()));
    ASSERT_GT(w.lvani1->count(), 0);
    const int steps = w.lvani2->count();

    w.lvani1->setCurrentRow(0);
    w.sprate->setValue(7);
    w.sbaniadd->click();
    ASSERT_EQ(w.lvani2->count(), steps + 1);
    EXPECT_EQ(w.lvani2->item(steps)->text(), QString("%1 - [7]").arg(steps));
    w.lvani2->setCurrentRow(steps);
    w.sbanidel->click();
    EXPECT_EQ(w.lvani2->count(), steps);

    w.sbplay->click();
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 16);  // wakes about once a jiffy (1/60 s)
    EXPECT_FALSE(w.pnledit->isEnabled());
    EXPECT_FALSE(w.action("tbopen")->isEnabled());
    QMetaObject::invokeMethod(w.Timer1, "timeout");  // one tick shows step 0 at once
    const int side = ShownSize(*w.state().doc.AniSet, w.state().doc.AniSet->Steps[0].Frame);
    EXPECT_EQ(w.imganiview->picture().size(), QSize(side, side));  // the cursor at its real size
    w.sbstop->click();
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(w.pnledit->isEnabled());
    EXPECT_TRUE(w.action("tbopen")->isEnabled());
    EXPECT_FALSE(w.action("tbview1")->isEnabled());  // the Animation page keeps them off

    // A double click on a frame puts it into the views as a cursor.
    w.lvani1->setCurrentRow(0);
    emit w.lvani1->itemDoubleClicked(w.lvani1->item(0));
    EXPECT_FALSE(w.imgxor->picture().isNull());
    EXPECT_EQ(w.state().edit.cmbtype, 1);
}

// The menu's Japanese text, drawn in the window's own font, shows a glyph of
// its own for each character: with no font for them every one would be the
// same empty box (or nothing at all).
TEST_F(Editing, JapaneseMenuTextDrawsDistinctGlyphs) {
    const QString title = w.menuBar()->actions().value(0) ? w.menuBar()->actions()[0]->text() : QString();
    ASSERT_EQ(title, QString::fromUtf8("ファイル(&F)"));
    auto draw = [&](QChar c) {
        QImage image(48, 48, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(w.menuBar()->font());
        p.setPen(Qt::black);
        p.drawText(image.rect(), Qt::AlignCenter, QString(c));
        return image;
    };
    std::vector<QImage> glyphs;
    for (QChar c : QString::fromUtf8("ファイル")) glyphs.push_back(draw(c));
    QImage blank(48, 48, QImage::Format_RGB32);
    blank.fill(Qt::white);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        EXPECT_NE(glyphs[i], blank) << i;
        for (std::size_t k = i + 1; k < glyphs.size(); ++k) EXPECT_NE(glyphs[i], glyphs[k]) << i << " " << k;
    }
}

TEST_F(Editing, MaskPaintingDrawsContinuousStrokesAndFloods) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    w.action("mnu_maskfill")->trigger();  // start from a known mask
    QImage mask = Rgb(w.imgand->picture());
    ASSERT_GE(mask.width(), 16);
    const QRgb filled = mask.pixel(0, 0);
    const QRgb other = filled == qRgb(0, 0, 0) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    const Qt::MouseButton paintOther = other == qRgb(0, 0, 0) ? Qt::LeftButton : Qt::RightButton;

    emit w.imgand->pressed(1, 1, paintOther, Qt::NoModifier);
    emit w.imgand->moved(10, 1, paintOther, Qt::NoModifier);  // a jump: the line fills the gap
    emit w.imgand->released(10, 1, paintOther, Qt::NoModifier);
    emit w.imgand->moved(12, 5, Qt::NoButton, Qt::NoModifier);  // no button: nothing painted
    mask = Rgb(w.imgand->picture());
    for (int x = 1; x <= 10; ++x) EXPECT_EQ(mask.pixel(x, 1), other) << x;
    EXPECT_EQ(mask.pixel(12, 5), filled);
    EXPECT_EQ(mask.pixel(0, 0), filled);
    EXPECT_EQ(w.panelText(2), "12,5");

    // Shift + click floods the connected area of the clicked colour.
    emit w.imgand->pressed(0, 0, paintOther, Qt::ShiftModifier);
    mask = Rgb(w.imgand->picture());
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) ASSERT_EQ(mask.pixel(x, y), other) << x << "," << y;
}

TEST_F(Editing, TakeInFromTheBitmapPage) {
    VORNIK_REQUIRE_CORPUS();
    const auto file = test::CorpusDir() / "bmp" / "good" / "imagers__Info_R8_G8_B8.bmp";
    if (!std::filesystem::exists(file)) GTEST_SKIP() << "24-bit bitmap missing from the corpus";
    w.OpenDocument(QString::fromStdString(file.string()));
    ASSERT_EQ(w.PageControl1->currentIndex(), 2);
    ASSERT_FALSE(w.imgbmp->picture().isNull());
    EXPECT_TRUE(w.commandEnabled("tbbmpget"));
    w.state().edit.cmbsize = 0;  // "Any" takes 32 x 32
    w.refresh();
    qobject_cast<QToolButton*>(w.control("tbbmpget"))->click();
    EXPECT_EQ(w.state().edit.cmbsize, 2);
    EXPECT_EQ(w.imgxor->picture().size(), QSize(32, 32));
    const QImage mask = Rgb(w.imgand->picture());
    ASSERT_EQ(mask.size(), QSize(32, 32));
    EXPECT_EQ(mask.pixel(5, 5), qRgb(0, 0, 0));  // "view": a fully opaque mask
    EXPECT_EQ(w.state().edit.cmbtype, 2);
    const QImage bitmap = Rgb(w.imgbmp->picture());
    if (bitmap.width() >= 32 && bitmap.height() >= 32) {
        EXPECT_EQ(Rgb(w.imgxor->picture()).pixel(3, 4), bitmap.pixel(3, 4));
    }
}

TEST_F(Editing, EveryBitmapTheCoreReadsIsShown) {
    VORNIK_REQUIRE_CORPUS();
    int shown = 0;
    for (const auto& file : test::CorpusFiles("bmp/good", ".bmp")) {
        notices.notices.clear();
        w.OpenDocument(QString::fromStdString(file.string()));
        if (!notices.notices.empty() || !w.state().edit.imgbmp) continue;  // refused by the reader
        EXPECT_FALSE(w.imgbmp->picture().isNull()) << file;
        EXPECT_EQ(w.imgbmp->picture().width(), w.state().edit.imgbmp->Width()) << file;
        ++shown;
    }
    EXPECT_GT(shown, 10);
}

TEST_F(Editing, TheEffectDialogGeneratesFramesFromTheViews) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    w.PageControl1->setCurrentIndex(1);
    const int before = w.lvani1->count();
    QTimer::singleShot(0, [&] {
        w.frmaniEft->PageControl1->setCurrentIndex(0);
        w.frmaniEft->serot->setValue(90);
        w.frmaniEft->accept();
    });
    w.btnanieft->click();
    EXPECT_EQ(w.lvani1->count(), before + 4);  // 360 / 90 frames
    EXPECT_EQ(w.lvani2->count(), before + 4);
    EXPECT_EQ(w.panelText(0), "自動作成が終了しました");
    QTimer::singleShot(0, [&] { w.frmaniEft->reject(); });
    w.btnanieft->click();
    EXPECT_EQ(w.lvani1->count(), before + 4);
    EXPECT_EQ(w.frmaniEft->serot->value(), 90);  // the dialog keeps its settings
}

TEST(BitmapZoomDialog, ProposesTheRatedSize) {
    Tfrmbmpzoom dlg;
    dlg.start(101, 75);
    EXPECT_EQ(dlg.SpinEdit1->value(), 100);
    dlg.SpinEdit1->setValue(50);
    EXPECT_EQ(dlg.Edit1->text(), "50");
    EXPECT_EQ(dlg.Edit2->text(), "37");
    int v = -1;
    EXPECT_TRUE(ReadZoomField("", v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(ReadZoomField("1x", v));
}

TEST_F(Editing, BitmapZoomAndFreeRotation) {
    VORNIK_REQUIRE_CORPUS();
    const auto file = test::CorpusDir() / "bmp" / "good" / "imagers__Info_R8_G8_B8.bmp";
    if (!std::filesystem::exists(file)) GTEST_SKIP() << "24-bit bitmap missing from the corpus";
    w.OpenDocument(QString::fromStdString(file.string()));
    ASSERT_TRUE(w.commandEnabled("mnu_bitmapzoom"));
    QTimer::singleShot(0, [&] {
        w.frmbmpzoom->Edit1->setText("20");
        w.frmbmpzoom->Edit2->setText("10");
        w.frmbmpzoom->accept();
    });
    w.action("mnu_bitmapzoom")->trigger();
    EXPECT_EQ(w.imgbmp->picture().size(), QSize(20, 10));
    QTimer::singleShot(0, [&] {
        w.frmbmpzoom->Edit1->setText("abc");
        w.frmbmpzoom->accept();
    });
    w.action("mnu_bitmapzoom")->trigger();
    EXPECT_EQ(w.imgbmp->picture().size(), QSize(20, 10));
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, "「abc」は正しい整数ではありません。");

    // The zoomed bitmap is a change: opening the icon asks, and the test discards it.
    w.state().AskSaveChanges = [](const Message&) { return SaveChoice::Discard; };
    ASSERT_TRUE(showFirstIcon());
    const QImage image = Rgb(w.imgxor->picture());
    QTimer::singleShot(0, [&] {
        w.frmrotinput->serot->setValue(0);
        w.frmrotinput->accept();
    });
    w.action("mnu_rotimage")->trigger();
    EXPECT_EQ(Rgb(w.imgxor->picture()), image);  // 0 degrees does nothing
    QTimer::singleShot(0, [&] {
        w.frmrotinput->serot->setValue(45);
        w.frmrotinput->rbleft->setChecked(true);
        w.frmrotinput->accept();
    });
    w.action("mnu_rotimage")->trigger();
    EXPECT_NE(Rgb(w.imgxor->picture()), image);
    EXPECT_EQ(Rgb(w.imgand->picture()).pixel(0, 0),
              qRgb(255, 255, 255));                // uncovered mask corners are transparent
    EXPECT_EQ(w.frmrotinput->serot->value(), 45);  // kept for next time
}

TEST_F(Editing, AddAndReplaceWriteTheViewsIntoTheSet) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    const int count = w.LVIcon->count();
    w.action("mnu_flip")->trigger();
    qobject_cast<QToolButton*>(w.control("tbiconadd"))->click();
    ASSERT_EQ(w.LVIcon->count(), count + 1);
    EXPECT_EQ(w.state().doc.IconSet->Count, count + 1);
    // Replace without a selection asks for one.
    w.LVIcon->selectIndex(-1);
    w.action("mnu_iconrep")->trigger();
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, "Select what to replace");
    w.LVIcon->selectIndex(1);
    w.action("mnu_iconrep")->trigger();
    EXPECT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(w.LVIcon->count(), count + 1);
}

TEST_F(Editing, CopyAndPasteThroughTheSystemClipboard) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    const QImage image = Rgb(w.imgxor->picture());
    w.sbxor->click();
    w.action("Copy1")->trigger();
    w.sband->click();
    w.action("Paste1")->trigger();
    ASSERT_EQ(w.imgand->picture().size(), image.size());
    // Entry copy on the Icon page, paste puts it first.
    w.sbview->click();
    const int count = w.LVIcon->count();
    w.LVIcon->selectIndex(0);
    w.action("tbcopy")->trigger();
    w.action("tbpaste")->trigger();
    EXPECT_EQ(w.LVIcon->count(), count + 1);
    w.LVIcon->selectIndex(0);
    w.action("Cut1")->trigger();
    EXPECT_EQ(w.LVIcon->count(), count);
    EXPECT_TRUE(notices.notices.empty());
}
