#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "anim/PlayFrame.h"
#include "anim/StepList.h"
#include "app/EditActions.h"
#include "app/RepeatedNotices.h"
#include "app/UndoCommands.h"
#include "model/EntryConversion.h"
#include "model/RenderEntry.h"
#include "platform/Notice.h"
#include "platform/ShiftJis.h"
#include "ui/DibImage.h"
#include "ui/PanelWidgets.h"
#include "ui/TPictureView.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmOption.h"
#include "ui/TfrmaniEft.h"

namespace vornik {

// ---------------------------------------------------------------- animation page

QWidget* TfrmMain::buildAnimationPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* pnlaniview = new QWidget(page);
    pnlaniview->setObjectName("pnlaniview");
    auto* lv = new QVBoxLayout(pnlaniview);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->addWidget(new QLabel("フレーム", pnlaniview));
    lvani1 = new QListWidget(pnlaniview);
    lvani1->setObjectName("lvani1");
    lvani1->setViewMode(QListView::IconMode);
    lvani1->setIconSize(QSize(32, 32));
    lvani1->setResizeMode(QListView::Adjust);
    lvani1->setMovement(QListView::Static);
    lvani1->setGridSize(QSize(96, 64));
    lv->addWidget(lvani1, 1);
    auto* pnlstep = new QWidget(page);
    pnlstep->setObjectName("pnlstep");
    auto* sv = new QVBoxLayout(pnlstep);
    sv->setContentsMargins(0, 0, 0, 0);
    sv->addWidget(new QLabel("ステップ", pnlstep));
    lvani2 = new QListWidget(pnlstep);
    lvani2->setObjectName("lvani2");
    lvani2->setViewMode(QListView::IconMode);
    lvani2->setIconSize(QSize(32, 32));
    lvani2->setResizeMode(QListView::Adjust);
    lvani2->setMovement(QListView::Static);
    lvani2->setGridSize(QSize(72, 64));
    sv->addWidget(lvani2, 1);
    v->addWidget(pnlaniview, 3);
    v->addWidget(pnlstep, 2);

    auto* controls = new QHBoxLayout;
    auto* gbrate = new QGroupBox("Rate", page);
    gbrate->setObjectName("gbrate");
    auto* rl = new QHBoxLayout(gbrate);
    sprate = new QSpinBox(gbrate);
    sprate->setObjectName("sprate");
    sprate->setRange(0, 99);
    rl->addWidget(sprate);
    sbaniadd = PanelButton(gbrate, "sbaniadd", "追加");
    sbaniadd->setStatusTip("ステップを追加します");
    sbanidel = PanelButton(gbrate, "sbanidel", "削除");
    sbanidel->setStatusTip("ステップを削除します");
    rl->addWidget(sbaniadd);
    rl->addWidget(sbanidel);
    controls->addWidget(gbrate);

    imganiview = new TPictureView;
    imganiview->setObjectName("imganiview");
    ScrollBoxAni = PictureBox(page, "ScrollBoxAni", imganiview);
    ScrollBoxAni->setFixedSize(57, 57);
    controls->addWidget(ScrollBoxAni);
    sbplay = PanelButton(page, "sbplay", "再生");
    sbplay->setStatusTip("アニメーションを再生します");
    sbstop = PanelButton(page, "sbstop", "停止");
    sbstop->setStatusTip("再生を停止します");
    btnanieft = PanelButton(page, "btnanieft", "アニメーション効果");
    btnanieft->setStatusTip("アニメーションを自動生成します");
    auto* play = new QVBoxLayout;
    play->addWidget(sbplay);
    play->addWidget(sbstop);
    controls->addLayout(play);
    controls->addWidget(btnanieft);
    controls->addStretch();
    v->addLayout(controls);

    auto* form = new QFormLayout;
    edttitle = new QLineEdit(page);
    edttitle->setObjectName("edttitle");
    edtcreator = new QLineEdit(page);
    edtcreator->setObjectName("edtcreator");
    auto* lbltitle = new QLabel("タイトル", page);
    lbltitle->setObjectName("lbltitle");
    auto* lblCreator = new QLabel("作者", page);
    lblCreator->setObjectName("lblCreator");
    form->addRow(lbltitle, edttitle);
    form->addRow(lblCreator, edtcreator);
    v->addLayout(form);
    return page;
}

void TfrmMain::connectAnimation() {
    connect(lvani1, &QListWidget::itemDoubleClicked, this, [this] { lvani1DblClick(); });
    connect(lvani2, &QListWidget::itemClicked, this, [this] {
        // lvani2Click: the step's rate into the rate field.
        const int step = selectedStep();
        if (s_.doc.AniSet && step >= 0 && step < s_.doc.AniSet->StepCount())
            sprate->setValue(s_.doc.AniSet->Steps[step].Rate);
    });
    connect(sprate, qOverload<int>(&QSpinBox::valueChanged), this, [this](int rate) {
        // sprateChange: the selected step takes the rate; its caption follows.
        const int step = selectedStep();
        if (mirroring_ || !s_.doc.AniSet || step < 0) return;
        StepListView view;
        view.Items.resize(static_cast<std::size_t>(std::max(s_.doc.AniSet->StepCount(), 0)));
        undoable(kUndoAniSet, "rate", [&] { SetStepRate(*s_.doc.AniSet, view, step, rate); });
        if (step < static_cast<int>(view.Items.size()) && lvani2->item(step))
            lvani2->item(step)->setText(QString::fromStdString(view.Items[step].Caption));
    });
    connect(Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    connect(edttitle, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!s_.doc.AniSet) return;
        undoable(kUndoAniSet, "title", [&] { s_.doc.AniSet->Title = Utf8ToShiftJis(t.toStdString()); });
    });
    connect(edtcreator, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!s_.doc.AniSet) return;
        undoable(kUndoAniSet, "creator", [&] { s_.doc.AniSet->Creator = Utf8ToShiftJis(t.toStdString()); });
    });
    connect(sbaniadd, &QToolButton::clicked, this, &TfrmMain::sbaniaddClick);
    connect(sbanidel, &QToolButton::clicked, this, &TfrmMain::sbanidelClick);
    connect(sbplay, &QToolButton::clicked, this, &TfrmMain::sbplayClick);
    connect(sbstop, &QToolButton::clicked, this, &TfrmMain::sbstopClick);
    connect(btnanieft, &QToolButton::clicked, this, &TfrmMain::btnanieftClick);
}

int TfrmMain::selectedFrame() const {
    const QList<QListWidgetItem*> items = lvani1->selectedItems();
    return items.isEmpty() ? -1 : lvani1->row(items.front());
}

int TfrmMain::selectedStep() const {
    const QList<QListWidgetItem*> items = lvani2->selectedItems();
    return items.isEmpty() ? -1 : lvani2->row(items.front());
}

void TfrmMain::refreshAnimation() {
    lvani1->clear();
    frameRows_.clear();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) {
        lvani2->clear();
        return;
    }
    const bool was = mirroring_;
    mirroring_ = true;
    edttitle->setText(QString::fromStdString(ShiftJisToUtf8(ani->Title)));
    edtcreator->setText(QString::fromStdString(ShiftJisToUtf8(ani->Creator)));
    mirroring_ = was;
    try {
        frameRows_ = RowsOf(FillResourceList(*ani, s_.settings.stretchbltmode));
    } catch (const std::exception&) {
        frameRows_.clear();  // frames that cannot be drawn are listed without pictures
    }
    for (const auto& r : frameRows_)
        new QListWidgetItem(QIcon(QPixmap::fromImage(r.large)), r.caption, lvani1);
    refreshSteps();
}

void TfrmMain::refreshSteps() {
    lvani2->clear();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) return;
    StepListView steps;
    ImageList large{32, {}}, small{16, {}};
    try {
        FillStepList(*ani, steps, large, small, s_.settings.stretchbltmode);
    } catch (const std::exception&) {
        // steps whose frames cannot be drawn are listed without pictures
    }
    for (const auto& item : steps.Items) {
        QIcon icon;
        if (item.ImageIndex >= 0 && item.ImageIndex < static_cast<int>(large.pairs.size()))
            icon = QIcon(QPixmap::fromImage(ToQImage(large.pairs[item.ImageIndex])));
        new QListWidgetItem(icon, QString::fromStdString(item.Caption), lvani2);
    }
}

void TfrmMain::lvani1DblClick() {
    const int frame = selectedFrame();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani || frame < 0 || frame >= ani->Count) return;
    undoable(kUndoViews, "show frame", [&] {
        EditState& e = s_.edit;
        PictureView image, mask;
        EntryToViews(*ani, image, mask, frame);
        e.imgxor = image;
        e.imgand = mask;
        e.cmbtype = kTypeCursor;
        SetHotSpot(e, ani->Entries[frame].HotSpotX, ani->Entries[frame].HotSpotY);
        SyncSelectorsFromImage(e, *e.imgxor);
    });
}

void TfrmMain::sbaniaddClick() {
    TAniEX* ani = s_.doc.AniSet.get();
    const int frame = selectedFrame();
    if (!ani || frame < 0) return;
    int position = -1;
    const int step = selectedStep();
    const int steps = ani->StepCount();
    if (step > 0) {
        position = step == steps - 1 ? -1 : step + 1;
    } else if (step == 0) {
        position = AskYesNo("指定位置の後に挿入しますか?") ? (steps == 1 ? -1 : 1) : 0;
    }
    undoable(kUndoAniSet, "step", [&] { ani->InsertStep(frame, position, sprate->value()); });
    refreshSteps();  // the frame selection stays for the next step
}

void TfrmMain::sbanidelClick() {
    TAniEX* ani = s_.doc.AniSet.get();
    const int step = selectedStep();
    if (!ani || step < 0) return;
    undoable(kUndoAniSet, "delete step", [&] { ani->DeleteStep(step); });
    refreshSteps();
}

void TfrmMain::btnanieftClick() {
    const bool ok = execDialog(frmaniEft) == QDialog::Accepted;
    const AniEffectChoice choice = frmaniEft->choice(ok);
    if (!ok) return;
    const EditState& e = s_.edit;
    // Checked before anything is made: no black 1 x 1 frames from empty views.
    if (!e.imgxor || !e.imgand) {
        ShowMessage("アニメーションの元になるイメージとマスクがありません。先にリソースを表示してください。");
        return;
    }
    if (e.imgxor->Width() != e.imgand->Width() || e.imgxor->Height() != e.imgand->Height()) {
        ShowMessage("イメージとマスクの大きさが違うため、アニメーションを生成できません。");
        return;
    }
    // A full set refuses every further frame: the user hears it once.
    RepeatedNoticesOnce once;
    PictureView empty;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    undoable(
        kUndoAniSet, "effect",
        [&] {
            RunAniEffect(s_.doc.AniSet, s_.settings.defrate, e.imgxor ? *e.imgxor : empty,
                         e.imgand ? *e.imgand : empty, s_.settings.stretchbltmode, choice,
                         [this](const std::string& text) {
                             showStatus(0, QString::fromStdString(text));
                             StatusPanel[0]->repaint();
                         });
        },
        true);
    QApplication::restoreOverrideCursor();
}

void TfrmMain::setPlaying(bool playing) {
    // While playing, only the timer changes anything.
    for (const char* m : {"File1", "View1", "Edit1", "Help1"}) menus_[m]->menuAction()->setEnabled(!playing);
    for (QWidget* w : std::initializer_list<QWidget*>{pnledit, btnanieft, lvani1, lvani2, edttitle,
                                                      edtcreator, sprate, sbaniadd, sbanidel})
        w->setEnabled(!playing);
    for (const char* a : {"tbnew", "tbopen", "tbsave", "tbcut", "tbcopy", "tbpaste", "tbundo", "tbredo"})
        action(a)->setEnabled(!playing);
    // The other pages stay out of reach: their commands would edit the playing set.
    PageControl1->tabBar()->setEnabled(!playing);
    if (!playing) {
        refresh();  // the page's own enable states come back
        for (const char* a : {"tbview1", "tbview2", "tbview3", "tbview4"})
            action(a)->setEnabled(s_.commands.Enabled(a));
    } else {
        for (const char* a : {"tbview1", "tbview2", "tbview3", "tbview4"}) action(a)->setEnabled(false);
    }
}

void TfrmMain::sbplayClick() {
    if (!player_.Play(s_.doc.AniSet.get())) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setPlaying(true);
    imganiview->clearPicture();
    Timer1->start();
}

void TfrmMain::sbstopClick() {
    if (!player_.Playing() && !Timer1->isActive()) return;
    Timer1->stop();
    player_.Stop();
    QApplication::restoreOverrideCursor();
    setPlaying(false);
}

void TfrmMain::Timer1Timer() {
    const TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) return;
    player_.Tick(*ani, [this, ani](int frame) {
        TQvDIB frameView;
        frameView.CreateDIB(32, 32, 0, 24);
        const int c = s_.settings.color;
        try {
            DrawPlayFrame(*ani, frame, frameView, RgbColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        } catch (const std::exception&) {
            // a frame that cannot be drawn shows the background
        }
        const QImage view = ToQImage(frameView);
        imganiview->setPicture(view);
        applyZoom();
    });
}

}  // namespace vornik
