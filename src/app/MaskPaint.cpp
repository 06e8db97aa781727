#include "app/MaskPaint.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/AlphaMask.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

RasterColor paintColor(bool opaque) { return opaque ? kRasterBlack : kRasterWhite; }

PixelRect clipped(const TQvDIB& picture, int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.Width() - 1);
    bottom = std::min(bottom, picture.Height() - 1);
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

// The image view's 32-bit picture that follows the mask, or null.
TQvDIB* alphaImage(EditState& e) {
    if (!e.imgxor || !e.imgand || !HasAlphaChannel(*e.imgxor)) return nullptr;
    if (e.imgxor->Width() != e.imgand->Width() || e.imgxor->Height() != e.imgand->Height()) return nullptr;
    return &*e.imgxor;
}

std::uint8_t& alphaAt(TQvDIB& image, int x, int y) {
    const int row = image.IsTopDown() ? y : image.Height() - 1 - y;
    return image.MutableScanLine(row)[4 * static_cast<std::size_t>(x) + 3];
}

// A picture shown by its mask alone gets that mask as alpha before the first
// painted pixel, so the rest of it stays as it looked.
void giveAlphaFromMask(TQvDIB& image, TQvDIB& mask) {
    if (AlphaInUse(image)) return;
    const TQvDIBSourceSurface source(mask);
    const RasterSurface& m = source.Surface();
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            alphaAt(image, x, y) = ReadPixelColor(m, x, y) == kRasterWhite ? 0 : 255;
}

}  // namespace

PixelRect PaintMaskPixel(EditState& e, int x, int y, bool opaque) {
    return PaintMaskLine(e, x, y, x, y, opaque);
}

PixelRect PaintMaskLine(EditState& e, int x0, int y0, int x1, int y1, bool opaque) {
    if (!e.imgand) return {};
    TQvDIB* image = alphaImage(e);
    if (image) giveAlphaFromMask(*image, *e.imgand);
    {
        TQvDIBCanvas canvas(*e.imgand);
        canvas.SetPixel(x1, y1, paintColor(opaque));
        canvas.Line(x0, y0, x1, y1, paintColor(opaque));
    }
    const PixelRect r = clipped(*e.imgand, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1));
    if (!image || r.empty()) return r;
    // The same line on a blank picture tells which pixels it covered.
    TQvDIB covered;
    covered.CreateDIB(e.imgand->Width(), e.imgand->Height(), 0, 24);
    {
        TQvDIBCanvas canvas(covered);
        canvas.SetPixel(x1, y1, kRasterWhite);
        canvas.Line(x0, y0, x1, y1, kRasterWhite);
    }
    const TQvDIBSourceSurface source(covered);
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            if (ReadPixelColor(source.Surface(), x, y) == kRasterWhite) alphaAt(*image, x, y) = opaque ? 255 : 0;
    return r;
}

PixelRect FloodMask(EditState& e, int x, int y, bool opaque) {
    if (!e.imgand) return {};
    TQvDIB* image = alphaImage(e);
    if (image) giveAlphaFromMask(*image, *e.imgand);
    const TQvDIB before = *e.imgand;  // shared until the fill writes
    {
        TQvDIBCanvas canvas(*e.imgand);
        const RasterColor surface = canvas.GetPixel(x, y);
        if (surface == TQvDIBCanvas::kInvalidColor) return {};
        canvas.FloodFill(x, y, surface, paintColor(opaque));
    }
    const PixelRect all = clipped(*e.imgand, 0, 0, e.imgand->Width() - 1, e.imgand->Height() - 1);
    if (!image) return all;
    const TQvDIBSourceSurface old(before), now(*e.imgand);
    for (int py = 0; py < all.h; ++py)
        for (int px = 0; px < all.w; ++px)
            if (ReadPixelColor(old.Surface(), px, py) != ReadPixelColor(now.Surface(), px, py))
                alphaAt(*image, px, py) = opaque ? 255 : 0;
    return all;
}

}  // namespace vornik
