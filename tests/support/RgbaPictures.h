#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/TQvDIB.h"

namespace vornik::test {

// One pixel as blue, green, red, alpha (the byte order of a 32-bit row).
using Bgra = std::array<std::uint8_t, 4>;

// A bottom-up 32-bit picture whose pixel (x, y), y from the top, is f(x, y).
inline TQvDIB RgbaPicture(int w, int h, const std::function<Bgra(int, int)>& f) {
    TQvDIB dib;
    dib.CreateDIB(w, h, 0, 32);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = dib.MutableScanLine(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const Bgra p = f(x, y);
            for (int k = 0; k < 4; ++k) row[4 * x + k] = p[static_cast<std::size_t>(k)];
        }
    }
    return dib;
}

// Pixel (x, y) from the top of an uncompressed 32-bit picture.
inline Bgra RgbaAt(const TQvDIB& dib, int x, int y) {
    const std::uint8_t* row = dib.ScanLine(dib.IsTopDown() ? y : dib.Height() - 1 - y);
    return {row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]};
}

// A soft-edged picture with every kind of pixel an icon has: opaque, half
// and faint (alpha 1) ones, and transparent ones whose colour is not black.
// No two pixels are alike, so any misplaced pixel shows.
inline TQvDIB SoftAlphaPicture(int w, int h) {
    return RgbaPicture(w, h, [w](int x, int y) {
        const int i = y * w + x;
        static constexpr std::uint8_t kAlphas[5] = {255, 1, 128, 0, 77};
        return Bgra{static_cast<std::uint8_t>(i * 7 + 3), static_cast<std::uint8_t>(i * 13 + 50),
                    static_cast<std::uint8_t>(255 - i), kAlphas[i % 5]};
    });
}

}  // namespace vornik::test
