#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornik {

// Messages of the eight RLE checks: [0..3] for RLE8 (end of line, delta,
// absolute run, encoded run), [4..7] for the same checks in RLE4.
struct RleMessages {
    const char* text[8];
};

// Decodes RLE8 (bitCount 8) or RLE4 (bitCount 4) data into one byte per pixel:
// rows of `outStride` bytes, row 0 first as in memory. Pixels the data does not
// write are left as they are (the caller passes a zeroed block). A failed check
// raises EQvDIBInvalidDIB with the message of its number. Data that ends
// without an end-of-bitmap code ends the picture there; nothing is read past
// `size`. An RLE4 pixel in the column just past an odd width is dropped.
// With out null nothing is written: the data is only checked.
// Returns how many rows the data never reached (counting a row it ended
// inside): 0 for data that ends with its end-of-bitmap code or fills every row.
int DecodeRle(const std::uint8_t* src, std::size_t size, int bitCount, int width, int height,
               std::uint8_t* out, std::size_t outStride, const RleMessages& messages);

}  // namespace vornik
