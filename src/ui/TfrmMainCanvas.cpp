// The canvas: the image and mask views as the main area, drawing with the
// tools of app/CanvasTools, the selection and its clipboard keys, zoom about
// the pointer, and the splitters between the list, the canvas and the panel.
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "app/Commands.h"
#include "app/UndoCommands.h"
#include "app/ViewZoom.h"
#include "imaging/AlphaMask.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
#include "ui/DibImage.h"
#include "ui/PanelWidgets.h"
#include "ui/ResizeWatcher.h"
#include "ui/TPictureView.h"
#include "ui/TfrmMain.h"

namespace vornik {

namespace {

constexpr const char* kLayoutSection = "Layout";

// Space held over the canvas turns the left button into a pan.
class PanKeyWatcher : public QObject {
public:
    explicit PanKeyWatcher(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* view = qobject_cast<TPictureView*>(watched);  // null while the view is being destroyed
        if (!view) return false;
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_Space && !k->isAutoRepeat()) {
                view->setPanKey(e->type() == QEvent::KeyPress);
                return true;
            }
            if (k->key() == Qt::Key_Space) return true;
        }
        if (e->type() == QEvent::FocusOut) view->setPanKey(false);
        return false;
    }
};

// The image as one picture with its transparency: a 32-bit picture's own
// alpha, else the mask's.
QImage composedImage(const EditState& e, const QRect& only = QRect()) {
    if (!e.imgxor) return QImage();
    const QRect all(0, 0, e.imgxor->Width(), e.imgxor->Height());
    QImage out(all.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QRect r = only.isNull() ? all : (only & all);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const Rgba c = ColourAt(e, x, y).value_or(Rgba{0, 0, 0, 0});
            line[x] = qRgba(c.r, c.g, c.b, c.a);
        }
    }
    return out;
}

// Transparent pixels of the mask tinted, to lay over the composed canvas.
QImage maskOverlay(const EditState& e) {
    if (!e.imgand) return QImage();
    QImage out(e.imgand->Width(), e.imgand->Height(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (ReadColour(*e.imgand, x, y) == Rgba{255, 255, 255, 255})
                out.setPixel(x, y, qPremultiply(qRgba(255, 0, 96, 110)));
    return out;
}

// Shows or hides a box with the panel it holds (the Editing Panel command toggles the panel).
class FollowVisibility : public QObject {
public:
    FollowVisibility(QObject* parent, QWidget* box) : QObject(parent), box_(box) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::HideToParent) box_->hide();
        if (e->type() == QEvent::ShowToParent) box_->show();
        return false;
    }

private:
    QWidget* box_;
};

}  // namespace

QWidget* TfrmMain::wrapEditPanel(QWidget* panel) {
    // The panel scrolls when the user makes it narrower than its buttons.
    auto* box = new QScrollArea(this);
    box->setObjectName("ScrollBoxEdit");
    box->setWidgetResizable(true);
    box->setFrameShape(QFrame::NoFrame);
    box->setWidget(panel);
    box->setMinimumWidth(120);
    panel->installEventFilter(new FollowVisibility(box, box));
    return box;
}

QWidget* TfrmMain::buildCanvas() {
    auto* area = new QWidget(this);
    area->setObjectName("pnlcanvas");
    auto* h = new QHBoxLayout(area);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    h->addWidget(buildToolPalette());

    auto* group = new QGroupBox(tr("Resource image/mask"), area);
    grpview = group;
    grpview->setObjectName("grpview");
    // The image above its mask, or beside it when that shows them larger.
    viewsLayout_ = new QBoxLayout(QBoxLayout::TopToBottom, grpview);
    viewsLayout_->setContentsMargins(4, 2, 4, 4);
    imgxor = new TPictureView;
    imgxor->setObjectName("imgxor");
    imgxor->setCursor(Qt::CrossCursor);
    imgxor->setProperty("toolCursor", QCursor(Qt::CrossCursor));
    imgand = new TPictureView;
    imgand->setObjectName("imgand");
    imgand->setCursor(Qt::UpArrowCursor);
    imgand->setProperty("toolCursor", QCursor(Qt::UpArrowCursor));
    ScrollBox1 = PictureBox(grpview, "ScrollBox1", imgxor);
    ScrollBox2 = PictureBox(grpview, "ScrollBox2", imgand);
    for (QScrollArea* s : {ScrollBox1, ScrollBox2}) {
        s->setMinimumSize(40, 40);  // small screens: the boxes scroll rather than overlap
        s->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        s->setProperty("helpContext", HelpContextOf(s->objectName().toStdString()));
        viewsLayout_->addWidget(s, 1);
    }
    auto* watcher = new PanKeyWatcher(this);
    for (TPictureView* v : {imgxor, imgand}) {
        v->setFocusPolicy(Qt::ClickFocus);  // a click gives the canvas the keys
        v->installEventFilter(watcher);
    }
    h->addWidget(grpview, 1);
    return area;
}

void TfrmMain::connectCanvas() {
    // Keys of the canvas act only while it has the focus; the list keeps its
    // own Ctrl+C/X/V, each through a shortcut bound to its widget.
    auto canvasKey = [this](const QString& name, const QKeySequence& key, std::function<void()> run) {
        auto* a = new QAction(this);
        a->setObjectName(name);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        grpview->addAction(a);
        actions_.insert(name, a);
        connect(a, &QAction::triggered, this, std::move(run));
    };
    const struct {
        const char* name;
        Qt::Key key;
        bool shift;
        CanvasTool tool;
    } keys[] = {
        {"tool_hotspot", Qt::Key_H, false, CanvasTool::HotSpot}, {"tool_pencil", Qt::Key_B, false, CanvasTool::Pencil},
        {"tool_eraser", Qt::Key_E, false, CanvasTool::Eraser},   {"tool_fill", Qt::Key_G, false, CanvasTool::Fill},
        {"tool_picker", Qt::Key_I, false, CanvasTool::Picker},   {"tool_line", Qt::Key_L, false, CanvasTool::Line},
        {"tool_rect", Qt::Key_U, false, CanvasTool::Rectangle},  {"tool_ellipse", Qt::Key_U, true, CanvasTool::Ellipse},
        {"tool_select", Qt::Key_M, false, CanvasTool::Select},   {"tool_move", Qt::Key_V, false, CanvasTool::Move},
    };
    for (const auto& k : keys) {
        const CanvasTool tool = k.tool;
        canvasKey(k.name, QKeySequence(k.shift ? (Qt::SHIFT | k.key) : QKeyCombination(k.key)),
                  [this, tool] { setTool(tool); });
    }
    canvasKey("canvas_brushsmaller", QKeySequence(Qt::Key_BracketLeft), [this] {
        StepBrushSize(tools_, -1);
        refreshToolPalette();
    });
    canvasKey("canvas_brushlarger", QKeySequence(Qt::Key_BracketRight), [this] {
        StepBrushSize(tools_, 1);
        refreshToolPalette();
    });
    canvasKey("canvas_swap", QKeySequence(Qt::Key_X), [this] {
        SwapColours(tools_);
        refreshToolPalette();
    });
    canvasKey("canvas_selectall", QKeySequence(Qt::CTRL | Qt::Key_A),
              [this] { canvasSelectionCommand([this] { SelectAll(s_, tools_); }); });
    canvasKey("canvas_drop", QKeySequence(Qt::Key_Escape),
              [this] { canvasSelectionCommand([this] { DropSelection(tools_); }); });
    canvasKey("canvas_anchor", QKeySequence(Qt::Key_Return),
              [this] { canvasSelectionCommand([this] { AnchorSelection(tools_); }); });
    canvasKey("canvas_anchor2", QKeySequence(Qt::Key_Enter),
              [this] { canvasSelectionCommand([this] { AnchorSelection(tools_); }); });
    canvasKey("canvas_delete", QKeySequence(Qt::Key_Delete), [this] {
        canvasSelectionCommand([this] { DeleteSelection(s_, tools_); });
    });
    canvasKey("canvas_copy", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { canvasCopy(false); });
    canvasKey("canvas_cut", QKeySequence(Qt::CTRL | Qt::Key_X), [this] { canvasCopy(true); });
    canvasKey("canvas_paste", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { canvasPaste(); });
    // The entry commands share those keys: bound to the list and the panel,
    // not to the window, so that Qt never sees two candidates for one key.
    for (const char* name : {"Copy1", "Cut1", "Paste1"}) {
        QAction* a = actions_[name];
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        PageControl1->addAction(a);
        pnledit->addAction(a);
    }

    connect(imgxor, &TPictureView::moved, this, [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers m) {
        canvasMove(x, y, m);  // first, so the status shows the pixel as drawn
        const auto c = ColourAt(s_.edit, x, y);
        StatusRgba->setText(c ? QString("%1,%2,%3,%4").arg(c->r).arg(c->g).arg(c->b).arg(c->a) : QString());
    });
    connect(imgxor, &TPictureView::released, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers m) { canvasRelease(x, y, m); });
    for (TPictureView* v : {imgxor, imgand})
        connect(v, &TPictureView::zoomWheelAt, this, [this, v](int steps, QPoint at) { zoomStepAt(steps, v, at); });
    // An undo or redo puts other pictures in the views: nothing stays selected.
    for (const char* name : {"Undo1", "Redo1", "tbundo", "tbredo"})
        if (QAction* a = actions_.value(name))
            connect(a, &QAction::triggered, this, [this] {
                ForgetSelection(tools_);
                refreshCanvas();
            });

    auto* composed = new QAction(tr("Composed Vie&w"), this);
    composed->setObjectName("mnu_composed");
    composed->setCheckable(true);
    composed->setStatusTip(tr("Shows the image and the mask composed on one canvas"));
    auto* overlay = new QAction(tr("Mas&k Overlay"), this);
    overlay->setObjectName("mnu_maskoverlay");
    overlay->setCheckable(true);
    overlay->setStatusTip(tr("Colours the transparent parts in the composed view"));
    for (QAction* a : {composed, overlay}) actions_.insert(a->objectName(), a);
    connect(composed, &QAction::toggled, this, [this](bool on) {
        composed_ = on;
        refresh();
    });
    connect(overlay, &QAction::toggled, this, [this](bool on) {
        maskOverlay_ = on;
        refreshCanvas();
    });
    if (QMenu* zoom = menus_.value("mnu_zoom")) {
        QMenu* view = menus_["View1"];
        view->insertAction(zoom->menuAction(), composed);
        view->insertAction(zoom->menuAction(), overlay);
    }
}

bool TfrmMain::canvasHasFocus() const {
    const QWidget* f = QApplication::focusWidget();
    return f && grpview->isAncestorOf(f);
}

void TfrmMain::setTool(CanvasTool tool) {
    tools_.tool = tool;
    if (tool != CanvasTool::Select && tool != CanvasTool::Move) AnchorSelection(tools_);
    const bool classic = tool == CanvasTool::HotSpot;
    const QCursor image = Qt::CrossCursor;
    const QCursor mask = classic ? QCursor(Qt::UpArrowCursor) : QCursor(Qt::CrossCursor);
    imgxor->setProperty("toolCursor", image);
    imgand->setProperty("toolCursor", mask);
    imgxor->setCursor(tool == CanvasTool::Move ? QCursor(Qt::SizeAllCursor) : image);
    imgand->setCursor(mask);
    refreshToolPalette();
    refreshCanvas();
}

void TfrmMain::canvasPress(CanvasView view, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    try {
        const PixelRect r = CanvasPress(s_, tools_, view, x, y, button == Qt::RightButton,
                                        modifiers & Qt::ShiftModifier);
        showCanvasChange(r);
    } catch (const std::exception& ex) {
        tools_.drag.reset();
        refresh();
        ShowMessage(MessageOf(ex));
    }
    if (tools_.tool == CanvasTool::Picker) refreshToolPalette();
}

void TfrmMain::canvasMove(int x, int y, Qt::KeyboardModifiers modifiers) {
    if (!tools_.drag) return;
    try {
        showCanvasChange(CanvasMove(s_, tools_, x, y, modifiers & Qt::ShiftModifier));
    } catch (const std::exception& ex) {
        tools_.drag.reset();
        refresh();
        ShowMessage(MessageOf(ex));
    }
}

void TfrmMain::canvasRelease(int x, int y, Qt::KeyboardModifiers modifiers) {
    if (!tools_.drag) return;
    try {
        CanvasRelease(s_, tools_, x, y, modifiers & Qt::ShiftModifier);
    } catch (const std::exception& ex) {
        tools_.drag.reset();
        ShowMessage(MessageOf(ex));
    }
    // The step is recorded: title, undo buttons and preview follow.
    refresh();
}

void TfrmMain::showCanvasChange(const PixelRect& r) {
    const EditState& e = s_.edit;
    if (!r.empty() && e.imgxor) {
        // Only the changed pixels are copied and repainted while the mouse moves.
        const QRect changed(r.x, r.y, r.w, r.h);
        if (composed_) {
            QImage image = imgxor->picture().convertToFormat(QImage::Format_ARGB32);
            const QImage part = composedImage(e, changed);
            if (image.size() != part.size()) {
                image = composedImage(e);
            } else {
                for (int y = changed.top(); y <= changed.bottom() && y < image.height(); ++y)
                    for (int x = changed.left(); x <= changed.right() && x < image.width(); ++x)
                        if (x >= 0 && y >= 0) image.setPixel(x, y, part.pixel(x, y));
            }
            imgxor->updatePicture(image, changed);
            if (maskOverlay_) imgxor->setOverlay(maskOverlay(e));
        } else {
            QImage image = imgxor->picture();
            CopyDibRect(*e.imgxor, image, changed);
            imgxor->updatePicture(image, changed);
        }
        if (e.imgand) {
            QImage mask = imgand->picture();
            CopyDibRect(*e.imgand, mask, changed);
            imgand->updatePicture(mask, changed);
        }
    }
    // The selection covers the image and its mask alike: both show it.
    const auto mark = tools_.selection ? std::optional<QRect>(QRect(tools_.selection->x, tools_.selection->y,
                                                                    tools_.selection->w, tools_.selection->h))
                                       : std::nullopt;
    imgxor->setSelectionMark(mark);
    imgand->setSelectionMark(composed_ ? std::nullopt : mark);
}

void TfrmMain::refreshCanvas() {
    const EditState& e = s_.edit;
    // A selection that no longer fits the picture (another entry, an undo) is dropped.
    if (tools_.selection &&
        (!e.imgxor || (tools_.floating && tools_.floating->baseImage &&
                       (tools_.floating->baseImage->Width() != e.imgxor->Width() ||
                        tools_.floating->baseImage->Height() != e.imgxor->Height())) ||
         tools_.selection->x >= e.imgxor->Width() || tools_.selection->y >= e.imgxor->Height()))
        ForgetSelection(tools_);
    ScrollBox2->setVisible(!composed_);
    if (composed_) imgxor->setPicture(composedImage(e));
    imgxor->setOverlay(composed_ && maskOverlay_ ? maskOverlay(e) : QImage());
    if (QAction* a = actions_.value("mnu_maskoverlay")) a->setEnabled(composed_);
    showCanvasChange(PixelRect{});
    refreshToolPalette();
}

void TfrmMain::canvasSelectionCommand(const std::function<void()>& command) {
    runCommand(command);
}

void TfrmMain::canvasCopy(bool cut) {
    const auto pixels = SelectionPixels(s_, tools_);
    if (!pixels) return;
    // Straight (not premultiplied) alpha: faint pixels keep their exact colour.
    QImage image(pixels->Width(), pixels->Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const Rgba c = ReadColour(*pixels, x, y);
            line[x] = qRgba(c.r, c.g, c.b, c.a);
        }
    }
    QApplication::clipboard()->setImage(image);
    if (cut) runCommand([this] { DeleteSelection(s_, tools_); });
}

void TfrmMain::canvasPaste() {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) return;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    TQvDIB dib;
    dib.CreateDIB(argb.width(), -argb.height(), 0, 32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            WritePaintValue(dib, x, y,
                            PaintValueOf(dib, Rgba{std::uint8_t(qRed(line[x])), std::uint8_t(qGreen(line[x])),
                                                   std::uint8_t(qBlue(line[x])), std::uint8_t(qAlpha(line[x]))}));
    }
    if (tools_.tool != CanvasTool::Move) tools_.tool = CanvasTool::Move;  // what floats can be dragged at once
    runCommand([&] { PasteFloating(s_, tools_, dib); });
    refreshToolPalette();
}

void TfrmMain::zoomStepAt(int steps, TPictureView* view, QPoint at) {
    // The picture point under the pointer stays under it.
    auto* box = view == imgand ? ScrollBox2 : ScrollBox1;
    const double before = view->shownScale();
    const QPointF picturePoint = QPointF(at) / before;
    const QPoint inViewport = view->mapTo(box->viewport(), at);
    zoomStep(steps);
    const double after = view->shownScale();
    box->horizontalScrollBar()->setValue(static_cast<int>(picturePoint.x() * after) - inViewport.x());
    box->verticalScrollBar()->setValue(static_cast<int>(picturePoint.y() * after) - inViewport.y());
    // The other view of the pair follows, so both show the same pixels.
    QScrollArea* other = box == ScrollBox1 ? ScrollBox2 : ScrollBox1;
    other->horizontalScrollBar()->setValue(box->horizontalScrollBar()->value());
    other->verticalScrollBar()->setValue(box->verticalScrollBar()->value());
}

void TfrmMain::layoutViews() {
    // Stacked or side by side: whichever shows the picture larger.
    const QSize picture = imgxor->picture().isNull() ? imgand->picture().size() : imgxor->picture().size();
    if (composed_ || picture.isEmpty()) return;
    const QRect room = grpview->contentsRect();
    const QMargins m = viewsLayout_->contentsMargins();
    const int w = room.width() - m.left() - m.right(), h = room.height() - m.top() - m.bottom();
    const int gap = viewsLayout_->spacing() + 2 * ScrollBox1->frameWidth();
    const double stacked = FitScale(picture.width(), picture.height(), w - 2 * ScrollBox1->frameWidth(), (h - gap) / 2);
    const double side = FitScale(picture.width(), picture.height(), (w - gap) / 2, h - 2 * ScrollBox1->frameWidth());
    const auto direction = side > stacked ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (viewsLayout_->direction() != direction) viewsLayout_->setDirection(direction);
}

void TfrmMain::restoreLayout() {
    if (auto state = store_.read(kLayoutSection, "splitter")) {
        splmain->restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*state)));
    } else {
        // A new user: the default widths follow the window until the user
        // moves a splitter (then the user's widths are kept).
        layoutDefault_ = true;
        connect(splmain, &QSplitter::splitterMoved, this, [this] { layoutDefault_ = false; });
        splmain->installEventFilter(new ResizeWatcher(this, [this] {
            if (layoutDefault_) applyDefaultLayout();
        }));
        QTimer::singleShot(0, this, [this] { applyDefaultLayout(); });
    }
    if (auto v = store_.read(kLayoutSection, "composed")) actions_["mnu_composed"]->setChecked(*v == "1");
    if (auto v = store_.read(kLayoutSection, "maskoverlay")) actions_["mnu_maskoverlay"]->setChecked(*v == "1");
}

void TfrmMain::applyDefaultLayout() {
    // The panel at its natural width, the list narrower in a small window,
    // the canvas takes the rest.
    const int width = splmain->width();
    const int list = std::clamp(width / 6, 120, 220), panel = pnledit->sizeHint().width() + 4;
    splmain->setSizes({list, std::max(200, width - list - panel), panel});
}

void TfrmMain::saveLayout() {
    store_.write(kLayoutSection, "splitter", splmain->saveState().toBase64().toStdString());
    store_.write(kLayoutSection, "composed", composed_ ? "1" : "0");
    store_.write(kLayoutSection, "maskoverlay", maskOverlay_ ? "1" : "0");
}

}  // namespace vornik
