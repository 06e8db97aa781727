#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/JpegCodec.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// Decodes a JPEG into a new 24-bit bottom-up DIB with an empty colour table.
// Throws EJpegError (see DecodeJpeg); the target is replaced only on success.
void LoadJpegIntoDIB(const std::uint8_t* data, std::size_t size, TQvDIB& target,
                     const JpegLimits& limits = {});
// The same from a file; a refused file's message starts with its path.
void LoadJpegFile(const std::string& path, TQvDIB& target);

// Encodes a DIB of any bit count (palette images through their colour table,
// RLE images decoded first) with libjpeg's defaults at the given quality.
Bytes EncodeDIBAsJpeg(const TQvDIB& image, int quality = 75);
// Writes it through WriteFileReplacing.
void SaveDIBAsJpegFile(const TQvDIB& image, const std::string& path, int quality = 75);

}  // namespace vornik
