#pragma once

#include <cstdint>

#include "imaging/TQvDIB.h"

namespace vornik {

// A colour with alpha, as the drawing tools choose and write it.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// The value one pixel of a picture stores: the colour index of 1-, 4- and
// 8-bit pictures; blue, green, red (and alpha in 32-bit) packed from the low
// byte up; 5-5-5 with red on top in 16-bit.
using PaintValue = std::uint32_t;

// The value that stores `c` in the picture. Indexed pictures take the nearest
// entry of their own table (by RGB; an exact match wins), so drawing never
// changes their depth. Only 32-bit pictures keep alpha.
PaintValue PaintValueOf(const TQvDIB& picture, Rgba c);
// The colour a stored value shows: alpha 255 except in 32-bit pictures.
Rgba ColourOfValue(const TQvDIB& picture, PaintValue v);
// What `c` becomes when written into the picture.
inline Rgba SnapColour(const TQvDIB& picture, Rgba c) { return ColourOfValue(picture, PaintValueOf(picture, c)); }

// Stored value at (x, y), counting y from the top whatever the row order;
// the caller keeps (x, y) inside. Needs an uncompressed picture.
PaintValue ReadPaintValue(const TQvDIB& picture, int x, int y);
void WritePaintValue(TQvDIB& picture, int x, int y, PaintValue v);
inline Rgba ReadColour(const TQvDIB& picture, int x, int y) {
    return ColourOfValue(picture, ReadPaintValue(picture, x, y));
}

}  // namespace vornik
