#pragma once

#include <cstdint>

#include "platform/Bytes.h"

namespace vornik {

// The 40-byte BITMAPINFOHEADER, field for field. Read and written through
// the functions below (little-endian), never by casting file bytes.
struct BitmapInfoHeader {
    static constexpr std::uint32_t kSize = 40;

    std::uint32_t biSize = kSize;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;

    // p must hold at least 40 bytes.
    static BitmapInfoHeader Read(const std::uint8_t* p) {
        BitmapInfoHeader h;
        h.biSize = ReadU32LE(p);
        h.biWidth = ReadI32LE(p + 4);
        h.biHeight = ReadI32LE(p + 8);
        h.biPlanes = ReadU16LE(p + 12);
        h.biBitCount = ReadU16LE(p + 14);
        h.biCompression = ReadU32LE(p + 16);
        h.biSizeImage = ReadU32LE(p + 20);
        h.biXPelsPerMeter = ReadI32LE(p + 24);
        h.biYPelsPerMeter = ReadI32LE(p + 28);
        h.biClrUsed = ReadU32LE(p + 32);
        h.biClrImportant = ReadU32LE(p + 36);
        return h;
    }
    // p must have room for 40 bytes.
    void Write(std::uint8_t* p) const {
        WriteU32LE(p, biSize);
        WriteI32LE(p + 4, biWidth);
        WriteI32LE(p + 8, biHeight);
        WriteU16LE(p + 12, biPlanes);
        WriteU16LE(p + 14, biBitCount);
        WriteU32LE(p + 16, biCompression);
        WriteU32LE(p + 20, biSizeImage);
        WriteI32LE(p + 24, biXPelsPerMeter);
        WriteI32LE(p + 28, biYPelsPerMeter);
        WriteU32LE(p + 32, biClrUsed);
        WriteU32LE(p + 36, biClrImportant);
    }
};

// Byte offsets of the header's fields, for in-place edits of stored blocks.
namespace bih {
constexpr int kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14, kCompression = 16,
              kSizeImage = 20, kClrUsed = 32, kClrImportant = 36;
}

}  // namespace vornik
