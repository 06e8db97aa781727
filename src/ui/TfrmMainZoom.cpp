// The magnification of the image, mask and animation views: the View menu's
// zoom items, Ctrl + wheel, Ctrl + plus / minus, and "fit" following the boxes.
#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QScrollArea>

#include "app/ViewZoom.h"
#include "ui/ResizeWatcher.h"
#include "ui/TPictureView.h"
#include "ui/TfrmMain.h"

namespace vornik {

namespace {

struct ZoomItem {
    const char* name;
    const char* caption;
    int choice;
};

constexpr ZoomItem kZoomItems[] = {
    {"mnu_zoomfit", QT_TRANSLATE_NOOP("vornik::TfrmMain", "&Fit to Window"), kZoomFit},
    {"mnu_zoom1", QT_TRANSLATE_NOOP("vornik::TfrmMain", "&1x"), 1},
    {"mnu_zoom2", QT_TRANSLATE_NOOP("vornik::TfrmMain", "&2x"), 2},
    {"mnu_zoom4", QT_TRANSLATE_NOOP("vornik::TfrmMain", "&4x"), 4},
    {"mnu_zoom8", QT_TRANSLATE_NOOP("vornik::TfrmMain", "&8x"), 8},
    {"mnu_zoom16", QT_TRANSLATE_NOOP("vornik::TfrmMain", "16x"), 16},
    {"mnu_zoom32", QT_TRANSLATE_NOOP("vornik::TfrmMain", "32x"), 32},
    {"mnu_zoom64", QT_TRANSLATE_NOOP("vornik::TfrmMain", "64x"), 64},
};

}  // namespace

void TfrmMain::buildZoomMenu() {
    QMenu* view = menus_["View1"];
    QMenu* zoom = new QMenu(tr("&Zoom"), view);
    zoom->setObjectName("mnu_zoom");
    zoom->menuAction()->setObjectName("mnu_zoom");
    zoom->installEventFilter(this);
    menus_.insert("mnu_zoom", zoom);
    auto* group = new QActionGroup(this);
    for (const ZoomItem& item : kZoomItems) {
        auto* a = zoom->addAction(tr(item.caption));
        a->setObjectName(item.name);
        a->setCheckable(true);
        a->setStatusTip(tr("Sets the magnification of the editing area"));
        group->addAction(a);
        actions_.insert(item.name, a);
        const int choice = item.choice;
        connect(a, &QAction::triggered, this, [this, choice] { setZoomChoice(choice); });
    }
    zoom->addSeparator();
    auto* in = zoom->addAction(tr("Zoom &In"));
    in->setObjectName("mnu_zoomin");
    in->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    in->setStatusTip(tr("Magnifies the editing area"));
    auto* out = zoom->addAction(tr("Zoom &Out"));
    out->setObjectName("mnu_zoomout");
    out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    out->setStatusTip(tr("Shrinks the editing area"));
    for (QAction* a : {in, out}) {
        a->setShortcutContext(Qt::WindowShortcut);
        actions_.insert(a->objectName(), a);
    }
    // Over the image or mask view the keys zoom about the pointer, as the wheel does.
    auto keyStep = [this](int steps) {
        for (TPictureView* v : {imgxor, imgand}) {
            const QPoint at = v->mapFromGlobal(QCursor::pos());
            QWidget* viewport = v->parentWidget();
            if (v->isVisible() && viewport && viewport->rect().contains(v->mapTo(viewport, at))) {
                zoomStepAt(steps, v, at);
                return;
            }
        }
        zoomStep(steps);
    };
    connect(in, &QAction::triggered, this, [keyStep] { keyStep(1); });
    connect(out, &QAction::triggered, this, [keyStep] { keyStep(-1); });

    auto* grid = new QAction(tr("Pixel &Grid"), this);
    grid->setObjectName("mnu_pixelgrid");
    grid->setCheckable(true);
    grid->setStatusTip(tr("Draws the borders between pixels at 4x and above"));
    actions_.insert("mnu_pixelgrid", grid);
    connect(grid, &QAction::toggled, this, [this](bool on) {
        s_.settings.pixelgrid = on;
        applyZoom();
    });

    // After the list styles, before the icon check.
    QAction* before = actions_.value("m_iconchk");
    view->insertSeparator(before);
    view->insertMenu(before, zoom);
    view->insertAction(before, grid);

    // The image and mask views zoom about the pointer (TfrmMainCanvas.cpp).
    auto* watcher = new ResizeWatcher(this, [this] { applyZoom(); });
    for (QScrollArea* box : {ScrollBox1, ScrollBox2}) box->installEventFilter(watcher);
}

int TfrmMain::shownZoom() const { return imgxor->zoom(); }

void TfrmMain::setZoomChoice(int choice) {
    s_.settings.zoom = ValidZoomChoice(choice);
    applyZoom();
}

void TfrmMain::zoomStep(int steps) {
    // Steps go from the factor shown now, so "fit" zooms on from where it is.
    int factor = shownZoom();
    if (imgxor->scale() < 1.0 && steps > 0) {  // from a "fit" below 1:1, the first step is 1:1
        factor = 1;
        --steps;
    }
    for (; steps > 0; --steps) factor = ZoomIn(factor);
    for (; steps < 0; ++steps) factor = ZoomOut(factor);
    setZoomChoice(factor);
}

void TfrmMain::applyZoom() {
    const int choice = s_.settings.zoom;
    for (const ZoomItem& item : kZoomItems) actions_[item.name]->setChecked(false);
    actions_[choice == kZoomFit ? QString("mnu_zoomfit") : QString("mnu_zoom%1").arg(choice)]->setChecked(true);
    {
        const QSignalBlocker block(actions_["mnu_pixelgrid"]);
        actions_["mnu_pixelgrid"]->setChecked(s_.settings.pixelgrid);
    }
    // "Fit" sizes both views of the pair alike, by the room of the smaller box,
    // so the image and its mask stay pixel for pixel side by side; below 1:1
    // when even that does not show the whole picture.
    layoutViews();
    auto room = [](QScrollArea* box) { return box->maximumViewportSize(); };
    const QSize pair = ScrollBox2->isHidden() ? room(ScrollBox1) : room(ScrollBox1).boundedTo(room(ScrollBox2));
    const QSize picture = imgxor->picture().isNull() ? imgand->picture().size() : imgxor->picture().size();
    const double scale = ZoomScale(choice, picture.width(), picture.height(), pair.width(), pair.height());
    for (TPictureView* v : {imgxor, imgand}) {
        v->setScale(scale);
        v->setGridEnabled(s_.settings.pixelgrid);
    }
    imgpreviewz->setZoom(imgxor->zoom());
}

}  // namespace vornik
