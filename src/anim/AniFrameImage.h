#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/IconEntry.h"

namespace vornik {

// Reads the first image of an "icon" chunk into entry (contract of
// ReadIconImage: data holds `size` bytes, the image starts at pos). The one
// place where a frame image is decoded: a PNG-compressed image goes through
// here too, so a PNG decoder needs no change in the ANI reader.
// *isPng tells the caller that the refusal was a PNG image.
std::string ReadAniFrameImage(const std::uint8_t* data, std::size_t size, std::size_t pos, IconEntry& entry,
                              std::size_t* next, bool* isPng);

}  // namespace vornik
