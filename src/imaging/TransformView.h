#pragma once

#include "imaging/PictureView.h"
#include "imaging/RasterColor.h"

namespace vornik {

// Transforms of a view's picture: each works on a DIB copy of the view
// (ViewToDIB) and puts it back (DIBToView). Width and height stay.

void MirrorView(PictureView& view);  // left and right exchanged
void FlipView(PictureView& view);    // top and bottom exchanged
// 90 degrees clockwise: source (x, y) goes to (H - 1 - y, x). On a picture
// that is not square, positions outside the frame are dropped and pixels
// that receive nothing keep their former colour.
void RotateViewRight(PictureView& view);
// 90 degrees counter-clockwise: source (x, y) goes to (y, W - 1 - x).
void RotateViewLeft(PictureView& view);
// Free rotation about (W div 2, H div 2) as RotateDIB.
void RotateView(PictureView& view, long double angle, RasterColor background);

// Which views the editing commands act on: both, the image view only, or the
// mask view only (the select buttons "view", "image", "mask").
enum class ViewTarget { Both = 0, Image = 1, Mask = 2 };

// Runs op on the selected views, the image view first.
template <typename Op>
void ForSelectedViews(ViewTarget target, PictureView& imageView, PictureView& maskView, Op op) {
    if (target == ViewTarget::Both || target == ViewTarget::Image) op(imageView, false);
    if (target == ViewTarget::Both || target == ViewTarget::Mask) op(maskView, true);
}

// The menu commands over the selected views.
void MirrorViews(ViewTarget target, PictureView& imageView, PictureView& maskView);
void FlipViews(ViewTarget target, PictureView& imageView, PictureView& maskView);
void RotateViewsRight(ViewTarget target, PictureView& imageView, PictureView& maskView);
void RotateViewsLeft(ViewTarget target, PictureView& imageView, PictureView& maskView);
// Flip, then mirror.
void RotateViews180(ViewTarget target, PictureView& imageView, PictureView& maskView);
// The rotation dialog's result: angle 0 to 180, counter-clockwise when
// `left`; nothing at 0. Background black for the image, white for the mask.
void RotateViewsBy(ViewTarget target, PictureView& imageView, PictureView& maskView, int angle, bool left);

}  // namespace vornik
