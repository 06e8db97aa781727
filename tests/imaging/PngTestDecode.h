#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vornik::test {

// A PNG decoded by libpng to 8-bit RGBA, rows top-down.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* At(int x, int y) const {
        return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    }
};

// Throws std::runtime_error when the file cannot be decoded.
RgbaImage DecodePngFile(const std::filesystem::path& path);

}  // namespace vornik::test
