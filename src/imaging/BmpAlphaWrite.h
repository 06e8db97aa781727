#pragma once

#include "imaging/TQvDIB.h"
#include "platform/Bytes.h"

namespace vornik {

// A 32-bit picture as a BMP file that keeps its alpha: a BITMAPV5HEADER with
// BI_BITFIELDS, red 00FF0000, green 0000FF00, blue 000000FF and alpha
// FF000000, sRGB colour space, rows as the picture holds them. Other depths
// raise EQvDIBInvalidDIBPara.
Bytes EncodeBmpWithAlpha(const TQvDIB& picture);

}  // namespace vornik
