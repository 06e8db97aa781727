#pragma once

#include "anim/TAniEX.h"
#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// What one play tick draws into the preview view (imganiview): the whole view
// filled with the background colour (option "color"), then the frame at the
// top-left corner at its own size, mask with AND and image with XOR. A frame
// larger than the view shows its top-left part.
void DrawPlayFrame(const TAniEX& set, int frame, TQvDIB& view, RasterColor background);

}  // namespace vornik
