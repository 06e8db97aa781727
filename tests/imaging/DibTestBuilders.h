#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "imaging/TQvDIB.h"

namespace vornik {
inline void PrintTo(const RgbQuad& q, std::ostream* os) {
    *os << "(r" << int(q.rgbRed) << " g" << int(q.rgbGreen) << " b" << int(q.rgbBlue) << ")";
}
}  // namespace vornik

namespace vornik::test {

// A BMP file: file header, 40-byte header, optional masks, colour table,
// pixels. fileSize 0 means "the real size".
struct BmpSpec {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::vector<RgbQuad> table;  // written as given
    std::vector<std::uint32_t> masks;
    Bytes pixels;
    std::uint32_t fileSize = 0;
    std::uint32_t dataOffset = 0;  // 0: right after the table
    std::uint32_t headerSize = 40;  // 12, or 16..124: masks sit inside headers of 52 bytes and more
};
Bytes MakeBmp(const BmpSpec& spec);

// The message of the exception LoadFromBytes raises, or "" when it loads.
std::string LoadError(const Bytes& bytes);

// A packed DIB (clipboard block) with the same fields, without the file header.
Bytes MakePackedDib(const BmpSpec& spec);

// A bottom-up 24-bit picture whose pixel (x, y), y counted from the first row
// in memory, is colour(x, y).
TQvDIB MakeTrueColour(int width, int height, const std::function<RgbQuad(int, int)>& colour);

// Colour of a 24-bit DIB's pixel.
RgbQuad PixelOf24(const TQvDIB& dib, int x, int y);
// Index of an 8-, 4- or 1-bit pixel.
int IndexOf(const TQvDIB& dib, int x, int y);

}  // namespace vornik::test
