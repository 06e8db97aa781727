#pragma once

#include "app/MainState.h"

namespace vornik {

// Takes the square at the take-in position of the Bitmap page's picture into
// the views the resource target names.
void TakeInBitmap(MainState& s);

}  // namespace vornik
