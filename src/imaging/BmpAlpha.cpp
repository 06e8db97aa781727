#include "imaging/BmpAlpha.h"

#include <bit>
#include <climits>

#include "imaging/AlphaMask.h"
#include "imaging/QvDIBErrors.h"

namespace vornik {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::size_t kFileHeaderSize = 14;
// Sides beyond this are not pictures anyone pastes or opens as an icon source.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

// Channel value of v under mask, scaled to 0..255.
std::uint8_t channel(std::uint32_t v, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint32_t value = (v & mask) >> shift;
    return static_cast<std::uint8_t>(max == 255 ? value : (value * 255 + max / 2) / max);
}

}  // namespace

std::optional<TQvDIB> DecodeBmpAlpha(const std::uint8_t* data, std::size_t size, bool packed) {
    const std::size_t base = packed ? 0 : kFileHeaderSize;
    if (size < base + 40) return std::nullopt;
    if (!packed && (data[0] != 'B' || data[1] != 'M')) return std::nullopt;
    const std::uint8_t* h = data + base;
    const std::uint32_t headerSize = ReadU32LE(h);
    if (headerSize < 40 || headerSize > size - base) return std::nullopt;
    const std::int32_t width = ReadI32LE(h + 4);
    const std::int32_t height = ReadI32LE(h + 8);
    const int bits = ReadU16LE(h + 14);
    const std::uint32_t compression = ReadU32LE(h + 16);
    if (bits != 32 || width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    const std::int64_t rows = height < 0 ? -std::int64_t{height} : height;
    if (std::int64_t{width} * rows > kMaxPixels) return std::nullopt;

    std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    std::size_t afterHeader = base + headerSize;
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        // Masks sit in the longer headers, else right after the 40 bytes.
        const std::size_t count = compression == kBiAlphaBitfields || headerSize >= 56 ? 4 : 3;
        const std::size_t at = headerSize >= 52 ? base + 40 : afterHeader;
        if (at + 4 * count > size) return std::nullopt;
        for (std::size_t k = 0; k < 4; ++k) masks[k] = k < count ? ReadU32LE(data + at + 4 * k) : 0;
        if (headerSize < 52) afterHeader += 4 * count;
        if (masks[3] == 0) return std::nullopt;  // no alpha: the ordinary reader serves
    } else if (compression != kBiRgb) {
        return std::nullopt;
    }
    const std::uint32_t clrUsed = ReadU32LE(h + 32);
    std::size_t pixelOffset =
        afterHeader + 4 * static_cast<std::size_t>(std::min<std::uint32_t>(clrUsed, 256));
    if (!packed) {
        const std::uint32_t stated = ReadU32LE(data + 10);
        if (stated >= base + headerSize && stated < size) pixelOffset = stated;
    }
    const std::int64_t stride = std::int64_t{width} * 4;
    if (pixelOffset > size || stride * rows > static_cast<std::int64_t>(size - pixelOffset))
        return std::nullopt;

    TQvDIB out;
    out.CreateDIB(width, static_cast<int>(rows), 0, 32);
    bool anyAlpha = false;
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::uint8_t* in = data + pixelOffset + y * stride;
        // Stored row y is bottom row y for a bottom-up file, top row y for a top-down one.
        std::uint8_t* o = out.MutableScanLine(static_cast<int>(height < 0 ? rows - 1 - y : y));
        for (std::int32_t x = 0; x < width; ++x, in += 4, o += 4) {
            const std::uint32_t v = ReadU32LE(in);
            o[0] = channel(v, masks[2]);
            o[1] = channel(v, masks[1]);
            o[2] = channel(v, masks[0]);
            o[3] = channel(v, masks[3]);
            anyAlpha = anyAlpha || o[3] != 0;
        }
    }
    if (!anyAlpha) return std::nullopt;  // an old 32-bit picture: alpha is padding
    return out;
}

Bytes EncodeBmpAlpha(const TQvDIB& image, bool packed) {
    if (!HasAlphaChannel(image)) throw EQvDIBInvalidDIBPara("EncodeBmpAlpha: not a 32-bit picture");
    const int w = image.Width(), h = image.Height();
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(std::int64_t{w} * h * 4);
    Bytes out;
    out.reserve((packed ? 0 : kFileHeaderSize) + kV5HeaderSize + pixelBytes);
    if (!packed) {
        out.push_back('B');
        out.push_back('M');
        AppendU32LE(out, static_cast<std::uint32_t>(kFileHeaderSize + kV5HeaderSize + pixelBytes));
        AppendU32LE(out, 0);
        AppendU32LE(out, static_cast<std::uint32_t>(kFileHeaderSize + kV5HeaderSize));
    }
    AppendU32LE(out, kV5HeaderSize);
    AppendU32LE(out, static_cast<std::uint32_t>(w));
    AppendU32LE(out, static_cast<std::uint32_t>(h));  // bottom-up
    AppendU16LE(out, 1);
    AppendU16LE(out, 32);
    AppendU32LE(out, kBiBitfields);
    AppendU32LE(out, pixelBytes);
    AppendU32LE(out, 2835);  // 72 dpi
    AppendU32LE(out, 2835);
    AppendU32LE(out, 0);
    AppendU32LE(out, 0);
    for (std::uint32_t m : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) AppendU32LE(out, m);
    AppendU32LE(out, 0x73524742);       // 'sRGB'
    out.insert(out.end(), 36 + 12, 0);  // endpoints, gamma
    AppendU32LE(out, 4);                // LCS_GM_IMAGES
    out.insert(out.end(), 12, 0);       // profile data, size, reserved
    for (int y = h - 1; y >= 0; --y) {
        const std::uint8_t* row = image.ScanLine(image.IsTopDown() ? y : h - 1 - y);
        out.insert(out.end(), row, row + 4 * static_cast<std::size_t>(w));
    }
    return out;
}

}  // namespace vornik
