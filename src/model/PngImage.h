#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/IconEntry.h"

namespace vornik {

// Largest PNG-compressed icon image decoded, in each direction. Directories
// state at most 256 (a byte of 0), but icon files in the wild carry 512 and
// 1024 pixel PNG images too. What a file of many small PNG streams can make
// us allocate is bounded by the readers' budget (kMaxDecodedImageBytes).
constexpr int kMaxPngIconSide = 1024;

// Decodes a PNG stream (data holds `size` bytes and starts with the PNG
// signature) into the blocks of a 32-bit entry: InfoHeader (40 bytes, single
// height, no colour table), XorBits (blue, green, red, alpha, bottom row
// first) and AndBits (bit 1 where alpha is 0). Directory fields are not
// touched. Any colour type, bit depth and interlacing is accepted.
//
// Returns an empty string on success and sets *consumed to the bytes the
// stream took (through its IEND chunk). On failure returns libpng's message
// (or the size refusal) and leaves the entry's blocks empty. Never reads past
// `size`, never allocates before the image size is checked.
std::string DecodePngIconImage(const std::uint8_t* data, std::size_t size, IconEntry& entry, std::size_t* consumed);

// The PNG's pixels as 8-bit blue, green, red, alpha, rows top-down (for
// pictures in PNG files). maxSide bounds width and height. Returns an empty
// string on success, else the problem.
std::string DecodePngBgra(const std::uint8_t* data, std::size_t size, int maxSide, int* width, int* height,
                          Bytes& bgra);

}  // namespace vornik
