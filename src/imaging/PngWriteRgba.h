#pragma once

#include <string>

#include "imaging/TQvDIB.h"
#include "platform/Bytes.h"

namespace vornik {

// Encodes a 32-bit DIB whose fourth byte is straight alpha as an 8-bit RGBA
// PNG, keeping every alpha level. EPngWriteError (PngWrite.h) when libpng
// refuses, EQvDIBInvalidDIB when the picture is not 32 bits.
Bytes EncodeRgbaPng(const TQvDIB& image);
// Writes it through WriteFileReplacing.
void SaveRgbaPngFile(const std::string& path, const TQvDIB& image);

}  // namespace vornik
