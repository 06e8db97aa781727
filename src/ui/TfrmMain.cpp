#include "ui/TfrmMain.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
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

#include "app/Commands.h"
#include "app/FileFilter.h"
#include "app/WindowPlacement.h"
#include "model/ColorName.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileDialogs.h"
#include "platform/Notice.h"
#include "platform/Shortcut.h"
#include "ui/AppIcon.h"
#include "ui/THelpViewer.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmAboutBox.h"
#include "ui/TfrmIconSelect.h"
#include "ui/TfrmOption.h"
#include "ui/Tfrmiconcursel.h"

namespace vornik {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

constexpr const char* kToolbarSection = "Toolbar971";

// Which commands each page enables: Icon page (icon/cursor set), Icon page
// (executable), Animation, Bitmap. Everything else keeps its state.
struct PageRule {
    const char* names[3];
    bool on[4];
};
const PageRule kPageRules[] = {
    {{"Save1", "SaveAs1", "tbsave"}, {true, false, true, false}},
    {{"Cut1", "tbcut", nullptr}, {true, false, true, false}},
    {{"Paste1", "tbpaste", nullptr}, {true, false, true, true}},
    {{"tbbmpget", "mnu_bmpget", nullptr}, {false, false, false, true}},
    {{"tbiconrep", "tbiconadd", nullptr}, {true, false, true, false}},
    {{"tbview1", "tbview2", "tbview3"}, {true, true, false, false}},
    {{"tbview4", nullptr, nullptr}, {true, true, false, false}},
    {{"spebx", "speby", nullptr}, {false, false, false, true}},
    {{"iconauto", "tbiconauto", nullptr}, {true, false, false, false}},
    {{"mnu_allsave", nullptr, nullptr}, {true, true, true, false}},
    {{"mnu_bitmapzoom", nullptr, nullptr}, {false, false, false, true}},
};

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

// Reads biWidth, biHeight, biBitCount of an entry's information header.
void HeaderFields(const IconEntry& e, int& w, int& h, int& bits) {
    w = e.Width;
    h = e.Height;
    bits = 0;
    if (e.InfoHeader.size() >= 16) {
        const std::uint8_t* p = e.InfoHeader.data();
        w = static_cast<int>(ReadU32LE(p + 4));
        h = static_cast<int>(ReadU32LE(p + 8));
        bits = ReadU16LE(p + 14);
    }
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
        QMenu* menu = m.parent.empty() ? new QMenu(Q(m.caption), this) : new QMenu(Q(m.caption), menus_[Q(m.parent)]);
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
    Toolbar971->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Toolbar971->setProperty("helpContext", 0);
    for (const CommandInfo* c : CommandsAt(CommandPlace::ToolBar)) {
        if (c->separatorBefore) Toolbar971->addSeparator();
        QAction* a = actions_[Q(c->name)];
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
        if (QWidget* w = pnledit->findChild<QWidget*>(name)) w->setProperty("helpContext", HelpContextOf(name));
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
    for (const CommandInfo& c : CommandTable()) {
        const QString name = Q(c.name);
        const QString handler = c.sameAs.empty() ? name : Q(c.sameAs);
        if (c.tag >= 0) {
            const int tag = c.tag;
            connect(actions_[name], &QAction::triggered, this, [this, tag] { view1Click(tag); });
            continue;
        }
        if (c.place == CommandPlace::EditPanel) {
            connect(panelButtons_[name], &QToolButton::clicked, this, [this, handler] { onCommand(handler); });
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
    connect(spebx, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int x) { imgbmp->setFramePos(x, imgbmp->framePos().y()); });
    connect(speby, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int y) { imgbmp->setFramePos(imgbmp->framePos().x(), y); });
    connect(imgbmp, &TPictureView::frameDropped, this, [this](int x, int y) {
        // Shape1MouseUp: the frame's position becomes the take-in position.
        spebx->setValue(x);
        speby->setValue(y);
    });
    connect(imgbmp, &TPictureView::pressed, this, [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) {
        // imgbmpMouseDown: centre the frame on the click (truncating division).
        spebx->setValue(x - imgbmp->frameSide() / 2);
        speby->setValue(y - imgbmp->frameSide() / 2);
    });
    auto position = [this](int x, int y) { showStatus(2, QString("%1,%2").arg(x).arg(y)); };
    connect(imgxor, &TPictureView::moved, this, [position](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) {
        position(x, y);
    });
    connect(imgand, &TPictureView::moved, this, [position](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) {
        position(x, y);
    });
    connect(imgxor, &TPictureView::pressed, this,
            [this, position](int x, int y, Qt::MouseButton b, Qt::KeyboardModifiers) {
                if (b == Qt::LeftButton) {  // imgxorMouseDown: the hot spot, clamped by the fields
                    spex->setValue(x);
                    spey->setValue(y);
                } else if (b == Qt::RightButton) {
                    position(x, y);
                }
            });
    for (QToolButton* b : {sbaniadd, sbanidel, sbplay, sbstop, btnanieft}) {
        const QString name = b->objectName();
        connect(b, &QToolButton::clicked, this, [this, name] { onCommand(name); });
    }
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this, nullptr, nullptr, Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            const int ctx = w->property("helpContext").toInt();
            if (ctx > 0) {
                showHelpContext(ctx);
                return;
            }
        }
        Contents1Click();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{PageControl1, sprate, edttitle, edtcreator, lvani1, lvani2,
                                                      ScrollBox3, btnanieft}) {
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
    // The core does not offer this command yet; it does nothing.
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
    if (QAction* a = action(name)) a->setEnabled(on);
    else if (QWidget* w = control(name)) w->setEnabled(on);
}

QString TfrmMain::panelText(int panel) const { return StatusPanel[panel]->text(); }

void TfrmMain::showStatus(int panel, const QString& text) { StatusPanel[panel]->setText(text); }

// ---------------------------------------------------------------- start and end

void TfrmMain::FormCreate() {
    cmbtype->setCurrentIndex(0);
    cmbcolor->setCurrentIndex(1);
    cmbsize->setCurrentIndex(2);
    IconSet = std::make_unique<TIconCurEX>();
    IconSet->ResourceType = 1;
    PageControl1->setCurrentIndex(0);
    UpdatePageCommands(0);
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, 1024, 768);
    const WindowRect r = RestoreWindowRect(store_, "frmMain", screen.width(), screen.height(), true, width(), height());
    setGeometry(r.left, r.top, std::max(r.width, 610), std::max(r.height, 530));
    settings_ = LoadSettings(store_);
    if (auto state = store_.read(kToolbarSection, "state"))
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    if (auto visible = store_.read(kToolbarSection, "visible")) Toolbar971->setVisible(*visible != "0");
    actions_["tlbar1"]->setChecked(!Toolbar971->isHidden());
    HistoryMenu1.KeyName = kSettingsRoot;
    HistoryMenu1.Activate(store_);
    rebuildHistoryMenu();
    ApplyFlatButtons();
    applyBackgroundColor();
    sprate->setValue(settings_.defrate);
    SetCaptionFile(QString());
}

void TfrmMain::SaveState() {
    if (stateSaved_) return;
    stateSaved_ = true;
    const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
    SaveWindowRect(store_, "frmMain", WindowRect{g.x(), g.y(), g.width(), g.height()},
                   !isMinimized() && !isMaximized());
    SaveSettings(settings_, store_);
    store_.write(kToolbarSection, "state", saveState().toBase64().toStdString());
    store_.write(kToolbarSection, "visible", Toolbar971->isHidden() ? "0" : "1");
    HistoryMenu1.Deactivate(store_);
}

void TfrmMain::closeEvent(QCloseEvent* e) {
    // Closing never asks about unsaved work.
    SaveState();
    if (help_) help_->close();
    e->accept();
}

void TfrmMain::Exit1Click() { close(); }

// ---------------------------------------------------------------- documents

void TfrmMain::SetCaptionFile(const QString& name) {
    setWindowTitle(name.isEmpty() ? QString(kTitle) : name + " - " + kTitle);
}

void TfrmMain::OpenDocument(const QString& path) {
    showStatus(0, "検索中...");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string p = QDir::toNativeSeparators(path).toStdString();
    const QString ext = "." + QFileInfo(path).suffix().toUpper();
    try {
        if (ext == ".ICO" || ext == ".CUR") {
            PageControl1->setCurrentIndex(0);
            ExeSet.reset();
            IconSet = std::make_unique<TIconCurEX>();
            IconSet->LoadFromFile(p);
            ExeShown = false;
            IconFileName = path;
            RefillResourceList();
        } else if (ext == ".ANI") {
            PageControl1->setCurrentIndex(1);
            AniFileName = path;
        } else if (ext == ".BMP" || ext == ".DIB" || ext == ".JPG" || ext == ".JPEG") {
            PageControl1->setCurrentIndex(2);
            QImage img(path);
            imgbmp->setPicture(img);
            spebx->setValue(0);
            speby->setValue(0);
            BitmapFileName = path;
        } else {
            PageControl1->setCurrentIndex(0);
            IconSet.reset();
            ExeSet = std::make_unique<TExeEXsub>();
            ExeSet->LoadFromExe(p);
            ExeShown = true;
            ExeFileName = path;
            RefillResourceList();
        }
        UpdatePageCommands(PageControl1->currentIndex());
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        HistoryMenu1.Add(p);
        rebuildHistoryMenu();
        ShowMessage(e.what());
        showStatus(0, "検索終了");
        return;
    }
    SetCaptionFile(path);
    HistoryMenu1.Add(p);
    rebuildHistoryMenu();
    showStatus(0, "検索終了");
    QApplication::restoreOverrideCursor();
}

void TfrmMain::RefillResourceList() {
    LVIcon->clearRows();
    const TIconEx* set = ExeShown ? static_cast<const TIconEx*>(ExeSet.get()) : IconSet.get();
    if (!set) return;
    std::vector<ResourceListRow> rows;
    for (int i = 0; i < set->Count && i < TIconEx::kMaxEntries; ++i) {
        const IconEntry& e = set->Entries[i];
        int w = 0, h = 0, bits = 0;
        HeaderFields(e, w, h, bits);
        const QString color = QString::fromStdString(ColorName(bits));
        ResourceListRow row;
        row.caption = QString("%1 x %2 - %3").arg(w).arg(h).arg(color);
        row.columns = {QString::number(w), QString::number(h), color, QString::number(e.ImageOffset, 16),
                       QString::number(e.ImageSize), QString::number(e.HotSpotX), QString::number(e.HotSpotY)};
        rows.push_back(row);
    }
    LVIcon->setRows(rows);
}

void TfrmMain::New1Click() {
    switch (PageControl1->currentIndex()) {
        case 0:
            frmiconcursel->exec();
            ExeSet.reset();
            IconSet = std::make_unique<TIconCurEX>();
            IconSet->ResourceType = frmiconcursel->itemIndex() == 1 ? 2 : 1;
            ExeShown = false;
            IconFileName.clear();
            RefillResourceList();
            break;
        case 1:
            imganiview->clearPicture();
            AniFileName.clear();
            break;
        default:
            imgbmp->clearPicture();
            spebx->setValue(0);
            speby->setValue(0);
            BitmapFileName.clear();
            break;
    }
    UpdatePageCommands(PageControl1->currentIndex());
    SetCaptionFile(QString());
}

void TfrmMain::Open1Click() {
    FileDialogRequest request;
    request.dialog = "OpenPictureDialog2";
    request.filter = kOpenFilter;
    request.filterIndex = 1;
    if (auto answer = AskOpenFile(request)) OpenDocument(QString::fromStdString(answer->path));
}

void TfrmMain::rebuildHistoryMenu() {
    QMenu* file = menus_.value("File1");
    if (!file) return;
    for (QAction* a : historyActions_) {
        file->removeAction(a);
        delete a;
    }
    historyActions_.clear();
    const auto& captions = HistoryMenu1.MenuCaptions();
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
    const std::string path = HistoryMenu1.PathAt(index);
    if (path.empty()) return;
    OpenDocument(QString::fromStdString(path));
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    e->acceptProposedAction();
    // Only the first dropped file opens; a shortcut opens its target.
    const std::string dropped = QDir::toNativeSeparators(urls.first().toLocalFile()).toStdString();
    const std::string target = ResolveShortcut(dropped);
    OpenDocument(QString::fromStdString(target.empty() ? dropped : target));
}

// ---------------------------------------------------------------- page and selection

void TfrmMain::UpdatePageCommands(int page) {
    const int column = page == 0 ? (ExeShown ? 1 : 0) : page == 1 ? 2 : 3;
    for (const PageRule& r : kPageRules)
        for (const char* name : r.names)
            if (name) setCommandEnabled(name, r.on[column]);
    const QString& file = page == 0 ? (ExeShown ? ExeFileName : IconFileName) : page == 1 ? AniFileName : BitmapFileName;
    SetCaptionFile(file);
}

void TfrmMain::PageControl1Change(int page) {
    UpdatePageCommands(page);
    QWidget* focus = page == 0 ? static_cast<QWidget*>(LVIcon->currentWidget()) : page == 1 ? static_cast<QWidget*>(lvani1) : ScrollBox3;
    focus->setFocus();
}

void TfrmMain::LVIconDblClick() {
    const int i = LVIcon->selectedIndex();
    if (i < 0) return;
    const TIconEx* set = ExeShown ? static_cast<const TIconEx*>(ExeSet.get()) : IconSet.get();
    if (!set || i >= set->Count) return;
    const IconEntry& e = set->Entries[i];
    if (!ExeShown && IconSet->ResourceType == 2) {
        cmbtype->setCurrentIndex(1);
        spex->setValue(e.HotSpotX);
        spey->setValue(e.HotSpotY);
    } else {
        cmbtype->setCurrentIndex(0);
        spex->setValue(0);
        spey->setValue(0);
    }
    // The image pair itself comes from the entry rendering of the core.
}

void TfrmMain::applyResourceTarget(int target) {
    const bool bitmapPage = PageControl1->currentIndex() == 2;
    setCommandEnabled("tbbmpget", bitmapPage);
    setCommandEnabled("mnu_bmpget", bitmapPage);
    setCommandEnabled("tbconvert", target == 1);
    setCommandEnabled("mnu_convert", target == 1);
    for (const char* n : {"tbinport", "inport1", "tbexport", "export1"}) setCommandEnabled(n, target != 0);
    if (target != 0) {
        cmbcolor->setEnabled(target == 1);
        cmbsize->setEnabled(target == 1);
    }
}

void TfrmMain::sbviewClick() { applyResourceTarget(0); }
void TfrmMain::sbxorClick() { applyResourceTarget(1); }
void TfrmMain::sbandClick() { applyResourceTarget(2); }

void TfrmMain::cmbtypeChange() {
    const bool hotSpot = cmbtype->currentIndex() != 2;
    spex->setEnabled(hotSpot);
    spey->setEnabled(hotSpot);
}

void TfrmMain::cmbsizeClick() {
    static const int sides[] = {0, 16, 32, 48, 64, 128};
    const int i = cmbsize->currentIndex();
    if (i >= 1 && i <= 5) imgbmp->setFrameSide(sides[i]);
}

void TfrmMain::tbbmpgetClick() {
    if (cmbsize->currentIndex() == 0) cmbsize->setCurrentIndex(2);
    // The take-in itself is the core's.
}

void TfrmMain::view1Click(int tag) {
    for (int t = 0; t < 4; ++t) {
        actions_[QString("view%1").arg(t + 1)]->setChecked(t == tag);
        actions_[QString("tbview%1").arg(t + 1)]->setChecked(t == tag);
    }
    LVIcon->setViewStyle(tag);
}

// ---------------------------------------------------------------- view toggles and options

void TfrmMain::tlbar1Click() { Toolbar971->setVisible(actions_["tlbar1"]->isChecked()); }
void TfrmMain::stbar1Click() { statusBar()->setVisible(actions_["stbar1"]->isChecked()); }
void TfrmMain::mnu_editpanelviewClick() { pnledit->setVisible(actions_["mnu_editpanelview"]->isChecked()); }

void TfrmMain::ApplyFlatButtons() {
    const bool flat = settings_.flat;
    for (QToolButton* b : panelButtons_) b->setAutoRaise(flat);
    for (QToolButton* b : {sbview, sbxor, sband, sbaniadd, sbanidel, sbplay, sbstop}) b->setAutoRaise(flat);
    // Tool bar buttons are flat by nature in Qt; "not flat" gives them a raised look.
    Toolbar971->setStyleSheet(flat ? QString() : QString("QToolButton { border: 1px outset palette(mid); "
                                                         "padding: 2px 4px; margin: 1px; }"
                                                         "QToolButton:checked { border-style: inset; }"));
}

void TfrmMain::applyBackgroundColor() {
    const QColor c = ColorOfSetting(settings_.color);
    for (QScrollArea* s : {ScrollBox1, ScrollBox2, ScrollBoxAni}) {
        QPalette pal = s->viewport()->palette();
        pal.setColor(QPalette::Window, c);
        s->viewport()->setPalette(pal);
    }
}

void TfrmMain::Option1Click() {
    const int depth = ReadShellIconDepth(store_);
    frmOption->LoadFrom(settings_, depth);
    if (frmOption->exec() != QDialog::Accepted) return;
    frmOption->StoreTo(settings_);
    applyBackgroundColor();
    ApplyFlatButtons();
    const int write = frmOption->ShellIconDepthToWrite(depth);
    if (write >= 0) WriteShellIconDepth(store_, write);
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
void TfrmMain::About1Click() { frmAboutBox->exec(); }

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
                if (ctx > 0) showHelpContext(ctx);
                else Contents1Click();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

}  // namespace vornik
