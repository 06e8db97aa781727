#pragma once

#include <cstdint>

namespace vornik {

// A colour as the drawing operations take and give it: 0x00BBGGRR, the layout
// of a Windows COLORREF, so black is 0 and white 0xFFFFFF.
using RasterColor = std::uint32_t;

constexpr RasterColor RgbColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return RasterColor(r) | (RasterColor(g) << 8) | (RasterColor(b) << 16);
}
constexpr std::uint8_t RedOf(RasterColor c) { return std::uint8_t(c); }
constexpr std::uint8_t GreenOf(RasterColor c) { return std::uint8_t(c >> 8); }
constexpr std::uint8_t BlueOf(RasterColor c) { return std::uint8_t(c >> 16); }

constexpr RasterColor kRasterBlack = 0x000000;
constexpr RasterColor kRasterWhite = 0xFFFFFF;

// Raster operations of the blits, with the platform's codes.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,    // destination = source
    SrcAnd = 0x008800C6,     // destination = destination AND source
    SrcInvert = 0x00660046,  // destination = destination XOR source
};

// Stretch modes, with the platform's codes.
enum class StretchMode : int {
    ColorOnColor = 3,  // nearest source pixel, no blending
    Halftone = 4,      // average of the covered source area
};

// Combines two colours channel by channel (bitwise on the 24-bit value).
constexpr RasterColor ApplyRasterOp(RasterColor dst, RasterColor src, RasterOp op) {
    switch (op) {
        case RasterOp::SrcAnd:
            return (dst & src) & 0xFFFFFF;
        case RasterOp::SrcInvert:
            return (dst ^ src) & 0xFFFFFF;
        case RasterOp::SrcCopy:
            break;
    }
    return src & 0xFFFFFF;
}

}  // namespace vornik
