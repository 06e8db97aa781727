#pragma once

#include "imaging/RasterColor.h"
#include "imaging/RasterSurface.h"

namespace vornik {

// Fills the columns left .. right - 1 of the rows top .. bottom - 1 (a
// rectangle with exclusive right and bottom edges, as a RECT), clipped.
// Palette surfaces store the nearest table entry.
void FillRectangle(const RasterSurface& s, int left, int top, int right, int bottom, RasterColor color);

// Sets one pixel (nearest table entry on palette surfaces); outside: nothing.
void SetSurfacePixel(const RasterSurface& s, int x, int y, RasterColor color);

// A one-pixel line from (x0, y0) to (x1, y1), both ends included. Step i of
// n = max(|dx|, |dy|) steps lies at the major coordinate a0 + i (towards a1)
// and the minor coordinate b0 + round(i * |db| / n), halves rounded away from
// the start. Clipped pixel by pixel; only the part crossing the surface is walked.
void DrawLine(const RasterSurface& s, int x0, int y0, int x1, int y1, RasterColor color);

// Surface flood fill: starting at (x, y), paints every pixel that reads
// exactly `surface` and is 4-connected to the start through such pixels.
// Nothing happens when the start lies outside or does not read `surface`, or
// when the fill colour would be stored as a value that reads `surface` again.
// Iterative (an explicit span stack), so any picture size is safe.
void FloodFillSurface(const RasterSurface& s, int x, int y, RasterColor surface, RasterColor fill);

}  // namespace vornik
