#pragma once

#include <string>

#include "imaging/TQvDIB.h"

namespace vornik::cli {

// Reads a BMP, JPEG, PNG or SVG/SVGZ picture file (chosen by content) as a
// 32-bit picture: a PNG keeps its alpha, an SVG is drawn at its own size
// with its alpha, other pictures are opaque; a JPEG is turned upright by its
// EXIF orientation. A PNG is checked against
// the side limit before it is decoded. EInOutError names the file; a file of
// another kind or a damaged PNG raises EVornikError.
TQvDIB LoadPictureWithAlpha(const std::string& path);

// The same picture as it is stored: at its own depth, an RLE picture still
// compressed (32 bits with alpha for a PNG or an SVG). For PictureRgba,
// which makes the 32-bit form without a full-size copy.
TQvDIB LoadPicture(const std::string& path);

// The same picture as the editor's two views hold it: the image (24 bits,
// black where transparent) and a 24-bit mask of white (transparent) and
// black. Alpha below half is transparent. A picture with a side above
// maxSide (when not 0) is first shrunk to it by area averaging, and its views
// are then 24-bit.
void LoadPictureViews(const std::string& path, TQvDIB& imageView, TQvDIB& maskView, int maxSide = 0);

}  // namespace vornik::cli
