#include "imaging/TransformPoint.h"

#include <algorithm>
#include <cmath>

#include "imaging/TransformDIB.h"

namespace vornik {

namespace {

PixelPoint clamped(long double x, long double y, int w, int h) {
    const auto inside = [](long double v, int side) {
        const long double r = std::nearbyint(v);
        return static_cast<int>(std::clamp<long double>(r, 0, std::max(side - 1, 0)));
    };
    return {inside(x, w), inside(y, h)};
}

// The pixel that the centre of pixel v lands in when a span of `from`
// pixels is drawn into `length` pixels from `start` (a negative length draws
// it the other way round).
long double stretched(int v, int from, int start, int length) {
    if (from <= 0) return start;
    return std::floor(start + (v + 0.5L) * length / from);
}

}  // namespace

PixelPoint MirrorPoint(PixelPoint p, int w, int h) { return clamped(w - 1 - p.x, p.y, w, h); }
PixelPoint FlipPoint(PixelPoint p, int w, int h) { return clamped(p.x, h - 1 - p.y, w, h); }
PixelPoint QuarterRightPoint(PixelPoint p, int w, int h) { return clamped(h - 1 - p.y, p.x, w, h); }
PixelPoint QuarterLeftPoint(PixelPoint p, int w, int h) { return clamped(p.y, w - 1 - p.x, w, h); }

PixelPoint RotatePoint(PixelPoint p, int w, int h, long double angle) {
    // The rotation samples source = centre + R (target - centre); the pixel
    // at p therefore lands at centre + R^T (p - centre).
    const auto [c, s] = RotationCosSin(angle);
    const int cx = w / 2, cy = h / 2;  // whole pixels, as the picture's rotation turns about
    const long double dx = p.x - cx, dy = p.y - cy;
    return clamped(cx + (c * dx + s * dy), cy + (c * dy - s * dx), w, h);
}

PixelPoint SqueezeVerticalPoint(PixelPoint p, int w, int h, long double angle) {
    const int y0 = SqueezeStart(h, angle);
    return clamped(p.x, stretched(p.y, h, y0, h - 2 * y0), w, h);
}

PixelPoint SqueezeHorizontalPoint(PixelPoint p, int w, int h, long double angle) {
    const int x0 = SqueezeStart(w, angle);
    return clamped(stretched(p.x, w, x0, w - 2 * x0), p.y, w, h);
}

PixelPoint ShiftPoint(PixelPoint p, int w, int h, int direction, int distance) {
    switch (direction) {
        case 0:
            return clamped(p.x + static_cast<long double>(distance), p.y, w, h);
        case 1:
            return clamped(p.x - static_cast<long double>(distance), p.y, w, h);
        case 2:
            return clamped(p.x, p.y - static_cast<long double>(distance), w, h);
        case 3:
            return clamped(p.x, p.y + static_cast<long double>(distance), w, h);
        default:
            return clamped(p.x, p.y, w, h);
    }
}

PixelPoint ZoomPoint(PixelPoint p, int w, int h, int size) {
    const int cx = w / 2, cy = h / 2;
    if (size <= 1) return clamped(cx, cy, w, h);
    return clamped(stretched(p.x, w, cx - size / 2, size), stretched(p.y, h, cy - size / 2, size), w, h);
}

}  // namespace vornik
