#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/TQvDIB.h"

namespace vornik {

// The EXIF orientation (1..8) a JPEG's APP1 "Exif" segment states for its
// first image, or 1 when there is none or the segment is malformed. Reads
// only bytes inside `size`; never allocates.
int JpegExifOrientation(const std::uint8_t* data, std::size_t size);

// The picture turned upright for an EXIF orientation: 2 mirrored, 3 turned
// half round, 4 flipped, 5 transposed, 6 turned right, 7 transversed, 8
// turned left. Any uncompressed depth; 1 and unknown values give the picture
// unchanged. The result is bottom-up with the source's bit count and colour
// table.
TQvDIB ApplyExifOrientation(const TQvDIB& picture, int orientation);

}  // namespace vornik
