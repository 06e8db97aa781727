#pragma once

#include <utility>

#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// Transforms of a DIB in place, keeping its width, height, bit count and
// colour table. Pixels left without a source get the background colour.
// Centre: cx = W div 2, cy = H div 2. stretchbltmode is the setting's value
// (0 COLORONCOLOR, 1 and 2 HALFTONE).

// Rotation about the centre by angle degrees (positive turns clockwise on
// screen): target (x, y) takes source (cx + trunc(cos t * dx - sin t * dy),
// cy + trunc(cos t * dy + sin t * dx)), t = -angle * pi / 180, dx = x - cx,
// dy = y - cy, in extended precision. Whole quarter turns use exact cos and
// sin, and a product within rounding noise of a whole number counts as it.
void RotateDIB(TQvDIB& dib, RasterColor background, long double angle);
// The same computation reading source and writing every pixel of target (a
// picture of the same size).
void RotatePixels(const TQvDIB& source, TQvDIB& target, RasterColor background, long double angle);

// Squeezes about the horizontal centre line: the picture is stretched into
// rows y0 .. H - y0 with y0 = cy + trunc(-cy * cos(angle)); past 90 degrees it
// turns upside down.
void SqueezeDIBVertical(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle);
// The same about the vertical centre line.
void SqueezeDIBHorizontal(TQvDIB& dib, RasterColor background, int stretchbltmode, long double angle);

// Moves the picture by distance pixels: direction 0 right, 1 left, 2 up,
// 3 down; any other direction leaves only the background.
void ShiftDIB(TQvDIB& dib, RasterColor background, int direction, int distance);

// Draws the whole picture into a size x size square about the centre (size 1:
// the centre pixel; size 0: nothing).
void ZoomDIB(TQvDIB& dib, RasterColor background, int stretchbltmode, int size);

// cos and sin of -angle * pi / 180 as the rotation uses them (exact at
// quarter turns).
std::pair<long double, long double> RotationCosSin(long double angle);
// First row (column) a squeeze draws into: side div 2 + trunc(-(side div 2) * cos(angle)).
int SqueezeStart(int side, long double angle);

// The zoom dialog's proposal for a rate in per cent: trunc(rate * 0.01 * size).
int ZoomedLength(int rate, int size);

}  // namespace vornik
