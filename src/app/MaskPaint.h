#pragma once

#include "app/EditState.h"
#include "imaging/PixelRect.h"

namespace vornik {

// Mask painting with the mouse. The mask view is painted black (opaque) or
// white (transparent). When the image view holds a 32-bit picture of the
// mask's size, the same pixels get alpha 255 or 0, so what is painted is what
// is stored; a picture whose alpha was 0 everywhere (drawn by its mask alone)
// first takes its alpha from the mask. Each returns the pixels that may have
// changed, clipped to the picture; nothing happens without a mask.
PixelRect PaintMaskPixel(EditState& e, int x, int y, bool opaque);
// A one-pixel line covering both ends, as the canvas draws it.
PixelRect PaintMaskLine(EditState& e, int x0, int y0, int x1, int y1, bool opaque);
// Shift + click: the connected surface of the clicked colour.
PixelRect FloodMask(EditState& e, int x, int y, bool opaque);

}  // namespace vornik
