#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "app/SetCopy.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmaniEft.h"

using namespace vornik;

namespace {

struct Trust : ::testing::Test {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w{store};
    std::vector<std::string> asked;
    SaveChoice answer = SaveChoice::Cancel;

    void SetUp() override {
        w.state().AskSaveChanges = [this](const Message& text) {
            asked.push_back(EnglishText(text));
            return answer;
        };
    }

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

TEST_F(Trust, ClosingAsksOnlyWhenTheDocumentChanged) {
    VORNIK_REQUIRE_CORPUS();
    {
        TfrmMain fresh(store);
        int freshAsked = 0;
        fresh.state().AskSaveChanges = [&](const Message&) {
            ++freshAsked;
            return SaveChoice::Cancel;
        };
        fresh.show();
        EXPECT_TRUE(fresh.close());  // nothing changed: no question
        EXPECT_EQ(freshAsked, 0);
    }
    ASSERT_TRUE(showFirstIcon());
    w.show();
    const int count = w.state().doc.IconSet->Count;
    w.action("mnu_iconadd")->trigger();
    EXPECT_EQ(w.state().doc.IconSet->Count, count + 1);
    EXPECT_TRUE(w.windowTitle().startsWith("*")) << w.windowTitle().toStdString();
    EXPECT_FALSE(w.close());  // cancelled: the window stays
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("Save the changes"), std::string::npos);
    // Undo takes the entry back out and the document back to its saved
    // state: nothing is left to ask about.
    w.action("Undo1")->trigger();
    EXPECT_EQ(w.state().doc.IconSet->Count, count);
    answer = SaveChoice::Discard;
    EXPECT_TRUE(w.close());
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(Trust, MaskStrokesUndoAsOneStepAndRedo) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    w.action("mnu_maskfill")->trigger();
    const QImage before = Rgb(w.imgand->picture());
    const Qt::MouseButton paint = before.pixel(0, 0) == qRgb(0, 0, 0) ? Qt::RightButton : Qt::LeftButton;
    emit w.imgand->pressed(1, 1, paint, Qt::NoModifier);
    emit w.imgand->moved(5, 1, paint, Qt::NoModifier);
    emit w.imgand->moved(9, 1, paint, Qt::NoModifier);
    emit w.imgand->released(9, 1, paint, Qt::NoModifier);
    const QImage painted = Rgb(w.imgand->picture());
    ASSERT_NE(painted, before);
    EXPECT_TRUE(w.action("Undo1")->isEnabled());
    w.action("Undo1")->trigger();
    EXPECT_EQ(Rgb(w.imgand->picture()), before);
    EXPECT_TRUE(w.action("Redo1")->isEnabled());
    w.action("Redo1")->trigger();
    EXPECT_EQ(Rgb(w.imgand->picture()), painted);
}

TEST_F(Trust, AnimationCommandsActOnlyOnWhatIsSelected) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = test::CorpusFiles("ani", ".ani");
    ASSERT_FALSE(files.empty());
    w.OpenDocument(QString::fromStdString(files.front().string()));
    ASSERT_GT(w.lvani1->count(), 1);
    w.lvani1->setCurrentRow(1);
    emit w.lvani1->itemDoubleClicked(w.lvani1->item(1));  // frame 1 into the views
    ASSERT_FALSE(w.imgxor->picture().isNull());
    const auto before = CopyAniSet(*w.state().doc.AniSet);

    w.PageControl1->setCurrentIndex(0);
    w.PageControl1->setCurrentIndex(1);
    EXPECT_TRUE(w.lvani1->selectedItems().isEmpty());
    w.action("mnu_iconrep")->trigger();
    w.action("Cut1")->trigger();
    EXPECT_TRUE(SameAniSet(*before, *w.state().doc.AniSet));

    // Adding a step keeps the frame selected, so a second add adds again.
    w.lvani1->setCurrentRow(0);
    const int steps = w.lvani2->count();
    w.sbaniadd->click();
    w.sbaniadd->click();
    EXPECT_EQ(w.lvani2->count(), steps + 2);
    // Clicking empty space in the step list leaves no step for 削除 to remove,
    // and none for the rate field to change.
    w.lvani2->setCurrentRow(0);
    const int rate = w.state().doc.AniSet->Steps[0].Rate;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect last = w.lvani2->visualItemRect(w.lvani2->item(w.lvani2->count() - 1));
    const QPoint empty(w.lvani2->viewport()->width() - 2, w.lvani2->viewport()->height() - 2);
    ASSERT_FALSE(last.contains(empty));
    QTest::mouseClick(w.lvani2->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_TRUE(w.lvani2->selectedItems().isEmpty());
    w.sprate->setValue(rate + 5);
    w.sbanidel->click();
    EXPECT_EQ(w.lvani2->count(), steps + 2);
    EXPECT_EQ(w.state().doc.AniSet->Steps[0].Rate, rate);

    // While playing, the other pages are out of reach.
    w.sbplay->click();
    EXPECT_FALSE(w.PageControl1->tabBar()->isEnabled());
    EXPECT_FALSE(w.action("tbundo")->isEnabled());
    w.sbstop->click();
    EXPECT_TRUE(w.PageControl1->tabBar()->isEnabled());
}

TEST_F(Trust, AFailedOpenKeepsTheDocumentAndNamesTheFile) {
    VORNIK_REQUIRE_CORPUS();
    ASSERT_TRUE(showFirstIcon());
    const int rows = w.LVIcon->count();
    const QString title = w.windowTitle();
    test::TempDir dir;
    test::WriteAll(dir.file("broken.ico"), Bytes(100, 'x'));
    w.OpenDocument(QString::fromStdString(dir.file("broken.ico")));
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_NE(notices.notices[0].text.find("The file \"broken.ico\" could not be opened"), std::string::npos);
    EXPECT_EQ(w.LVIcon->count(), rows);
    EXPECT_EQ(w.windowTitle(), title);
}

TEST_F(Trust, GenerationPastTheLimitOffersAnAngleThatFits) {
    VORNIK_REQUIRE_CORPUS();
    EXPECT_EQ(w.frmaniEft->serot->value(), 30);
    // Empty views: refused before anything is made.
    w.PageControl1->setCurrentIndex(1);
    QTimer::singleShot(0, [&] { w.frmaniEft->accept(); });
    w.btnanieft->click();
    EXPECT_EQ(w.lvani1->count(), 0);
    ASSERT_EQ(notices.notices.size(), 1u);
    notices.notices.clear();

    ASSERT_TRUE(showFirstIcon());
    w.PageControl1->setCurrentIndex(1);
    notices.answers = {true};  // take the nearest angle that fits
    QTimer::singleShot(0, [&] {
        w.frmaniEft->PageControl1->setCurrentIndex(0);
        w.frmaniEft->serot->setValue(1);  // 360 frames: past the 100 steps a set holds
        w.frmaniEft->accept();
    });
    w.btnanieft->click();
    // Said before anything is made, with the angle offered: 4 degrees, 90 frames.
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].kind, "question");
    EXPECT_NE(notices.notices[0].text.find("4 度 (90 フレーム)"), std::string::npos);
    EXPECT_EQ(w.lvani1->count(), 90);
    // The whole generation is one undo step.
    const int frames = w.lvani1->count();
    w.action("Undo1")->trigger();
    EXPECT_LT(w.lvani1->count(), frames);
}
