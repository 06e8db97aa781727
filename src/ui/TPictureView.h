#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>

namespace vornik {

// A picture shown magnified by a whole factor (1 at start), anchored top left.
// Mouse positions are reported in picture pixels (the screen position divided
// by the factor, rounding down), so handlers never see the zoom. The widget's
// size is the picture's times the factor. Pictures with alpha are shown over
// a checkerboard. Optionally carries the selection frame of the Bitmap page: a
// square outline drawn inverted, which the user can drag (that page stays 1:1).
class TPictureView : public QWidget {
    Q_OBJECT
public:
    explicit TPictureView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);  // resizes the view to the picture
    void clearPicture();
    const QImage& picture() const { return picture_; }
    // Replaces the picture by one of the same size of which only the rectangle
    // `changed` (picture pixels) differs: only that part is repainted.
    void updatePicture(const QImage& picture, const QRect& changed);

    // Magnification, 1 or more; "fit" is chosen by the owner (FitZoom).
    void setZoom(int factor);
    int zoom() const { return zoom_; }
    // Lines between the pixels, drawn at 4x and above when on.
    void setGridEnabled(bool on);
    // A cursor's hot spot, marked on the picture; none: no mark.
    void setHotSpotMark(std::optional<QPoint> hotSpot);

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
    // Ctrl + wheel over the view: steps > 0 zoom in, < 0 zoom out.
    void zoomWheel(int steps);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    QSize sizeHint() const override;

private:
    bool insideFrame(QPoint p) const;
    void updateExtent();
    QPoint toPicture(QPointF screen) const;
    void paintGrid(QPainter& p, const QRect& pixels) const;
    void paintHotSpot(QPainter& p) const;

    QImage picture_;
    int zoom_ = 1;
    bool grid_ = false;
    std::optional<QPoint> hotSpot_;
    bool frameEnabled_ = false;
    QPoint framePos_{0, 0};
    int frameSide_ = 32;
    bool dragging_ = false;
    QPoint grab_;
    int wheelRest_ = 0;  // wheel angle not yet turned into a step
};

}  // namespace vornik
