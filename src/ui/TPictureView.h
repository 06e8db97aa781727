#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace vornik {

// A picture shown magnified by a whole factor (1 at start), or shrunk by any
// fraction when "fit" needs it, anchored top left. It is painted in device
// pixels: from one device pixel per picture pixel up, every picture pixel is
// the same whole number of them (DevicePixelScale), so pixels stay square and
// sharp at fractional screen scales. Mouse positions are reported in picture
// pixels (rounding down), so handlers never see the zoom. The widget's size
// is the picture's at the scale shown. Pictures with alpha are shown over a
// checkerboard. The middle button, or the left one while Space is held,
// drags the enclosing scroll box instead of reaching the handlers. Optionally carries the selection frame of the Bitmap page: a
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

    // Magnification, 1 or more; "fit" is chosen by the owner (FitScale).
    void setZoom(int factor) { setScale(factor); }
    // Any scale from 1/64 to 64; whole factors keep every pixel the same size.
    void setScale(double scale);
    // The whole factor shown (1 below 1:1) and the exact scale.
    int zoom() const { return scale_ >= 1.0 ? static_cast<int>(scale_) : 1; }
    double scale() const { return scale_; }
    // The scale really shown, in widget (logical) pixels per picture pixel:
    // the chosen one brought to whole device pixels.
    double shownScale() const;
    // A dashed outline around picture pixels (the canvas selection), its
    // dashes marching while it is shown; none: no outline.
    void setSelectionMark(std::optional<QRect> pixels);
    // A picture drawn over this one at the same scale (the mask overlay); null: none.
    void setOverlay(const QImage& overlay);
    // Space held on the canvas: the left button pans.
    void setPanKey(bool held);
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
    // Ctrl + wheel over the view: steps > 0 zoom in, < 0 zoom out; at: the
    // pointer in view coordinates.
    void zoomWheel(int steps);
    void zoomWheelAt(int steps, QPoint at);

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

    double ratio() const;
    double deviceScale() const;
    // Picture pixels to the device pixels they cover, and device pixels to the
    // widget pixels that hold them (and back).
    QRect toDevice(const QRect& pixels) const;
    QRect toLogical(const QRect& device) const;
    QRect fromLogical(const QRect& logical) const;
    void paintPicture(QPainter& p, const QRect& exposed) const;
    void paintSelection(QPainter& p) const;
    void updateSelectionEdge();
    void panTo(QPoint global);

    QImage picture_;
    QImage overlay_;
    double scale_ = 1.0;
    std::optional<QRect> selectionMark_;
    QTimer ants_;        // moves the selection's dashes
    int antPhase_ = 0;   // their offset, in dashes' device pixels
    bool panKey_ = false;
    bool panning_ = false;
    QPoint panStart_, panScroll_;
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
