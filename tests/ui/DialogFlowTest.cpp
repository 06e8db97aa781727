#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "platform/FileDialogsScript.h"
#include "platform/MemorySettingsStore.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmAboutBox.h"
#include "ui/TfrmIconSelect.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmOption.h"
#include "ui/Tfrmallsave.h"
#include "ui/Tfrmiconcursel.h"

using namespace vornik;

namespace {
// Runs f once the next modal dialog is up.
void WhenShown(std::function<void()> f) { QTimer::singleShot(0, std::move(f)); }
}  // namespace

TEST(DialogFlow, NewIconPageDocumentTakesTheChosenKind) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    WhenShown([&] {
        w.frmiconcursel->rdoCursor->setChecked(true);
        w.frmiconcursel->close();  // closed by its frame: the choice counts all the same
    });
    w.action("New1")->trigger();
    ASSERT_TRUE(w.state().doc.IconSet);
    EXPECT_EQ(w.state().doc.IconSet->ResourceType, 2);
    EXPECT_EQ(w.windowTitle(), kAppTitle);
    EXPECT_TRUE(w.frmiconcursel->property("placedOnce").toBool());
}

TEST(DialogFlow, OptionsCancelChangesNothingAndOkApplies) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    const Settings before = w.settings();
    WhenShown([&] {
        w.frmOption->setSwatchColor(Qt::red);
        w.frmOption->chktoolbar->setChecked(true);
        w.frmOption->reject();
    });
    w.action("Option1")->trigger();
    EXPECT_EQ(w.settings(), before);

    WhenShown([&] {
        w.frmOption->setSwatchColor(QColor(0, 0, 255));
        w.frmOption->chktoolbar->setChecked(true);
        w.frmOption->accept();
    });
    w.action("Option1")->trigger();
    EXPECT_EQ(w.settings().color, 0xFF0000);  // red in the low byte: blue is 0xFF0000
    EXPECT_TRUE(w.settings().flat);
    EXPECT_TRUE(qobject_cast<QToolButton*>(w.control("tbconvert"))->autoRaise());
    EXPECT_EQ(w.ScrollBox1->viewport()->palette().color(QPalette::Window), QColor(0, 0, 255));
    // Settings reach the store only at the end.
    EXPECT_FALSE(store.read("option", "flat").has_value());
    w.close();
    EXPECT_EQ(store.read("option", "flat").value_or(""), "1");
}

TEST(DialogFlow, AboutBoxShowsNameAndVersionAndIsPlacedOnce) {
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    WhenShown([&] {
        w.frmAboutBox->move(3, 4);  // the user moves it
        w.frmAboutBox->accept();
    });
    w.action("About1")->trigger();
    EXPECT_EQ(w.frmAboutBox->ProductName->text(), "Vornik");
    EXPECT_EQ(w.frmAboutBox->Version->text(), QString("Ver ") + VORNIK_VERSION);
    const QPoint moved = w.frmAboutBox->pos();
    WhenShown([&] { w.frmAboutBox->accept(); });
    w.action("About1")->trigger();
    EXPECT_EQ(w.frmAboutBox->pos(), moved);  // not centred again
}

TEST(DialogFlow, ImportPicksAnEntryInTheSelectionDialog) {
    VORNIK_REQUIRE_CORPUS();
    const auto icons = test::CorpusFiles("ico", ".ico");
    ASSERT_FALSE(icons.empty());
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    TfrmMain w(store);
    dialogs.answer(icons.front().string());
    int listed = 0;
    WhenShown([&] {
        listed = w.frmIconSelect->ListView1->count();
        EXPECT_EQ(w.frmIconSelect->Label1->text().toStdString(), icons.front().string());
        w.frmIconSelect->ListView1->setCurrentRow(0);
        w.frmIconSelect->accept();
    });
    qobject_cast<QToolButton*>(w.control("tbinport"))->click();
    EXPECT_GT(listed, 0);
    EXPECT_FALSE(w.imgxor->picture().isNull());
    EXPECT_FALSE(w.imgand->picture().isNull());
    EXPECT_EQ(w.cmbtype->currentText(), "Icon");
    EXPECT_TRUE(notices.notices.empty());
}

TEST(DialogFlow, BatchSaveChecksItsFieldsThenWritesEveryEntry) {
    VORNIK_REQUIRE_CORPUS();
    const auto icons = test::CorpusFiles("ico", ".ico");
    ASSERT_FALSE(icons.empty());
    test::TempDir dir;
    MemorySettingsStore store;
    test::NoticeRecorder notices;
    TfrmMain w(store);
    w.OpenDocument(QString::fromStdString(icons.front().string()));
    const int count = w.LVIcon->count();
    ASSERT_GT(count, 0);
    WhenShown([&] {
        w.frmallsave->Edit1->setText("");
        w.frmallsave->Button1Click();  // blank folder: a warning, the dialog stays
        EXPECT_TRUE(w.frmallsave->isVisible());
        w.frmallsave->Edit1->setText(QString::fromStdString(dir.path().string()));
        w.frmallsave->Edit2->setText("ic");
        EXPECT_EQ(w.frmallsave->Memo1->text().toStdString(), dir.path().string() + "/ic0.ico");
        EXPECT_EQ(w.frmallsave->Files->toPlainText().split('\n').size(), count);  // one line per file written
        w.frmallsave->Button1Click();
    });
    w.action("mnu_allsave")->trigger();
    ASSERT_EQ(notices.notices.size(), 1u);
    EXPECT_EQ(notices.notices[0].kind, "warning");
    EXPECT_EQ(notices.notices[0].text, "Enter the output folder");
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(std::filesystem::exists(dir.path() / ("ic" + std::to_string(i) + ".ico"))) << i;
}
