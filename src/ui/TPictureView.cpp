#include "ui/TPictureView.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace vornik {

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(0, 0);
}

void TPictureView::setPicture(const QImage& picture) {
    picture_ = picture;
    updateExtent();
    update();
}

void TPictureView::updateExtent() {
    // The view is its picture's size; with the selection frame it also reaches
    // far enough to show the frame where it lies beyond the picture.
    QSize extent = picture_.size().expandedTo(QSize(0, 0));
    if (frameEnabled_)
        extent = extent.expandedTo(
            QSize(std::max(0, framePos_.x() + frameSide_), std::max(0, framePos_.y() + frameSide_)));
    setFixedSize(extent);
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

QSize TPictureView::sizeHint() const { return picture_.size(); }

bool TPictureView::insideFrame(QPoint p) const {
    return frameEnabled_ && QRect(framePos_, QSize(frameSide_, frameSide_)).contains(p);
}

void TPictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!picture_.isNull()) p.drawImage(0, 0, picture_);
    if (frameEnabled_) {
        // Inverting outline: stays visible on any picture colour.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(framePos_, QSize(frameSide_ - 1, frameSide_ - 1)));
    }
}

void TPictureView::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
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
    const QPoint pos = e->position().toPoint();
    if (frameEnabled_) setCursor(insideFrame(pos) || dragging_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (dragging_) {
        setFramePos(pos.x() - grab_.x(), pos.y() - grab_.y());
        return;
    }
    emit moved(pos.x(), pos.y(), e->buttons(), e->modifiers());
}

void TPictureView::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (dragging_) {
        dragging_ = false;
        updateExtent();
        emit frameDropped(framePos_.x(), framePos_.y());
        return;
    }
    emit released(pos.x(), pos.y(), e->button(), e->modifiers());
}

}  // namespace vornik
