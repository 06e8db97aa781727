#include "ui/TfrmMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "anim/StepList.h"
#include "app/Commands.h"
#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/EntryCommands.h"
#include "app/FileCommands.h"
#include "app/FileFilter.h"
#include "app/ImportCommand.h"
#include "app/MainStart.h"
#include "app/Options.h"
#include "app/SaveExport.h"
#include "app/WindowPlacement.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/MaskOps.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "model/RenderEntry.h"
#include "platform/ShiftJis.h"
#include "platform/Errors.h"
#include "platform/FileDialogs.h"
#include "platform/Notice.h"
#include "platform/Shortcut.h"
#include "ui/AppIcon.h"
#include "ui/DibImage.h"
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
#include "ui/ToolGlyphs.h"

namespace vornik {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

constexpr const char* kToolbarSection = "Toolbar971";

QToolButton* PanelButton(QWidget* parent, const QString& name, const QString& text) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QScrollArea* PictureBox(QWidget* parent, const QString& name, TPictureView* view) {
    auto* box = new QScrollArea(parent);
    box->setObjectName(name);
    box->setWidget(view);
    box->setWidgetResizable(false);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setBackgroundRole(QPalette::Window);
    box->viewport()->setAutoFillBackground(true);
    return box;
}

// Takes the square at the take-in position of the Bitmap page's picture into
// the views the resource target names.
void TakeInBitmap(MainState& s) {
    EditState& e = s.edit;
    const int side = SizeOfIndex(e.cmbsize);
    TQvDIB source;
    if (e.imgbmp) {
        source = *e.imgbmp;
    } else {
        source.CreateDIB(side, side, 0, 24);  // an empty page gives a square all the same
    }
    if (e.target == ResourceTarget::View) {
        TQvDIB mask;
        mask.CreateDIB(side, side, 0, 24);  // zero-filled: all black, fully opaque
        e.imgand = mask;
    }
    if (e.target == ResourceTarget::View || e.target == ResourceTarget::Image) {
        TQvDIB image;
        CopyBitmapRect(DrawableSource(source), image, e.spebx, e.speby, side, side);
        e.imgxor = image;
    } else {
        TQvDIB mask;
        CopyBitmapRect(DrawableSource(source), mask, e.spebx, e.speby, side, side);
        mask.ConvertToMono();
        mask.ConvertToTrueColor();
        e.imgand = mask;
    }
    if (e.imgxor) SyncSelectorsFromImage(e, *e.imgxor);
    e.cmbtype = kTypeBitmap;
}

}  // namespace

TfrmMain::TfrmMain(SettingsStore& store, QWidget* parent) : QMainWindow(parent), store_(store) {
    setObjectName("frmMain");
    setMinimumSize(610, 530);
    setWindowTitle(kTitle);
    setWindowIcon(QIcon(QPixmap::fromImage(DrawAppIcon(32))));
    setAcceptDrops(true);
    Timer1 = new QTimer(this);
    Timer1->setInterval(15);

    buildActions();
    buildMenus();
    buildToolBar();
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName("PageControl1");
    PageControl1->addTab(buildIconPage(), "Icon");
    PageControl1->addTab(buildAnimationPage(), "Animation");
    PageControl1->addTab(buildBitmapPage(), "Bitmap");
    layout->addWidget(PageControl1, 1);
    layout->addWidget(buildEditPanel(), 0);
    setCentralWidget(central);
    buildStatusBar();

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

// ---------------------------------------------------------------- building

void TfrmMain::buildActions() {
    viewMenuGroup_ = new QActionGroup(this);
    viewToolGroup_ = new QActionGroup(this);
    for (const CommandInfo& c : CommandTable()) {
        if (c.place == CommandPlace::EditPanel) continue;
        auto* a = new QAction(Q(c.caption), this);
        a->setObjectName(Q(c.name));
        if (!c.shortcut.empty()) a->setShortcut(QKeySequence(Q(c.shortcut)));
        a->setStatusTip(Q(c.hint));
        if (c.place == CommandPlace::ToolBar) {
            a->setIconText(Q(c.caption));
            a->setToolTip(Q(c.hint));
        }
        a->setProperty("helpContext", c.helpContext);
        if (c.tag >= 0) {
            a->setCheckable(true);
            a->setData(c.tag);
            (c.place == CommandPlace::Menu ? viewMenuGroup_ : viewToolGroup_)->addAction(a);
        }
        actions_.insert(a->objectName(), a);
    }
    for (const char* toggle : {"tlbar1", "stbar1", "mnu_editpanelview"}) {
        actions_[toggle]->setCheckable(true);
        actions_[toggle]->setChecked(true);
    }
    actions_["view1"]->setChecked(true);
    actions_["tbview1"]->setChecked(true);
}

void TfrmMain::buildMenus() {
    for (const MenuInfo& m : MenuTable()) {
        QMenu* menu =
            m.parent.empty() ? new QMenu(Q(m.caption), this) : new QMenu(Q(m.caption), menus_[Q(m.parent)]);
        menu->setObjectName(Q(m.name));
        menu->menuAction()->setObjectName(Q(m.name));
        menu->installEventFilter(this);
        menus_.insert(Q(m.name), menu);
        for (const CommandInfo* c : CommandsOfMenu(m.name)) {
            if (c->separatorBefore && !menu->isEmpty()) menu->addSeparator();
            menu->addAction(actions_[Q(c->name)]);
            if (c->name == "mnu_iconadd") {
                // The rotation submenu follows the add command.
                menu->addSeparator();
                menu->addMenu(new QMenu(this))->setObjectName("placeholder_rotate");
            }
        }
    }
    // Put the rotation submenu where its placeholder is.
    QMenu* edit = menus_["Edit1"];
    for (QAction* a : edit->actions()) {
        if (a->objectName() == "placeholder_rotate") {
            QMenu* dummy = a->menu();
            edit->insertMenu(a, menus_["mnu_rotate"]);
            edit->removeAction(a);
            delete dummy;
            break;
        }
    }
    menuBar()->addMenu(menus_["File1"]);
    menuBar()->addMenu(menus_["View1"]);
    menuBar()->addMenu(menus_["Edit1"]);
    menuBar()->addAction(actions_["Option1"]);
    menuBar()->addMenu(menus_["Help1"]);
    rebuildHistoryMenu();
}

void TfrmMain::buildToolBar() {
    Toolbar971 = new QToolBar("Vornik", this);
    Toolbar971->setObjectName("Toolbar971");
    Toolbar971->setMovable(true);
    Toolbar971->setFloatable(true);
    Toolbar971->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar971->setIconSize(QSize(16, 16));
    Toolbar971->setProperty("helpContext", 0);
    for (const CommandInfo* c : CommandsAt(CommandPlace::ToolBar)) {
        if (c->separatorBefore) Toolbar971->addSeparator();
        QAction* a = actions_[Q(c->name)];
        a->setIcon(ToolGlyph(Q(c->name), style()));
        Toolbar971->addAction(a);
        if (QWidget* w = Toolbar971->widgetForAction(a)) {
            w->setObjectName(Q(c->name) + "_button");
            w->setProperty("helpContext", c->helpContext);
            w->setStatusTip(Q(c->hint));
        }
    }
    addToolBar(Qt::TopToolBarArea, Toolbar971);
    connect(Toolbar971, &QToolBar::visibilityChanged, this, [this](bool) {
        // Toolbar971Close: a tool bar closed on its own unchecks the menu item
        // (the window itself being hidden does not count).
        actions_["tlbar1"]->setChecked(!Toolbar971->isHidden());
    });
}

QWidget* TfrmMain::buildIconPage() {
    LVIcon = new TResourceListView(this);
    LVIcon->setObjectName("LVIcon");
    LVIcon->setHeaders({"No", "X", "Y", "Color", "Offset", "Size", "HX", "HY"}, 20);
    LVIcon->setProperty("helpContext", HelpContextOf("LVIcon"));
    return LVIcon;
}

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

QWidget* TfrmMain::buildBitmapPage() {
    imgbmp = new TPictureView;
    imgbmp->setObjectName("imgbmp");
    imgbmp->setFrameEnabled(true);
    imgbmp->setFrameSide(32);
    ScrollBox3 = PictureBox(this, "ScrollBox3", imgbmp);
    return ScrollBox3;
}

QWidget* TfrmMain::buildEditPanel() {
    pnledit = new QGroupBox("編集パネル", this);
    pnledit->setObjectName("pnledit");
    pnledit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* v = new QVBoxLayout(pnledit);
    v->setSpacing(4);

    auto* grpview = new QGroupBox("リソース表示 image/mask", pnledit);
    grpview->setObjectName("grpview");
    auto* gv = new QHBoxLayout(grpview);
    imgxor = new TPictureView;
    imgxor->setObjectName("imgxor");
    imgxor->setCursor(Qt::CrossCursor);
    imgand = new TPictureView;
    imgand->setObjectName("imgand");
    imgand->setCursor(Qt::UpArrowCursor);
    ScrollBox1 = PictureBox(grpview, "ScrollBox1", imgxor);
    ScrollBox2 = PictureBox(grpview, "ScrollBox2", imgand);
    for (QScrollArea* s : {ScrollBox1, ScrollBox2}) s->setFixedSize(136, 136);
    gv->addWidget(ScrollBox1);
    gv->addWidget(ScrollBox2);
    v->addWidget(grpview);

    auto* grpselect = new QGroupBox(pnledit);
    grpselect->setObjectName("grpselect");
    auto* gs = new QHBoxLayout(grpselect);
    gs->setContentsMargins(4, 2, 4, 2);
    sbview = PanelButton(grpselect, "sbview", "view");
    sbxor = PanelButton(grpselect, "sbxor", "image");
    sband = PanelButton(grpselect, "sband", "mask");
    sbview->setStatusTip("View領域の選択");
    sbxor->setStatusTip("image領域の選択");
    sband->setStatusTip("mask領域の選択");
    grpselectButtons = new QButtonGroup(this);
    grpselectButtons->setExclusive(true);
    int id = 0;
    for (QToolButton* b : {sbview, sbxor, sband}) {
        b->setCheckable(true);
        grpselectButtons->addButton(b, id++);
        gs->addWidget(b);
    }
    sbview->setChecked(true);
    v->addWidget(grpselect);

    auto* grpprop = new QGroupBox("リソースプロパティ", pnledit);
    grpprop->setObjectName("grpprop");
    auto* gp = new QGridLayout(grpprop);
    gp->setVerticalSpacing(2);
    cmbtype = new QComboBox(grpprop);
    cmbtype->setObjectName("cmbtype");
    cmbtype->addItems({"Icon", "Cursor", "Bitmap"});
    cmbtype->setStatusTip("リソースの種類を選択します");
    cmbsize = new QComboBox(grpprop);
    cmbsize->setObjectName("cmbsize");
    cmbsize->addItems({"Any", " 16x 16", " 32x 32", " 48x 48", " 64x 64", "128x128"});
    cmbsize->setStatusTip("サイズを選択します");
    cmbcolor = new QComboBox(grpprop);
    cmbcolor->setObjectName("cmbcolor");
    cmbcolor->addItems({"   2 color", "  16 color", " 256 color", "True color"});
    cmbcolor->setStatusTip("色数を選択します");
    spex = new QSpinBox(grpprop);
    spex->setObjectName("spex");
    spex->setRange(0, 127);
    spex->setStatusTip("X軸のﾎｯﾄｽﾎﾟｯﾄ座標を設定します");
    spey = new QSpinBox(grpprop);
    spey->setObjectName("spey");
    spey->setRange(0, 127);
    spey->setStatusTip("Y軸のﾎｯﾄｽﾎﾟｯﾄ座標を設定します");
    gp->addWidget(cmbtype, 0, 0, 1, 4);
    gp->addWidget(cmbsize, 1, 0, 1, 2);
    gp->addWidget(cmbcolor, 1, 2, 1, 2);
    gp->addWidget(new QLabel("HX", grpprop), 2, 0);
    gp->addWidget(spex, 2, 1);
    gp->addWidget(new QLabel("HY", grpprop), 2, 2);
    gp->addWidget(spey, 2, 3);
    v->addWidget(grpprop);

    auto* buttons = new QWidget(pnledit);
    buttons->setObjectName("pnlcommands");
    auto* gb = new QGridLayout(buttons);
    gb->setContentsMargins(0, 0, 0, 0);
    gb->setSpacing(2);
    int n = 0;
    for (const CommandInfo* c : CommandsAt(CommandPlace::EditPanel)) {
        QToolButton* b = PanelButton(buttons, Q(c->name), Q(c->caption));
        b->setStatusTip(Q(c->hint));
        b->setToolTip(Q(c->hint));
        b->setProperty("helpContext", c->helpContext);
        panelButtons_.insert(Q(c->name), b);
        gb->addWidget(b, n / 4, n % 4);
        ++n;
    }
    v->addWidget(buttons);

    auto* take = new QHBoxLayout;
    spebx = new QSpinBox(pnledit);
    spebx->setObjectName("spebx");
    spebx->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spebx->setStatusTip("ﾋﾞｯﾄﾏｯﾌﾟ取得位置X");
    speby = new QSpinBox(pnledit);
    speby->setObjectName("speby");
    speby->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    speby->setStatusTip("ﾋﾞｯﾄﾏｯﾌﾟ取得位置Y");
    take->addWidget(new QLabel("BX", pnledit));
    take->addWidget(spebx, 1);
    take->addWidget(new QLabel("BY", pnledit));
    take->addWidget(speby, 1);
    v->addLayout(take);
    v->addStretch();

    for (const char* name : {"cmbtype", "cmbsize", "cmbcolor", "spex", "spey", "spebx", "speby", "grpselect",
                             "ScrollBox1", "ScrollBox2"}) {
        if (QWidget* w = pnledit->findChild<QWidget*>(name))
            w->setProperty("helpContext", HelpContextOf(name));
    }
    return pnledit;
}

void TfrmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setProperty("helpContext", HelpContextOf("StatusBar1"));
    const int widths[3] = {300, 100, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = new QLabel(bar);
        StatusPanel[i]->setObjectName(QString("StatusPanel%1").arg(i));
        StatusPanel[i]->setFixedWidth(widths[i]);
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(StatusPanel[i]);
    }
}

// ---------------------------------------------------------------- wiring

void TfrmMain::connectCommands() {
    handlers_ = {
        {"New1", [this] { New1Click(); }},
        {"Open1", [this] { Open1Click(); }},
        {"Exit1", [this] { Exit1Click(); }},
        {"tlbar1", [this] { tlbar1Click(); }},
        {"stbar1", [this] { stbar1Click(); }},
        {"mnu_editpanelview", [this] { mnu_editpanelviewClick(); }},
        {"Option1", [this] { Option1Click(); }},
        {"Contents1", [this] { Contents1Click(); }},
        {"SearchforHelpOn1", [this] { SearchforHelpOn1Click(); }},
        {"HowtoUseHelp1", [this] { HowtoUseHelp1Click(); }},
        {"About1", [this] { About1Click(); }},
        {"mnu_bmpget", [this] { tbbmpgetClick(); }},
    };
    registerCoreCommands();
    for (const CommandInfo& c : CommandTable()) {
        const QString name = Q(c.name);
        const QString handler = c.sameAs.empty() ? name : Q(c.sameAs);
        if (c.tag >= 0) {
            const int tag = c.tag;
            connect(actions_[name], &QAction::triggered, this, [this, tag] { view1Click(tag); });
            continue;
        }
        if (c.place == CommandPlace::EditPanel) {
            connect(panelButtons_[name], &QToolButton::clicked, this,
                    [this, handler] { onCommand(handler); });
        } else {
            connect(actions_[name], &QAction::triggered, this, [this, handler] { onCommand(handler); });
        }
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmMain::PageControl1Change);
    connect(LVIcon, &TResourceListView::itemDoubleClicked, this, [this] { LVIconDblClick(); });
    connect(sbview, &QToolButton::clicked, this, &TfrmMain::sbviewClick);
    connect(sbxor, &QToolButton::clicked, this, &TfrmMain::sbxorClick);
    connect(sband, &QToolButton::clicked, this, &TfrmMain::sbandClick);
    connect(cmbtype, qOverload<int>(&QComboBox::activated), this, [this] { cmbtypeChange(); });
    connect(cmbsize, qOverload<int>(&QComboBox::activated), this, [this] { cmbsizeClick(); });
    connect(cmbcolor, qOverload<int>(&QComboBox::activated), this, [this](int i) { s_.edit.cmbcolor = i; });
    // Typed values are read when they are complete; the fields clamp as the core does.
    connect(spex, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) {
        if (!mirroring_) s_.edit.spex = ClampHotSpot(v);
    });
    connect(spey, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) {
        if (!mirroring_) s_.edit.spey = ClampHotSpot(v);
    });
    // spebxChange / spebyChange: the selection frame follows the take-in position.
    connect(spebx, qOverload<int>(&QSpinBox::valueChanged), this, [this](int x) {
        if (mirroring_) return;
        s_.edit.spebx = x;
        s_.edit.Shape1Left = x;
        imgbmp->setFramePos(x, imgbmp->framePos().y());
    });
    connect(speby, qOverload<int>(&QSpinBox::valueChanged), this, [this](int y) {
        if (mirroring_) return;
        s_.edit.speby = y;
        s_.edit.Shape1Top = y;
        imgbmp->setFramePos(imgbmp->framePos().x(), y);
    });
    connect(imgbmp, &TPictureView::frameDropped, this, [this](int x, int y) {
        // Shape1MouseUp: the frame's position becomes the take-in position.
        spebx->setValue(x);
        speby->setValue(y);
    });
    connect(imgbmp, &TPictureView::pressed, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) {
                // imgbmpMouseDown: centre the frame on the click (truncating division).
                spebx->setValue(x - imgbmp->frameSide() / 2);
                speby->setValue(y - imgbmp->frameSide() / 2);
            });
    auto position = [this](int x, int y) { showStatus(2, QString("%1,%2").arg(x).arg(y)); };
    connect(imgxor, &TPictureView::moved, this,
            [position](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { position(x, y); });
    connect(imgxor, &TPictureView::pressed, this, &TfrmMain::imgxorMouseDown);
    connect(imgand, &TPictureView::pressed, this, &TfrmMain::imgandMouseDown);
    connect(imgand, &TPictureView::moved, this,
            [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { imgandMouseMove(x, y); });
    connect(imgand, &TPictureView::released, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { imgandMouseUp(x, y); });
    connect(lvani1, &QListWidget::itemDoubleClicked, this, [this] { lvani1DblClick(); });
    connect(lvani2, &QListWidget::itemClicked, this, [this] {
        // lvani2Click: the step's rate into the rate field.
        const int step = lvani2->currentRow();
        if (s_.doc.AniSet && step >= 0 && step < s_.doc.AniSet->StepCount())
            sprate->setValue(s_.doc.AniSet->Steps[step].Rate);
    });
    connect(sprate, qOverload<int>(&QSpinBox::valueChanged), this, [this](int rate) {
        // sprateChange: the selected step takes the rate; its caption follows.
        const int step = lvani2->currentRow();
        if (mirroring_ || !s_.doc.AniSet || step < 0) return;
        StepListView view;
        view.Items.resize(static_cast<std::size_t>(std::max(s_.doc.AniSet->StepCount(), 0)));
        SetStepRate(*s_.doc.AniSet, view, step, rate);
        if (step < static_cast<int>(view.Items.size()) && lvani2->item(step))
            lvani2->item(step)->setText(QString::fromStdString(view.Items[step].Caption));
    });
    connect(Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    connect(edttitle, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (s_.doc.AniSet) s_.doc.AniSet->Title = Utf8ToShiftJis(t.toStdString());  // edttitleKeyUp
    });
    connect(edtcreator, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (s_.doc.AniSet) s_.doc.AniSet->Creator = Utf8ToShiftJis(t.toStdString());  // edtcreatorKeyUp
    });
    connect(sbaniadd, &QToolButton::clicked, this, &TfrmMain::sbaniaddClick);
    connect(sbanidel, &QToolButton::clicked, this, &TfrmMain::sbanidelClick);
    connect(sbplay, &QToolButton::clicked, this, &TfrmMain::sbplayClick);
    connect(sbstop, &QToolButton::clicked, this, &TfrmMain::sbstopClick);
    connect(btnanieft, &QToolButton::clicked, this, &TfrmMain::btnanieftClick);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this, nullptr, nullptr, Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        // In an open menu the highlighted item is what help is asked for.
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (QAction* a = menu->activeAction()) {
                const int ctx = a->property("helpContext").toInt();
                QWidget* open = menu;
                for (int guard = 0; guard < 8 && qobject_cast<QMenu*>(open); ++guard) {
                    open->close();
                    open = QApplication::activePopupWidget();
                }
                if (ctx > 0)
                    showHelpContext(ctx);
                else
                    Contents1Click();
                return;
            }
        }
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            const int ctx = w->property("helpContext").toInt();
            if (ctx > 0) {
                showHelpContext(ctx);
                return;
            }
        }
        Contents1Click();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{PageControl1, sprate, edttitle, edtcreator, lvani1,
                                                      lvani2, ScrollBox3, btnanieft}) {
        w->setProperty("helpContext", HelpContextOf(w->objectName().toStdString()));
    }
}

void TfrmMain::onCommand(const QString& name) {
    auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        notImplemented(name);
        return;
    }
    try {
        it.value()();
    } catch (const std::exception& e) {
        // The default error display: the message in a box, the command abandoned.
        ShowMessage(e.what());
    }
}

void TfrmMain::notImplemented(const QString&) {
    // The core does not offer this command yet: it changes nothing, and says so.
    showStatus(0, "このコマンドはまだ使えません");
}

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
    vornik::FormCreate(s_, store_);
    s_.RefillAnimation = [this](MainState&) { refreshAnimation(); };
    s_.ClearAnimationView = [this](MainState&) { imganiview->clearPicture(); };
    s_.TakeInBitmap = [](MainState& s) { TakeInBitmap(s); };
    if (auto state = store_.read(kToolbarSection, "state"))
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    if (auto visible = store_.read(kToolbarSection, "visible")) Toolbar971->setVisible(*visible != "0");
    actions_["tlbar1"]->setChecked(!Toolbar971->isHidden());
    ApplyFlatButtons();
    applyBackgroundColor();
    sprate->setValue(s_.settings.defrate);
    ScreenCapture1->configure(s_.settings.screencapture);
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
    FormDestroy(s_, store_);
}

void TfrmMain::closeEvent(QCloseEvent* e) {
    // Closing never asks about unsaved work.
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
    cmbsize->setCurrentIndex(e.cmbsize);
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
    for (const auto& [name, on] : s_.commands.All()) setCommandEnabled(QString::fromStdString(name), on);
    setWindowTitle(QString::fromStdString(s_.Caption));
    if (s_.StatusPanel0 != lastStatus_) {
        lastStatus_ = s_.StatusPanel0;
        showStatus(0, QString::fromStdString(s_.StatusPanel0));
    }
    imgxor->setPicture(e.imgxor ? ToQImage(*e.imgxor) : QImage());
    imgand->setPicture(e.imgand ? ToQImage(*e.imgand) : QImage());
    imgbmp->setPicture(e.imgbmp ? ToQImage(*e.imgbmp) : QImage());
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

void TfrmMain::refreshAnimation() {
    lvani1->clear();
    lvani2->clear();
    frameRows_.clear();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani) return;
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

void TfrmMain::runCommand(const std::function<void()>& command, bool lists) {
    try {
        command();
    } catch (const std::exception& e) {
        // The default error display: the message in a box, the command abandoned.
        refresh(lists);
        ShowMessage(e.what());
        return;
    }
    refresh(lists);
}

// ---------------------------------------------------------------- documents

void TfrmMain::OpenDocument(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showStatus(0, "検索中...");
    try {
        vornik::OpenDocument(s_, QDir::toNativeSeparators(path).toStdString());
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        refresh(true);
        ShowMessage(e.what());
        return;
    }
    QApplication::restoreOverrideCursor();
    refresh(true);
}

void TfrmMain::DropFiles(const QStringList& paths) {
    std::vector<std::string> list;
    for (const QString& p : paths) list.push_back(QDir::toNativeSeparators(p).toStdString());
    runCommand([&] { vornik::DropFiles(s_, list); }, true);
}

void TfrmMain::New1Click() {
    runCommand(
        [this] {
            vornik::New1Click(s_, [this] {
                execDialog(frmiconcursel);
                return frmiconcursel->itemIndex();
            });
        },
        true);
}

void TfrmMain::Open1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runCommand([this] { vornik::Open1Click(s_); }, true);
    QApplication::restoreOverrideCursor();
}

void TfrmMain::rebuildHistoryMenu() {
    QMenu* file = menus_.value("File1");
    if (!file) return;
    for (QAction* a : historyActions_) {
        file->removeAction(a);
        delete a;
    }
    historyActions_.clear();
    const auto& captions = s_.HistoryMenu1.MenuCaptions();
    if (captions.empty()) return;
    historyActions_ << file->addSeparator();
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        // "&0 path": the accelerator stays, ampersands of the path are shown as they are.
        QString caption = QString::fromStdString(captions[i]);
        const int blank = caption.indexOf(' ');
        caption = caption.left(blank + 1) + caption.mid(blank + 1).replace("&", "&&");
        QAction* a = file->addAction(caption);
        a->setObjectName(QString("History%1").arg(i));
        connect(a, &QAction::triggered, this, [this, i] { HistoryMenu1HistorySelected(i); });
        historyActions_ << a;
    }
}

void TfrmMain::HistoryMenu1HistorySelected(int index) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runCommand([this, index] { vornik::HistoryMenu1HistorySelected(s_, index); }, true);
    QApplication::restoreOverrideCursor();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* e) {
    QStringList paths;
    for (const QUrl& u : e->mimeData()->urls())
        if (u.isLocalFile()) paths << u.toLocalFile();
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    DropFiles(paths);
}

// ---------------------------------------------------------------- page and selection

void TfrmMain::PageControl1Change(int page) {
    if (mirroring_) return;
    std::string focus;
    runCommand([&] { focus = vornik::PageControl1Change(s_, page); });
    if (QWidget* w = control(QString::fromStdString(focus)))
        (w == LVIcon ? LVIcon->currentWidget() : w)->setFocus();
}

void TfrmMain::LVIconDblClick() {
    s_.LVIcon.selected = LVIcon->selectedIndex();
    runCommand([this] { ShowEntry(s_); });
}

void TfrmMain::sbviewClick() {
    runCommand([this] { vornik::sbviewClick(s_); });
}
void TfrmMain::sbxorClick() {
    runCommand([this] { vornik::sbxorClick(s_); });
}
void TfrmMain::sbandClick() {
    runCommand([this] { vornik::sbandClick(s_); });
}

void TfrmMain::cmbtypeChange() {
    runCommand([this] { vornik::cmbtypeChange(s_, cmbtype->currentIndex()); });
}

void TfrmMain::cmbsizeClick() {
    runCommand([this] {
        s_.edit.cmbsize = cmbsize->currentIndex();
        vornik::cmbsizeClick(s_, cmbsize->currentIndex());
    });
}

void TfrmMain::tbbmpgetClick() {
    runCommand([this] {
        if (s_.edit.cmbsize == 0) s_.edit.cmbsize = 2;  // "Any" takes 32 x 32
        TakeInBitmap(s_);
    });
}

void TfrmMain::view1Click(int tag) {
    runCommand([this, tag] { vornik::view1Click(s_, tag); });
}

// ---------------------------------------------------------------- view toggles and options

void TfrmMain::tlbar1Click() { Toolbar971->setVisible(actions_["tlbar1"]->isChecked()); }
void TfrmMain::stbar1Click() { statusBar()->setVisible(actions_["stbar1"]->isChecked()); }
void TfrmMain::mnu_editpanelviewClick() { pnledit->setVisible(actions_["mnu_editpanelview"]->isChecked()); }

void TfrmMain::ApplyFlatButtons() {
    const bool flat = s_.settings.flat;
    for (QToolButton* b : panelButtons_) b->setAutoRaise(flat);
    for (QToolButton* b : {sbview, sbxor, sband, sbaniadd, sbanidel, sbplay, sbstop}) b->setAutoRaise(flat);
    // Tool bar buttons are flat by nature in Qt; "not flat" gives them a raised look.
    Toolbar971->setStyleSheet(flat ? QString()
                                   : QString("QToolButton { border: 1px outset palette(mid); "
                                             "padding: 2px 4px; margin: 1px; }"
                                             "QToolButton:checked { border-style: inset; }"));
}

void TfrmMain::applyBackgroundColor() {
    const QColor c = ColorOfSetting(s_.settings.color);
    for (QScrollArea* s : {ScrollBox1, ScrollBox2, ScrollBoxAni}) {
        QPalette pal = s->viewport()->palette();
        pal.setColor(QPalette::Window, c);
        s->viewport()->setPalette(pal);
    }
}

void TfrmMain::Option1Click() {
    const bool confirmed = vornik::Option1Click(s_.settings, store_, [this](OptionDialogValues& values) {
        frmOption->LoadFrom(values);
        if (execDialog(frmOption) != QDialog::Accepted) return false;
        frmOption->StoreTo(values);
        return true;
    });
    if (!confirmed) return;
    applyBackgroundColor();
    ApplyFlatButtons();
    ScreenCapture1->configure(s_.settings.screencapture);
}

// ---------------------------------------------------------------- editing commands

void TfrmMain::viewsCommand(const std::function<void(ViewTarget, PictureView&, PictureView&)>& op) {
    runCommand([this, &op] {
        EditState& e = s_.edit;
        if (!e.imgxor || !e.imgand) return;  // nothing under edit
        op(static_cast<ViewTarget>(e.target), *e.imgxor, *e.imgand);
    });
}

void TfrmMain::registerCoreCommands() {
    handlers_.insert("mnu_convert", [this] {
        runCommand([this] {
            EditState& e = s_.edit;
            if (!e.imgxor || !e.imgand) return;
            ConvertViews(*e.imgand, *e.imgxor, e.cmbsize, e.cmbcolor, s_.settings.fixedpalette16,
                         s_.settings.stretchbltmode);
        });
    });
    handlers_.insert("Save1", [this] { runCommand([this] { vornik::Save1Click(s_); }); });
    handlers_.insert("SaveAs1", [this] { runCommand([this] { vornik::SaveAs1Click(s_); }); });
    handlers_.insert("export1", [this] { runCommand([this] { vornik::tbexportClick(s_); }); });
    handlers_.insert("mnu_iconrep", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        runCommand([this] { vornik::tbiconrepClick(s_, lvani1->currentRow()); }, true);
    });
    handlers_.insert("mnu_iconadd", [this] { runCommand([this] { vornik::tbiconaddClick(s_); }, true); });
    handlers_.insert("iconauto", [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        runCommand([this] { vornik::iconautoClick(s_); }, true);
        QApplication::restoreOverrideCursor();
    });
    handlers_.insert("inport1", [this] {
        runCommand([this] {
            vornik::tbinportClick(
                s_, [this](const ResourceList& list, const std::string& label) -> std::optional<int> {
                    frmIconSelect->setRows(RowsOf(list));
                    frmIconSelect->Label1->setText(QString::fromStdString(label));
                    if (execDialog(frmIconSelect) != QDialog::Accepted) return std::nullopt;
                    const int i = frmIconSelect->selectedIndex();
                    return i < 0 ? std::nullopt : std::optional<int>(i);
                });
        });
    });
    handlers_.insert("Copy1", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        runCommand([this] { vornik::Copy1Click(s_, entryClipboard_, clipboard_, lvani1->currentRow()); });
    });
    handlers_.insert("Cut1", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        runCommand([this] { vornik::Cut1Click(s_, entryClipboard_, clipboard_, lvani1->currentRow()); },
                   true);
    });
    handlers_.insert("Paste1", [this] {
        runCommand([this] { vornik::Paste1Click(s_, entryClipboard_, clipboard_); }, true);
    });
    handlers_.insert("m_iconchk", [this] {
        // m_iconchkClick: the preview of the pair under edit.
        const EditState& e = s_.edit;
        frmiconchk->setPair(e.imgxor ? &*e.imgxor : nullptr, e.imgand ? &*e.imgand : nullptr,
                            s_.settings.stretchbltmode);
        execDialog(frmiconchk);
        frmiconchk->setPair(nullptr, nullptr, s_.settings.stretchbltmode);
    });
    handlers_.insert("mnu_allsave", [this] {
        frmallsave->refreshPreview();
        execDialog(frmallsave);
    });
    handlers_.insert("mnu_rotimage", [this] { mnu_rotimageClick(); });
    handlers_.insert("mnu_bitmapzoom", [this] { mnu_bitmapzoomClick(); });
    handlers_.insert("mnu_flip", [this] { viewsCommand(FlipViews); });
    handlers_.insert("mnu_millor", [this] { viewsCommand(MirrorViews); });
    handlers_.insert("mnu_r90", [this] { viewsCommand(RotateViewsRight); });
    handlers_.insert("mnu_l90", [this] { viewsCommand(RotateViewsLeft); });
    handlers_.insert("mnu_r180", [this] { viewsCommand(RotateViews180); });
    handlers_.insert("mnu_maskinv", [this] {
        viewsCommand([](ViewTarget, PictureView& image, PictureView& mask) { InvertMask(image, mask); });
    });
    handlers_.insert("mnu_maskfill", [this] {
        viewsCommand([](ViewTarget, PictureView& image, PictureView& mask) { FillMask(image, mask); });
    });
}

void TfrmMain::mnu_rotimageClick() {
    if (execDialog(frmrotinput) != QDialog::Accepted || frmrotinput->serot->value() == 0) return;
    const int angle = frmrotinput->serot->value();
    const bool left = frmrotinput->rbleft->isChecked();
    viewsCommand([angle, left](ViewTarget t, PictureView& image, PictureView& mask) {
        RotateViewsBy(t, image, mask, angle, left);
    });
}

void TfrmMain::mnu_bitmapzoomClick() {
    EditState& e = s_.edit;
    frmbmpzoom->start(e.imgbmp ? e.imgbmp->Width() : 0, e.imgbmp ? e.imgbmp->Height() : 0);
    if (execDialog(frmbmpzoom) != QDialog::Accepted) return;
    int width = 0, height = 0;
    for (auto [edit, value] : {std::pair{frmbmpzoom->Edit1, &width}, std::pair{frmbmpzoom->Edit2, &height}}) {
        if (!ReadZoomField(edit->text(), *value)) {
            ShowMessage("'0" + edit->text().toStdString() + "' is not a valid integer value");
            return;
        }
    }
    if (width <= 0 || height <= 0 || !e.imgbmp) return;
    runCommand([&] {
        TQvDIB zoomed;
        zoomed.CreateDIB(width, height, 0, 24);
        TQvDIBCanvas canvas(zoomed);
        canvas.StretchDraw(0, 0, width, height, DrawableSource(*e.imgbmp));
        e.imgbmp = zoomed;  // replaced only at the end: a failure keeps the old picture
    });
}

void TfrmMain::imgandMouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    maskPaintMode_ = MaskPaint::None;
    EditState& e = s_.edit;
    if (!e.imgand) return;
    runCommand([&] {
        TQvDIBCanvas canvas(*e.imgand);
        if (modifiers & Qt::ShiftModifier) {
            // Shift: flood the connected surface of the clicked colour; no status text.
            if (button != Qt::LeftButton && button != Qt::RightButton) return;
            const RasterColor surface = canvas.GetPixel(x, y);
            if (surface == TQvDIBCanvas::kInvalidColor) return;
            canvas.FloodFill(x, y, surface, button == Qt::LeftButton ? kRasterBlack : kRasterWhite);
            return;
        }
        if (button == Qt::LeftButton || button == Qt::RightButton) {
            maskPaintMode_ = button == Qt::LeftButton ? MaskPaint::Opaque : MaskPaint::Transparent;
            canvas.SetPixel(x, y, button == Qt::LeftButton ? kRasterBlack : kRasterWhite);
        }
        maskPen_ = QPoint(x, y);
        showStatus(2, QString("%1,%2").arg(x).arg(y));
    });
}

void TfrmMain::imgandMouseMove(int x, int y) {
    EditState& e = s_.edit;
    if (maskPaintMode_ != MaskPaint::None && e.imgand) {
        runCommand([&] {
            TQvDIBCanvas canvas(*e.imgand);
            const RasterColor c = maskPaintMode_ == MaskPaint::Opaque ? kRasterBlack : kRasterWhite;
            canvas.SetPixel(x, y, c);
            canvas.Line(maskPen_.x(), maskPen_.y(), x, y, c);  // a fast drag still leaves a continuous stroke
        });
        maskPen_ = QPoint(x, y);
    }
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

void TfrmMain::imgandMouseUp(int x, int y) {
    maskPaintMode_ = MaskPaint::None;
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

void TfrmMain::imgxorMouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    EditState& e = s_.edit;
    if (button == Qt::LeftButton) {  // the hot spot, clamped as the fields do; no status text
        SetHotSpot(e, x, y);
        refresh();
        return;
    }
    if (button != Qt::RightButton) return;
    if (e.imgxor && e.imgand) {
        runCommand([&] {
            if (modifiers & Qt::ControlModifier) {
                CompleteImage(*e.imgxor, *e.imgand);
            } else if (x >= 0 && y >= 0 && x < e.imgxor->Width() && y < e.imgxor->Height()) {
                const RasterColor c = PickedColor(*e.imgxor, x, y);
                if (modifiers & Qt::ShiftModifier)
                    AutoMaskAdd(*e.imgxor, *e.imgand, c, s_.settings.automaskplus);
                else
                    AutoMask(*e.imgxor, *e.imgand, c, s_.settings.automaskplus);
            }
        });
    }
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

// ---------------------------------------------------------------- animation page

void TfrmMain::lvani1DblClick() {
    const int frame = lvani1->currentRow();
    TAniEX* ani = s_.doc.AniSet.get();
    if (!ani || frame < 0 || frame >= ani->Count) return;
    runCommand([&] {
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
    const int frame = lvani1->currentRow();
    if (!ani || frame < 0) return;
    int position = -1;
    const int step = lvani2->currentRow();
    const int steps = ani->StepCount();
    if (step > 0) {
        position = step == steps - 1 ? -1 : step + 1;
    } else if (step == 0) {
        position = AskYesNo("指定位置の後に挿入しますか?") ? (steps == 1 ? -1 : 1) : 0;
    }
    if (ani->InsertStep(frame, position, sprate->value()) == -1) return;
    refreshAnimation();
}

void TfrmMain::sbanidelClick() {
    TAniEX* ani = s_.doc.AniSet.get();
    const int step = lvani2->currentRow();
    if (!ani || step < 0) return;
    if (ani->DeleteStep(step) == -1) return;
    refreshAnimation();
}

void TfrmMain::ScreenCapture1Capture(const QImage& picture) {
    // The capture becomes the Bitmap page's picture; frame, position and views stay.
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) return;
    runCommand([&] {
        TQvDIB dib;
        dib.LoadFromBytes(Bytes(bmp.begin(), bmp.end()));
        s_.edit.imgbmp = dib;
        s_.edit.PageControl1 = kBitmapPage;
        UpdatePageCommands(s_, kBitmapPage);
    });
}

void TfrmMain::btnanieftClick() {
    const bool ok = execDialog(frmaniEft) == QDialog::Accepted;
    const AniEffectChoice choice = frmaniEft->choice(ok);
    if (!ok) return;
    const EditState& e = s_.edit;
    PictureView empty;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    runCommand(
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
    for (const char* a : {"tbnew", "tbopen", "tbsave", "tbcut", "tbcopy", "tbpaste"})
        action(a)->setEnabled(!playing);
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
        QImage view(32, 32, QImage::Format_RGB32);
        view.fill(ColorOfSetting(s_.settings.color));
        try {
            ImagePair pair{RenderImageDIB(*ani, frame), RenderMaskDIB(*ani, frame)};
            QPainter p(&view);
            p.drawImage(0, 0, ToQImage(pair));
        } catch (const std::exception&) {
            // a frame that cannot be drawn shows the background
        }
        imganiview->setPicture(view);
    });
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
