#include <QAction>
#include <QCoreApplication>
#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Commands.h"
#include "ui/PanelWidgets.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"
#include "ui/ToolGlyphs.h"
#include "ui/Translations.h"

namespace vornik {

// ---------------------------------------------------------------- building

void TfrmMain::buildActions() {
    viewMenuGroup_ = new QActionGroup(this);
    viewToolGroup_ = new QActionGroup(this);
    for (const CommandInfo& c : CommandTable()) {
        if (c.place == CommandPlace::EditPanel) continue;
        auto* a = new QAction(CommandText(c.caption), this);
        a->setObjectName(Q(c.name));
        if (!c.shortcut.empty()) a->setShortcut(QKeySequence(Q(c.shortcut)));
        if (c.name == "Redo1") a->setShortcuts({QKeySequence(Q(c.shortcut)), QKeySequence("Ctrl+Shift+Z")});
        a->setStatusTip(CommandText(c.hint));
        if (c.place == CommandPlace::ToolBar) {
            a->setIconText(CommandText(c.caption));
            a->setToolTip(CommandText(c.hint));
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
            m.parent.empty() ? new QMenu(CommandText(m.caption), this) : new QMenu(CommandText(m.caption), menus_[Q(m.parent)]);
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
            w->setStatusTip(CommandText(c->hint));
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

QWidget* TfrmMain::buildBitmapPage() {
    imgbmp = new TPictureView;
    imgbmp->setObjectName("imgbmp");
    imgbmp->setFrameEnabled(true);
    imgbmp->setFrameSide(32);
    ScrollBox3 = PictureBox(this, "ScrollBox3", imgbmp);
    return ScrollBox3;
}

QWidget* TfrmMain::buildEditPanel() {
    pnledit = new QGroupBox(tr("Editing Panel"), this);
    pnledit->setObjectName("pnledit");
    pnledit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    auto* v = new QVBoxLayout(pnledit);
    v->setSpacing(4);

    auto* grpselect = new QGroupBox(pnledit);
    grpselect->setObjectName("grpselect");
    auto* gs = new QHBoxLayout(grpselect);
    gs->setContentsMargins(4, 2, 4, 2);
    sbview = PanelButton(grpselect, "sbview", "view");
    sbxor = PanelButton(grpselect, "sbxor", "image");
    sband = PanelButton(grpselect, "sband", "mask");
    sbview->setStatusTip(tr("Select the View area"));
    sbxor->setStatusTip(tr("Select the image area"));
    sband->setStatusTip(tr("Select the mask area"));
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

    auto* grpprop = new QGroupBox(tr("Resource Properties"), pnledit);
    grpprop->setObjectName("grpprop");
    auto* gp = new QGridLayout(grpprop);
    gp->setVerticalSpacing(2);
    cmbtype = new QComboBox(grpprop);
    cmbtype->setObjectName("cmbtype");
    cmbtype->addItems({"Icon", "Cursor", "Bitmap"});
    cmbtype->setStatusTip(tr("Chooses the kind of resource"));
    cmbsize = new QComboBox(grpprop);
    cmbsize->setObjectName("cmbsize");
    for (int row = 0; row < kCmbSizeCount; ++row)
        cmbsize->addItem(QString::fromUtf8(kCmbSizeItems[SizeIndexOfRow(row)]));
    cmbsize->setStatusTip(tr("Chooses the size"));
    cmbcolor = new QComboBox(grpprop);
    cmbcolor->setObjectName("cmbcolor");
    for (const char* item : kCmbColorItems) cmbcolor->addItem(QCoreApplication::translate("EditState", item));
    cmbcolor->setStatusTip(tr("Chooses the number of colours"));
    spex = new QSpinBox(grpprop);
    spex->setObjectName("spex");
    spex->setRange(0, 999);  // a typed 200 reads as 200 and is clamped to 127, not cut to 20
    spex->setStatusTip(tr("Sets the hot spot's X coordinate"));
    spey = new QSpinBox(grpprop);
    spey->setObjectName("spey");
    spey->setRange(0, 999);  // a typed 200 reads as 200 and is clamped to 127, not cut to 20
    spey->setStatusTip(tr("Sets the hot spot's Y coordinate"));
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
        QToolButton* b = PanelButton(buttons, Q(c->name), CommandText(c->caption));
        b->setStatusTip(CommandText(c->hint));
        b->setToolTip(CommandText(c->hint));
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
    spebx->setStatusTip(tr("Bitmap take-in position X"));
    speby = new QSpinBox(pnledit);
    speby->setObjectName("speby");
    speby->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    speby->setStatusTip(tr("Bitmap take-in position Y"));
    take->addWidget(new QLabel("BX", pnledit));
    take->addWidget(spebx, 1);
    take->addWidget(new QLabel("BY", pnledit));
    take->addWidget(speby, 1);
    v->addLayout(take);
    v->addWidget(buildPreview(pnledit));
    v->addStretch(1);

    for (const char* name : {"cmbtype", "cmbsize", "cmbcolor", "spex", "spey", "spebx", "speby", "grpselect"}) {
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
    // The colour under the pointer: R,G,B,A.
    StatusRgba = new QLabel(bar);
    StatusRgba->setObjectName("StatusRgba");
    StatusRgba->setFixedWidth(110);
    StatusRgba->setFrameShape(QFrame::Panel);
    StatusRgba->setFrameShadow(QFrame::Sunken);
    StatusRgba->setStatusTip(tr("Colour of the pixel under the pointer (R,G,B,A)"));
    bar->addWidget(StatusRgba);
}

}  // namespace vornik
