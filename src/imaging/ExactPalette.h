#pragma once

#include "imaging/TQvDIB.h"

namespace vornik {

// When a picture already has no more distinct colours than a 4- or 8-bit
// colour table holds (16 or 256), it becomes a picture of that bit count
// whose table holds exactly those colours (in the order they first appear,
// top row first) and true is returned. Otherwise, or for other bit counts,
// false and the picture is unchanged. The adaptive reduction would move
// colours that share a histogram cell.
bool ReduceToOwnColours(TQvDIB& dib, int bitCount);

}  // namespace vornik
