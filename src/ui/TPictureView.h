#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace vornik {

// A picture shown at one screen pixel per picture pixel, anchored top left, so
// mouse coordinates are picture coordinates. The widget's size is the
// picture's. Optionally carries the selection frame of the Bitmap page: a
// square outline drawn inverted, which the user can drag.
class TPictureView : public QWidget {
    Q_OBJECT
public:
    explicit TPictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);  // resizes the view to the picture
    void clearPicture();
    const QImage& picture() const { return picture_; }

    // Selection frame (Shape1): position in picture coordinates, side in pixels.
    void setFrameEnabled(bool on);
    void setFramePos(int x, int y);
    void setFrameSide(int side);
    QPoint framePos() const { return framePos_; }
    int frameSide() const { return frameSide_; }
    bool frameDragging() const { return dragging_; }

signals:
    void pressed(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void moved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void released(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // The frame was dropped at a new position (picture coordinates).
    void frameDropped(int x, int y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    QSize sizeHint() const override;

private:
    bool insideFrame(QPoint p) const;
    void updateExtent();

    QImage picture_;
    bool frameEnabled_ = false;
    QPoint framePos_{0, 0};
    int frameSide_ = 32;
    bool dragging_ = false;
    QPoint grab_;
};

}  // namespace vornik
