#pragma once

#include "imaging/TQvDIB.h"

namespace vornik {

// A 32-bit straight-alpha picture as the editor's image pair: a 24-bit image
// and a 24-bit mask, white (transparent) where alpha is below 128, black
// elsewhere, so soft edges count as opaque only from half coverage.
void SplitAlpha(const TQvDIB& rgba, TQvDIB& image, TQvDIB& mask);

// The reverse: an image of any bit count and its mask of the same size as one
// 32-bit picture, alpha 0 where the mask is white (or bit 1), else 255.
TQvDIB JoinAlpha(const TQvDIB& image, const TQvDIB& mask);

}  // namespace vornik
