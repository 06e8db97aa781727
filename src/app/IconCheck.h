#pragma once

#include <array>

#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// The 16 colours of the icon check's grid, row by row from the top left.
const std::array<RasterColor, 16>& IconCheckColors();

// The icon check's 161 x 161 preview: filled with the background, then the
// mask (over the image's width and height) stretched onto 160 x 160 with AND
// and the image with XOR, so transparent pixels that are not black in the
// image show mixed. "stretchbltmode" chooses the scaling. Views that are
// missing leave the plain fill.
TQvDIB RenderIconCheck(const TQvDIB* image, const TQvDIB* mask, RasterColor background, int stretchbltmode);

}  // namespace vornik
