#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "imaging/TQvDIB.h"

namespace vornik {

// Resizing of 32-bit blue, green, red, alpha pixels.
//
// ScaleAreaBgra: every target pixel is the average of the source area it
// covers, each source pixel weighted by the part of it that falls inside.
// Colours are averaged premultiplied by alpha, so transparent pixels (often
// black) leave no dark fringe on soft edges. Row order does not matter as
// long as both blocks use the same. Strides are in bytes.
void ScaleAreaBgra(const std::uint8_t* src, int srcWidth, int srcHeight, std::size_t srcStride, std::uint8_t* dst,
                   int dstWidth, int dstHeight, std::size_t dstStride);

// ScaleNearestBgra: each target pixel takes one source pixel (the one under
// its centre), alpha included; for pixel art.
void ScaleNearestBgra(const std::uint8_t* src, int srcWidth, int srcHeight, std::size_t srcStride, std::uint8_t* dst,
                      int dstWidth, int dstHeight, std::size_t dstStride);

// The same with the source given row by row: sourceRow(y) returns row y
// (width srcWidth, 32-bit), valid until the next call. Rows are asked for in
// rising order, some of them twice, so a caller can make each row as it is
// wanted and never hold the whole source; only a few rows are kept here.
using BgraRowSource = std::function<const std::uint8_t*(int y)>;
void ScaleAreaRows(const BgraRowSource& sourceRow, int srcWidth, int srcHeight, std::uint8_t* dst, int dstWidth,
                   int dstHeight, std::size_t dstStride);
void ScaleNearestRows(const BgraRowSource& sourceRow, int srcWidth, int srcHeight, std::uint8_t* dst, int dstWidth,
                      int dstHeight, std::size_t dstStride);

// The same over pictures: a 32-bit picture (any row order) to a new 32-bit
// picture of width x height with the same row order; a copy when the size
// is the picture's own. Other depths raise EQvDIBInvalidDIBPara.
TQvDIB ScaleArea(const TQvDIB& picture, int width, int height);
TQvDIB ScaleNearest(const TQvDIB& picture, int width, int height);

}  // namespace vornik
