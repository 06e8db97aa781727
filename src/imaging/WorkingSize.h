#pragma once

#include "imaging/TQvDIB.h"

namespace vornik {

// Pictures with a side above this are shrunk to it before they are made into
// icon entries (128 px at most): the entries then cost the same whatever the
// picture's size, and a picture up to this size keeps its exact result.
constexpr int kWorkingSide = 1024;

// dib itself (shared) when neither side exceeds maxSide; otherwise a 24-bit
// copy whose sides exceeding maxSide are scaled down to it, drawn with the
// stretch mode of the setting (0 nearest pixel, 1 and 2 area average).
TQvDIB ShrunkToWorkingSize(const TQvDIB& dib, int stretchbltmode, int maxSide = kWorkingSide);

}  // namespace vornik
