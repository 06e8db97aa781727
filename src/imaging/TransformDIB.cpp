#include "imaging/TransformDIB.h"

#include <cmath>
#include <numbers>

#include "imaging/ConvertDIBFormat.h"
#include "imaging/PictureView.h"
#include "imaging/RasterStretch.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

// A private copy of dib to draw into, filled with the background.
TQvDIB blankCopy(const TQvDIB& dib, RasterColor background) {
    TQvDIB target = DrawableSource(dib);
    target.UniqueDIB();
    TQvDIBCanvas canvas(target);
    canvas.FillRect(0, 0, target.Width(), target.Height(), background);
    return target;
}

}  // namespace

void RotatePixels(const TQvDIB& source, TQvDIB& target, RasterColor background, long double angle) {
    const TQvDIB from = DrawableSource(source);
    const TQvDIBSourceSurface src(from);
    const RasterSurface& in = src.Surface();
    TQvDIBCanvas canvas(target);
    const RasterSurface out = canvas.Surface();
    RasterWriter writer(out, RasterOp::SrcCopy);
    const int w = out.width, h = out.height;
    const int cx = w / 2, cy = h / 2;
    const long double theta = -angle * std::numbers::pi_v<long double> / 180.0L;
    const long double c = std::cos(theta), s = std::sin(theta);
    for (int y = 0; y < h; ++y) {
        const long double dy = y - cy;
        for (int x = 0; x < w; ++x) {
            const long double dx = x - cx;
            const long double fx = std::trunc(c * dx - s * dy);
            const long double fy = std::trunc(c * dy + s * dx);
            const int sx = cx + static_cast<int>(fx);
            const int sy = cy + static_cast<int>(fy);
            writer.put(x, y, in.contains(sx, sy) ? ReadPixelColor(in, sx, sy) : background);
        }
    }
}

void RotateDIB(TQvDIB& dib, RasterColor background, long double angle) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = source;
    target.UniqueDIB();
    RotatePixels(source, target, background, angle);
    dib.Assign(&target);
}

void SqueezeDIBVertical(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = blankCopy(dib, background);
    const int w = target.Width(), h = target.Height();
    const int cy = h / 2;
    const long double c = std::cos(angle * std::numbers::pi_v<long double> / 180.0L);
    const int y0 = cy + static_cast<int>(std::trunc(-cy * c));
    {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
        canvas.StretchBlt(0, y0, w, h - 2 * y0, source, 0, 0, source.Width(), source.Height());
    }
    dib.Assign(&target);
}

void SqueezeDIBHorizontal(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = blankCopy(dib, background);
    const int w = target.Width(), h = target.Height();
    const int cx = w / 2;
    const long double c = std::cos(angle * std::numbers::pi_v<long double> / 180.0L);
    const int x0 = cx + static_cast<int>(std::trunc(-cx * c));
    {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
        canvas.StretchBlt(x0, 0, w - 2 * x0, h, source, 0, 0, source.Width(), source.Height());
    }
    dib.Assign(&target);
}

void ShiftDIB(TQvDIB& dib, RasterColor background, int direction, int distance) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = blankCopy(dib, background);
    int dx = 0, dy = 0;
    bool draw = true;
    switch (direction) {
        case 0: dx = distance; break;
        case 1: dx = -distance; break;
        case 2: dy = -distance; break;
        case 3: dy = distance; break;
        default: draw = false; break;
    }
    if (draw) {
        TQvDIBCanvas canvas(target);
        canvas.BitBlt(dx, dy, source.Width(), source.Height(), source, 0, 0, RasterOp::SrcCopy);
    }
    dib.Assign(&target);
}

void ZoomDIB(TQvDIB& dib, RasterColor background, int stretchbltmode, int size) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = blankCopy(dib, background);
    const int cx = target.Width() / 2, cy = target.Height() / 2;
    if (size != 0) {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
        if (size == 1)
            canvas.StretchBlt(cx, cy, 1, 1, source, 0, 0, source.Width(), source.Height());
        else
            canvas.StretchBlt(cx - size / 2, cy - size / 2, size, size, source, 0, 0, source.Width(), source.Height());
    }
    dib.Assign(&target);
}

int ZoomedLength(int rate, int size) { return static_cast<int>(std::trunc(rate * 0.01 * size)); }

}  // namespace vornik
