#pragma once

#include "imaging/PixelRect.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// The pixels of `area` (clipped to the picture) as a new top-down picture of
// the same depth and colour table; a 1 x 1 copy of pixel (0, 0) when nothing
// of the area lies inside.
TQvDIB CopyArea(const TQvDIB& picture, const PixelRect& area);

// Writes `source` into `target` with its top left pixel at (x, y), clipped;
// every pixel is replaced, alpha included. Same depth and colour table:
// stored values are copied as they are; otherwise each colour is written as
// the target stores it (nearest table entry in indexed pictures). Returns the
// target pixels written.
PixelRect PasteArea(TQvDIB& target, const TQvDIB& source, int x, int y);

}  // namespace vornik
