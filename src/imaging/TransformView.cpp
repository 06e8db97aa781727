#include "imaging/TransformView.h"

#include "imaging/AlphaPlanes.h"
#include "imaging/RasterStretch.h"
#include "imaging/TQvDIBCanvas.h"
#include "imaging/TransformDIB.h"

namespace vornik {

namespace {

void stretchReversed(PictureView& view, bool columns) {
    const TQvDIB source = DrawableSource(view);
    TQvDIB target = ViewToDIB(view);
    const int w = source.Width(), h = source.Height();
    {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(StretchMode::ColorOnColor);
        if (columns)
            canvas.StretchBlt(0, 0, w, h, source, w - 1, 0, -w, h);
        else
            canvas.StretchBlt(0, 0, w, h, source, 0, h - 1, w, -h);
    }
    DIBToView(target, view);
}

// Writes every source pixel (x, y) to place(x, y), dropping places outside.
template <typename Place>
void movePixels(PictureView& view, Place place) {
    const TQvDIB source = DrawableSource(view);
    const TQvDIBSourceSurface src(source);
    const RasterSurface& in = src.Surface();
    TQvDIB target = ViewToDIB(view);
    {
        TQvDIBCanvas canvas(target);
        const RasterSurface out = canvas.Surface();
        RasterWriter writer(out, RasterOp::SrcCopy);
        for (int y = 0; y < in.height; ++y)
            for (int x = 0; x < in.width; ++x) {
                const auto [tx, ty] = place(x, y, in.width, in.height);
                if (out.contains(tx, ty)) writer.put(tx, ty, ReadPixelColor(in, x, y));
            }
    }
    DIBToView(target, view);
}

struct Point {
    int x, y;
};

}  // namespace

// A 32-bit picture moves its alpha with its colour and stays 32-bit.
void MirrorView(PictureView& view) {
    KeepingAlpha(view, false, [](TQvDIB& p, bool) { stretchReversed(p, true); });
}
void FlipView(PictureView& view) {
    KeepingAlpha(view, false, [](TQvDIB& p, bool) { stretchReversed(p, false); });
}

void RotateViewRight(PictureView& view) {
    KeepingAlpha(view, false, [](TQvDIB& p, bool) {
        movePixels(p, [](int x, int y, int, int h) { return Point{h - 1 - y, x}; });
    });
}

void RotateViewLeft(PictureView& view) {
    KeepingAlpha(view, false, [](TQvDIB& p, bool) {
        movePixels(p, [](int x, int y, int w, int) { return Point{y, w - 1 - x}; });
    });
}

void RotateView(PictureView& view, long double angle, RasterColor background) {
    // Corners a rotation uncovers become transparent in a 32-bit picture.
    KeepingAlpha(view, false, [&](TQvDIB& p, bool alphaPlane) {
        TQvDIB target = ViewToDIB(p);
        target.UniqueDIB();
        RotatePixels(p, target, alphaPlane ? kRasterBlack : background, angle);
        DIBToView(target, p);
    });
}

void MirrorViews(ViewTarget target, PictureView& imageView, PictureView& maskView) {
    ForSelectedViews(target, imageView, maskView, [](PictureView& v, bool) { MirrorView(v); });
}

void FlipViews(ViewTarget target, PictureView& imageView, PictureView& maskView) {
    ForSelectedViews(target, imageView, maskView, [](PictureView& v, bool) { FlipView(v); });
}

void RotateViewsRight(ViewTarget target, PictureView& imageView, PictureView& maskView) {
    ForSelectedViews(target, imageView, maskView, [](PictureView& v, bool) { RotateViewRight(v); });
}

void RotateViewsLeft(ViewTarget target, PictureView& imageView, PictureView& maskView) {
    ForSelectedViews(target, imageView, maskView, [](PictureView& v, bool) { RotateViewLeft(v); });
}

void RotateViews180(ViewTarget target, PictureView& imageView, PictureView& maskView) {
    FlipViews(target, imageView, maskView);
    MirrorViews(target, imageView, maskView);
}

void RotateViewsBy(ViewTarget target, PictureView& imageView, PictureView& maskView, int angle, bool left) {
    if (angle == 0) return;
    const long double a = left ? -angle : angle;
    ForSelectedViews(target, imageView, maskView, [a](PictureView& v, bool isMask) {
        RotateView(v, a, isMask ? kRasterWhite : kRasterBlack);
    });
}

}  // namespace vornik
