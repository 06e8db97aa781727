#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "model/TIconEx.h"
#include "platform/MemorySettingsStore.h"
#include "ui/THelpViewer.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"

using namespace vornik;

TEST(Help, F1OnAControlOpensItsTopicAndTheMenuCommandsOpenTheViewer) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::setActiveWindow(&w);  // no window manager needed to hand out the focus
    w.cmbtype->setFocus();
    QTest::keyClick(w.cmbtype, Qt::Key_F1);
    THelpViewer* help = w.helpViewer();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentTopicId(), "10065");

    w.action("HowtoUseHelp1")->trigger();
    EXPECT_EQ(help->currentTopicId(), "t-helphelp");
    w.action("SearchforHelpOn1")->trigger();
    auto* search = help->findChild<QLineEdit*>("helpsearch");
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(search->text().isEmpty());  // keyword search with an empty key
    EXPECT_EQ(help->visibleTopicCount(), static_cast<int>(help->topics().size()));
    w.action("Contents1")->trigger();
    EXPECT_EQ(help->currentTopicId(), help->topics().front().id);
    help->close();
    w.close();
}

TEST(Drop, OnlyTheFirstFileOpensAndALinkOpensItsTarget) {
    VORNIK_REQUIRE_CORPUS();
    const auto icons = test::CorpusFiles("ico", ".ico");
    const auto cursors = test::CorpusFiles("cur", ".cur");
    ASSERT_FALSE(icons.empty());
    ASSERT_FALSE(cursors.empty());
    test::TempDir dir;
    const std::filesystem::path link = dir.path() / "link-without-extension";
    std::filesystem::create_symlink(std::filesystem::absolute(icons.front()), link);

    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    w.DropFiles({QString::fromStdString(link.string()), QString::fromStdString(cursors.front().string())});
    TIconCurEX reference;
    ASSERT_TRUE(reference.LoadFromFile(icons.front().string()));
    // Opened as the icon it points to, not scanned as an executable, and not the cursor.
    EXPECT_EQ(w.LVIcon->count(), reference.Count);
    ASSERT_TRUE(w.state().doc.IconSet);
    EXPECT_EQ(w.state().doc.IconSet->ResourceType, 1);
    EXPECT_FALSE(w.state().doc.ExeShown);
    EXPECT_TRUE(notices.notices.empty());
}

TEST(Help, F1OnAHighlightedMenuItemOpensItsTopic) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QMenu* edit = w.findChild<QMenu*>("Edit1");
    ASSERT_NE(edit, nullptr);
    edit->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    edit->setActiveAction(w.action("mnu_convert"));
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(w.helpViewer()->currentTopicId(), "10070");
    w.helpViewer()->close();
    w.close();
}

TEST(Placement, TheStoredPlacementIsRestored) {
    MemorySettingsStore store;
    store.write("frmMainRect", "left", "30");
    store.write("frmMainRect", "top", "40");
    store.write("frmMainRect", "width", "700");
    store.write("frmMainRect", "height", "560");
    test::NoticeRecorder notices;
    TfrmMain w(store);
    EXPECT_EQ(w.geometry().size(), QSize(700, 560));
    EXPECT_EQ(w.geometry().topLeft(), QPoint(30, 40));
}
