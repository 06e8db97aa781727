#include "ui/TfrmMain.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/EditActions.h"
#include "app/LeaveDocument.h"
#include "app/MainStart.h"
#include "app/PendingViews.h"
#include "app/TakeIn.h"
#include "app/UndoCommands.h"
#include "app/WindowPlacement.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
#include "ui/AppIcon.h"
#include "ui/DibImage.h"
#include "ui/MessageText.h"
#include "ui/THelpViewer.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TScreenCapture.h"
#include "ui/TfrmAboutBox.h"
#include "ui/TfrmIconSelect.h"
#include "ui/TfrmOption.h"
#include "ui/Tfrmallsave.h"
#include "ui/TfrmaniEft.h"
#include "ui/Tfrmiconchk.h"
#include "ui/Tfrmiconcursel.h"
#include "ui/Tfrmrotinput.h"

namespace vornik {

namespace {
constexpr const char* kToolbarSection = "Toolbar971";
}  // namespace

TfrmMain::TfrmMain(SettingsStore& store, QWidget* parent) : QMainWindow(parent), store_(store) {
    setObjectName("frmMain");
    setMinimumSize(610, 530);
    setWindowTitle(kTitle);
    setWindowIcon(QIcon(QPixmap::fromImage(DrawAppIcon(32))));
    setAcceptDrops(true);
    Timer1 = new QTimer(this);
    Timer1->setInterval(AniPlayer::kTimerMilliseconds);
    Timer1->setTimerType(Qt::PreciseTimer);

    buildActions();
    buildMenus();
    buildToolBar();
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(buildIconPage(), tr("Icon"));
    PageControl1->addTab(buildAnimationPage(), tr("Animation"));
    PageControl1->addTab(buildBitmapPage(), tr("Bitmap"));
    // The list, the canvas (the main area) and the panel, sized by the user.
    splmain = new QSplitter(Qt::Horizontal, central);
    splmain->setObjectName("splmain");
    splmain->setChildrenCollapsible(false);
    splmain->addWidget(PageControl1);
    splmain->addWidget(buildCanvas());
    splmain->addWidget(wrapEditPanel(buildEditPanel()));
    PageControl1->setMinimumWidth(120);  // the user may give the canvas nearly all the room
    splmain->setStretchFactor(0, 0);
    splmain->setStretchFactor(1, 1);
    splmain->setStretchFactor(2, 0);
    layout->addWidget(splmain, 1);
    setCentralWidget(central);
    buildStatusBar();
    buildZoomMenu();
    connectCanvas();

    frmIconSelect = new TfrmIconSelect(this);
    frmAboutBox = new TfrmAboutBox(this);
    frmiconcursel = new Tfrmiconcursel(this);
    frmOption = new TfrmOption(this);
    frmaniEft = new TfrmaniEft(this);
    ScreenCapture1 = new TScreenCapture(this);
    frmrotinput = new Tfrmrotinput(this);
    frmbmpzoom = new Tfrmbmpzoom(this);
    frmiconchk = new Tfrmiconchk(this);
    frmallsave = new Tfrmallsave(s_, this);
    connect(ScreenCapture1, &TScreenCapture::OnCapture, this, &TfrmMain::ScreenCapture1Capture);

    connectCommands();
    FormCreate();
}

TfrmMain::~TfrmMain() { SaveState(); }

QAction* TfrmMain::action(const QString& name) const { return actions_.value(name, nullptr); }

QWidget* TfrmMain::control(const QString& name) const {
    if (QToolButton* b = panelButtons_.value(name, nullptr)) return b;
    return findChild<QWidget*>(name);
}

bool TfrmMain::commandEnabled(const QString& name) const {
    if (QAction* a = action(name)) return a->isEnabled();
    if (QWidget* w = control(name)) return w->isEnabled();
    return false;
}

void TfrmMain::setCommandEnabled(const QString& name, bool on) {
    if (QAction* a = action(name))
        a->setEnabled(on);
    else if (QWidget* w = control(name))
        w->setEnabled(on);
}

QString TfrmMain::panelText(int panel) const { return StatusPanel[panel]->text(); }

void TfrmMain::showStatus(int panel, const QString& text) { StatusPanel[panel]->setText(text); }

// ---------------------------------------------------------------- start and end

void TfrmMain::FormCreate() {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const WindowRect r =
        RestoreWindowRect(store_, kMainWindowName, screen.width(), screen.height(), true, width(), height());
    setGeometry(r.left, r.top, std::max(r.width, 610), std::max(r.height, 530));
    vornik::StartEditor(s_, store_);
    s_.RefillAnimation = [this](MainState&) { refreshAnimation(); };
    s_.ClearAnimationView = [this](MainState&) { imganiview->clearPicture(); };
    s_.TakeInBitmap = [](MainState& s) { TakeInBitmap(s); };
    s_.AskSaveChanges = [this](const Message& text) { return askSaveChanges(text); };
    if (auto state = store_.read(kToolbarSection, "state"))
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    if (auto visible = store_.read(kToolbarSection, "visible")) Toolbar971->setVisible(*visible != "0");
    actions_["tlbar1"]->setChecked(!Toolbar971->isHidden());
    ApplyFlatButtons();
    applyBackgroundColor();
    sprate->setValue(s_.settings.defrate);
    ScreenCapture1->configure(s_.settings.screencapture);
    restoreLayout();
    refresh(true);
}

void TfrmMain::SaveState() {
    if (stateSaved_) return;
    stateSaved_ = true;
    const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    SaveWindowRect(store_, kMainWindowName, WindowRect{g.x(), g.y(), g.width(), g.height()},
                   !isMinimized() && !isMaximized());
    store_.write(kToolbarSection, "state", saveState().toBase64().toStdString());
    store_.write(kToolbarSection, "visible", Toolbar971->isHidden() ? "0" : "1");
    saveLayout();
    FinishEditor(s_, store_);
}

void TfrmMain::closeEvent(QCloseEvent* e) {
    bool leave = false;
    try {
        leave = ConfirmClose(s_);
    } catch (const std::exception& ex) {
        ShowMessage(MessageOf(ex));  // the save failed: the window stays with the work in it
    }
    if (!leave) {
        refresh();
        e->ignore();
        return;
    }
    SaveState();
    if (help_) help_->close();
    e->accept();
}

void TfrmMain::Exit1Click() { close(); }

// ---------------------------------------------------------------- state to widgets

void TfrmMain::refresh(bool lists) {
    mirroring_ = true;
    const EditState& e = s_.edit;
    if (PageControl1->currentIndex() != e.PageControl1) PageControl1->setCurrentIndex(e.PageControl1);
    cmbtype->setCurrentIndex(e.cmbtype);
    cmbsize->setCurrentIndex(SizeRowOfIndex(e.cmbsize));
    cmbcolor->setCurrentIndex(e.cmbcolor);
    spex->setValue(e.spex);
    spey->setValue(e.spey);
    spebx->setValue(e.spebx);
    speby->setValue(e.speby);
    grpselectButtons->button(static_cast<int>(e.target))->setChecked(true);
    for (int t = 0; t < 4; ++t) {
        actions_[QString("view%1").arg(t + 1)]->setChecked(ViewStyleChecked(e, t));
        actions_[QString("tbview%1").arg(t + 1)]->setChecked(ViewStyleChecked(e, t));
    }
    if (LVIcon->viewStyle() != e.LVIconStyle) LVIcon->setViewStyle(e.LVIconStyle);
    // Whatever set the type (a double-click, a paste), the hot spot fields follow it,
    // and the take-in frame follows the size.
    s_.commands.Set("spex", e.cmbtype != kTypeBitmap);
    s_.commands.Set("spey", e.cmbtype != kTypeBitmap);
    if (e.cmbsize >= 1) s_.edit.Shape1Width = s_.edit.Shape1Height = SizeOfIndex(e.cmbsize);
    for (const auto& [name, on] : s_.commands.All()) setCommandEnabled(QString::fromStdString(name), on);
    setWindowTitle(QString::fromStdString(WindowTitle(s_)));
    for (const char* name : {"Undo1", "tbundo"}) setCommandEnabled(name, s_.History.CanUndo());
    for (const char* name : {"Redo1", "tbredo"}) setCommandEnabled(name, s_.History.CanRedo());
    if (const std::string status = EnglishText(s_.StatusPanel0); status != lastStatus_) {
        lastStatus_ = status;
        showStatus(0, MessageText(s_.StatusPanel0));
    }
    imgxor->setPicture(e.imgxor ? ToQImage(*e.imgxor) : QImage());
    imgand->setPicture(e.imgand ? ToQImage(*e.imgand) : QImage());
    imgbmp->setPicture(e.imgbmp ? ToQImage(*e.imgbmp) : QImage());
    markHotSpot();
    refreshCanvas();
    applyZoom();
    refreshPreview();
    imgbmp->setFrameSide(e.Shape1Width);
    imgbmp->setFramePos(e.spebx, e.speby);
    if (lists) {
        LVIcon->setRows(RowsOf(s_.LVIcon));
        LVIcon->selectIndex(s_.LVIcon.selected);
        rebuildHistoryMenu();
        refreshAnimation();
    }
    mirroring_ = false;
}

void TfrmMain::undoable(unsigned parts, const char* label, const std::function<void()>& command, bool lists) {
    runCommand([&] { RunUndoable(s_, parts, label, command); }, lists);
}

SaveChoice TfrmMain::askSaveChanges(const Message& text) {
    QMessageBox box(QMessageBox::Warning, kTitle, MessageText(text), QMessageBox::NoButton, this);
    // Edits still in the views are stored into their entry, not into a file.
    const bool views = std::string_view(text.source) == kStoreViewsQuestion;
    QPushButton* save = box.addButton(views ? tr("Store") : tr("Save"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(tr("Discard"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

void TfrmMain::runCommand(const std::function<void()>& command, bool lists) {
    try {
        command();
    } catch (const std::exception& e) {
        // The default error display: the message in a box, the command abandoned.
        refresh(lists);
        ShowMessage(MessageOf(e));
        return;
    }
    refresh(lists);
}

// ---------------------------------------------------------------- help

THelpViewer* TfrmMain::helpViewer() {
    if (!help_) {
        help_ = new THelpViewer(this);
        help_->loadDocument(HelpDocumentPath());
    }
    return help_;
}

void TfrmMain::showHelpContext(int helpContext) { helpViewer()->showContext(helpContext); }
void TfrmMain::Contents1Click() { helpViewer()->showContents(); }
void TfrmMain::SearchforHelpOn1Click() { helpViewer()->showSearch(QString()); }
void TfrmMain::HowtoUseHelp1Click() { helpViewer()->showHelpOnHelp(); }
void TfrmMain::About1Click() { execDialog(frmAboutBox); }

int TfrmMain::execDialog(QDialog* dialog) {
    // Each dialog is placed only the first time; afterwards it stays where the user left it.
    bool placed = dialog->property("placedOnce").toBool();
    dialog->adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const QRect g = frameGeometry();
    int left = dialog->x(), top = dialog->y();
    if (CentreOverMain(placed, left, top, dialog->width(), dialog->height(), isVisible(),
                       WindowRect{g.x(), g.y(), g.width(), g.height()}, screen.width(), screen.height()))
        dialog->move(left, top);
    dialog->setProperty("placedOnce", placed);
    return dialog->exec();
}

// ---------------------------------------------------------------- events

bool TfrmMain::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        // Hints go to panel 0 rather than over the panels.
        showStatus(0, static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            if (QAction* a = menu->activeAction()) {
                const int ctx = a->property("helpContext").toInt();
                menu->close();
                if (ctx > 0)
                    showHelpContext(ctx);
                else
                    Contents1Click();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

}  // namespace vornik
