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
    update(toScreen(changed).adjusted(-1, -1, 1, 1));
}

void TPictureView::setScale(double scale) {
    scale = std::clamp(scale, 1.0 / kMaxZoom, double(kMaxZoom));
    if (scale == scale_) return;
    scale_ = scale;
    updateExtent();
    update();
}

void TPictureView::setSelectionMark(std::optional<QRect> pixels) {
    if (selectionMark_ == pixels) return;
    selectionMark_ = pixels;
    update();
}

void TPictureView::setOverlay(const QImage& overlay) {
    overlay_ = overlay;
    update();
}

void TPictureView::setPanKey(bool held) {
    panKey_ = held;
    if (!panning_) setCursor(held ? Qt::OpenHandCursor : property("toolCursor").value<QCursor>());
}

QRect TPictureView::toScreen(const QRect& pixels) const {
    // Edges are rounded the same way everywhere, so neighbouring pixels meet exactly.
    const int left = static_cast<int>(std::floor(pixels.left() * scale_));
    const int top = static_cast<int>(std::floor(pixels.top() * scale_));
    const int right = static_cast<int>(std::floor((pixels.right() + 1) * scale_));
    const int bottom = static_cast<int>(std::floor((pixels.bottom() + 1) * scale_));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
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
    setFixedSize(static_cast<int>(std::ceil(extent.width() * scale_)),
                 static_cast<int>(std::ceil(extent.height() * scale_)));
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
    if (scale_ >= 1.0 && scale_ == std::floor(scale_)) {
        const int factor = static_cast<int>(scale_);
        return QPoint(ScreenToPicture(static_cast<int>(std::floor(screen.x())), factor),
                      ScreenToPicture(static_cast<int>(std::floor(screen.y())), factor));
    }
    return QPoint(ScreenToPicture(screen.x(), scale_), ScreenToPicture(screen.y(), scale_));
}

void TPictureView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect all = toScreen(QRect(QPoint(0, 0), picture_.size()));
    const QRect shown = e->rect() & all;
    if (!picture_.isNull() && !shown.isEmpty()) {
        // Only the picture pixels under the exposed part are scaled and drawn.
        const QRect pixels =
            QRect(QPoint(ScreenToPicture(double(shown.left()), scale_), ScreenToPicture(double(shown.top()), scale_)),
                  QPoint(ScreenToPicture(double(shown.right()), scale_),
                         ScreenToPicture(double(shown.bottom()), scale_))) &
            QRect(QPoint(0, 0), picture_.size());
        const QRect target = toScreen(pixels);
        if (picture_.hasAlphaChannel()) p.fillRect(target, checkerboard());
        if (scale_ < 1.0) {
            // Shrunk to fit: averaged, so thin lines do not vanish; drawn whole.
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.setClipRect(shown);
            p.drawImage(QRectF(0, 0, picture_.width() * scale_, picture_.height() * scale_), picture_);
            if (!overlay_.isNull())
                p.drawImage(QRectF(0, 0, picture_.width() * scale_, picture_.height() * scale_), overlay_);
            p.setClipping(false);
        } else {
            p.drawImage(target, picture_, pixels);
            if (!overlay_.isNull() && overlay_.size() == picture_.size()) p.drawImage(target, overlay_, pixels);
        }
        if (grid_ && scale_ >= 4) paintGrid(p, pixels);
    }
    if (hotSpot_) paintHotSpot(p);
    if (selectionMark_) {
        // Black and white dashes: seen on every colour.
        const QRect r = toScreen(*selectionMark_).adjusted(0, 0, -1, -1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(r);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(r);
    }
    const int zoom = this->zoom();
    if (frameEnabled_) {
        // Inverting outline: stays visible on any picture colour.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(framePos_ * zoom, QSize(frameSide_ * zoom - 1, frameSide_ * zoom - 1)));
    }
}

void TPictureView::paintGrid(QPainter& p, const QRect& pixels) const {
    p.save();
    p.setPen(QPen(QColor(128, 128, 128, 110), 1));
    const QRect area = toScreen(pixels);
    // One line on the first screen column and row of every picture pixel.
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
        const int sx = toScreen(QRect(x, 0, 1, 1)).left();
        p.drawLine(sx, area.top(), sx, area.bottom());
    }
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const int sy = toScreen(QRect(0, y, 1, 1)).top();
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
    const QRect pixel = toScreen(QRect(*hotSpot_, QSize(1, 1)));
    const QRect cell = pixel.adjusted(-1, -1, 0, 0);
    p.drawRect(cell);
    const int tick = std::max(3, zoom());
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
