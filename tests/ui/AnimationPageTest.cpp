#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

#include "../anim/MultiSizeAni.h"
#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TfrmMain.h"

using namespace vornik;

namespace {

struct AnimationPage : ::testing::Test {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w{store};
    test::TempDir dir;

    std::string open(const Bytes& file) {
        const std::string path = dir.file("a.ani");
        test::WriteAll(path, file);
        w.OpenDocument(QString::fromStdString(path));
        return path;
    }
};

TEST_F(AnimationPage, KeyboardMovesStepsAndSavingKeepsEveryFrameByte) {
    const Bytes file = test::MultiSizeAni(3, {32, 64});
    const std::string path = open(file);
    ASSERT_EQ(w.lvani2->count(), 3);
    w.lvani2->setCurrentRow(2);
    QTest::keyClick(w.lvani2, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.lvani2, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    // The moved step stays selected and in focus for the next move.
    ASSERT_EQ(w.lvani2->selectedItems().size(), 1);
    EXPECT_EQ(w.lvani2->row(w.lvani2->selectedItems().front()), 0);
    w.action("Save1")->trigger();
    const Bytes saved = test::ReadAll(path);
    EXPECT_EQ(test::ChunkValues(saved, "seq "), (std::vector<std::int32_t>{2, 0, 1}));
    EXPECT_EQ(test::IconChunks(saved), test::IconChunks(file));
    // One undo step each.
    w.action("Undo1")->trigger();
    EXPECT_EQ(w.state().doc.AniSet->Steps[0].Frame, 0);
    EXPECT_EQ(w.state().doc.AniSet->Steps[1].Frame, 2);
    EXPECT_TRUE(notices.notices.empty());
}

TEST_F(AnimationPage, FramesShowTheirSizesAndThePreviewIsTheRealSize) {
    open(test::MultiSizeAni(3, {32, 64}));
    EXPECT_EQ(w.lvani1->item(0)->text(), "0: 32, 64");
    ASSERT_EQ(w.cmbanisize->count(), 2);
    w.cmbanisize->setCurrentIndex(1);
    emit w.cmbanisize->activated(1);
    EXPECT_FALSE(w.state().doc.AniModified);  // which size is shown is no change to save
    w.lvani1->setCurrentRow(1);
    EXPECT_EQ(w.imganiview->picture().size(), QSize(64, 64));
    EXPECT_EQ(w.imganiview->size(), QSize(64, 64));
    w.cmbanizoom->setCurrentIndex(2);  // 3x
    EXPECT_EQ(w.imganiview->size(), QSize(192, 192));
    // Ctrl+A and one rate for all steps, kept above 99.
    w.lvani2->setFocus();
    QTest::keyClick(w.lvani2, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(w.lvani2->selectedItems().size(), 3);
    w.sprate->setValue(150);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(w.state().doc.AniSet->Steps[i].Rate, 150);
    EXPECT_EQ(w.lvani2->item(2)->text(), "2 - [150]");
}

TEST_F(AnimationPage, ShowingAStepNeverWritesItsRate) {
    open(test::MultiSizeAni(2, {32}, {0, 1}, {5000, 7}));
    w.lvani2->setCurrentRow(0);
    EXPECT_EQ(w.sprate->value(), w.sprate->maximum());
    w.lvani2->setCurrentRow(1);
    EXPECT_EQ(w.sprate->value(), 7);
    EXPECT_EQ(w.state().doc.AniSet->Steps[0].Rate, 5000);
    EXPECT_FALSE(w.state().doc.AniModified);
}

}  // namespace
