#pragma once

#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// The image pair as the entry will look once stored: a 24-bit picture of the
// image's size filled with the background, then the picture drawn as entries
// are drawn: blended by its alpha when it is a 32-bit picture whose alpha is
// in use, otherwise the mask with AND and the image with XOR (so a
// transparent pixel whose image is not black shows inverted, as on screen).
// A mask of another size than the image gives the image over the background.
TQvDIB ComposePreview(const TQvDIB& image, const TQvDIB& mask, RasterColor background);

}  // namespace vornik
