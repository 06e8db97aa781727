#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/EntryPixels.h"

namespace vornik {

// A picture file drawn at the sizes of a cursor.
struct DrawnPicture {
    // The extent of the source's own coordinates, in which hot spots are
    // given: an SVG's user units, a PNG's pixels.
    double width = 0;
    double height = 0;
    std::vector<BgraPicture> pictures;  // one per size asked for, in that order
};

// How a raster picture meets a size.
enum class RasterFit {
    AsIs,    // used at its own size whatever the size asked for
    Scaled,  // area-averaged so that its longer side is the size
};

// Draws a PNG or SVG file (told apart by content) at each size: an SVG afresh
// from its vector data with its longer side `size` pixels (in a sandboxed
// renderer, all sizes in one go); a PNG decoded once and fitted as `fit` says.
// Throws EVornikError naming the file when it is missing, of another kind, or
// refused.
DrawnPicture DrawCursorPicture(const std::string& path, const std::vector<std::uint32_t>& sizes,
                               RasterFit fit);

}  // namespace vornik
