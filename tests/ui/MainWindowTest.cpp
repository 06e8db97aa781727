#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "app/AnimationPage.h"
#include "app/Commands.h"
#include "model/TIconEx.h"
#include "platform/FileDialogsScript.h"
#include "platform/MemorySettingsStore.h"
#include "ui/THelpViewer.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"
#include "ui/Translations.h"

using namespace vornik;

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

struct Window {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w{store};
};

QMenu* TopMenu(TfrmMain& w, const QString& name) { return w.findChild<QMenu*>(name); }

}  // namespace

TEST(MainWindow, EveryMenuItemHasItsCaptionShortcutHintAndHelpContext) {
    Window f;
    int checked = 0;
    for (const CommandInfo& c : CommandTable()) {
        if (c.place != CommandPlace::Menu) continue;
        QAction* a = f.w.action(Q(c.name));
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_EQ(a->text(), CommandText(c.caption)) << c.name;
        EXPECT_EQ(a->shortcut(), QKeySequence(Q(c.shortcut))) << c.name;
        EXPECT_EQ(a->statusTip(), CommandText(c.hint)) << c.name;
        EXPECT_EQ(a->property("helpContext").toInt(), c.helpContext) << c.name;
        // The item sits in its own menu (Option1 on the menu bar itself).
        QWidget* owner =
            c.menu.empty() ? static_cast<QWidget*>(f.w.menuBar()) : f.w.findChild<QMenu*>(Q(c.menu));
        ASSERT_NE(owner, nullptr) << c.menu;
        EXPECT_TRUE(owner->actions().contains(a)) << c.name;
        ++checked;
    }
    EXPECT_EQ(checked, 41);  // with the program-icon replace item
    EXPECT_EQ(f.w.action("Redo1")->shortcuts().size(), 2);
    EXPECT_EQ(f.w.action("Cut1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(f.w.action("mnu_maskinv")->text(), "ﾏｽｸの反転'(&M)");

    // Menu bar order: File, View, Edit, the options command, Help.
    QStringList bar;
    for (QAction* a : f.w.menuBar()->actions()) bar << a->text();
    EXPECT_EQ(bar, QStringList({"ファイル(&F)", "表示(&V)", "編集(&E)", "ｵﾌﾟｼｮﾝ(&O)", "ヘルプ(&H)"}));
    QMenu* rotate = f.w.findChild<QMenu*>("mnu_rotate");
    ASSERT_NE(rotate, nullptr);
    EXPECT_EQ(rotate->title(), "画像回転(&E)");
    EXPECT_TRUE(TopMenu(f.w, "Edit1")->actions().contains(rotate->menuAction()));
}

TEST(MainWindow, ToolBarAndPanelButtonsShareTheMenuHandlers) {
    Window f;
    QToolBar* bar = f.w.Toolbar971;
    EXPECT_EQ(bar->windowTitle(), "Vornik");
    EXPECT_TRUE(bar->isMovable());
    EXPECT_TRUE(bar->isFloatable());
    for (const CommandInfo* c : CommandsAt(CommandPlace::ToolBar)) {
        QAction* a = f.w.action(Q(c->name));
        ASSERT_NE(a, nullptr) << c->name;
        EXPECT_TRUE(bar->actions().contains(a)) << c->name;
        EXPECT_EQ(a->statusTip(), CommandText(c->hint)) << c->name;
        EXPECT_FALSE(a->iconText().contains('&')) << c->name;
    }
    for (const CommandInfo* c : CommandsAt(CommandPlace::EditPanel)) {
        auto* b = qobject_cast<QToolButton*>(f.w.control(Q(c->name)));
        ASSERT_NE(b, nullptr) << c->name;
        EXPECT_TRUE(f.w.pnledit->isAncestorOf(b)) << c->name;
        EXPECT_EQ(b->statusTip(), CommandText(c->hint)) << c->name;
    }
    // The tool bar's help button opens the help contents, as 目次 does.
    f.w.action("tbhelp")->trigger();
    ASSERT_NE(f.w.helpViewer(), nullptr);
    EXPECT_TRUE(f.w.helpViewer()->isVisible());
    f.w.helpViewer()->close();
}

TEST(MainWindow, LayoutTitleSizeAndStatusPanels) {
    Window f;
    EXPECT_EQ(f.w.windowTitle(), kAppTitle);
    EXPECT_EQ(f.w.minimumSize(), QSize(610, 530));
    EXPECT_EQ(f.w.StatusPanel[0]->width(), 300);
    EXPECT_EQ(f.w.StatusPanel[1]->width(), 100);
    EXPECT_EQ(f.w.StatusPanel[2]->width(), 50);
    EXPECT_EQ(f.w.statusBar()->objectName(), "StatusBar1");
    EXPECT_EQ(f.w.PageControl1->count(), 3);
    EXPECT_EQ(f.w.PageControl1->tabText(0), "Icon");
    EXPECT_EQ(f.w.PageControl1->tabText(1), "Animation");
    EXPECT_EQ(f.w.PageControl1->tabText(2), "Bitmap");
    EXPECT_EQ(f.w.pnledit->title(), "編集パネル");
    EXPECT_EQ(f.w.cmbtype->currentText(), "Icon");
    EXPECT_EQ(f.w.cmbsize->currentText(), " 32x 32");
    EXPECT_EQ(f.w.cmbcolor->currentText(), "  16 color");
    // A typed 200 is taken whole and clamped, not cut to 20.
    f.w.spex->setValue(200);
    EXPECT_EQ(f.w.state().edit.spex, 127);
    emit f.w.spex->editingFinished();
    EXPECT_EQ(f.w.spex->value(), 127);
    EXPECT_EQ(f.w.sprate->maximum(), kRateFieldMax);  // 1/60 s, as in the file
    EXPECT_TRUE(f.w.sbview->isChecked());
    // With nothing stored the window takes 70 % of the screen.
    EXPECT_GE(f.w.width(), 610);

    // A hint reaches panel 0 as the pointer passes an item.
    f.w.action("Open1")->showStatusText(&f.w);
    EXPECT_EQ(f.w.panelText(0), "ファイルを開きます");
    QStatusTipEvent tip(f.w.sband->statusTip());
    QApplication::sendEvent(f.w.sband, &tip);
    EXPECT_EQ(f.w.panelText(0), "mask領域の選択");
}

TEST(MainWindow, ViewStyleMenuAndToolBarStayInStep) {
    Window f;
    f.w.action("tbview4")->trigger();
    EXPECT_TRUE(f.w.action("view4")->isChecked());
    EXPECT_FALSE(f.w.action("view1")->isChecked());
    EXPECT_EQ(f.w.LVIcon->viewStyle(), 3);
    f.w.action("view2")->trigger();
    EXPECT_TRUE(f.w.action("tbview2")->isChecked());
    EXPECT_FALSE(f.w.action("tbview4")->isChecked());
    EXPECT_EQ(f.w.LVIcon->viewStyle(), 1);
    EXPECT_EQ(f.w.state().edit.LVIconStyle, 1);
}

TEST(MainWindow, PageChangesApplyTheCommandTable) {
    Window f;
    EXPECT_FALSE(f.w.spebx->isEnabled());
    EXPECT_TRUE(f.w.action("tbview1")->isEnabled());
    f.w.PageControl1->setCurrentIndex(2);
    EXPECT_TRUE(f.w.spebx->isEnabled());
    EXPECT_TRUE(f.w.speby->isEnabled());
    EXPECT_TRUE(f.w.commandEnabled("tbbmpget"));
    EXPECT_TRUE(f.w.action("mnu_bmpget")->isEnabled());
    EXPECT_FALSE(f.w.action("tbview1")->isEnabled());
    EXPECT_FALSE(f.w.action("Save1")->isEnabled());
    EXPECT_TRUE(f.w.action("Paste1")->isEnabled());
    EXPECT_TRUE(f.w.action("mnu_bitmapzoom")->isEnabled());
    f.w.PageControl1->setCurrentIndex(1);
    EXPECT_FALSE(f.w.spebx->isEnabled());
    EXPECT_TRUE(f.w.action("Save1")->isEnabled());
    EXPECT_TRUE(f.w.commandEnabled("tbiconauto"));  // completes the sizes of every frame
    f.w.PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(f.w.spebx->isEnabled());
    EXPECT_TRUE(f.w.commandEnabled("tbiconauto"));
    EXPECT_TRUE(f.w.action("tbview4")->isEnabled());
}

TEST(MainWindow, ResourceTargetButtonsFormOneGroupAndApplyTheirTable) {
    Window f;
    f.w.sband->click();
    EXPECT_TRUE(f.w.sband->isChecked());
    EXPECT_FALSE(f.w.sbview->isChecked());
    EXPECT_FALSE(f.w.cmbcolor->isEnabled());
    EXPECT_FALSE(f.w.cmbsize->isEnabled());
    EXPECT_FALSE(f.w.commandEnabled("tbconvert"));
    EXPECT_TRUE(f.w.commandEnabled("tbexport"));
    f.w.sbview->click();
    EXPECT_FALSE(f.w.cmbcolor->isEnabled());  // "view" leaves the selectors as they are
    EXPECT_FALSE(f.w.commandEnabled("tbinport"));
    f.w.sbxor->click();
    EXPECT_TRUE(f.w.cmbcolor->isEnabled());
    EXPECT_TRUE(f.w.action("mnu_convert")->isEnabled());
}

TEST(MainWindow, ViewTogglesShowAndHideTheirElement) {
    Window f;
    f.w.show();
    f.w.action("tlbar1")->trigger();
    EXPECT_FALSE(f.w.Toolbar971->isVisible());
    EXPECT_FALSE(f.w.action("tlbar1")->isChecked());
    f.w.action("tlbar1")->trigger();
    EXPECT_TRUE(f.w.Toolbar971->isVisible());
    f.w.action("stbar1")->trigger();
    EXPECT_FALSE(f.w.statusBar()->isVisible());
    f.w.action("mnu_editpanelview")->trigger();
    EXPECT_FALSE(f.w.pnledit->isVisible());
    EXPECT_FALSE(f.w.action("mnu_editpanelview")->isChecked());
    // The tool bar hidden by other means unchecks its item too.
    f.w.Toolbar971->hide();
    EXPECT_FALSE(f.w.action("tlbar1")->isChecked());
    f.w.close();
}

TEST(MainWindow, OpeningAnIconFillsTheListAndADoubleClickTheViews) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("ico", ".ico");
    ASSERT_FALSE(files.empty());
    Window f;
    const QString path = QString::fromStdString(files.front().string());
    TIconCurEX reference;
    ASSERT_TRUE(reference.LoadFromFile(files.front().string()));
    f.w.OpenDocument(path);
    EXPECT_EQ(f.w.PageControl1->currentIndex(), 0);
    ASSERT_EQ(f.w.LVIcon->count(), reference.Count);
    EXPECT_EQ(f.w.windowTitle(), path + " - " + kAppTitle);
    EXPECT_EQ(f.w.panelText(0), "検索終了");
    f.w.action("view4")->trigger();
    EXPECT_EQ(f.w.LVIcon->columnText(0, 5), QString::number(reference.Entries[0].ImageSize));

    f.w.LVIcon->selectIndex(0);
    f.w.LVIconDblClick();
    const QImage image = f.w.imgxor->picture();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(f.w.imgand->picture().size(), image.size());
    EXPECT_EQ(f.w.imgxor->size(), image.size() * f.w.imgxor->zoom());  // magnified by whole pixels
    EXPECT_EQ(f.w.cmbtype->currentIndex(), 0);

    // The recent-file menu lists the file first.
    QAction* first = f.w.findChild<QAction*>("History0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "&0 " + path);
    EXPECT_TRUE(TopMenu(f.w, "File1")->actions().contains(first));
    EXPECT_TRUE(f.notices.notices.empty());
}

TEST(MainWindow, ACursorEntrySetsTypeAndHotSpot) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("cur", ".cur");
    ASSERT_FALSE(files.empty());
    Window f;
    f.w.OpenDocument(QString::fromStdString(files.front().string()));
    ASSERT_GT(f.w.LVIcon->count(), 0);
    TIconCurEX reference;
    ASSERT_TRUE(reference.LoadFromFile(files.front().string()));
    f.w.LVIcon->selectIndex(0);
    f.w.LVIconDblClick();
    EXPECT_EQ(f.w.cmbtype->currentText(), "Cursor");
    EXPECT_EQ(f.w.spex->value(), std::min<int>(reference.Entries[0].HotSpotX, 127));
    EXPECT_EQ(f.w.spey->value(), std::min<int>(reference.Entries[0].HotSpotY, 127));
}

TEST(MainWindow, AnExecutableDisablesEditingOnTheIconPage) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("pe");
    ASSERT_FALSE(files.empty());
    Window f;
    f.w.OpenDocument(QString::fromStdString(files.front().string()));
    EXPECT_EQ(f.w.PageControl1->currentIndex(), 0);
    EXPECT_FALSE(f.w.action("Save1")->isEnabled());
    EXPECT_FALSE(f.w.action("Cut1")->isEnabled());
    EXPECT_FALSE(f.w.commandEnabled("tbiconrep"));
    EXPECT_FALSE(f.w.action("iconauto")->isEnabled());
    EXPECT_TRUE(f.w.action("tbview3")->isEnabled());
    EXPECT_TRUE(f.w.action("mnu_allsave")->isEnabled());
}

TEST(MainWindow, AnAnimatedCursorFillsTheAnimationPage) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("ani", ".ani");
    ASSERT_FALSE(files.empty());
    Window f;
    f.w.OpenDocument(QString::fromStdString(files.front().string()));
    EXPECT_EQ(f.w.PageControl1->currentIndex(), 1);
    EXPECT_GT(f.w.lvani1->count(), 0);
    EXPECT_GT(f.w.lvani2->count(), 0);
}

TEST(MainWindow, TitleAndCreatorAreHeldAsShiftJisAndShownAsText) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("ani", ".ani");
    ASSERT_FALSE(files.empty());
    // A file whose creator is "ア" in Shift-JIS.
    test::TempDir dir;
    const std::string path = dir.file("sjis.ani");
    {
        TAniEX ani;
        ASSERT_TRUE(ani.LoadFromFile(files.front().string()));
        ani.Creator = "\x83\x41";
        ani.SaveToFile(path);
    }
    Window f;
    f.w.OpenDocument(QString::fromStdString(path));
    EXPECT_EQ(f.w.edtcreator->text(), QString::fromUtf8("ア"));
    f.w.edttitle->setFocus();
    f.w.edttitle->selectAll();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("アイコン"));
    QApplication::sendEvent(f.w.edttitle, &typed);
    ASSERT_TRUE(f.w.state().doc.AniSet);
    // What the file will hold: Shift-JIS bytes, not UTF-8.
    EXPECT_EQ(f.w.state().doc.AniSet->Title, std::string("\x83\x41\x83\x43\x83\x52\x83\x93"));
}

TEST(MainWindow, AMissingFileIsReportedAndTheWindowCarriesOn) {
    Window f;
    f.w.OpenDocument("/nonexistent/folder/x.ico");
    ASSERT_EQ(f.notices.notices.size(), 1u);
    EXPECT_NE(f.notices.notices[0].text.find("x.ico"), std::string::npos);
    EXPECT_EQ(f.w.LVIcon->count(), 0);
    // The status bar does not go on saying the file is being read.
    EXPECT_EQ(f.w.StatusPanel[0]->text(), QString());
}

TEST(MainWindow, ClosingWritesSettingsPlacementAndRecentFiles) {
    VORNIK_REQUIRE_CORPUS();
    MemorySettingsStore store;
    const std::string opened = (test::CorpusDir() / "ico/distlib__launcher.ico").string();
    {
        test::NoticeRecorder notices;
        TfrmMain w(store);
        w.OpenDocument(QString::fromStdString(opened));
        EXPECT_GT(w.LVIcon->count(), 0);
        w.close();
    }
    EXPECT_TRUE(store.read("frmMainRect", "width").has_value());
    EXPECT_EQ(store.read("option", "color").value_or(""), "12632256");
    EXPECT_EQ(store.read("recent", "Count").value_or(""), "1");
    EXPECT_EQ(store.read("recent", "H0").value_or(""), opened);
    // A second start shows the recent file again.
    test::NoticeRecorder notices;
    TfrmMain again(store);
    ASSERT_NE(again.findChild<QAction*>("History0"), nullptr);
}

TEST(MainWindow, BitmapPageClickMovesTheTakeInPosition) {
    Window f;
    f.w.PageControl1->setCurrentIndex(2);
    emit f.w.imgbmp->pressed(100, 100, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(f.w.spebx->value(), 84);
    EXPECT_EQ(f.w.speby->value(), 84);
    EXPECT_EQ(f.w.state().edit.spebx, 84);
    EXPECT_EQ(f.w.imgbmp->framePos(), QPoint(84, 84));
    emit f.w.imgxor->pressed(200, 5, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(f.w.spex->value(), 127);
    EXPECT_EQ(f.w.spey->value(), 5);
}

TEST(MainWindow, EveryHelpContextHasATopic) {
    Window f;
    THelpViewer* help = f.w.helpViewer();
    ASSERT_FALSE(help->topics().empty());
    QSet<QString> ids;
    for (const auto& t : help->topics()) ids.insert(t.id);
    for (const CommandInfo& c : CommandTable())
        if (c.helpContext) {
            EXPECT_TRUE(ids.contains(QString::number(c.helpContext))) << c.name;
        }
    for (const ControlHelp& h : ControlHelpTable())
        EXPECT_TRUE(ids.contains(QString::number(h.helpContext))) << h.name;
    f.w.showHelpContext(10070);
    EXPECT_EQ(help->currentTopicId(), "10070");
    help->showSearch("マスク");
    EXPECT_GT(help->visibleTopicCount(), 1);
    EXPECT_LT(help->visibleTopicCount(), static_cast<int>(help->topics().size()));
    help->close();
}

TEST(MainWindow, TheToolBarStartsAsItWasLeft) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    {
        TfrmMain w(store);
        w.show();
        w.action("tlbar1")->trigger();  // hidden
        w.close();
    }
    TfrmMain again(store);
    again.show();
    EXPECT_FALSE(again.Toolbar971->isVisible());
    EXPECT_FALSE(again.action("tlbar1")->isChecked());
    // The status bar and the editing panel always start visible.
    EXPECT_TRUE(again.action("stbar1")->isChecked());
    EXPECT_TRUE(again.pnledit->isVisible());
    again.close();
}

TEST(MainWindow, SavingANewDocumentAsksForAName) {
    Window f;
    FileDialogsScript dialogs;
    dialogs.cancel();
    f.w.action("tbsave")->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].request.dialog, "SavePictureDialog2");
    EXPECT_EQ(dialogs.asked[0].request.filter, "Icon|*.ico");
    EXPECT_EQ(f.w.windowTitle(), kAppTitle);
}
