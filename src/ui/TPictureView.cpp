#include "ui/TPictureView.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QScrollBar>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/ViewZoom.h"

namespace vornik {

namespace {

// Light squares of 8 screen pixels behind transparent pixels, whatever the zoom.
const QBrush& checkerboard() {
    static const QBrush brush = [] {
        QImage tile(16, 16, QImage::Format_RGB32);
        tile.fill(QColor(255, 255, 255));
        QPainter p(&tile);
        p.fillRect(0, 0, 8, 8, QColor(204, 204, 204));
        p.fillRect(8, 8, 8, 8, QColor(204, 204, 204));
        return QBrush(tile);
    }();
    return brush;
}

}  // namespace

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(0, 0);
    ants_.setInterval(150);
    connect(&ants_, &QTimer::timeout, this, [this] {
        antPhase_ = (antPhase_ + 1) % 8;
        updateSelectionEdge();
    });
}

void TPictureView::setPicture(const QImage& picture) {
    // Alpha is drawn premultiplied; converting once here keeps repaints cheap.
    picture_ = picture.hasAlphaChannel() && picture.format() != QImage::Format_ARGB32_Premultiplied
                   ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   : picture;
    updateExtent();
    update();
}

void TPictureView::updatePicture(const QImage& picture, const QRect& changed) {
    if (picture.size() != picture_.size() || picture.hasAlphaChannel() != picture_.hasAlphaChannel()) {
        setPicture(picture);
        return;
    }
    picture_ = picture.hasAlphaChannel() && picture.format() != QImage::Format_ARGB32_Premultiplied
                   ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                   : picture;
    update(toLogical(toDevice(changed)).adjusted(-1, -1, 1, 1));
}

void TPictureView::setScale(double scale) {
    scale = std::clamp(scale, 1.0 / kMaxZoom, double(kMaxZoom));
    if (scale == scale_) return;
    scale_ = scale;
    updateExtent();
    update();
}

double TPictureView::ratio() const { return devicePixelRatioF(); }

double TPictureView::deviceScale() const { return DevicePixelScale(scale_, ratio()); }

double TPictureView::shownScale() const { return deviceScale() / ratio(); }

void TPictureView::setSelectionMark(std::optional<QRect> pixels) {
    if (selectionMark_ == pixels) return;
    if (selectionMark_) updateSelectionEdge();
    selectionMark_ = pixels;
    if (selectionMark_) {
        updateSelectionEdge();
        if (!ants_.isActive()) ants_.start();
    } else {
        ants_.stop();
    }
}

void TPictureView::updateSelectionEdge() {
    // Only the four edges: the pixels inside are not drawn again at every step.
    if (!selectionMark_) return;
    const QRect r = toLogical(toDevice(*selectionMark_)).adjusted(-2, -2, 2, 2);
    const int t = 4;
    update(QRect(r.left(), r.top(), r.width(), t));
    update(QRect(r.left(), r.bottom() - t + 1, r.width(), t));
    update(QRect(r.left(), r.top(), t, r.height()));
    update(QRect(r.right() - t + 1, r.top(), t, r.height()));
}

void TPictureView::setOverlay(const QImage& overlay) {
    overlay_ = overlay;
    update();
}

void TPictureView::setPanKey(bool held) {
    panKey_ = held;
    if (!panning_) setCursor(held ? Qt::OpenHandCursor : property("toolCursor").value<QCursor>());
}

QRect TPictureView::toDevice(const QRect& pixels) const {
    // Edges are rounded the same way everywhere, so neighbouring pixels meet exactly.
    const double d = deviceScale();
    const int left = static_cast<int>(std::floor(pixels.left() * d));
    const int top = static_cast<int>(std::floor(pixels.top() * d));
    const int right = static_cast<int>(std::floor((pixels.right() + 1) * d));
    const int bottom = static_cast<int>(std::floor((pixels.bottom() + 1) * d));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect TPictureView::toLogical(const QRect& device) const {
    // Every widget pixel that holds a part of those device pixels.
    const double r = ratio();
    return QRect(QPoint(static_cast<int>(std::floor(device.left() / r)), static_cast<int>(std::floor(device.top() / r))),
                 QPoint(static_cast<int>(std::ceil((device.right() + 1) / r)) - 1,
                        static_cast<int>(std::ceil((device.bottom() + 1) / r)) - 1));
}

QRect TPictureView::fromLogical(const QRect& logical) const {
    const double r = ratio();
    return QRect(
        QPoint(static_cast<int>(std::floor(logical.left() * r)), static_cast<int>(std::floor(logical.top() * r))),
        QPoint(static_cast<int>(std::ceil((logical.right() + 1) * r)) - 1,
               static_cast<int>(std::ceil((logical.bottom() + 1) * r)) - 1));
}

void TPictureView::setGridEnabled(bool on) {
    if (grid_ == on) return;
    grid_ = on;
    update();
}

void TPictureView::setHotSpotMark(std::optional<QPoint> hotSpot) {
    if (hotSpot_ == hotSpot) return;
    hotSpot_ = hotSpot;
    update();
}

void TPictureView::updateExtent() {
    // The view is its picture's size; with the selection frame it also reaches
    // far enough to show the frame where it lies beyond the picture.
    QSize extent = picture_.size().expandedTo(QSize(0, 0));
    if (frameEnabled_)
        extent = extent.expandedTo(
            QSize(std::max(0, framePos_.x() + frameSide_), std::max(0, framePos_.y() + frameSide_)));
    const double shown = shownScale();
    setFixedSize(static_cast<int>(std::ceil(extent.width() * shown - 1e-9)),
                 static_cast<int>(std::ceil(extent.height() * shown - 1e-9)));
}

void TPictureView::clearPicture() { setPicture(QImage()); }

void TPictureView::setFrameEnabled(bool on) {
    frameEnabled_ = on;
    setCursor(Qt::ArrowCursor);
    updateExtent();
    update();
}

void TPictureView::setFramePos(int x, int y) {
    if (framePos_ == QPoint(x, y)) return;
    framePos_ = QPoint(x, y);
    if (!dragging_) updateExtent();
    update();
}

void TPictureView::setFrameSide(int side) {
    frameSide_ = side;
    updateExtent();
    update();
}

QSize TPictureView::sizeHint() const { return size(); }

bool TPictureView::insideFrame(QPoint p) const {
    return frameEnabled_ && QRect(framePos_, QSize(frameSide_, frameSide_)).contains(p);
}

QPoint TPictureView::toPicture(QPointF screen) const {
    const double d = deviceScale();
    const QPointF device = screen * ratio();
    if (d >= 1.0) {
        const int factor = static_cast<int>(d);
        return QPoint(ScreenToPicture(static_cast<int>(std::floor(device.x())), factor),
                      ScreenToPicture(static_cast<int>(std::floor(device.y())), factor));
    }
    return QPoint(ScreenToPicture(device.x(), d), ScreenToPicture(device.y(), d));
}

void TPictureView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    // From here on in device pixels, where each picture pixel is a whole square of them.
    p.scale(1.0 / ratio(), 1.0 / ratio());
    for (const QRect& r : e->region()) paintPicture(p, fromLogical(r));
    if (hotSpot_) paintHotSpot(p);
    if (selectionMark_) paintSelection(p);
    if (frameEnabled_) {
        // Inverting outline: stays visible on any picture colour.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(toDevice(QRect(framePos_, QSize(frameSide_, frameSide_))).adjusted(0, 0, -1, -1));
    }
}

void TPictureView::paintPicture(QPainter& p, const QRect& exposed) const {
    const QRect all = toDevice(QRect(QPoint(0, 0), picture_.size()));
    const QRect shown = exposed & all;
    if (picture_.isNull() || shown.isEmpty()) return;
    const double d = deviceScale();
    // Only the picture pixels under the exposed part are scaled and drawn.
    const QRect pixels = QRect(QPoint(ScreenToPicture(double(shown.left()), d), ScreenToPicture(double(shown.top()), d)),
                               QPoint(ScreenToPicture(double(shown.right()), d),
                                      ScreenToPicture(double(shown.bottom()), d))) &
                         QRect(QPoint(0, 0), picture_.size());
    const QRect target = toDevice(pixels);
    p.save();
    p.setClipRect(shown);
    if (picture_.hasAlphaChannel()) p.fillRect(target, checkerboard());
    if (d < 1.0) {
        // Shrunk to fit: averaged, so thin lines do not vanish; drawn whole.
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF whole(0, 0, picture_.width() * d, picture_.height() * d);
        p.drawImage(whole, picture_);
        if (!overlay_.isNull()) p.drawImage(whole, overlay_);
    } else {
        p.drawImage(target, picture_, pixels);
        if (!overlay_.isNull() && overlay_.size() == picture_.size()) p.drawImage(target, overlay_, pixels);
    }
    if (grid_ && scale_ >= 4) paintGrid(p, pixels);
    p.restore();
}

void TPictureView::paintSelection(QPainter& p) const {
    // Black dashes over white that march: seen on every colour, and the
    // selection is told apart from a drawn rectangle.
    const QRect r = toDevice(*selectionMark_).adjusted(0, 0, -1, -1);
    const int width = std::max(1, static_cast<int>(std::lround(ratio())));
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawRect(r);
    QPen dashes(Qt::black, width, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dashes.setDashPattern({4.0, 4.0});  // in pen widths
    dashes.setDashOffset(antPhase_ / 2.0);
    p.setPen(dashes);
    p.drawRect(r);
    p.restore();
}

void TPictureView::paintGrid(QPainter& p, const QRect& pixels) const {
    p.save();
    p.setPen(QPen(QColor(128, 128, 128, 110), 1));
    const QRect area = toDevice(pixels);
    // One line on the first device column and row of every picture pixel.
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
        const int sx = toDevice(QRect(x, 0, 1, 1)).left();
        p.drawLine(sx, area.top(), sx, area.bottom());
    }
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const int sy = toDevice(QRect(0, y, 1, 1)).top();
        p.drawLine(area.left(), sy, area.right(), sy);
    }
    p.restore();
}

void TPictureView::paintHotSpot(QPainter& p) const {
    // A square around the hot spot's pixel with four ticks, inverted so it
    // shows on any colour.
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    const QRect pixel = toDevice(QRect(*hotSpot_, QSize(1, 1)));
    const QRect cell = pixel.adjusted(-1, -1, 0, 0);
    p.drawRect(cell);
    const int tick = std::max(3, static_cast<int>(deviceScale()));
    const int cx = cell.center().x(), cy = cell.center().y();
    p.drawLine(cell.left() - tick, cy, cell.left() - 1, cy);
    p.drawLine(cell.right() + 1, cy, cell.right() + tick, cy);
    p.drawLine(cx, cell.top() - tick, cx, cell.top() - 1);
    p.drawLine(cx, cell.bottom() + 1, cx, cell.bottom() + tick);
    p.restore();
}

void TPictureView::panTo(QPoint global) {
    auto* box = parentWidget() ? qobject_cast<QAbstractScrollArea*>(parentWidget()->parentWidget()) : nullptr;
    if (!box) return;
    const QPoint moved = global - panStart_;
    box->horizontalScrollBar()->setValue(panScroll_.x() - moved.x());
    box->verticalScrollBar()->setValue(panScroll_.y() - moved.y());
}

void TPictureView::mousePressEvent(QMouseEvent* e) {
    auto* box = parentWidget() ? qobject_cast<QAbstractScrollArea*>(parentWidget()->parentWidget()) : nullptr;
    if (box && !frameEnabled_ &&
        (e->button() == Qt::MiddleButton || (panKey_ && e->button() == Qt::LeftButton))) {
        panning_ = true;
        panStart_ = e->globalPosition().toPoint();
        panScroll_ = QPoint(box->horizontalScrollBar()->value(), box->verticalScrollBar()->value());
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    const QPoint pos = toPicture(e->position());
    if (insideFrame(pos)) {
        // Shape1MouseDown: remember where inside the frame it was grabbed.
        dragging_ = true;
        grab_ = pos - framePos_;
        return;
    }
    // Around the picture there is only the frame's room: clicks there are not on the picture.
    if (frameEnabled_ && !QRect(QPoint(0, 0), picture_.size()).contains(pos)) return;
    emit pressed(pos.x(), pos.y(), e->button(), e->modifiers());
}

void TPictureView::mouseMoveEvent(QMouseEvent* e) {
    if (panning_) {
        panTo(e->globalPosition().toPoint());
        return;
    }
    const QPoint pos = toPicture(e->position());
    if (frameEnabled_) setCursor(insideFrame(pos) || dragging_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (dragging_) {
        setFramePos(pos.x() - grab_.x(), pos.y() - grab_.y());
        return;
    }
    emit moved(pos.x(), pos.y(), e->buttons(), e->modifiers());
}

void TPictureView::mouseReleaseEvent(QMouseEvent* e) {
    if (panning_) {
        if (e->buttons() & (Qt::MiddleButton | Qt::LeftButton)) return;
        panning_ = false;
        setPanKey(panKey_);
        return;
    }
    const QPoint pos = toPicture(e->position());
    if (dragging_) {
        dragging_ = false;
        updateExtent();
        emit frameDropped(framePos_.x(), framePos_.y());
        return;
    }
    emit released(pos.x(), pos.y(), e->button(), e->modifiers());
}

void TPictureView::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        e->ignore();  // the box scrolls
        return;
    }
    wheelRest_ += e->angleDelta().y();
    const int steps = wheelRest_ / 120;
    wheelRest_ -= steps * 120;
    if (steps != 0) {
        emit zoomWheel(steps);
        emit zoomWheelAt(steps, e->position().toPoint());
    }
    e->accept();
}

}  // namespace vornik
