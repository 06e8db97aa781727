#include "model/IconImageReader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "imaging/BitmapInfoHeader.h"
#include "model/IconPngImage.h"

namespace vornik {

namespace {

constexpr std::uint8_t kPngSignature[4] = {0x89, 0x50, 0x4E, 0x47};

bool isKnownHeaderSize(std::uint32_t n) { return n == 40 || n == 52 || n == 56 || n == 108 || n == 124; }

// Mask bits for rows [0, rows) of a 32-bit image from its alpha: alpha 0 is
// transparent (bit 1).
void maskFromAlpha(const std::uint8_t* xorBits, std::int32_t width, std::int32_t rows, std::size_t xorRow,
                   std::size_t andRow, std::uint8_t* mask) {
    for (std::int32_t y = 0; y < rows; ++y) {
        const std::uint8_t* src = xorBits + static_cast<std::size_t>(y) * xorRow;
        std::uint8_t* dst = mask + static_cast<std::size_t>(y) * andRow;
        std::fill(dst, dst + andRow, 0);
        for (std::int32_t x = 0; x < width; ++x)
            if (src[4 * x + 3] == 0) dst[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
}

bool isSupportedBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// Byte size of `rows` rows of `bitsPerRow` bits, or 0 when it would not fit in
// `limit` (the bytes left in the file) or in a signed 32-bit block size.
std::uint64_t blockSize(std::uint64_t bitsPerRow, std::uint64_t rows, std::uint64_t limit) {
    const std::uint64_t row = static_cast<std::uint64_t>(RowBytes(static_cast<std::int64_t>(bitsPerRow)));
    const std::uint64_t cap = std::min<std::uint64_t>(limit, std::numeric_limits<std::int32_t>::max());
    if (row == 0 || rows > cap / row) return 0;
    return row * rows;
}

}  // namespace

bool IsPngImage(const std::uint8_t* data, std::size_t size, std::size_t pos) {
    return pos <= size && size - pos >= sizeof kPngSignature &&
           std::memcmp(data + pos, kPngSignature, sizeof kPngSignature) == 0;
}

std::uint64_t DeclaredImageBytesOfHead(const std::uint8_t* head, std::size_t headSize, std::uint64_t bytesLeft) {
    constexpr std::uint64_t kSideLimit = std::uint64_t{1} << 20;
    std::uint64_t width = 0, height = 0, bits = 32, colours = 0;
    const bool png = IsPngImage(head, headSize, 0);
    if (png) {
        // signature, chunk length, "IHDR", width, height (big-endian)
        if (headSize < 24 || std::memcmp(head + 12, "IHDR", 4) != 0) return 0;
        auto be32 = [&](std::size_t at) {
            return (std::uint64_t{head[at]} << 24) | (std::uint64_t{head[at + 1]} << 16) |
                   (std::uint64_t{head[at + 2]} << 8) | head[at + 3];
        };
        width = be32(16);
        height = be32(20);
    } else {
        if (headSize < BitmapInfoHeader::kSize) return 0;
        const BitmapInfoHeader h = BitmapInfoHeader::Read(head);
        if (h.biWidth <= 0 || h.biHeight / 2 <= 0) return 0;
        width = static_cast<std::uint64_t>(h.biWidth);
        height = static_cast<std::uint64_t>(h.biHeight / 2);
        bits = h.biBitCount;
        colours = std::min<std::uint64_t>(h.biClrUsed, 256);
    }
    if (width > kSideLimit || height > kSideLimit || bits > 64) return 0;
    const std::uint64_t xorRow = static_cast<std::uint64_t>(RowBytes(static_cast<std::int64_t>(width * bits)));
    const std::uint64_t andRow = static_cast<std::uint64_t>(RowBytes(static_cast<std::int64_t>(width)));
    const std::uint64_t total = BitmapInfoHeader::kSize + 4 * colours + (xorRow + andRow) * height;
    // Rows are copied from the file: a block longer than the bytes left is
    // refused by the reader with its own message.
    if (!png && total > bytesLeft) return 0;
    return total;
}

std::uint64_t DeclaredImageBytes(const std::uint8_t* data, std::size_t size, std::size_t pos) {
    if (pos > size) return 0;
    return DeclaredImageBytesOfHead(data + pos, size - pos, size - pos);
}

std::string ReadIconImage(const std::uint8_t* data, std::size_t size, std::size_t pos, IconEntry& entry,
                          std::size_t* next) {
    entry.InfoHeader.clear();
    entry.XorBits.clear();
    entry.AndBits.clear();
    if (IsPngImage(data, size, pos)) return ReadPngIconImage(data, size, pos, entry, next);

    if (pos > size || size - pos < BitmapInfoHeader::kSize)
        return "image header runs past the end of the file";
    const BitmapInfoHeader h = BitmapInfoHeader::Read(data + pos);
    // Later header versions (V2..V5) begin with the same 40 bytes; the entry
    // keeps those and the colour table follows the whole header.
    if (!isKnownHeaderSize(h.biSize))
        return "image header size " + std::to_string(h.biSize) + " is not 40";
    if (size - pos < h.biSize) return "image header runs past the end of the file";
    // Compressed rows (RLE, bit fields) would be misread as plain rows.
    if (h.biCompression != 0)
        return "compressed image (compression " + std::to_string(h.biCompression) + ") is not supported";
    if (!isSupportedBitCount(h.biBitCount)) return "unsupported bit count " + std::to_string(h.biBitCount);
    if (h.biWidth <= 0) return "image width " + std::to_string(h.biWidth) + " is not positive";
    // The file's height covers image and mask; the entry holds one image.
    const std::int32_t height = h.biHeight / 2;
    if (height <= 0) return "image height " + std::to_string(h.biHeight) + " is not positive";
    if (h.biClrUsed > 256) return "colour table of " + std::to_string(h.biClrUsed) + " entries is too large";

    const std::uint32_t colors =
        h.biClrUsed != 0 ? h.biClrUsed : static_cast<std::uint32_t>(PaletteSize(h.biBitCount));
    std::size_t p = pos + h.biSize;
    const std::size_t tableBytes = 4u * colors;
    if (size - p < tableBytes) return "colour table runs past the end of the file";
    const std::size_t tableEnd = p + tableBytes;

    const std::uint64_t xorSize = blockSize(static_cast<std::uint64_t>(h.biWidth) * h.biBitCount,
                                            static_cast<std::uint64_t>(height), size - tableEnd);
    if (xorSize == 0) return "image data runs past the end of the file";
    const std::size_t xorEnd = tableEnd + static_cast<std::size_t>(xorSize);
    std::uint64_t andSize =
        blockSize(static_cast<std::uint64_t>(h.biWidth), static_cast<std::uint64_t>(height), size - xorEnd);
    // Some writers of 32-bit icons cut the mask short or leave it out, relying
    // on alpha alone: such a mask is made from the alpha channel.
    bool maskFromAlphaNeeded = false;
    if (andSize == 0 && h.biBitCount == 32) {
        andSize = blockSize(static_cast<std::uint64_t>(h.biWidth), static_cast<std::uint64_t>(height),
                            static_cast<std::uint64_t>(xorSize));
        maskFromAlphaNeeded = andSize != 0;
    }
    if (andSize == 0) return "mask data runs past the end of the file";
    const std::size_t andEnd = maskFromAlphaNeeded ? size : xorEnd + static_cast<std::size_t>(andSize);

    entry.InfoHeader.assign(data + pos, data + pos + BitmapInfoHeader::kSize);
    entry.InfoHeader.insert(entry.InfoHeader.end(), data + p, data + tableEnd);
    WriteU32LE(entry.InfoHeader.data(), BitmapInfoHeader::kSize);
    WriteI32LE(entry.InfoHeader.data() + bih::kHeight, height);
    WriteU32LE(entry.InfoHeader.data() + bih::kClrUsed, colors);
    entry.XorBits.assign(data + tableEnd, data + xorEnd);
    entry.XorSize = static_cast<std::int32_t>(xorSize);
    if (maskFromAlphaNeeded) {
        entry.AndBits.assign(static_cast<std::size_t>(andSize), 0);
        const std::size_t andRow = static_cast<std::size_t>(RowBytes(h.biWidth));
        maskFromAlpha(entry.XorBits.data(), h.biWidth, height, static_cast<std::size_t>(RowBytes(32ll * h.biWidth)),
                      andRow, entry.AndBits.data());
    } else {
        entry.AndBits.assign(data + xorEnd, data + andEnd);
    }
    entry.AndSize = static_cast<std::int32_t>(andSize);
    entry.SourcePos =
        static_cast<std::int32_t>(std::min<std::size_t>(pos, std::numeric_limits<std::int32_t>::max()));
    if (next) *next = andEnd;
    return {};
}

}  // namespace vornik
