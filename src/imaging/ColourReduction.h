#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/RgbQuad.h"

namespace vornik {

// The colour grid of the adaptive reduction: 32 x 64 x 32 cells (5 bits red,
// 6 bits green, 5 bits blue).
constexpr int kColourCells = 65536;

constexpr int ColourCellIndex(int red, int green, int blue) {
    return (red >> 3) * 2048 + (green >> 2) * 32 + (blue >> 3);
}

// The palette chosen for a picture and, for every cell index, the palette
// index its pixels get (0 for cells that held no pixel).
struct AdaptivePalette {
    std::vector<RgbQuad> colours;
    std::vector<std::uint8_t> map;  // kColourCells entries

    std::uint8_t IndexOf(int red, int green, int blue) const {
        return map[static_cast<std::size_t>(ColourCellIndex(red, green, blue))];
    }
};

// Adaptive palette of at most 2^depth colours (depth 4 or 8) for 24-bit rows
// (blue, green, red): a histogram over the colour cells, cut recursively at
// the mean of the channel with the largest weighted variance.
AdaptivePalette BuildAdaptivePalette(const std::uint8_t* rows, int width, int height, std::size_t stride,
                                     int depth);

// The fixed 16-colour palette. The dark colours are 191, light grey 192.
const std::array<RgbQuad, 16>& FixedPalette16();

// Nearest fixed-palette entry by the sum of absolute channel differences; the
// lowest index wins a tie.
int NearestFixedIndex(int red, int green, int blue);

}  // namespace vornik
