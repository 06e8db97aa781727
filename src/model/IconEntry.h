#pragma once

#include <cstdint>

#include "platform/Bytes.h"

namespace vornik {

// Padded byte length of one pixel row of `bits` bits: ((bits + 31) div 32) * 4.
constexpr std::int64_t RowBytes(std::int64_t bits) { return ((bits + 31) / 32) * 4; }

// Colour-table entries of a bit count: 2, 16 or 256 for 1, 4, 8 bits; else 0.
constexpr int PaletteSize(int bitCount) {
    return bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
}

// Directory colour count: the palette size when at most 16, else 0.
constexpr std::uint8_t DirectoryColorCount(int bitCount) {
    const int n = PaletteSize(bitCount);
    return static_cast<std::uint8_t>(n <= 16 ? n : 0);
}

// One icon or cursor image: the 16-byte ICO/CUR directory entry, then the
// owned data blocks in the byte form of the file.
struct IconEntry {
    static constexpr std::size_t kDirectorySize = 16;

    // --- the directory entry, byte for byte as in the file ---
    std::uint8_t Width = 0;          // low 8 bits of biWidth
    std::uint8_t Height = 0;         // single-image height, low 8 bits
    std::uint8_t ColorCount = 0;     // 2 or 16 for 1 or 4 bits, else 0
    std::uint8_t EntryReserved = 0;  // 0
    std::uint16_t HotSpotX = 0;      // cursor hot spot X; planes in an icon file, carried as read
    std::uint16_t HotSpotY = 0;      // cursor hot spot Y; bit count in an icon file, carried as read
    std::uint32_t ImageSize = 0;     // header + colour table + XOR + AND bytes in the file
    std::uint32_t ImageOffset = 0;   // file offset of the image

    // --- owned blocks; empty means "not present" ---
    Bytes InfoHeader;  // 40-byte BITMAPINFOHEADER (single-image height) + biClrUsed RGBQUADs
    Bytes XorBits;     // colour rows, bottom row first, padded to 4 bytes
    std::int32_t XorSize = 0;
    Bytes AndBits;     // 1-bit mask rows, bit 1 = transparent, bottom row first
    std::int32_t AndSize = 0;
    std::int32_t SourcePos = 0;  // file position where the image header was read

    // A PNG-compressed image as read, written back as it is while the blocks
    // above still hash to PngDigest (so any change to them drops it).
    Bytes PngStream;
    std::uint64_t PngDigest = 0;
    // The Apple icon (ICNS) type the image was read as, kept when it is saved
    // as ICNS again while its size fits; 0 for an image from anywhere else.
    std::uint32_t IcnsType = 0;

    // Sides in pixels. A directory byte of 0 stands for 256 or more (the byte
    // holds only the low 8 bits); the image header then tells the real side.
    int PixelWidth() const { return pixelSide(Width, 4); }
    int PixelHeight() const { return pixelSide(Height, 8); }

    // The 16 directory bytes.
    void ReadDirectory(const std::uint8_t* p) {
        Width = p[0];
        Height = p[1];
        ColorCount = p[2];
        EntryReserved = p[3];
        HotSpotX = ReadU16LE(p + 4);
        HotSpotY = ReadU16LE(p + 6);
        ImageSize = ReadU32LE(p + 8);
        ImageOffset = ReadU32LE(p + 12);
    }
    void WriteDirectory(std::uint8_t* p) const {
        p[0] = Width;
        p[1] = Height;
        p[2] = ColorCount;
        p[3] = EntryReserved;
        WriteU16LE(p + 4, HotSpotX);
        WriteU16LE(p + 6, HotSpotY);
        WriteU32LE(p + 8, ImageSize);
        WriteU32LE(p + 12, ImageOffset);
    }
    // Copies the directory fields (not the blocks) of another entry.
    void CopyDirectoryFrom(const IconEntry& o) {
        Width = o.Width;
        Height = o.Height;
        ColorCount = o.ColorCount;
        EntryReserved = o.EntryReserved;
        HotSpotX = o.HotSpotX;
        HotSpotY = o.HotSpotY;
        ImageSize = o.ImageSize;
        ImageOffset = o.ImageOffset;
    }

private:
    int pixelSide(std::uint8_t directoryByte, std::size_t headerOffset) const {
        if (directoryByte != 0) return directoryByte;
        if (InfoHeader.size() >= 40) {
            const std::int32_t side = ReadI32LE(InfoHeader.data() + headerOffset);
            if (side >= 256) return side;
        }
        return 256;
    }
};

}  // namespace vornik
