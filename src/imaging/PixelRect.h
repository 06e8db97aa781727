#pragma once

namespace vornik {

// A rectangle of picture pixels; empty when w or h is 0 or less.
struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The smallest rectangle holding both (an empty one adds nothing).
inline PixelRect United(const PixelRect& a, const PixelRect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    const int left = a.x < b.x ? a.x : b.x, top = a.y < b.y ? a.y : b.y;
    const int right = a.x + a.w > b.x + b.w ? a.x + a.w : b.x + b.w;
    const int bottom = a.y + a.h > b.y + b.h ? a.y + a.h : b.y + b.h;
    return PixelRect{left, top, right - left, bottom - top};
}

// The rectangle spanned by two corner pixels, both included, in any order.
inline PixelRect SpanOf(int x0, int y0, int x1, int y1) {
    const int left = x0 < x1 ? x0 : x1, top = y0 < y1 ? y0 : y1;
    const int right = x0 < x1 ? x1 : x0, bottom = y0 < y1 ? y1 : y0;
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace vornik
