#include "imaging/TQvDIBCanvas.h"

#include <algorithm>

#include "imaging/QvDIBErrors.h"
#include "imaging/RasterDraw.h"
#include "imaging/RasterStretch.h"

namespace vornik {

namespace {

const char* const kCannotCreate = "TQvDIBCanvas.Create: Cannot Create Memory DC";

bool drawableBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Fills in a surface over pixels laid out as the DIB says; refuses pixel
// blocks shorter than the rows need.
RasterSurface describe(const TQvDIB& dib, std::uint8_t* bits) {
    RasterSurface s;
    s.bits = bits;
    s.width = dib.Width();
    s.height = dib.Height();
    s.stride = static_cast<std::size_t>(dib.Stride());
    s.bitCount = dib.GetBitCount();
    s.topDown = dib.IsTopDown();
    s.colorTable = reinterpret_cast<const std::uint8_t*>(dib.ColorTable());
    s.colorCount = std::clamp(dib.ColorCount(), 0, 256);
    if (s.width <= 0 || s.height <= 0 || dib.DataSize() < 0 ||
        static_cast<std::uint64_t>(dib.DataSize()) < std::uint64_t(s.stride) * std::uint64_t(s.height))
        throw EOutOfResources(kCannotCreate);
    return s;
}

}  // namespace

TQvDIBCanvas::TQvDIBCanvas(TQvDIB& dib) : dib_(dib) {
    if (dib.IsCompressed() || !drawableBitCount(dib.GetBitCount())) throw EOutOfResources(kCannotCreate);
    dib.UniqueDIB();
    (void)Surface();  // checks the pixel block
}

TQvDIBCanvas::~TQvDIBCanvas() {
    dib_.TakePaletteChangedFlag();
    dib_.Changed();
}

RasterSurface TQvDIBCanvas::Surface() const {
    if (dib_.IsCompressed() || !drawableBitCount(dib_.GetBitCount())) throw EOutOfResources(kCannotCreate);
    return describe(dib_, dib_.MutablePixels());
}

TQvDIBSourceSurface::TQvDIBSourceSurface(const TQvDIB& dib) {
    const TQvDIB* from = &dib;
    if (dib.IsCompressed()) {
        decoded_.emplace(dib);
        decoded_->ConvertTo256Colors();
        from = &*decoded_;
    }
    if (!drawableBitCount(from->GetBitCount()))
        throw EQvDIBInvalidDIB("TQvDIBCanvas: cannot draw from a " + std::to_string(from->GetBitCount()) +
                               "-bit image");
    surface_ = describe(*from, const_cast<std::uint8_t*>(from->Pixels()));
}

void TQvDIBCanvas::StretchBlt(int dx, int dy, int dw, int dh, const TQvDIB& source, int sx, int sy, int sw,
                              int sh, RasterOp op) {
    const RasterSurface dst = Surface();  // first: may make our storage private
    const TQvDIBSourceSurface src(source);
    StretchCopy(dst, dx, dy, dw, dh, src.Surface(), sx, sy, sw, sh, mode_, op);
}

void TQvDIBCanvas::BitBlt(int dx, int dy, int w, int h, const TQvDIB& source, int sx, int sy, RasterOp op) {
    const RasterSurface dst = Surface();
    const TQvDIBSourceSurface src(source);
    Blit(dst, dx, dy, w, h, src.Surface(), sx, sy, op);
}

void TQvDIBCanvas::FillRect(int left, int top, int right, int bottom, RasterColor color) {
    FillRectangle(Surface(), left, top, right, bottom, color);
}

RasterColor TQvDIBCanvas::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= dib_.Width() || y >= dib_.Height()) return kInvalidColor;
    if (dib_.IsCompressed() || !drawableBitCount(dib_.GetBitCount())) throw EOutOfResources(kCannotCreate);
    return ReadPixelColor(describe(dib_, const_cast<std::uint8_t*>(dib_.Pixels())), x, y);
}

void TQvDIBCanvas::SetPixel(int x, int y, RasterColor color) { SetSurfacePixel(Surface(), x, y, color); }

void TQvDIBCanvas::Line(int x0, int y0, int x1, int y1, RasterColor color) {
    DrawLine(Surface(), x0, y0, x1, y1, color);
}

bool TQvDIBCanvas::FloodFill(int x, int y, RasterColor surface, RasterColor fill) {
    const RasterSurface s = Surface();
    if (!s.contains(x, y) || ReadPixelColor(s, x, y) != (surface & 0xFFFFFF)) return false;
    FloodFillSurface(s, x, y, surface, fill);
    return true;
}

}  // namespace vornik
