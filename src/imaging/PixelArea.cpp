#include "imaging/PixelArea.h"

#include <algorithm>
#include <cstring>

#include "imaging/PaintColour.h"

namespace vornik {

namespace {

PixelRect clip(const TQvDIB& picture, const PixelRect& r) {
    const int left = std::max(r.x, 0), top = std::max(r.y, 0);
    const int right = std::min(r.x + r.w, picture.Width()), bottom = std::min(r.y + r.h, picture.Height());
    return PixelRect{left, top, right - left, bottom - top};
}

bool sameTable(const TQvDIB& a, const TQvDIB& b) {
    if (a.ColorCount() != b.ColorCount()) return false;
    return std::memcmp(a.ColorTable(), b.ColorTable(), sizeof(RgbQuad) * static_cast<std::size_t>(a.ColorCount())) == 0;
}

}  // namespace

TQvDIB CopyArea(const TQvDIB& picture, const PixelRect& area) {
    PixelRect r = clip(picture, area);
    if (r.empty()) r = PixelRect{0, 0, 1, 1};
    TQvDIB out;
    const int bits = picture.GetBitCount();
    out.CreateDIB(r.w, -r.h, bits <= 8 ? 1 << bits : 0, bits);
    if (bits <= 8) out.SetColorTable(picture.ColorTable(), picture.ColorCount());
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) WritePaintValue(out, x, y, ReadPaintValue(picture, r.x + x, r.y + y));
    return out;
}

PixelRect PasteArea(TQvDIB& target, const TQvDIB& source, int x, int y) {
    const PixelRect r = clip(target, PixelRect{x, y, source.Width(), source.Height()});
    if (r.empty()) return {};
    const bool raw = target.GetBitCount() == source.GetBitCount() && sameTable(target, source);
    for (int ty = r.y; ty < r.y + r.h; ++ty)
        for (int tx = r.x; tx < r.x + r.w; ++tx) {
            const PaintValue v = ReadPaintValue(source, tx - x, ty - y);
            WritePaintValue(target, tx, ty, raw ? v : PaintValueOf(target, ColourOfValue(source, v)));
        }
    return r;
}

}  // namespace vornik
