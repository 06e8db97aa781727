#include "imaging/RasterStretch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vornik {

namespace {

// One axis of a stretch: where walk step i of the destination and walk step k
// of the source lie. 64-bit throughout, so extreme rectangles cannot overflow.
struct Axis {
    std::int64_t dStart, dStep, dLen;
    std::int64_t sStart, sStep, sLen;
    std::int64_t dCoord(std::int64_t i) const { return dStart + dStep * i; }
    std::int64_t sCoord(std::int64_t k) const { return sStart + sStep * k; }
};

Axis makeAxis(int d, int dw, int s, int sw) {
    Axis a;
    a.dStart = d;
    a.dStep = dw < 0 ? -1 : 1;
    a.dLen = dw < 0 ? -std::int64_t(dw) : dw;
    a.sStart = s;
    a.sStep = sw < 0 ? -1 : 1;
    a.sLen = sw < 0 ? -std::int64_t(sw) : sw;
    return a;
}

// Of a walk of len steps from start by step (+1 or -1), the steps [lo, hi)
// whose coordinate lies in [0, extent).
void stepsInside(std::int64_t start, std::int64_t step, std::int64_t len, std::int64_t extent, std::int64_t& lo,
                 std::int64_t& hi) {
    if (step > 0) {
        lo = std::max<std::int64_t>(0, -start);
        hi = std::min<std::int64_t>(len, extent - start);
    } else {
        lo = std::max<std::int64_t>(0, start - extent + 1);
        hi = std::min<std::int64_t>(len, start + 1);
    }
    if (hi < lo) hi = lo;
}

// The walk steps [lo, hi) whose destination coordinate lies in [0, extent).
void clipWalk(const Axis& a, std::int64_t extent, std::int64_t& lo, std::int64_t& hi) {
    stepsInside(a.dStart, a.dStep, a.dLen, extent, lo, hi);
}

struct Tap {
    int coord;             // source coordinate
    std::uint32_t weight;  // share of the destination pixel, in 1/65536
};

// The source walk steps [lo, hi) whose coordinate lies in [0, extent).
void sourceSteps(const Axis& a, std::int64_t extent, std::int64_t& lo, std::int64_t& hi) {
    stepsInside(a.sStart, a.sStep, a.sLen, extent, lo, hi);
}

// For every clipped destination step, the source pixels inside the source
// that its interval overlaps, with the overlap as a fraction of the whole
// interval (fixed point, so the products of the two axes stay in 32 bits).
// taps[first[n] .. first[n + 1]) belong to step lo + n.
void buildTaps(const Axis& a, std::int64_t lo, std::int64_t hi, std::int64_t srcExtent,
               std::vector<Tap>& taps, std::vector<std::size_t>& first) {
    std::int64_t kLo, kHi;
    sourceSteps(a, srcExtent, kLo, kHi);
    taps.clear();
    first.assign(1, 0);
    for (std::int64_t i = lo; i < hi; ++i) {
        // In units of 1/dLen source pixel: the interval is [from, to) and
        // source step k spans [k * dLen, (k + 1) * dLen).
        const std::int64_t from = i * a.sLen, to = (i + 1) * a.sLen;
        const std::int64_t kEnd = std::min(kHi, (to + a.dLen - 1) / a.dLen);
        for (std::int64_t k = std::max(kLo, from / a.dLen); k < kEnd; ++k) {
            const std::int64_t overlap = std::min(to, (k + 1) * a.dLen) - std::max(from, k * a.dLen);
            if (overlap <= 0) continue;
            const std::int64_t w = (overlap * 65536 + a.sLen / 2) / a.sLen;
            if (w > 0) taps.push_back({int(a.sCoord(k)), std::uint32_t(w)});
        }
        first.push_back(taps.size());
    }
}

// Source coordinate under the centre of each clipped destination step, or -1.
std::vector<int> buildNearest(const Axis& a, std::int64_t lo, std::int64_t hi, std::int64_t srcExtent) {
    std::vector<int> map;
    map.reserve(std::size_t(hi - lo));
    for (std::int64_t i = lo; i < hi; ++i) {
        const std::int64_t k = ((2 * i + 1) * a.sLen) / (2 * a.dLen);
        const std::int64_t c = a.sCoord(k);
        map.push_back(c >= 0 && c < srcExtent ? int(c) : -1);
    }
    return map;
}

void stretchNearest(const RasterSurface& dst, const RasterSurface& src, const Axis& ax, const Axis& ay,
                    std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1, RasterOp op) {
    const std::vector<int> xs = buildNearest(ax, x0, x1, src.width);
    const std::vector<int> ys = buildNearest(ay, y0, y1, src.height);
    if (op == RasterOp::SrcCopy && src.isPalette() && dst.isPalette()) {
        const auto map = BuildIndexMap(src, dst);
        for (std::int64_t j = y0; j < y1; ++j) {
            const int sy = ys[std::size_t(j - y0)];
            if (sy < 0) continue;
            const int y = int(ay.dCoord(j));
            for (std::int64_t i = x0; i < x1; ++i) {
                const int sx = xs[std::size_t(i - x0)];
                if (sx >= 0) WriteRawPixel(dst, int(ax.dCoord(i)), y, map[ReadRawPixel(src, sx, sy) & 0xFF]);
            }
        }
        return;
    }
    RasterWriter writer(dst, op);
    for (std::int64_t j = y0; j < y1; ++j) {
        const int sy = ys[std::size_t(j - y0)];
        if (sy < 0) continue;
        const int y = int(ay.dCoord(j));
        for (std::int64_t i = x0; i < x1; ++i) {
            const int sx = xs[std::size_t(i - x0)];
            if (sx >= 0) writer.put(int(ax.dCoord(i)), y, ReadPixelColor(src, sx, sy));
        }
    }
}

void stretchAverage(const RasterSurface& dst, const RasterSurface& src, const Axis& ax, const Axis& ay,
                    std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1, RasterOp op) {
    std::vector<Tap> xTaps, yTaps;
    std::vector<std::size_t> xFirst, yFirst;
    buildTaps(ax, x0, x1, src.width, xTaps, xFirst);
    buildTaps(ay, y0, y1, src.height, yTaps, yFirst);
    const std::size_t columns = std::size_t(x1 - x0);
    struct Sum {
        std::uint64_t r, g, b, w;
    };
    std::vector<Sum> sums(columns);
    RasterWriter writer(dst, op);
    for (std::int64_t j = y0; j < y1; ++j) {
        const std::size_t n = std::size_t(j - y0);
        if (yFirst[n] == yFirst[n + 1]) continue;
        std::fill(sums.begin(), sums.end(), Sum{0, 0, 0, 0});
        for (std::size_t t = yFirst[n]; t < yFirst[n + 1]; ++t) {
            const int sy = yTaps[t].coord;
            const std::uint64_t wy = yTaps[t].weight;  // wy * wx <= 2^32
            for (std::size_t c = 0; c < columns; ++c) {
                Sum& s = sums[c];
                for (std::size_t u = xFirst[c]; u < xFirst[c + 1]; ++u) {
                    const RasterColor color = ReadPixelColor(src, xTaps[u].coord, sy);
                    const std::uint64_t w = wy * xTaps[u].weight;
                    s.r += w * RedOf(color);
                    s.g += w * GreenOf(color);
                    s.b += w * BlueOf(color);
                    s.w += w;
                }
            }
        }
        const int y = int(ay.dCoord(j));
        for (std::size_t c = 0; c < columns; ++c) {
            const Sum& s = sums[c];
            if (s.w == 0) continue;
            const RasterColor avg =
                RgbColor(std::uint8_t((s.r + s.w / 2) / s.w), std::uint8_t((s.g + s.w / 2) / s.w),
                         std::uint8_t((s.b + s.w / 2) / s.w));
            writer.put(int(ax.dCoord(x0 + std::int64_t(c))), y, avg);
        }
    }
}

}  // namespace

void StretchCopy(const RasterSurface& dst, int dx, int dy, int dw, int dh, const RasterSurface& src, int sx,
                 int sy, int sw, int sh, StretchMode mode, RasterOp op) {
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
    if (dst.bits == nullptr || src.bits == nullptr || dst.width <= 0 || dst.height <= 0) return;
    const Axis ax = makeAxis(dx, dw, sx, sw), ay = makeAxis(dy, dh, sy, sh);
    std::int64_t x0, x1, y0, y1;
    clipWalk(ax, dst.width, x0, x1);
    clipWalk(ay, dst.height, y0, y1);
    if (x0 >= x1 || y0 >= y1) return;
    // Drawing a surface onto itself reads from a snapshot.
    RasterSurface source = src;
    std::vector<std::uint8_t> snapshot;
    if (src.bits == dst.bits) {
        snapshot.assign(src.bits, src.bits + src.stride * std::size_t(src.height));
        source.bits = snapshot.data();
    }
    if (mode == StretchMode::Halftone)
        stretchAverage(dst, source, ax, ay, x0, x1, y0, y1, op);
    else
        stretchNearest(dst, source, ax, ay, x0, x1, y0, y1, op);
}

void Blit(const RasterSurface& dst, int dx, int dy, int w, int h, const RasterSurface& src, int sx, int sy,
          RasterOp op) {
    if (w <= 0 || h <= 0) return;
    // Equal extents map step i to step i exactly.
    StretchCopy(dst, dx, dy, w, h, src, sx, sy, w, h, StretchMode::ColorOnColor, op);
}

}  // namespace vornik
