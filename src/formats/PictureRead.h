#pragma once

#include <string>

#include "formats/ReadResult.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// Reads a BMP/DIB, JPEG, PNG or SVG/SVGZ picture, chosen by its content: a
// PNG or an SVG as 32 bits with straight alpha (an SVG drawn at its own
// size), a JPEG as 24 bits turned upright by its EXIF orientation, a bitmap
// at its own depth (RLE data still compressed). Refused with a code when the
// file is missing, too large, of another kind or damaged.
ReadResult<TQvDIB> ReadPicture(const std::string& path);

}  // namespace vornik
