#pragma once

#include <string>

#include "imaging/TQvDIB.h"

namespace vornik::cli {

// Reads a BMP, JPEG, PNG or SVG/SVGZ picture file (chosen by content) into the two
// views as the editor would hold it: the image, and a 24-bit mask of white
// (transparent) and black. A PNG's alpha 0 is transparent; an SVG is
// rendered at its own size, alpha below 128 transparent; other pictures are
// opaque throughout. EInOutError names the file; a file of another kind or a
// damaged PNG raises EVornikError.
void LoadPictureViews(const std::string& path, TQvDIB& imageView, TQvDIB& maskView);

}  // namespace vornik::cli
