#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/RasterColor.h"

namespace vornik {

// A view of uncompressed DIB pixel rows that the raster operations draw into.
// Coordinates are always as displayed: y = 0 is the top row, whether the rows
// are stored bottom-up (the usual DIB order) or top-down.
struct RasterSurface {
    std::uint8_t* bits = nullptr;  // first row in memory
    int width = 0;
    int height = 0;                            // > 0
    std::size_t stride = 0;                    // bytes per row, padded
    int bitCount = 0;                          // 1, 4, 8, 16 (5-5-5), 24 or 32
    bool topDown = false;                      // memory row 0 is the top row
    const std::uint8_t* colorTable = nullptr;  // RGBQUAD entries: blue, green, red, 0
    int colorCount = 0;                        // valid entries (palette formats)

    bool isPalette() const { return bitCount <= 8; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint8_t* row(int y) const {
        return bits + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    }
    // Colour of a colour-table entry; indices past the table read as black.
    RasterColor tableColor(std::uint32_t index) const {
        if (index >= static_cast<std::uint32_t>(colorCount)) return kRasterBlack;
        const std::uint8_t* q = colorTable + 4 * index;
        return RgbColor(q[2], q[1], q[0]);
    }
};

// Raw pixel values: the colour index of palette formats, else the packed value.
std::uint32_t ReadRawPixel(const RasterSurface& s, int x, int y);
void WriteRawPixel(const RasterSurface& s, int x, int y, std::uint32_t value);
// Colour of a raw value of the surface's format.
RasterColor RawToColor(const RasterSurface& s, std::uint32_t raw);

// Index of the table entry nearest to c (squared distance in RGB); an exact
// match always wins and among equals the lowest index. 0 for an empty table.
std::uint32_t NearestTableIndex(const std::uint8_t* table, int count, RasterColor c);

// Turns colours into raw values of one surface: packing for true colour, the
// nearest table entry for palette formats (remembered, since drawing asks for
// the same few colours again and again).
class RasterColorEncoder {
public:
    explicit RasterColorEncoder(const RasterSurface& s);
    std::uint32_t encode(RasterColor c);

private:
    const RasterSurface& s_;
    struct Slot {
        std::uint32_t key = 0xFFFFFFFFu;  // colour + 1 << 24 marks a used slot
        std::uint32_t index = 0;
    };
    std::unique_ptr<std::array<Slot, 4096>> cache_;  // made on the first palette colour
};

// Colour read at (x, y); the caller checks bounds.
inline RasterColor ReadPixelColor(const RasterSurface& s, int x, int y) {
    return RawToColor(s, ReadRawPixel(s, x, y));
}

}  // namespace vornik

namespace vornik {

// Writes colours into a surface through a raster operation: SrcCopy stores
// the colour, SrcAnd and SrcInvert combine it with the colour already there
// (as RGB values, also on palette surfaces), and the result is stored as the
// surface's nearest raw value.
class RasterWriter {
public:
    RasterWriter(const RasterSurface& s, RasterOp op) : s_(s), op_(op), encoder_(s) {}
    void put(int x, int y, RasterColor c) {
        if (op_ != RasterOp::SrcCopy) c = ApplyRasterOp(ReadPixelColor(s_, x, y), c, op_);
        WriteRawPixel(s_, x, y, encoder_.encode(c));
    }
    std::uint32_t encode(RasterColor c) { return encoder_.encode(c); }

private:
    const RasterSurface& s_;
    RasterOp op_;
    RasterColorEncoder encoder_;
};

// For a palette source drawn into a palette destination: the destination
// index of each source index. An index whose entry is the same colour at the
// same position in both tables keeps its number (so copying within one table
// never moves a pixel to a duplicate entry); others take the nearest entry.
std::array<std::uint32_t, 256> BuildIndexMap(const RasterSurface& src, const RasterSurface& dst);

}  // namespace vornik
