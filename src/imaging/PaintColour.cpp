#include "imaging/PaintColour.h"

#include "imaging/RasterSurface.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

RasterSurface surfaceOf(const TQvDIB& picture) {
    RasterSurface s;
    s.bits = const_cast<std::uint8_t*>(picture.Pixels());
    s.width = picture.Width();
    s.height = picture.Height();
    s.stride = static_cast<std::size_t>(picture.Stride());
    s.bitCount = picture.GetBitCount() == 15 ? 16 : picture.GetBitCount();
    s.topDown = picture.IsTopDown();
    s.colorTable = reinterpret_cast<const std::uint8_t*>(picture.ColorTable());
    s.colorCount = picture.ColorCount();
    return s;
}

}  // namespace

PaintValue PaintValueOf(const TQvDIB& picture, Rgba c) {
    switch (picture.GetBitCount()) {
        case 32:
            return PaintValue(c.b) | (PaintValue(c.g) << 8) | (PaintValue(c.r) << 16) | (PaintValue(c.a) << 24);
        case 24:
            return PaintValue(c.b) | (PaintValue(c.g) << 8) | (PaintValue(c.r) << 16);
        case 15:
        case 16:
            return (PaintValue(c.r >> 3) << 10) | (PaintValue(c.g >> 3) << 5) | PaintValue(c.b >> 3);
        default: {
            const RgbQuad* table = picture.ColorTable();
            return NearestTableIndex(reinterpret_cast<const std::uint8_t*>(table), picture.ColorCount(),
                                     RgbColor(c.r, c.g, c.b));
        }
    }
}

Rgba ColourOfValue(const TQvDIB& picture, PaintValue v) {
    if (picture.GetBitCount() == 32)
        return Rgba{std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v), std::uint8_t(v >> 24)};
    const RasterSurface s = surfaceOf(picture);
    const RasterColor c = RawToColor(s, v);
    return Rgba{RedOf(c), GreenOf(c), BlueOf(c), 255};
}

PaintValue ReadPaintValue(const TQvDIB& picture, int x, int y) {
    const int row = picture.IsTopDown() ? y : picture.Height() - 1 - y;
    if (picture.GetBitCount() == 32) {
        const std::uint8_t* p = picture.ScanLine(row) + 4 * static_cast<std::size_t>(x);
        return PaintValue(p[0]) | (PaintValue(p[1]) << 8) | (PaintValue(p[2]) << 16) | (PaintValue(p[3]) << 24);
    }
    return ReadRawPixel(surfaceOf(picture), x, y);
}

void WritePaintValue(TQvDIB& picture, int x, int y, PaintValue v) {
    const int row = picture.IsTopDown() ? y : picture.Height() - 1 - y;
    if (picture.GetBitCount() == 32) {
        std::uint8_t* p = picture.MutableScanLine(row) + 4 * static_cast<std::size_t>(x);
        p[0] = std::uint8_t(v);
        p[1] = std::uint8_t(v >> 8);
        p[2] = std::uint8_t(v >> 16);
        p[3] = std::uint8_t(v >> 24);
        return;
    }
    picture.UniqueDIB();
    RasterSurface s = surfaceOf(picture);
    s.bits = picture.MutablePixels();
    WriteRawPixel(s, x, y, v);
}

}  // namespace vornik
