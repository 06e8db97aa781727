#include "app/ViewTransforms.h"

#include "imaging/TransformPoint.h"
#include "imaging/TransformView.h"

namespace vornik {

namespace {

PixelPoint movedHotSpot(PixelPoint p, int w, int h, ViewTransform kind, long double angle) {
    switch (kind) {
        case ViewTransform::Mirror:
            return MirrorPoint(p, w, h);
        case ViewTransform::Flip:
            return FlipPoint(p, w, h);
        case ViewTransform::QuarterRight:
            return QuarterRightPoint(p, w, h);
        case ViewTransform::QuarterLeft:
            return QuarterLeftPoint(p, w, h);
        case ViewTransform::Half:
            return MirrorPoint(FlipPoint(p, w, h), w, h);
        case ViewTransform::Angle:
            return RotatePoint(p, w, h, angle);
    }
    return p;
}

}  // namespace

void TransformViews(EditState& e, ViewTransform kind, int angle, bool left) {
    if (!e.imgxor || !e.imgand) return;
    if (kind == ViewTransform::Angle && angle == 0) return;
    const ViewTarget target = static_cast<ViewTarget>(e.target);
    PictureView& image = *e.imgxor;
    PictureView& mask = *e.imgand;
    switch (kind) {
        case ViewTransform::Mirror:
            MirrorViews(target, image, mask);
            break;
        case ViewTransform::Flip:
            FlipViews(target, image, mask);
            break;
        case ViewTransform::QuarterRight:
            RotateViewsRight(target, image, mask);
            break;
        case ViewTransform::QuarterLeft:
            RotateViewsLeft(target, image, mask);
            break;
        case ViewTransform::Half:
            RotateViews180(target, image, mask);
            break;
        case ViewTransform::Angle:
            RotateViewsBy(target, image, mask, angle, left);
            break;
    }
    if (e.cmbtype != kTypeCursor || target == ViewTarget::Mask) return;
    const int w = image.Width(), h = image.Height();
    const PixelPoint moved = movedHotSpot({e.spex, e.spey}, w, h, kind, left ? -angle : angle);
    e.spex = ClampHotSpot(moved.x, w);
    e.spey = ClampHotSpot(moved.y, h);
}

}  // namespace vornik
