#include "imaging/PixelCoverage.h"

#include <algorithm>
#include <cstdlib>

namespace vornik {

PixelCoverage::PixelCoverage(int width, int height)
    : w_(std::max(width, 0)), h_(std::max(height, 0)), on_(static_cast<std::size_t>(w_) * h_, 0) {}

void PixelCoverage::add(int x, int y) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    on_[static_cast<std::size_t>(y) * w_ + x] = 1;
    bounds_ = United(bounds_, PixelRect{x, y, 1, 1});
}

bool PixelCoverage::has(int x, int y) const {
    return x >= 0 && y >= 0 && x < w_ && y < h_ && on_[static_cast<std::size_t>(y) * w_ + x] != 0;
}

void AddDot(PixelCoverage& c, int x, int y, Brush brush) {
    const int n = std::clamp(brush.size, Brush::kMinSize, Brush::kMaxSize);
    const int first = -((n - 1) / 2);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            if (brush.round && n > 2) {
                // Distance of the cell centre from the dot's centre, doubled to stay in integers;
                // n^2 - n cuts the corners so a 3 px dot is a plus, larger ones a disc.
                const int dx = 2 * i - (n - 1), dy = 2 * j - (n - 1);
                if (dx * dx + dy * dy > n * n - n) continue;
            }
            c.add(x + first + i, y + first + j);
        }
}

void AddStroke(PixelCoverage& c, int x0, int y0, int x1, int y1, Brush brush) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        AddDot(c, x0, y0, brush);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void AddRectangle(PixelCoverage& c, int x0, int y0, int x1, int y1, bool filled) {
    const PixelRect r = SpanOf(x0, y0, x1, y1);
    const int right = r.x + r.w - 1, bottom = r.y + r.h - 1;
    // Clip the walk to the picture so a huge rectangle costs no more than the picture.
    const int left = std::max(r.x, -1), top = std::max(r.y, -1);
    const int rightClip = std::min(right, c.width()), bottomClip = std::min(bottom, c.height());
    for (int y = top; y <= bottomClip; ++y)
        for (int x = left; x <= rightClip; ++x)
            if (filled || x == r.x || x == right || y == r.y || y == bottom) c.add(x, y);
}

namespace {

// Whether pixel (x, y) of the w x h box at the origin has its centre inside the
// inscribed ellipse: ((2x+1-w)/w)^2 + ((2y+1-h)/h)^2 <= 1, kept in integers.
bool insideEllipse(long long x, long long y, long long w, long long h) {
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    const long long dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

}  // namespace

void AddEllipse(PixelCoverage& c, int x0, int y0, int x1, int y1, bool filled) {
    const PixelRect r = SpanOf(x0, y0, x1, y1);
    // Larger boxes than the picture allows would overflow the test; they show nothing sensible anyway.
    if (r.w > 65536 || r.h > 65536) return;
    const int top = std::max(0, r.y), bottom = std::min(c.height() - 1, r.y + r.h - 1);
    const int left = std::max(0, r.x), right = std::min(c.width() - 1, r.x + r.w - 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const int lx = x - r.x, ly = y - r.y;
            if (!insideEllipse(lx, ly, r.w, r.h)) continue;
            if (filled || !insideEllipse(lx - 1, ly, r.w, r.h) || !insideEllipse(lx + 1, ly, r.w, r.h) ||
                !insideEllipse(lx, ly - 1, r.w, r.h) || !insideEllipse(lx, ly + 1, r.w, r.h))
                c.add(x, y);
        }
}

namespace {

bool similar(const TQvDIB& picture, PaintValue a, PaintValue b, int tolerance) {
    if (a == b) return true;
    const bool alpha = picture.GetBitCount() == 32;
    if (alpha && (a >> 24) == 0 && (b >> 24) == 0) return true;
    if (tolerance <= 0) return false;
    const Rgba ca = ColourOfValue(picture, a), cb = ColourOfValue(picture, b);
    const int d = std::max({std::abs(ca.r - cb.r), std::abs(ca.g - cb.g), std::abs(ca.b - cb.b),
                            std::abs(ca.a - cb.a)});
    return d <= tolerance;
}

}  // namespace

void AddConnectedArea(PixelCoverage& c, const TQvDIB& picture, int x, int y, int tolerance) {
    const int w = picture.Width(), h = picture.Height();
    if (x < 0 || y < 0 || x >= w || y >= h || w != c.width() || h != c.height()) return;
    const PaintValue start = ReadPaintValue(picture, x, y);
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(w) * h, 0);
    std::vector<std::pair<int, int>> todo{{x, y}};
    seen[static_cast<std::size_t>(y) * w + x] = 1;
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        c.add(px, py);
        const int nx[4] = {px - 1, px + 1, px, px};
        const int ny[4] = {py, py, py - 1, py + 1};
        for (int k = 0; k < 4; ++k) {
            if (nx[k] < 0 || ny[k] < 0 || nx[k] >= w || ny[k] >= h) continue;
            std::uint8_t& s = seen[static_cast<std::size_t>(ny[k]) * w + nx[k]];
            if (s) continue;
            s = 1;
            if (similar(picture, start, ReadPaintValue(picture, nx[k], ny[k]), tolerance))
                todo.emplace_back(nx[k], ny[k]);
        }
    }
}

void AddArea(PixelCoverage& c, const PixelRect& r) {
    if (r.empty()) return;
    AddRectangle(c, r.x, r.y, r.x + r.w - 1, r.y + r.h - 1, true);
}

PixelRect PaintCoverage(TQvDIB& picture, const PixelCoverage& c, PaintValue value) {
    const PixelRect b = c.bounds();
    if (b.empty() || picture.Width() != c.width() || picture.Height() != c.height()) return {};
    for (int y = b.y; y < b.y + b.h; ++y)
        for (int x = b.x; x < b.x + b.w; ++x)
            if (c.has(x, y)) WritePaintValue(picture, x, y, value);
    return b;
}

}  // namespace vornik
