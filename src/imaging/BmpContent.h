#pragma once

#include <cstddef>
#include <cstdint>

namespace vornik {

// Bytes of a file's start the bitmap content test looks at: the file header
// and the 40-byte information header after it.
inline constexpr std::size_t kBmpContentHeadSize = 54;

// The one content test for a bitmap file under any name: a BITMAPFILEHEADER
// ("BM", size > 0, reserved words 0, pixel offset >= 54) followed by a
// plausible 40-byte BITMAPINFOHEADER. head holds the file's first bytes
// (min(fileSize, headSize)); a file of at most 54 bytes never passes.
bool IsBmpContent(const std::uint8_t* head, std::size_t headSize, std::uint64_t fileSize);

}  // namespace vornik
