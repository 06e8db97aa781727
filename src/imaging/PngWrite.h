#pragma once

#include <string>

#include "imaging/TQvDIB.h"
#include "platform/Bytes.h"
#include "platform/Errors.h"

namespace vornik {

// libpng refused to write (its message), or image and mask do not fit.
class EPngWriteError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// Encodes a DIB of any bit count as an 8-bit RGB PNG (palette images through
// their colour table). With a mask of the same size the PNG is RGBA: a mask
// pixel whose (red + green + blue) div 3 is 129 or more - white in a mask
// view, bit 1 in an entry - is transparent (alpha 0), any darker one opaque.
// A 32-bit picture whose alpha bytes are not all 0 is written RGBA with its
// own alpha, and the mask is not consulted (as the platform shows such
// icons); one whose alpha is all 0 is treated as 24 bits.
Bytes EncodePng(const TQvDIB& image, const TQvDIB* mask = nullptr);
// Writes it through WriteFileReplacing.
void SavePngFile(const std::string& path, const TQvDIB& image, const TQvDIB* mask = nullptr);

}  // namespace vornik
