#pragma once

#include <cstdint>

namespace vornik {

// One colour-table entry as it stands in a DIB: blue, green, red, reserved.
struct RgbQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;

    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

inline constexpr RgbQuad MakeRgbQuad(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return RgbQuad{blue, green, red, 0};
}

}  // namespace vornik
