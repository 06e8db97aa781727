// The storage-level conversions of TQvInternalDIB: palette and RLE images to
// 8 bits or true colour, and the reductions to 1, 4 and 8 bits.
#include <cstring>

#include "imaging/ColourReduction.h"
#include "imaging/QvDIBErrors.h"
#include "imaging/RleDecoder.h"
#include "imaging/TQvInternalDIB.h"

namespace vornik {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2;

const RleMessages kRleMessages8Bit = {{
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 1",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 2",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 3",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 4",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 5",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 6",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 7",
    "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data 8",
}};

// The first message has always read "TruColor"; the others are spelt out.
const RleMessages kRleMessagesTrueColor = {{
    "TQvInternalDIB.ConverToTruColor: Bad RLE Data 1",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 2",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 3",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 4",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 5",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 6",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 7",
    "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 8",
}};

const char* const kBadPair8 = "TQvInternalDIB.ConverTo8BitRGB: Invalid Bitcount & Compression Conbination";
const char* const kBadPair4 = "TQvInternalDIB.ConverTo4BitRGB: Invalid Bitcount & Compression Conbination";

bool IsTrueColourCount(int bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

std::size_t Rows(const TQvInternalDIB& d) { return static_cast<std::size_t>(d.Height); }

// The pixels of uncompressed 15/16/24/32-bit storage as 24-bit rows. 24-bit
// storage is used in place; the other depths (only made by SetBitCount, never
// read from files) are widened into `temp`: 15 and 16 bits as 5-5-5, 32 bits
// as blue, green, red, unused.
const std::uint8_t* Rgb24Rows(const TQvInternalDIB& d, std::unique_ptr<std::uint8_t[]>& temp,
                              std::size_t& stride) {
    const int bits = d.Header.biBitCount;
    const int width = d.Width;
    stride = static_cast<std::size_t>(DibStride(width, 24));
    if (bits == 24) return d.Pixels.get();
    temp = GetFileMap(static_cast<std::int64_t>(stride * Rows(d)));
    const std::size_t srcStride = static_cast<std::size_t>(d.Stride());
    for (std::size_t y = 0; y < Rows(d); ++y) {
        const std::uint8_t* src = d.Pixels.get() + y * srcStride;
        std::uint8_t* dst = temp.get() + y * stride;
        for (int x = 0; x < width; ++x) {
            if (bits == 32) {
                dst[3 * x] = src[4 * x];
                dst[3 * x + 1] = src[4 * x + 1];
                dst[3 * x + 2] = src[4 * x + 2];
            } else {
                const unsigned v = ReadU16LE(src + 2 * x);
                dst[3 * x] = static_cast<std::uint8_t>((v & 0x1F) << 3);
                dst[3 * x + 1] = static_cast<std::uint8_t>(((v >> 5) & 0x1F) << 3);
                dst[3 * x + 2] = static_cast<std::uint8_t>(((v >> 10) & 0x1F) << 3);
            }
        }
    }
    return temp.get();
}

// One byte per pixel (palette index) for uncompressed 1/4-bit and RLE data,
// in rows of `outStride` bytes.
void ExpandToIndices(const TQvInternalDIB& d, std::uint8_t* out, std::size_t outStride, const RleMessages& messages) {
    const int bits = d.Header.biBitCount;
    const std::uint32_t compression = d.Header.biCompression;
    if (compression != kBiRgb) {
        DecodeRle(d.Pixels.get(), static_cast<std::size_t>(d.DataSize), bits, d.Width, d.Height, out, outStride,
                  messages);
        return;
    }
    const std::size_t srcStride = static_cast<std::size_t>(d.Stride());
    for (std::size_t y = 0; y < Rows(d); ++y) {
        const std::uint8_t* src = d.Pixels.get() + y * srcStride;
        std::uint8_t* dst = out + y * outStride;
        for (int x = 0; x < d.Width; ++x) {
            if (bits == 8)
                dst[x] = src[x];
            else if (bits == 4)
                dst[x] = static_cast<std::uint8_t>((x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4));
            else
                dst[x] = static_cast<std::uint8_t>((src[x >> 3] >> (7 - (x & 7))) & 1);
        }
    }
}

bool IsIndexedPair(int bits, std::uint32_t compression) {
    return (compression == kBiRgb && (bits == 1 || bits == 4 || bits == 8)) ||
           (bits == 8 && compression == kBiRle8) || (bits == 4 && compression == kBiRle4);
}

}  // namespace

void TQvInternalDIB::ConvertTo8BitRGB() {
    const int bits = Header.biBitCount;
    const std::uint32_t compression = Header.biCompression;
    if (bits == 8 && compression == kBiRgb) return;
    const std::size_t stride = static_cast<std::size_t>(DibStride(Width, 8));
    const std::int64_t size = static_cast<std::int64_t>(stride * Rows(*this));
    if (IsIndexedPair(bits, compression)) {
        std::unique_ptr<std::uint8_t[]> block = GetFileMap(size);
        ExpandToIndices(*this, block.get(), stride, kRleMessages8Bit);
        InstallPixels(std::move(block), static_cast<std::int32_t>(size));
    } else if (compression == kBiRgb && IsTrueColourCount(bits)) {
        std::unique_ptr<std::uint8_t[]> temp;
        std::size_t srcStride = 0;
        const std::uint8_t* src = Rgb24Rows(*this, temp, srcStride);
        const AdaptivePalette palette = BuildAdaptivePalette(src, Width, Height, srcStride, 8);
        std::unique_ptr<std::uint8_t[]> block = GetFileMap(size);
        for (std::size_t y = 0; y < Rows(*this); ++y) {
            const std::uint8_t* p = src + y * srcStride;
            std::uint8_t* dst = block.get() + y * stride;
            for (int x = 0; x < Width; ++x, p += 3) dst[x] = palette.IndexOf(p[2], p[1], p[0]);
        }
        InstallPixels(std::move(block), static_cast<std::int32_t>(size));
        for (int i = 0; i < 256; ++i)
            ColorTable[i] = i < static_cast<int>(palette.colours.size()) ? palette.colours[static_cast<std::size_t>(i)] : RgbQuad{};
        Header.biClrUsed = static_cast<std::uint32_t>(palette.colours.size());
    } else {
        throw EQvDIBInvalidDIB(kBadPair8);
    }
    Header.biBitCount = 8;
    Header.biCompression = kBiRgb;
    Header.biSizeImage = 0;
    ColorsChanged();
}

void TQvInternalDIB::ConvertToTrueColor() {
    const int bits = Header.biBitCount;
    const std::uint32_t compression = Header.biCompression;
    if (bits == 24 && compression == kBiRgb) return;
    const std::size_t stride = static_cast<std::size_t>(DibStride(Width, 24));
    const std::int64_t size = static_cast<std::int64_t>(stride * Rows(*this));
    std::unique_ptr<std::uint8_t[]> block;
    if (IsIndexedPair(bits, compression)) {
        block = GetFileMap(size);
        const std::size_t indexStride = static_cast<std::size_t>(Width);
        std::unique_ptr<std::uint8_t[]> indices;
        if (bits == 8 && compression == kBiRgb) {
            // Already one byte a pixel: read the rows in place.
        } else {
            indices = GetFileMap(static_cast<std::int64_t>(indexStride * Rows(*this)));
            ExpandToIndices(*this, indices.get(), indexStride, kRleMessagesTrueColor);
        }
        const std::size_t srcStride = indices ? indexStride : static_cast<std::size_t>(Stride());
        const std::uint8_t* src = indices ? indices.get() : Pixels.get();
        for (std::size_t y = 0; y < Rows(*this); ++y) {
            const std::uint8_t* s = src + y * srcStride;
            std::uint8_t* dst = block.get() + y * stride;
            for (int x = 0; x < Width; ++x) {
                const RgbQuad& q = ColorTable[s[x]];
                dst[3 * x] = q.rgbBlue;
                dst[3 * x + 1] = q.rgbGreen;
                dst[3 * x + 2] = q.rgbRed;
            }
        }
    } else if (compression == kBiRgb && IsTrueColourCount(bits)) {
        // 15, 16 and 32-bit storage is widened so that every true-colour
        // image ends up in the one form the rest of the system reads.
        std::unique_ptr<std::uint8_t[]> temp;
        std::size_t srcStride = 0;
        Rgb24Rows(*this, temp, srcStride);
        block = std::move(temp);
    } else {
        throw EQvDIBInvalidDIB(kBadPair8);
    }
    InstallPixels(std::move(block), static_cast<std::int32_t>(size));
    Header.biBitCount = 24;
    Header.biCompression = kBiRgb;
    Header.biSizeImage = 0;
    ColorsChanged();
}

void TQvInternalDIB::ConvertTo1Bit() {
    const int bits = Header.biBitCount;
    const std::uint32_t compression = Header.biCompression;
    if (bits == 1) return;
    const std::size_t stride = static_cast<std::size_t>(DibStride(Width, 1));
    const std::int64_t size = static_cast<std::int64_t>(stride * Rows(*this));
    std::unique_ptr<std::uint8_t[]> block;
    if (bits == 8 && compression == kBiRgb) {
        // Brightness of every table entry first: one look-up a pixel.
        bool white[256];
        for (int i = 0; i < 256; ++i)
            white[i] = (ColorTable[i].rgbRed + ColorTable[i].rgbGreen + ColorTable[i].rgbBlue) / 3 >= 129;
        block = GetFileMap(size);
        const std::size_t srcStride = static_cast<std::size_t>(Stride());
        for (std::size_t y = 0; y < Rows(*this); ++y) {
            const std::uint8_t* s = Pixels.get() + y * srcStride;
            std::uint8_t* dst = block.get() + y * stride;
            for (int x = 0; x < Width; ++x)
                if (white[s[x]]) dst[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    } else if (compression == kBiRgb && IsTrueColourCount(bits)) {
        std::unique_ptr<std::uint8_t[]> temp;
        std::size_t srcStride = 0;
        const std::uint8_t* src = Rgb24Rows(*this, temp, srcStride);
        block = GetFileMap(size);
        for (std::size_t y = 0; y < Rows(*this); ++y) {
            const std::uint8_t* p = src + y * srcStride;
            std::uint8_t* dst = block.get() + y * stride;
            for (int x = 0; x < Width; ++x, p += 3)
                if ((p[0] + p[1] + p[2]) / 3 >= 129) dst[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    } else {
        throw EQvDIBInvalidDIB(kBadPair8);
    }
    InstallPixels(std::move(block), static_cast<std::int32_t>(size));
    for (RgbQuad& q : ColorTable) q = RgbQuad{};
    ColorTable[1] = MakeRgbQuad(255, 255, 255);
    Header.biBitCount = 1;
    Header.biCompression = kBiRgb;
    Header.biSizeImage = 0;
    Header.biClrUsed = 2;
    ColorsChanged();
}

void TQvInternalDIB::ConvertTo4BitRGB() { Reduce4Bit(false); }

void TQvInternalDIB::ConvertTo4BitFixed() { Reduce4Bit(true); }

void TQvInternalDIB::Reduce4Bit(bool fixed) {
    const int bits = Header.biBitCount;
    const std::uint32_t compression = Header.biCompression;
    if (compression != kBiRgb || bits == 4) return;
    const std::size_t stride = static_cast<std::size_t>(DibStride(Width, 4));
    const std::int64_t size = static_cast<std::int64_t>(stride * Rows(*this));
    std::unique_ptr<std::uint8_t[]> block;
    const auto& fixedPalette = FixedPalette16();
    auto putNibble = [](std::uint8_t* row, int x, std::uint8_t index) {
        row[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? index : index << 4);
    };
    std::vector<RgbQuad> table;
    if (bits == 1) {
        block = GetFileMap(size);
        const std::size_t srcStride = static_cast<std::size_t>(Stride());
        for (std::size_t y = 0; y < Rows(*this); ++y) {
            const std::uint8_t* s = Pixels.get() + y * srcStride;
            std::uint8_t* dst = block.get() + y * stride;
            for (int x = 0; x < Width; ++x)
                if ((s[x >> 3] >> (7 - (x & 7))) & 1) putNibble(dst, x, 15);
        }
        table.assign(fixedPalette.begin(), fixedPalette.end());
    } else if (IsTrueColourCount(bits)) {
        std::unique_ptr<std::uint8_t[]> temp;
        std::size_t srcStride = 0;
        const std::uint8_t* src = Rgb24Rows(*this, temp, srcStride);
        AdaptivePalette palette = BuildAdaptivePalette(src, Width, Height, srcStride, 4);
        if (fixed) {
            // Snap the adaptive colours, then route every cell to its fixed entry.
            std::uint8_t snapped[256] = {};
            for (std::size_t i = 0; i < palette.colours.size(); ++i) {
                const RgbQuad& q = palette.colours[i];
                snapped[i] = static_cast<std::uint8_t>(NearestFixedIndex(q.rgbRed, q.rgbGreen, q.rgbBlue));
            }
            for (std::uint8_t& m : palette.map) m = snapped[m];
            table.assign(fixedPalette.begin(), fixedPalette.end());
        } else {
            table = palette.colours;
        }
        block = GetFileMap(size);
        for (std::size_t y = 0; y < Rows(*this); ++y) {
            const std::uint8_t* p = src + y * srcStride;
            std::uint8_t* dst = block.get() + y * stride;
            for (int x = 0; x < Width; ++x, p += 3) putNibble(dst, x, palette.IndexOf(p[2], p[1], p[0]));
        }
    } else {
        throw EQvDIBInvalidDIB(kBadPair4);
    }
    InstallPixels(std::move(block), static_cast<std::int32_t>(size));
    for (int i = 0; i < 256; ++i)
        ColorTable[i] = i < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(i)] : RgbQuad{};
    Header.biBitCount = 4;
    Header.biCompression = kBiRgb;
    Header.biSizeImage = 0;
    Header.biClrUsed = static_cast<std::uint32_t>(table.size());
    ColorsChanged();
}

}  // namespace vornik
