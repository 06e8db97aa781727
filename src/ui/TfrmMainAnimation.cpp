#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
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

#include "anim/FrameOrder.h"
#include "anim/FrameSizes.h"
#include "anim/GenerateFrames.h"
#include "anim/PlayFrame.h"
#include "anim/StepInsertion.h"
#include "anim/StepList.h"
#include "app/AnimationPage.h"
#include "app/EditActions.h"
#include "app/RepeatedNotices.h"
#include "app/UndoCommands.h"
#include "model/EntryConversion.h"
#include "model/RenderEntry.h"
#include "model/SetNotices.h"
#include "platform/Notice.h"
#include "platform/ShiftJis.h"
#include "ui/DibImage.h"
#include "ui/MessageText.h"
#include "ui/PanelWidgets.h"
#include "ui/TAniListWidget.h"
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
    auto* frameHead = new QHBoxLayout;
    frameHead->addWidget(new QLabel(tr("Frames"), pnlaniview));
    frameHead->addStretch();
    auto* lblanisize = new QLabel(tr("Frame size"), pnlaniview);
    frameHead->addWidget(lblanisize);
    cmbanisize = new QComboBox(pnlaniview);
    cmbanisize->setObjectName("cmbanisize");
    cmbanisize->setStatusTip(tr("Chooses the frame size that the list, editing and playing use"));
    lblanisize->setBuddy(cmbanisize);
    frameHead->addWidget(cmbanisize);
    lv->addLayout(frameHead);
    auto* frames = new TAniListWidget(pnlaniview);
    lvani1 = frames;
    lvani1->setObjectName("lvani1");
    lvani1->setIconSize(QSize(32, 32));
    lvani1->setGridSize(QSize(96, 64));
    lv->addWidget(lvani1, 1);
    auto* pnlstep = new QWidget(page);
    pnlstep->setObjectName("pnlstep");
    auto* sv = new QVBoxLayout(pnlstep);
    sv->setContentsMargins(0, 0, 0, 0);
    sv->addWidget(new QLabel(tr("Steps"), pnlstep));
    auto* steps = new TAniListWidget(pnlstep);
    lvani2 = steps;
    lvani2->setObjectName("lvani2");
    lvani2->setIconSize(QSize(32, 32));
    lvani2->setGridSize(QSize(72, 64));
    sv->addWidget(lvani2, 1);
    v->addWidget(pnlaniview, 3);
    v->addWidget(pnlstep, 2);

    auto* controls = new QHBoxLayout;
    auto* gbrate = new QGroupBox(tr("Rate"), page);
    gbrate->setObjectName("gbrate");
    // The field, its time in milliseconds, then the step buttons.
    auto* rl = new QGridLayout(gbrate);
    sprate = new QSpinBox(gbrate);
    sprate->setObjectName("sprate");
    sprate->setRange(0, kRateFieldMax);
    sprate->setSuffix(tr(" /60 s", "unit of the step's display time"));
    sprate->setStatusTip(tr("How long the step shows (in 1/60 seconds)"));
    sprate->setMinimumWidth(QFontMetrics(sprate->font()).horizontalAdvance("999" + sprate->suffix()) + 40);
    rl->addWidget(sprate, 0, 0, 1, 2);
    lblratems = new QLabel(gbrate);
    lblratems->setObjectName("lblratems");
    rl->addWidget(lblratems, 1, 0, 1, 2);
    sbaniadd = PanelButton(gbrate, "sbaniadd", tr("Add"));
    sbaniadd->setStatusTip(tr("Adds a step"));
    sbanidel = PanelButton(gbrate, "sbanidel", tr("Delete"));
    sbanidel->setStatusTip(tr("Deletes the selected steps"));
    rl->addWidget(sbaniadd, 2, 0);
    rl->addWidget(sbanidel, 2, 1);
    controls->addWidget(gbrate);

    imganiview = new TPictureView;
    imganiview->setObjectName("imganiview");
    ScrollBoxAni = PictureBox(page, "ScrollBoxAni", imganiview);
    // The cursor at its real size (the chosen frame size) times the zoom.
    ScrollBoxAni->setMinimumSize(140, 140);
    ScrollBoxAni->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    controls->addWidget(ScrollBoxAni, 1);
    auto* previewOptions = new QVBoxLayout;
    cmbanizoom = new QComboBox(page);
    cmbanizoom->setObjectName("cmbanizoom");
    for (int z = 1; z <= 8; ++z) cmbanizoom->addItem(QString("%1x").arg(z), z);
    cmbanizoom->setStatusTip(tr("Magnification of the preview"));
    chkanihotspot = new QCheckBox(tr("Hot spot"), page);
    chkanihotspot->setObjectName("chkanihotspot");
    chkanihotspot->setStatusTip(tr("Shows the hot spot in the preview"));
    btnanicolor = PanelButton(page, "btnanicolor", tr("Background..."));
    btnanicolor->setStatusTip(tr("Chooses the background colour of the preview"));
    previewOptions->addWidget(cmbanizoom);
    previewOptions->addWidget(chkanihotspot);
    previewOptions->addWidget(btnanicolor);
    previewOptions->addStretch();
    controls->addLayout(previewOptions);
    sbplay = PanelButton(page, "sbplay", tr("Play"));
    sbplay->setStatusTip(tr("Plays the animation"));
    sbstop = PanelButton(page, "sbstop", tr("Stop"));
    sbstop->setStatusTip(tr("Stops playing"));
    btnanieft = PanelButton(page, "btnanieft", tr("Animation Effects"));
    btnanieft->setStatusTip(tr("Generates an animation automatically"));
    auto* play = new QVBoxLayout;
    play->addWidget(sbplay);
    play->addWidget(sbstop);
    controls->addLayout(play);
    controls->addWidget(btnanieft);
    v->addLayout(controls, 2);

    auto* form = new QFormLayout;
    edttitle = new QLineEdit(page);
    edttitle->setObjectName("edttitle");
    edtcreator = new QLineEdit(page);
    edtcreator->setObjectName("edtcreator");
    auto* lbltitle = new QLabel(tr("Title"), page);
    lbltitle->setObjectName("lbltitle");
    auto* lblCreator = new QLabel(tr("Author"), page);
    lblCreator->setObjectName("lblCreator");
    form->addRow(lbltitle, edttitle);
    form->addRow(lblCreator, edtcreator);
    v->addLayout(form);
    return page;
}

void TfrmMain::connectAnimation() {
    auto* frames = static_cast<TAniListWidget*>(lvani1);
    auto* steps = static_cast<TAniListWidget*>(lvani2);
    connect(lvani1, &QListWidget::itemDoubleClicked, this, [this] { lvani1DblClick(); });
    connect(lvani1, &QListWidget::itemSelectionChanged, this, [this] {
        if (mirroring_ || player_.Playing()) return;
        framePick_ = selectedFrames();
        showAniPreview(selectedFrame());
    });
    connect(lvani2, &QListWidget::itemSelectionChanged, this, [this] { stepSelectionChanged(); });
    connect(frames, &TAniListWidget::moveRequested, this, [this](int delta) { moveAniItems(true, delta); });
    connect(steps, &TAniListWidget::moveRequested, this, [this](int delta) { moveAniItems(false, delta); });
    connect(frames, &TAniListWidget::dropRequested, this,
            [this](const std::vector<int>& rows, int before) { dropAniItems(true, rows, before); });
    connect(steps, &TAniListWidget::dropRequested, this,
            [this](const std::vector<int>& rows, int before) { dropAniItems(false, rows, before); });
    connect(frames, &TAniListWidget::deleteRequested, this, &TfrmMain::deleteSelectedFrames);
    connect(steps, &TAniListWidget::deleteRequested, this, &TfrmMain::sbanidelClick);
    connect(sprate, qOverload<int>(&QSpinBox::valueChanged), this, [this](int rate) {
        // sprateChange: every selected step takes the rate typed, as one step of undo;
        // showing a step's rate (mirroring) never writes it.
        lblratems->setText(QString::fromStdString(RateNote(rate)));
        const std::vector<int> chosen = selectedSteps();
        if (mirroring_ || !s_.doc.AniSet || chosen.empty()) return;
        undoable(kUndoAniSet, "rate", [&] { SetStepsRate(*s_.doc.AniSet, chosen, rate); });
        const TAniEX* ani = s_.doc.AniSet.get();
        for (int step : chosen)
            if (ani && step < ani->StepCount() && lvani2->item(step))
                lvani2->item(step)->setText(QString::fromStdString(StepCaption(step, ani->Steps[step].Rate)));
    });
    connect(cmbanisize, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        TAniEX* ani = s_.doc.AniSet.get();
        if (!ani || index < 0) return;
        // Which size is shown changes no byte of the file: no undo step, nothing to save.
        runCommand([&] { ShowFrameSize(*ani, cmbanisize->itemData(index).toInt()); });
        refreshAnimation();
    });
    connect(cmbanizoom, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { applyAniZoom(); });
    connect(chkanihotspot, &QCheckBox::toggled, this, [this] {
        if (!player_.Playing()) showAniPreview(selectedFrame());
    });
    connect(btnanicolor, &QToolButton::clicked, this, [this] {
        const QColor c = QColorDialog::getColor(ColorOfSetting(s_.settings.color), this, tr("Background Colour"));
        if (!c.isValid()) return;
        s_.settings.color = c.red() | (c.green() << 8) | (c.blue() << 16);
        applyBackgroundColor();
        if (!player_.Playing()) showAniPreview(selectedFrame());
    });
    connect(Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    connect(edttitle, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!s_.doc.AniSet) return;
        undoable(kUndoAniSet, "title", [&] { SetInfoText(*s_.doc.AniSet, false, t.toStdString()); });
    });
    connect(edtcreator, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!s_.doc.AniSet) return;
        undoable(kUndoAniSet, "creator", [&] { SetInfoText(*s_.doc.AniSet, true, t.toStdString()); });
    });
    connect(sbaniadd, &QToolButton::clicked, this, &TfrmMain::sbaniaddClick);
    connect(sbanidel, &QToolButton::clicked, this, &TfrmMain::sbanidelClick);
    connect(sbplay, &QToolButton::clicked, this, &TfrmMain::sbplayClick);
    connect(sbstop, &QToolButton::clicked, this, &TfrmMain::sbstopClick);
    connect(btnanieft, &QToolButton::clicked, this, &TfrmMain::btnanieftClick);
}

int TfrmMain::selectedFrame() const {
    const std::vector<int> rows = selectedFrames();
    return rows.empty() ? -1 : rows.front();
}

int TfrmMain::selectedStep() const {
    const std::vector<int> rows = selectedSteps();
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> TfrmMain::selectedFrames() const { return static_cast<TAniListWidget*>(lvani1)->selectedRows(); }
std::vector<int> TfrmMain::selectedSteps() const { return static_cast<TAniListWidget*>(lvani2)->selectedRows(); }

void TfrmMain::stepSelectionChanged() {
    if (mirroring_ || player_.Playing()) return;
    stepPick_ = selectedSteps();
    const TAniEX* ani = s_.doc.AniSet.get();
    const int step = selectedStep();
    if (!ani || step < 0 || step >= ani->StepCount()) return;
    // lvani2Click: the step's rate into the field, without writing it back.
    const RateFieldShow show = RateFieldFor(*ani, step);
    const bool was = mirroring_;
    mirroring_ = true;
    sprate->setValue(show.value);
    mirroring_ = was;
    lblratems->setText(QString::fromStdString(show.note));
    showAniPreview(ani->Steps[step].Frame);
}

void TfrmMain::moveAniItems(bool frames, int delta) {
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani || player_.Playing()) return;
    const std::vector<int> rows = frames ? selectedFrames() : selectedSteps();
    if (rows.empty()) return;
    std::vector<int> after;
    undoable(kUndoAniSet, frames ? "move frames" : "move steps",
             [&] { after = frames ? MoveFrames(*ani, rows, delta) : MoveSteps(*ani, rows, delta); });
    (frames ? framePick_ : stepPick_) = after;
    refreshAnimation();
    (frames ? lvani1 : lvani2)->setFocus();
}

void TfrmMain::dropAniItems(bool frames, const std::vector<int>& rows, int before) {
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani || player_.Playing() || rows.empty()) return;
    std::vector<int> after;
    undoable(kUndoAniSet, frames ? "move frames" : "move steps",
             [&] { after = frames ? DropFrames(*ani, rows, before) : DropSteps(*ani, rows, before); });
    (frames ? framePick_ : stepPick_) = after;
    refreshAnimation();
}

void TfrmMain::deleteSelectedFrames() {
    TAniEX* ani = s_.doc.AniSet.get();
    const std::vector<int> rows = selectedFrames();
    if (!ani || player_.Playing() || rows.empty()) return;
    undoable(kUndoAniSet, "delete frames", [&] { DeleteFrames(*ani, rows); });
    framePick_.clear();
    stepPick_.clear();
    refreshAnimation();
}

void TfrmMain::refreshAniSizes() {
    const bool was = mirroring_;
    mirroring_ = true;
    cmbanisize->clear();
    const TAniEX* ani = s_.doc.AniSet.get();
    if (ani) {
        const int shown = ShownSize(*ani, std::max(selectedFrame(), 0));
        for (int size : SetSizes(*ani)) {
            cmbanisize->addItem(QString("%1 x %1").arg(size), size);
            if (size == shown) cmbanisize->setCurrentIndex(cmbanisize->count() - 1);
        }
    }
    cmbanisize->setEnabled(cmbanisize->count() > 1);
    mirroring_ = was;
}

void TfrmMain::refreshAnimation() {
    const bool was = mirroring_;
    mirroring_ = true;
    lvani1->clear();
    frameRows_.clear();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) {
        lvani2->clear();
        refreshAniSizes();
        mirroring_ = was;
        return;
    }
    edttitle->setText(QString::fromStdString(InfoFieldText(*ani, false)));
    edtcreator->setText(QString::fromStdString(InfoFieldText(*ani, true)));
    try {
        frameRows_ = RowsOf(FillResourceList(*ani, s_.settings.stretchbltmode));
    } catch (const std::exception&) {
        frameRows_.clear();  // frames that cannot be drawn are listed without pictures
    }
    for (int f = 0; f < ani->Count; ++f) {
        QIcon icon;
        if (f < static_cast<int>(frameRows_.size())) icon = QIcon(QPixmap::fromImage(frameRows_[f].large));
        // The caption names every size the frame holds.
        auto* item = new QListWidgetItem(
            icon, QString("%1: %2").arg(f).arg(QString::fromStdString(FrameSizesCaption(*ani, f))), lvani1);
        item->setToolTip(item->text());
    }
    framePick_ = CleanSelection(framePick_, ani->Count);
    static_cast<TAniListWidget*>(lvani1)->selectRows(framePick_);
    refreshSteps();
    refreshAniSizes();
    mirroring_ = was;
}

void TfrmMain::refreshSteps() {
    const bool was = mirroring_;
    mirroring_ = true;
    lvani2->clear();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) {
        mirroring_ = was;
        return;
    }
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
    stepPick_ = CleanSelection(stepPick_, ani->StepCount());
    static_cast<TAniListWidget*>(lvani2)->selectRows(stepPick_);
    mirroring_ = was;
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
        position = AskYesNo(InsertAfterQuestion()) ? (steps == 1 ? -1 : 1) : 0;
    }
    undoable(kUndoAniSet, "step", [&] { ani->InsertStep(frame, position, sprate->value()); });
    stepPick_ = {position < 0 ? ani->StepCount() - 1 : position};
    refreshSteps();  // the frame selection stays for the next step
}

void TfrmMain::sbanidelClick() {
    TAniEX* ani = s_.doc.AniSet.get();
    const std::vector<int> chosen = selectedSteps();
    if (!ani || chosen.empty() || player_.Playing()) return;
    undoable(kUndoAniSet, "delete step", [&] { DeleteSteps(*ani, chosen); });
    stepPick_.clear();
    refreshSteps();
}

void TfrmMain::btnanieftClick() {
    const bool ok = execDialog(frmaniEft) == QDialog::Accepted;
    AniEffectChoice choice = frmaniEft->choice(ok);
    if (!ok) return;
    if (choice.tab == AniEffectTab::Rotation) {
        // A rotation too fine for the step list is not cut short without a word.
        const int room = GenerationRoom(s_.doc.AniSet.get());
        const int angle = std::max(choice.value, 1);
        if (RotationFrameCount(angle) > room) {
            const int fit = RotationAngleThatFits(angle, room);
            if (fit == 0) {
                ShowMessage(setmsg::SetFull());
                return;
            }
            const std::string question =
                tr("A rotation angle of %1 degrees makes %2 frames, more than the %3 that can be added.\r"
                   "Generate with %4 degrees (%5 frames)?")
                    .arg(angle)
                    .arg(RotationFrameCount(angle))
                    .arg(room)
                    .arg(fit)
                    .arg(RotationFrameCount(fit))
                    .toStdString();
            if (!AskYesNo(question)) return;
            choice.value = fit;
        }
    }
    const EditState& e = s_.edit;
    // Checked before anything is made: no black 1 x 1 frames from empty views.
    if (!e.imgxor || !e.imgand) {
        ShowMessage(tr("There is no image and mask to make the animation from. Show a resource first.").toStdString());
        return;
    }
    if (e.imgxor->Width() != e.imgand->Width() || e.imgxor->Height() != e.imgand->Height()) {
        ShowMessage(tr("The image and the mask differ in size, so no animation can be generated.").toStdString());
        return;
    }
    // A full set refuses every further frame: the user hears it once.
    RepeatedNoticesOnce once;
    PictureView empty;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    undoable(
        kUndoAniSet, "effect",
        [&] {
            RunAniEffect(
                s_.doc.AniSet, s_.settings.defrate, e.imgxor ? *e.imgxor : empty,
                e.imgand ? *e.imgand : empty, s_.settings.stretchbltmode, choice,
                [this](const Message& text) {
                    showStatus(0, MessageText(text));
                    StatusPanel[0]->repaint();
                },
                PixelPoint{e.spex, e.spey});
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
    playClock_.start();
    Timer1->start();
}

void TfrmMain::sbstopClick() {
    if (!player_.Playing() && !Timer1->isActive()) return;
    Timer1->stop();
    player_.Stop();
    QApplication::restoreOverrideCursor();
    setPlaying(false);
}

void TfrmMain::showAniPreview(int frame) {
    const TAniEX* ani = s_.doc.AniSet.get();
    if (!ani || frame < 0 || frame >= ani->Count) {
        imganiview->clearPicture();
        imganiview->setHotSpotMark(std::nullopt);
        return;
    }
    // The frame at its own size over the background colour.
    const IconEntry& e = ani->Entries[frame];
    const int w = std::max(ShownSize(*ani, frame), 1);
    int h = w;
    if (e.InfoHeader.size() >= 12) h = std::max(static_cast<int>(ReadU32LE(e.InfoHeader.data() + 8)), 1);
    TQvDIB frameView;
    frameView.CreateDIB(std::min(w, 1024), std::min(h, 1024), 0, 24);
    const int c = s_.settings.color;
    try {
        DrawPlayFrame(*ani, frame, frameView, RgbColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    } catch (const std::exception&) {
        // a frame that cannot be drawn shows the background
    }
    imganiview->setPicture(ToQImage(frameView));
    imganiview->setHotSpotMark(chkanihotspot->isChecked() ? std::optional<QPoint>(QPoint(e.HotSpotX, e.HotSpotY))
                                                          : std::nullopt);
    applyAniZoom();
}

void TfrmMain::applyAniZoom() { imganiview->setZoom(std::clamp(cmbanizoom->currentData().toInt(), 1, 8)); }

void TfrmMain::Timer1Timer() {
    const TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) return;
    // The timer wakes a little more often than once a jiffy; the clock says
    // how many jiffies are due, and only the last frame reached is drawn.
    int shown = -1;
    for (int due = player_.TicksDue(playClock_.elapsed()); due > 0; --due)
        player_.Tick(*ani, [&shown](int frame) { shown = frame; });
    if (shown >= 0) showAniPreview(shown);
}

}  // namespace vornik
