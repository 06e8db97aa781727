#pragma once

#include <cstdint>

#include "model/XcursorFile.h"

namespace vornik {

// The image at another nominal size: its pixels area-averaged by the
// imaging scaler (colours weighted by alpha, so no dark fringes) to its
// sides scaled by the same factor as the nominal size, the hot spot with it.
XcursorPicture ScaleXcursorPicture(const XcursorPicture& picture, std::uint32_t nominalSize);

}  // namespace vornik
