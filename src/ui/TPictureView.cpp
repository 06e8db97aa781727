#include "ui/TPictureView.h"

#include <QMouseEvent>
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
    update(QRect(changed.topLeft() * zoom_, changed.size() * zoom_));
}

void TPictureView::setZoom(int factor) {
    factor = std::clamp(factor, 1, kMaxZoom);
    if (factor == zoom_) return;
    zoom_ = factor;
    updateExtent();
    update();
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
    setFixedSize(extent * zoom_);
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

QSize TPictureView::sizeHint() const { return picture_.size() * zoom_; }

bool TPictureView::insideFrame(QPoint p) const {
    return frameEnabled_ && QRect(framePos_, QSize(frameSide_, frameSide_)).contains(p);
}

QPoint TPictureView::toPicture(QPointF screen) const {
    return QPoint(ScreenToPicture(static_cast<int>(std::floor(screen.x())), zoom_),
                  ScreenToPicture(static_cast<int>(std::floor(screen.y())), zoom_));
}

void TPictureView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect shown = e->rect() & QRect(QPoint(0, 0), picture_.size() * zoom_);
    if (!picture_.isNull() && !shown.isEmpty()) {
        // Only the picture pixels under the exposed part are scaled and drawn.
        const QRect pixels(QPoint(shown.left() / zoom_, shown.top() / zoom_),
                           QPoint(shown.right() / zoom_, shown.bottom() / zoom_));
        const QRect target(pixels.topLeft() * zoom_, pixels.size() * zoom_);
        if (picture_.hasAlphaChannel()) p.fillRect(target, checkerboard());
        p.drawImage(target, picture_, pixels);
        if (grid_ && zoom_ >= 4) paintGrid(p, pixels);
    }
    if (hotSpot_) paintHotSpot(p);
    if (frameEnabled_) {
        // Inverting outline: stays visible on any picture colour.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(framePos_ * zoom_, QSize(frameSide_ * zoom_ - 1, frameSide_ * zoom_ - 1)));
    }
}

void TPictureView::paintGrid(QPainter& p, const QRect& pixels) const {
    p.save();
    p.setPen(QPen(QColor(128, 128, 128, 110), 1));
    const int top = pixels.top() * zoom_, bottom = (pixels.bottom() + 1) * zoom_ - 1;
    const int left = pixels.left() * zoom_, right = (pixels.right() + 1) * zoom_ - 1;
    // One line on the first screen column and row of every picture pixel.
    for (int x = pixels.left(); x <= pixels.right(); ++x) p.drawLine(x * zoom_, top, x * zoom_, bottom);
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) p.drawLine(left, y * zoom_, right, y * zoom_);
    p.restore();
}

void TPictureView::paintHotSpot(QPainter& p) const {
    // A square around the hot spot's pixel with four ticks, inverted so it
    // shows on any colour.
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotDestination);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    const QRect cell(hotSpot_->x() * zoom_ - 1, hotSpot_->y() * zoom_ - 1, zoom_ + 1, zoom_ + 1);
    p.drawRect(cell);
    const int tick = std::max(3, zoom_);
    const int cx = cell.center().x(), cy = cell.center().y();
    p.drawLine(cell.left() - tick, cy, cell.left() - 1, cy);
    p.drawLine(cell.right() + 1, cy, cell.right() + tick, cy);
    p.drawLine(cx, cell.top() - tick, cx, cell.top() - 1);
    p.drawLine(cx, cell.bottom() + 1, cx, cell.bottom() + tick);
    p.restore();
}

void TPictureView::mousePressEvent(QMouseEvent* e) {
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
    const QPoint pos = toPicture(e->position());
    if (frameEnabled_) setCursor(insideFrame(pos) || dragging_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (dragging_) {
        setFramePos(pos.x() - grab_.x(), pos.y() - grab_.y());
        return;
    }
    emit moved(pos.x(), pos.y(), e->buttons(), e->modifiers());
}

void TPictureView::mouseReleaseEvent(QMouseEvent* e) {
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
    if (steps != 0) emit zoomWheel(steps);
    e->accept();
}

}  // namespace vornik
