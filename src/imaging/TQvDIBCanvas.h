#pragma once

#include <optional>

#include "imaging/RasterColor.h"
#include "imaging/RasterSurface.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// A drawing surface that paints straight into a TQvDIB's pixels with the
// raster engine (RasterStretch.h, RasterDraw.h), in place of a memory device
// context with a DIB section on the DIB's memory.
//
// Coordinates are as displayed: (0, 0) is the top-left pixel whatever the
// row order of the DIB. Everything is clipped at the edges. Colours are
// RasterColor (0x00BBGGRR); on palette images a written colour becomes the
// nearest colour-table entry, an exact match keeping its own index and the
// lowest index winning ties.
//
// Creating the canvas makes the DIB's storage private, so DIBs that shared it
// keep their pixels; every drawing call makes it private again should the DIB
// have been shared meanwhile. Destroying the canvas moves the DIB's
// palette-changed flag and signals its change notification. The DIB may not
// be reshaped (size, bit count, conversions) while a canvas draws on it.
//
// Bit counts 1, 4, 8, 16 (5-5-5), 24 and 32 (blue, green, red, unused) can be
// drawn on; an RLE image or a 15-bit one raises EOutOfResources
// "TQvDIBCanvas.Create: Cannot Create Memory DC", like a failed context.
class TQvDIBCanvas {
public:
    explicit TQvDIBCanvas(TQvDIB& dib);
    ~TQvDIBCanvas();
    TQvDIBCanvas(const TQvDIBCanvas&) = delete;
    TQvDIBCanvas& operator=(const TQvDIBCanvas&) = delete;

    TQvDIB& DIB() const { return dib_; }
    int Width() const { return dib_.Width(); }
    int Height() const { return dib_.Height(); }

    // The mode of later stretches; a new canvas uses ColorOnColor.
    void SetStretchBltMode(StretchMode mode) { mode_ = mode; }
    StretchMode GetStretchBltMode() const { return mode_; }

    // Stretch copy of the source rectangle (sx, sy, sw, sh) of `source` onto
    // (dx, dy, dw, dh) of this canvas with the current stretch mode; negative
    // extents mirror. The sampling rule is described at StretchCopy.
    // `source` may be this canvas's own DIB.
    void StretchBlt(int dx, int dy, int dw, int dh, const TQvDIB& source, int sx, int sy, int sw, int sh,
                    RasterOp op = RasterOp::SrcCopy);
    // The whole source onto the rectangle (dx, dy, dw, dh).
    void StretchDraw(int dx, int dy, int dw, int dh, const TQvDIB& source) {
        StretchBlt(dx, dy, dw, dh, source, 0, 0, source.Width(), source.Height());
    }
    // Unscaled copy of the w x h block at (sx, sy) of `source` to (dx, dy).
    // SrcAnd and SrcInvert combine RGB values (palette sources through their
    // colour table; palette destinations store the nearest entry).
    void BitBlt(int dx, int dy, int w, int h, const TQvDIB& source, int sx, int sy, RasterOp op);

    // Solid fill of columns left..right-1, rows top..bottom-1.
    void FillRect(int left, int top, int right, int bottom, RasterColor color);
    // The colour at (x, y) (through the colour table for palette images), or
    // kInvalidColor outside the image.
    static constexpr RasterColor kInvalidColor = 0xFFFFFFFFu;
    RasterColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, RasterColor color);
    // One-pixel line including both end points.
    void Line(int x0, int y0, int x1, int y1, RasterColor color);
    // Surface flood fill (ExtFloodFill with FLOODFILLSURFACE): repaints with
    // `fill` the 4-connected area of colour `surface` around (x, y). Returns
    // false when (x, y) is outside or does not have that colour.
    bool FloodFill(int x, int y, RasterColor surface, RasterColor fill);

    // The DIB's pixels as a raster surface (made private first).
    RasterSurface Surface() const;

private:
    TQvDIB& dib_;
    StretchMode mode_ = StretchMode::ColorOnColor;
};

// A read-only surface over a DIB's pixels, for use as a drawing source. An
// RLE image is decoded into a private 8-bit copy first (same colour table).
class TQvDIBSourceSurface {
public:
    explicit TQvDIBSourceSurface(const TQvDIB& dib);
    const RasterSurface& Surface() const { return surface_; }

private:
    std::optional<TQvDIB> decoded_;
    RasterSurface surface_;
};

}  // namespace vornik
