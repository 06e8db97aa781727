#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace vornik {

// One image of an ICO or CUR file, as the resources of a program hold it.
struct IconFileImage {
    // Directory bytes of the file.
    std::uint8_t width = 0, height = 0, colorCount = 0, reserved = 0;
    std::uint16_t hotX = 0, hotY = 0;  // cursor files only
    // What the image itself states: its sides (a BMP's height single), planes
    // and bit count; an icon group record carries these.
    int pixelWidth = 0, pixelHeight = 0;
    std::uint16_t planes = 1, bitCount = 0;
    bool png = false;
    Bytes data;  // the image block (BMP header onward, or the PNG stream)
};

struct IconFileImages {
    int type = 1;  // 1 icon, 2 cursor
    std::vector<IconFileImage> images;
};

// The most images taken from one file; a group record counts them in 16 bits
// and each needs an id of its own.
inline constexpr std::size_t kMaxIconFileImages = 1000;

// Reads the directory of an ICO or CUR file in data[0, size) and each image
// at the offset and size it states. Every image must be a PNG stream or a
// bitmap block the icon reader accepts. An empty string, or why the file
// cannot be used ("image 2 runs past the end of the file").
std::string ReadIconFileImages(const std::uint8_t* data, std::size_t size, IconFileImages& out);

}  // namespace vornik
