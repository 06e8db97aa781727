#include "imaging/RasterDraw.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vornik {

void FillRectangle(const RasterSurface& s, int left, int top, int right, int bottom, RasterColor color) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, s.width);
    bottom = std::min(bottom, s.height);
    if (left >= right || top >= bottom) return;
    RasterColorEncoder encoder(s);
    const std::uint32_t raw = encoder.encode(color);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) WriteRawPixel(s, x, y, raw);
}

void SetSurfacePixel(const RasterSurface& s, int x, int y, RasterColor color) {
    if (!s.contains(x, y)) return;
    // One colour: a direct search, not worth the encoder's cache.
    if (s.isPalette())
        WriteRawPixel(s, x, y, NearestTableIndex(s.colorTable, s.colorCount, color & 0xFFFFFF));
    else
        WriteRawPixel(s, x, y, RasterColorEncoder(s).encode(color));
}

void DrawLine(const RasterSurface& s, int x0, int y0, int x1, int y1, RasterColor color) {
    const std::int64_t dx = std::int64_t(x1) - x0, dy = std::int64_t(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
    const std::int64_t da = xMajor ? dx : dy, db = xMajor ? dy : dx;
    const std::int64_t n = std::llabs(da), m = std::llabs(db);
    const std::int64_t aStep = da < 0 ? -1 : 1, bStep = db < 0 ? -1 : 1;
    const std::int64_t aExtent = xMajor ? s.width : s.height, bExtent = xMajor ? s.height : s.width;
    // Only the steps whose major coordinate lies on the surface.
    std::int64_t lo, hi;
    if (aStep > 0) {
        lo = std::max<std::int64_t>(0, -a0);
        hi = std::min<std::int64_t>(n, aExtent - 1 - a0);
    } else {
        lo = std::max<std::int64_t>(0, a0 - (aExtent - 1));
        hi = std::min<std::int64_t>(n, a0);
    }
    RasterColorEncoder encoder(s);
    const std::uint32_t raw = encoder.encode(color);
    for (std::int64_t i = lo; i <= hi; ++i) {
        const std::int64_t a = a0 + aStep * i;
        const std::int64_t b =
            b0 + bStep * (n == 0 ? 0 : std::int64_t((__int128(2) * i * m + n) / (__int128(2) * n)));
        if (b < 0 || b >= bExtent) continue;
        if (xMajor)
            WriteRawPixel(s, int(a), int(b), raw);
        else
            WriteRawPixel(s, int(b), int(a), raw);
    }
}

void FloodFillSurface(const RasterSurface& s, int x, int y, RasterColor surface, RasterColor fill) {
    surface &= 0xFFFFFF;
    if (!s.contains(x, y) || ReadPixelColor(s, x, y) != surface) return;
    RasterColorEncoder encoder(s);
    const std::uint32_t raw = encoder.encode(fill);
    if (RawToColor(s, raw) == surface) return;  // would never finish
    auto matches = [&](int px, int py) { return ReadPixelColor(s, px, py) == surface; };
    // Each entry is a seed: fill its whole run, then look at the rows above
    // and below for runs that still need filling.
    struct Seed {
        int x, y;
    };
    std::vector<Seed> stack{{x, y}};
    while (!stack.empty()) {
        const Seed seed = stack.back();
        stack.pop_back();
        if (!matches(seed.x, seed.y)) continue;
        int left = seed.x, right = seed.x;
        while (left > 0 && matches(left - 1, seed.y)) --left;
        while (right + 1 < s.width && matches(right + 1, seed.y)) ++right;
        for (int px = left; px <= right; ++px) WriteRawPixel(s, px, seed.y, raw);
        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= s.height) continue;
            bool inRun = false;
            for (int px = left; px <= right; ++px) {
                const bool m = matches(px, ny);
                if (m && !inRun) stack.push_back({px, ny});
                inRun = m;
            }
        }
    }
}

}  // namespace vornik
