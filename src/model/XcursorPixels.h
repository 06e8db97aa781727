#pragma once

#include <cstdint>

#include "model/EntryPixels.h"
#include "model/XcursorFile.h"

namespace vornik {

// Xcursor pixels carry premultiplied alpha; entries and the scaler work on
// straight alpha. Rounding both ways makes Xcursor -> straight -> Xcursor exact.
BgraPicture XcursorToBgra(const XcursorPicture& picture);
// Pixels of a straight-alpha picture as an Xcursor image of nominal size
// max(width, height) with the hot spot (moved inside the picture) and delay.
XcursorPicture BgraToXcursor(const BgraPicture& picture, std::uint32_t xhot, std::uint32_t yhot,
                             std::uint32_t delay);

}  // namespace vornik
