#include "ui/TPictureView.h"

#include <QMouseEvent>
#include <QPainter>

namespace vornik {

TPictureView::TPictureView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    resize(0, 0);
}

void TPictureView::setPicture(const QImage& picture) {
    picture_ = picture;
    setFixedSize(picture_.size().expandedTo(QSize(0, 0)));
    update();
}

void TPictureView::clearPicture() { setPicture(QImage()); }

void TPictureView::setFrameEnabled(bool on) {
    frameEnabled_ = on;
    setCursor(Qt::ArrowCursor);
    update();
}

void TPictureView::setFramePos(int x, int y) {
    if (framePos_ == QPoint(x, y)) return;
    framePos_ = QPoint(x, y);
    update();
}

void TPictureView::setFrameSide(int side) {
    frameSide_ = side;
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
        emit frameDropped(framePos_.x(), framePos_.y());
        return;
    }
    emit released(pos.x(), pos.y(), e->button(), e->modifiers());
}

}  // namespace vornik
