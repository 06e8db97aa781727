#pragma once

#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

// Draws a 32-bit straight-alpha picture at (x, y) of the canvas at its own
// size, each pixel mixed with what lies below by its alpha (255 covers, 0
// leaves the canvas). Palette canvases store the nearest colour. Clipped.
void AlphaBlendOnto(TQvDIBCanvas& canvas, int x, int y, const TQvDIB& rgba);

// The same, the picture first scaled to w x h (area average below its size,
// nearest pixel above, so enlarged pixels stay sharp).
void AlphaBlendStretched(TQvDIBCanvas& canvas, int x, int y, int w, int h, const TQvDIB& rgba);

}  // namespace vornik
