#pragma once

#include <optional>
#include <utility>

#include "imaging/TQvDIB.h"

namespace vornik {

struct PictureRgbaOptions {
    // Sides above this are shrunk, keeping the aspect ratio, so the longer
    // side becomes maxSide; 0 keeps the picture's size.
    int maxSide = 0;
    bool nearest = false;  // nearest pixel instead of area averaging
    // Every pixel of the colour found here (x, y from the top left; inside
    // the picture) becomes transparent before any scaling.
    std::optional<std::pair<int, int>> clearColourAt;
};

// A picture of any depth (RLE too) as the 32-bit straight-alpha picture that
// icon entries are made from, rows bottom-up: an uncompressed 32-bit picture
// keeps its alpha, others are opaque. The picture is read and shrunk row by
// row, so no full-size 32-bit copy is ever held: an 8192 x 8192 RLE picture
// costs its 8-bit decoding plus the result.
TQvDIB PictureRgba(const TQvDIB& picture, const PictureRgbaOptions& options);

}  // namespace vornik
