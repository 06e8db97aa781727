#pragma once

#include <cstdint>

#include "model/XcursorFile.h"

namespace vornik {

// The image at another nominal size: its pixels area-averaged (they are
// premultiplied, so averaging gives no dark fringes) to size x size scaled
// by the same factor as the nominal size, the hot spot scaled with it.
XcursorPicture ScaleXcursorPicture(const XcursorPicture& picture, std::uint32_t nominalSize);

}  // namespace vornik
