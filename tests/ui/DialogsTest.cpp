#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "NoticeRecorder.h"
#include "app/Options.h"
#include "model/TIconEx.h"
#include "ui/AppIcon.h"
#include "ui/QtSettingsStore.h"
#include "ui/StartOptions.h"
#include "ui/THelpViewer.h"
#include "ui/TfrmOption.h"
#include "ui/Tfrmiconchk.h"
#include "ui/Tfrmiconcursel.h"

using namespace vornik;

TEST(OptionDialog, ShowsAndReturnsEveryValue) {
    TfrmOption dlg;
    EXPECT_EQ(dlg.windowTitle(), "ｵﾌﾟｼｮﾝ");
    ASSERT_EQ(dlg.PageControl1->count(), 4);
    EXPECT_EQ(dlg.PageControl1->tabText(0), "表示");
    EXPECT_EQ(dlg.PageControl1->tabText(3), "編集");
    EXPECT_EQ(dlg.PageControl1->currentIndex(), 3);  // opens on 編集 the first time
    EXPECT_EQ(dlg.CheckListBox1->count(), 26);
    EXPECT_EQ(dlg.CheckListBox1->item(19)->text(), "128x128 - 16M");

    OptionDialogValues in;
    in.color = 0x0000FF;
    in.chktoolbar = true;
    in.CheckListBox1[3] = true;
    in.rdoSCAP = 2;
    in.rgp_stretchbltmode = 1;
    in.chk16 = true;
    in.chkautomaskplus = false;
    in.sedefrate = 250;  // the field keeps 1..100
    in.chkiconbackadd = true;
    in.chkiconcolor = true;
    dlg.LoadFrom(in);
    EXPECT_EQ(dlg.swatchColor(), QColor(255, 0, 0));
    OptionDialogValues out;
    dlg.StoreTo(out);
    EXPECT_EQ(out.color, 0x0000FF);
    EXPECT_TRUE(out.chktoolbar);
    EXPECT_TRUE(out.CheckListBox1[3]);
    EXPECT_EQ(out.rdoSCAP, 2);
    EXPECT_EQ(out.rgp_stretchbltmode, 1);
    EXPECT_TRUE(out.chk16);
    EXPECT_FALSE(out.chkautomaskplus);
    EXPECT_EQ(out.sedefrate, 100);
    EXPECT_TRUE(out.chkiconbackadd);
    EXPECT_TRUE(out.chkiconcolor);

    dlg.Button3Click();
    dlg.StoreTo(out);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(out.CheckListBox1[n], n == 5 || n == 6 || n == 7 || n == 10 || n == 11 || n == 12) << n;
}

TEST(OptionDialog, ReleasingTheIconColourBoxShowsTheNotice) {
    test::NoticeRecorder notices;
    TfrmOption dlg;
    dlg.PageControl1->setCurrentIndex(3);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.chkiconcolor, Qt::LeftButton, {}, QPoint(5, dlg.chkiconcolor->height() / 2));
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg.chkiconcolor->isChecked());
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].text, kIconColorNotice);
    dlg.close();
}

TEST(IconCurSel, OffersIconAndCursor) {
    Tfrmiconcursel dlg;
    EXPECT_EQ(dlg.windowTitle(), "リソース選択");
    EXPECT_EQ(dlg.itemIndex(), 0);
    dlg.rdoCursor->setChecked(true);
    EXPECT_EQ(dlg.itemIndex(), 1);
    EXPECT_EQ(dlg.rdoIcon->text(), "アイコン");
}

TEST(IconCurSel, IsWideEnoughForItsCaptionInATitleBar) {
    Tfrmiconcursel dlg;
    dlg.adjustSize();
    // The title bar also holds the program's name and the window buttons.
    EXPECT_GT(dlg.width(), dlg.fontMetrics().horizontalAdvance(dlg.windowTitle() + " — Vornik") + 80);
}

TEST(QtSettingsStore, KeepsSectionsOfStringsInItsFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("vornik2.conf");
    {
        QtSettingsStore store(file);
        store.write("option", "color", "0xFF");
        store.write("WindowMetrics", "Shell Icon BPP", "16");
        store.write("recent", "H0", "/tmp/アイコン, a;b.ico");
        store.write("recent", "Count", "1");
        EXPECT_EQ(store.read("option", "color").value_or(""), "0xFF");
        EXPECT_FALSE(store.read("option", "missing").has_value());
        EXPECT_FALSE(store.read("nothing", "color").has_value());
    }
    QtSettingsStore again(file);
    EXPECT_EQ(again.read("WindowMetrics", "Shell Icon BPP").value_or(""), "16");
    EXPECT_EQ(again.read("recent", "H0").value_or(""), "/tmp/アイコン, a;b.ico");
    auto keys = again.keys("recent");
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"Count", "H0"}));
    again.remove("recent", "H0");
    EXPECT_FALSE(again.read("recent", "H0").has_value());
    again.eraseSection("recent");
    EXPECT_TRUE(again.keys("recent").empty());
    EXPECT_EQ(again.read("option", "color").value_or(""), "0xFF");
}

TEST(StartOptions, FileAndScreenshot) {
    auto o = ParseStartOptions({"a.ico", "--screenshot", "out.png"});
    EXPECT_EQ(o.file, "a.ico");
    EXPECT_EQ(o.screenshot, "out.png");
    o = ParseStartOptions({"--screenshot=x.png"});
    EXPECT_TRUE(o.file.isEmpty());
    EXPECT_EQ(o.screenshot, "x.png");
    EXPECT_FALSE(ParseStartOptions({"--screenshot"}).error.isEmpty());
    EXPECT_EQ(ParseStartOptions({"a.ico", "b.ico"}).file, "a.ico");  // only the first opens
}

TEST(AppIcon, OurIcoReadsBackThroughTheIconReader) {
    const QByteArray ico = EncodeIco({DrawAppIcon(16), DrawAppIcon(32), DrawAppIcon(48)});
    QTemporaryDir dir;
    const QString path = dir.filePath("vornik.ico");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(ico);
    f.close();
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(path.toStdString())) << set.LoadError();
    ASSERT_EQ(set.Count, 3);
    EXPECT_EQ(set.ResourceType, 1);
    EXPECT_EQ(set.Entries[1].Width, 32);
    // Qt's own reader agrees on the largest picture.
    QImage back;
    ASSERT_TRUE(back.loadFromData(ico, "ICO"));
    EXPECT_FALSE(back.isNull());
}

TEST(HelpDocument, SectionsBecomeTopicsWithKeywords) {
    const auto topics = ParseHelpDocument(
        "<section id=\"10004\" data-keywords=\"新規,作成\">\n<h2>新規作成</h2><p>x</p></section>"
        "<section id=\"t-x\"><h2> X </h2></section>");
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0].id, "10004");
    EXPECT_EQ(topics[0].title, "新規作成");
    EXPECT_EQ(topics[0].keywords, QStringList({"新規", "作成"}));
    EXPECT_EQ(topics[1].title, "X");
    EXPECT_TRUE(topics[1].keywords.isEmpty());
}

TEST(IconCheckDialog, LeftPicksThePreviewBackgroundRightTheFrame) {
    Tfrmiconchk dlg;
    EXPECT_EQ(dlg.windowTitle(), "アイコンチェック");
    EXPECT_EQ(dlg.previewImage().pixel(80, 80), qRgb(255, 255, 255));  // white at first
    EXPECT_EQ(dlg.Panel1->palette().color(QPalette::Window), QColor(0, 0, 0));
    dlg.chooseCell(14, Qt::RightButton);
    EXPECT_EQ(dlg.Panel1->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_EQ(dlg.previewImage().pixel(80, 80), qRgb(255, 255, 255));
    dlg.chooseCell(14, Qt::LeftButton);
    EXPECT_EQ(dlg.previewImage().pixel(80, 80), qRgb(0, 255, 255));
}
