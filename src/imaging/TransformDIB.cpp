#include "imaging/TransformDIB.h"

#include <cmath>
#include <numbers>

#include "imaging/AlphaPlanes.h"
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

// cos and sin of -angle * pi / 180. At whole quarter turns they are exact:
// in extended precision cos(-pi / 2) is -2.5e-20, not 0, and products such as
// 2.9999999999999999998 would then truncate to 2 and scramble the turn.
struct Turn {
    long double c, s;
};
Turn turnOf(long double angle) {
    if (std::isfinite(angle) && std::fmod(angle, 90.0L) == 0.0L) {
        const long double q = std::fmod(angle / 90.0L, 4.0L);
        switch ((static_cast<int>(q) + 4) % 4) {
            case 0: return {1, 0};
            case 1: return {0, -1};
            case 2: return {-1, 0};
            default: return {0, 1};
        }
    }
    const long double theta = -angle * std::numbers::pi_v<long double> / 180.0L;
    return {std::cos(theta), std::sin(theta)};
}

// trunc, except that a value within rounding noise of a whole number is that
// number (cos 60 * 16 must give 8, not 7).
long double truncSnapped(long double v) {
    const long double r = std::nearbyint(v);
    return std::fabs(v - r) < 1e-9L ? r : std::trunc(v);
}

}  // namespace

std::pair<long double, long double> RotationCosSin(long double angle) {
    const Turn t = turnOf(angle);
    return {t.c, t.s};
}

int SqueezeStart(int side, long double angle) {
    const int centre = side / 2;
    return centre + static_cast<int>(truncSnapped(-centre * turnOf(angle).c));
}

namespace {

bool averages(int stretchbltmode) { return StretchModeOfSetting(stretchbltmode) != StretchMode::ColorOnColor; }

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
    const auto [c, s] = turnOf(angle);
    for (int y = 0; y < h; ++y) {
        const long double dy = y - cy;
        for (int x = 0; x < w; ++x) {
            const long double dx = x - cx;
            const long double fx = truncSnapped(c * dx - s * dy);
            const long double fy = truncSnapped(c * dy + s * dx);
            const int sx = cx + static_cast<int>(fx);
            const int sy = cy + static_cast<int>(fy);
            writer.put(x, y, in.contains(sx, sy) ? ReadPixelColor(in, sx, sy) : background);
        }
    }
}

static void RotateDIBOnPlane(TQvDIB& dib, RasterColor background, long double angle) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = source;
    target.UniqueDIB();
    RotatePixels(source, target, background, angle);
    dib.Assign(&target);
}

static void SqueezeDIBVerticalOnPlane(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = blankCopy(dib, background);
    const int w = target.Width(), h = target.Height();
    const int y0 = SqueezeStart(h, angle);
    {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
        canvas.StretchBlt(0, y0, w, h - 2 * y0, source, 0, 0, source.Width(), source.Height());
    }
    dib.Assign(&target);
}

static void SqueezeDIBHorizontalOnPlane(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle) {
    const TQvDIB source = DrawableSource(dib);
    TQvDIB target = blankCopy(dib, background);
    const int w = target.Width(), h = target.Height();
    const int x0 = SqueezeStart(w, angle);
    {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
        canvas.StretchBlt(x0, 0, w - 2 * x0, h, source, 0, 0, source.Width(), source.Height());
    }
    dib.Assign(&target);
}

static void ShiftDIBOnPlane(TQvDIB& dib, RasterColor background, int direction, int distance) {
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

static void ZoomDIBOnPlane(TQvDIB& dib, RasterColor background, int stretchbltmode, int size) {
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

// Each runs on both planes of a 32-bit picture: alpha moves with colour, the
// background is transparent there, and area averaging (HALFTONE) mixes
// premultiplied colour, so the colour under transparent pixels leaves no fringe.
void RotateDIB(TQvDIB& dib, RasterColor background, long double angle) {
    KeepingAlpha(dib, false, [&](TQvDIB& p, bool a) { RotateDIBOnPlane(p, a ? kRasterBlack : background, angle); });
}

void SqueezeDIBVertical(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle) {
    KeepingAlpha(dib, averages(stretchbltmode), [&](TQvDIB& p, bool a) {
        SqueezeDIBVerticalOnPlane(p, a ? kRasterBlack : background, stretchbltmode, angle);
    });
}

void SqueezeDIBHorizontal(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle) {
    KeepingAlpha(dib, averages(stretchbltmode), [&](TQvDIB& p, bool a) {
        SqueezeDIBHorizontalOnPlane(p, a ? kRasterBlack : background, stretchbltmode, angle);
    });
}

void ShiftDIB(TQvDIB& dib, RasterColor background, int direction, int distance) {
    KeepingAlpha(dib, false, [&](TQvDIB& p, bool a) {
        ShiftDIBOnPlane(p, a ? kRasterBlack : background, direction, distance);
    });
}

void ZoomDIB(TQvDIB& dib, RasterColor background, int stretchbltmode, int size) {
    KeepingAlpha(dib, averages(stretchbltmode), [&](TQvDIB& p, bool a) {
        ZoomDIBOnPlane(p, a ? kRasterBlack : background, stretchbltmode, size);
    });
}

int ZoomedLength(int rate, int size) { return static_cast<int>(std::trunc(rate * 0.01 * size)); }

}  // namespace vornik
