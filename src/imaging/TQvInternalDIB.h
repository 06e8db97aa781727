#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/BitmapInfoHeader.h"
#include "imaging/ByteReadStream.h"
#include "imaging/ByteWriteStream.h"
#include "imaging/RgbQuad.h"
#include "imaging/TQvPalette.h"

namespace vornik {

// The shared storage behind TQvDIB: header, colour table and pixel rows, with
// the number of TQvDIB objects that share it. Rows are in the BMP layout
// (padded to 4 bytes, in the order they were read). Only TQvDIB creates and
// releases it; every changing operation works on unshared storage.
class TQvInternalDIB {
public:
    // 256 entries plus 16 spare bytes, so three colour masks and a full table
    // fit while a file is being read.
    static constexpr int kColorTableSlots = 256 + 4;
    // Upper bound for width x height of any storage we build from outside
    // data (files, clipboard): 8192 x 8192. It also keeps the colour sums of
    // the reductions far from overflowing.
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

    // A fresh storage: 1 x 1 pixel, 8 bits, 2 colour-table entries, all black.
    TQvInternalDIB();
    TQvInternalDIB(const TQvInternalDIB&) = delete;
    TQvInternalDIB& operator=(const TQvInternalDIB&) = delete;

    // width > 0, height != 0 (negative: top-down), clrCount 0..256, bitCount
    // one of 1, 4, 8, 15, 16, 24, 32; else EQvDIBInvalidDIBPara. All zero.
    void CreateDIB(int width, int height, int clrCount, int bitCount);
    // A private copy: same header, table and pixels, no palette, count 1.
    std::unique_ptr<TQvInternalDIB> Clone() const;

    // Fill this (freshly made) storage from a BMP stream / a packed DIB block.
    // On an exception the object is left in an unspecified but valid state;
    // callers build into a new object and install it only on success.
    void LoadFromStream(ByteReadStream& stream);
    void LoadFromClipboardBlock(const std::uint8_t* data, std::size_t size);
    void SaveToStream(ByteWriteStream& stream) const;
    Bytes SaveToClipboardBlock() const;

    // The logical palette of the colour table, built on first demand; null
    // when biClrUsed is 0. Owned by the storage.
    const TQvPalette* GetPalette();
    // Marks the colour table as changed and drops the cached palette.
    void ColorsChanged();

    // Conversions (see TQvDIB for the public forms).
    void ConvertTo8BitRGB();
    void ConvertToTrueColor();
    void ConvertTo1Bit();
    void ConvertTo4BitRGB();
    void ConvertTo4BitFixed();

    // Stride of the stored rows for the header's width and bit count.
    int Stride() const;
    bool IsCompressed() const { return Header.biCompression != 0; }

    // Fields, in the order the storage holds them.
    std::int32_t RefCount = 1;
    std::int32_t Width = 1;
    std::int32_t Height = 1;
    std::unique_ptr<TQvPalette> Palette;  // cached, built from the colour table
    std::int32_t DataSize = 0;
    std::unique_ptr<std::uint8_t[]> Pixels;
    BitmapInfoHeader Header;
    RgbQuad ColorTable[kColorTableSlots] = {};
    bool PaletteChanged = false;
    // Rows an RLE24 file's data never reached while it was read (they stay
    // black); 0 for every other storage, and not carried into copies.
    std::int32_t RowsNotReached = 0;

private:
    // Replaces the pixel block by `block` of `size` bytes.
    void InstallPixels(std::unique_ptr<std::uint8_t[]> block, std::int32_t size);
    void ReadPixels(ByteReadStream* stream, const std::uint8_t* block, std::size_t blockSize,
                    std::int64_t dataSize, const std::uint32_t* masks, bool rle24 = false);
    void Reduce4Bit(bool fixed);
};

// A zero-filled pixel block of `size` bytes (left unfilled when the caller
// overwrites all of it at once). A size of 0 or less, or one that cannot be
// allocated, raises EOutOfResources "GetFileMap: Cannot Make File Mapping Object".
std::unique_ptr<std::uint8_t[]> GetFileMap(std::int64_t size, bool zeroFilled = true);

// Stride of a row of `width` pixels of `bitCount` bits.
constexpr std::int64_t DibStride(std::int64_t width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

}  // namespace vornik
