#include "imaging/TQvInternalDIB.h"

#include <cstring>
#include <new>
#include <string>

#include "imaging/QvDIBErrors.h"
#include "platform/FileMessages.h"

namespace vornik {

namespace {

bool ValidBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

int DefaultColorCount(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0; }

// The colour-table entries written after the header. An indexed picture made
// with no colours still gets its full (black) table: a reader takes a count
// of 0 to mean the full table, and would otherwise read pixels as colours.
std::uint32_t WrittenColorCount(const BitmapInfoHeader& h) {
    if (h.biClrUsed == 0) return static_cast<std::uint32_t>(DefaultColorCount(h.biBitCount));
    return h.biClrUsed > 256 ? 256 : h.biClrUsed;
}

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

// RLE data can describe far more pixels than it holds (end-of-line and delta
// codes skip), but no real encoder packs a picture this tightly; larger
// claims are refused before the decoded rows are allocated.
constexpr std::int64_t kRleFreePixels = std::int64_t{1} << 16;
constexpr std::int64_t kRlePixelsPerByte = 1024;

[[noreturn]] void Invalid(const char* message) { throw EQvDIBInvalidDIB(message); }

// Shift that brings the top bits of a colour mask into the low 8 bits:
// halve while 256 or more, double while below 128.
int MaskShift(std::uint32_t mask) {
    int s = 0;
    while (mask >= 256) {
        mask >>= 1;
        ++s;
    }
    while (mask < 128) {
        mask <<= 1;
        --s;
    }
    return s;
}

std::uint8_t Channel(std::uint32_t v, std::uint32_t mask, int shift) {
    const std::uint32_t m = v & mask;
    return static_cast<std::uint8_t>(shift >= 0 ? (m >> shift) : (m << -shift));
}

// Header sizes read besides the 12-byte core header: the 40-byte one, its
// longer forms (52 and 56 with masks, 108 and 124 with colour-space fields)
// and the OS/2 2.x ones (16 bytes holding only the first fields, 64 bytes).
bool IsInfoHeaderSize(std::uint32_t size) {
    return size == 16 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

bool IsOs2InfoHeaderSize(std::uint32_t size) { return size == 16 || size == 64; }

// OS/2 2.x compression 4: run-length coded 24-bit pixels, the RLE8 scheme
// with three bytes (blue, green, red) for each pixel. Decoded straight into
// 24-bit rows (row 0 first as in memory); pixels the data does not reach stay
// 0, and data ending without an end-of-bitmap code ends the picture there.
// Returns how many rows such data never reached (counting a row it ended
// inside), as DecodeRle does for RLE8 and RLE4.
int DecodeRle24(const std::uint8_t* src, std::size_t size, std::int32_t width, std::int64_t height,
                 std::uint8_t* out, std::size_t outStride) {
    const char* bad = "TQvInternalDIB.LoadFromStream: Bad RLE24 Data";
    std::int64_t x = 0, y = 0;
    std::size_t pos = 0;
    auto put = [&](std::int64_t col, const std::uint8_t* bgr) {
        std::uint8_t* p = out + static_cast<std::size_t>(y) * outStride + 3 * static_cast<std::size_t>(col);
        p[0] = bgr[0];
        p[1] = bgr[1];
        p[2] = bgr[2];
    };
    while (size - pos >= 2) {
        const std::uint8_t first = src[pos];
        if (first > 0) {
            if (size - pos < 4) break;
            if (x + first > width || y >= height) Invalid(bad);
            for (int i = 0; i < first; ++i) put(x + i, src + pos + 1);
            x += first;
            pos += 4;
            continue;
        }
        const std::uint8_t second = src[pos + 1];
        pos += 2;
        if (second == 0) {
            ++y;
            x = 0;
            if (y > height) Invalid(bad);
        } else if (second == 1) {
            return 0;
        } else if (second == 2) {
            if (size - pos < 2) break;
            x += src[pos];
            y += src[pos + 1];
            pos += 2;
            if (x > width || y > height) Invalid(bad);
        } else {
            const int n = second;
            if (x + n > width || y >= height) Invalid(bad);
            const std::size_t bytes = 3 * static_cast<std::size_t>(n);
            const std::size_t padded = (bytes + 1) / 2 * 2;
            for (int i = 0; i < n && 3 * static_cast<std::size_t>(i) + 3 <= size - pos; ++i)
                put(x + i, src + pos + 3 * static_cast<std::size_t>(i));
            x += n;
            if (size - pos < padded) break;  // the data ends inside the run
            pos += padded;
        }
    }
    // The data ended without its end-of-bitmap code.
    return y >= height ? 0 : static_cast<int>(height - y);
}

// How many bytes of a stream's pixel data to take. The file-size field only
// suggests it: writers get it wrong (OS/2 files often hold 26 or 0 there), so
// it is used where it agrees with the bytes present and with the `needed`
// bytes of uncompressed rows; otherwise the rows' size (uncompressed) or
// everything left in the stream (RLE) is taken. Fewer bytes than needed stay
// fewer, for the caller to refuse.
std::int64_t StreamDataSize(std::int64_t claimed, std::int64_t needed, std::size_t available) {
    const auto have = static_cast<std::int64_t>(available);
    if (claimed > 0 && claimed <= have && claimed >= needed) return claimed;
    if (needed > 0) return needed <= have ? needed : have;
    return have;
}

// Checks the decoded geometry before anything is allocated.
void CheckGeometry(std::int32_t width, std::int32_t height, const char* where) {
    if (width <= 0 || height == 0 || height == INT32_MIN)
        throw EQvDIBInvalidDIB(std::string(where) + ": Invalid Image Size");
    const std::int64_t pixels = std::int64_t{width} * (height < 0 ? -std::int64_t{height} : height);
    if (pixels > TQvInternalDIB::kMaxPixels) throw EQvDIBInvalidDIB(std::string(where) + ": Image Too Large");
}

}  // namespace

std::unique_ptr<std::uint8_t[]> GetFileMap(std::int64_t size, bool zeroFilled) {
    if (size <= 0 || size > INT32_MAX) throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
    const auto n = static_cast<std::size_t>(size);
    std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[n]);
    if (!block) throw EOutOfResources("GetFileMap: Cannot Make File Mapping Object");
    // memset rather than value-initialising new[]: an unoptimised build
    // zeroes the latter byte by byte.
    if (zeroFilled) std::memset(block.get(), 0, n);
    return block;
}

TQvInternalDIB::TQvInternalDIB() { CreateDIB(1, 1, 2, 8); }

void TQvInternalDIB::CreateDIB(int width, int height, int clrCount, int bitCount) {
    if (width <= 0 || height == 0 || height == INT32_MIN || clrCount < 0 || clrCount > 256 ||
        !ValidBitCount(bitCount))
        throw EQvDIBInvalidDIBPara("TQvInternalDIB.CreateDIB: Invalid Parameters");
    const std::int64_t rows = height < 0 ? -std::int64_t{height} : height;
    const std::int64_t size = rows * DibStride(width, bitCount);
    std::unique_ptr<std::uint8_t[]> block = GetFileMap(size);
    InstallPixels(std::move(block), static_cast<std::int32_t>(size));
    Width = width;
    Height = static_cast<std::int32_t>(rows);
    Header = BitmapInfoHeader{};
    Header.biWidth = width;
    Header.biHeight = height;
    Header.biBitCount = static_cast<std::uint16_t>(bitCount);
    Header.biClrUsed = static_cast<std::uint32_t>(clrCount);
    RowsNotReached = 0;
    std::memset(static_cast<void*>(ColorTable), 0, sizeof ColorTable);
    ColorsChanged();
}

std::unique_ptr<TQvInternalDIB> TQvInternalDIB::Clone() const {
    auto copy = std::make_unique<TQvInternalDIB>();
    std::unique_ptr<std::uint8_t[]> block = GetFileMap(DataSize, false);
    std::memcpy(block.get(), Pixels.get(), static_cast<std::size_t>(DataSize));
    copy->InstallPixels(std::move(block), DataSize);
    copy->Width = Width;
    copy->Height = Height;
    copy->Header = Header;
    std::memcpy(static_cast<void*>(copy->ColorTable), ColorTable, sizeof ColorTable);
    copy->Palette.reset();
    copy->PaletteChanged = PaletteChanged;
    return copy;
}

void TQvInternalDIB::InstallPixels(std::unique_ptr<std::uint8_t[]> block, std::int32_t size) {
    Pixels = std::move(block);
    DataSize = size;
}

int TQvInternalDIB::Stride() const { return static_cast<int>(DibStride(Header.biWidth, Header.biBitCount)); }

const TQvPalette* TQvInternalDIB::GetPalette() {
    if (!Palette && Header.biClrUsed > 0) {
        const int n = Header.biClrUsed > 256 ? 256 : static_cast<int>(Header.biClrUsed);
        Palette = std::make_unique<TQvPalette>(TQvPalette::FromColorTable(ColorTable, n));
    }
    return Palette.get();
}

void TQvInternalDIB::ColorsChanged() {
    Palette.reset();
    PaletteChanged = true;
}

// --- reading ---

// Fills the pixel block from `dataSize` bytes of pixel data, taken either from
// the stream or from `block` (clipboard). For 16 and 32 bits the rows become
// 24-bit rows while they are read; masks are the three colour masks or null
// for the defaults.
void TQvInternalDIB::ReadPixels(ByteReadStream* stream, const std::uint8_t* block, std::size_t blockSize,
                                std::int64_t dataSize, const std::uint32_t* masks, bool rle24) {
    const int bits = Header.biBitCount;
    const std::int32_t width = Header.biWidth;
    CheckGeometry(width, Header.biHeight, "TQvInternalDIB.LoadFromStream");
    const std::int64_t rows = Header.biHeight < 0 ? -std::int64_t{Header.biHeight} : Header.biHeight;
    const std::uint32_t compression = Header.biCompression;

    if (rle24 || bits == 2) {
        // Formats the storage does not hold are turned into ones it does:
        // OS/2 RLE24 into plain 24-bit rows, 2-bit indices into 4-bit ones
        // (same colour table).
        if (!rle24 && compression != kBiRgb) Invalid("TQvInternalDIB.LoadFromStream: Invalid Compression");
        if (rle24 && Header.biHeight < 0)
            Invalid("TQvInternalDIB.LoadFromStream: Compressed Top-Down Bitmap");
        const std::size_t available = stream ? stream->Remaining() : blockSize;
        const std::int64_t srcStride = DibStride(width, 2);
        std::int64_t srcSize = rle24 ? StreamDataSize(dataSize, 0, available) : rows * srcStride;
        if (!rle24 && static_cast<std::uint64_t>(srcSize) > available)
            Invalid("TQvInternalDIB.LoadFromStream: Pixel Data Too Short");
        if (srcSize <= 0) GetFileMap(srcSize);  // raises
        if (rle24) {
            const std::int64_t pixels = std::int64_t{width} * rows;
            if (pixels > kRleFreePixels && pixels / kRlePixelsPerByte > srcSize)
                Invalid("TQvInternalDIB.LoadFromStream: Image Too Large For Its RLE Data");
        }
        const std::uint8_t* src = stream ? stream->ReadSpan(static_cast<std::size_t>(srcSize)) : block;
        const int outBits = rle24 ? 24 : 4;
        const std::int64_t dstStride = DibStride(width, outBits);
        const std::int64_t size = dstStride * rows;
        std::unique_ptr<std::uint8_t[]> pixels = GetFileMap(size);
        if (rle24) {
            RowsNotReached = DecodeRle24(src, static_cast<std::size_t>(srcSize), width, rows, pixels.get(),
                                         static_cast<std::size_t>(dstStride));
        } else {
            for (std::int64_t y = 0; y < rows; ++y) {
                const std::uint8_t* s = src + y * srcStride;
                std::uint8_t* d = pixels.get() + y * dstStride;
                for (std::int32_t x = 0; x < width; ++x) {
                    const int index = (s[x >> 2] >> (6 - 2 * (x & 3))) & 3;
                    d[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? index : index << 4);
                }
            }
        }
        InstallPixels(std::move(pixels), static_cast<std::int32_t>(size));
        Header.biBitCount = static_cast<std::uint16_t>(outBits);
        Header.biCompression = kBiRgb;
        Header.biSizeImage = 0;
    } else if (bits == 1 || bits == 4 || bits == 8 || bits == 24) {
        const bool rle = (bits == 8 && compression == kBiRle8) || (bits == 4 && compression == kBiRle4);
        if (compression != kBiRgb && !rle) Invalid("TQvInternalDIB.LoadFromStream: Invalid Compression");
        if (rle && Header.biHeight < 0) Invalid("TQvInternalDIB.LoadFromStream: Compressed Top-Down Bitmap");
        if (stream)
            dataSize = StreamDataSize(dataSize, rle ? 0 : rows * DibStride(width, bits), stream->Remaining());
        if (dataSize <= 0) GetFileMap(dataSize);  // raises
        if (!rle && dataSize < rows * DibStride(width, bits))
            Invalid("TQvInternalDIB.LoadFromStream: Pixel Data Too Short");
        if (rle) {
            const std::int64_t pixels = std::int64_t{width} * rows;
            if (pixels > kRleFreePixels && pixels / kRlePixelsPerByte > dataSize)
                Invalid("TQvInternalDIB.LoadFromStream: Image Too Large For Its RLE Data");
        }
        const std::size_t available = stream ? stream->Remaining() : blockSize;
        if (static_cast<std::uint64_t>(dataSize) > available) {
            if (stream) throw EReadError(Message("Files", filemsg::kStreamReadError));
            Invalid("TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
        }
        std::unique_ptr<std::uint8_t[]> pixels = GetFileMap(dataSize, false);
        if (stream)
            stream->ReadBuffer(pixels.get(), static_cast<std::size_t>(dataSize));
        else
            std::memcpy(pixels.get(), block, static_cast<std::size_t>(dataSize));
        InstallPixels(std::move(pixels), static_cast<std::int32_t>(dataSize));
    } else if (bits == 16 || bits == 32) {
        if (compression != kBiRgb && compression != kBiBitfields)
            Invalid("TQvInternalDIB.LoadFromStream: Invalid Compression");
        std::uint32_t rm, gm, bm;
        if (compression != kBiRgb && masks != nullptr) {
            rm = masks[0];
            gm = masks[1];
            bm = masks[2];
        } else if (bits == 16) {
            rm = 0x7C00;
            gm = 0x03E0;
            bm = 0x001F;
        } else {
            rm = 0xFF0000;
            gm = 0x00FF00;
            bm = 0x0000FF;
        }
        if (rm == 0 || gm == 0 || bm == 0) Invalid("TQvInternalDIB.LoadFromStream: Invalid Masks");
        const int rs = MaskShift(rm), gs = MaskShift(gm), bs = MaskShift(bm);
        const std::int64_t srcStride =
            bits == 16 ? ((std::int64_t{width} * 2 + 3) / 4) * 4 : std::int64_t{width} * 4;
        const std::int64_t dstStride = ((std::int64_t{width} * 3 + 3) / 4) * 4;
        const std::size_t available = stream ? stream->Remaining() : blockSize;
        if (static_cast<std::uint64_t>(srcStride * rows) > available) {
            if (stream) throw EReadError(Message("Files", filemsg::kStreamReadError));
            Invalid("TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
        }
        const std::int64_t size = dstStride * rows;
        std::unique_ptr<std::uint8_t[]> pixels = GetFileMap(size);
        for (std::int64_t y = 0; y < rows; ++y) {
            const std::uint8_t* src =
                stream ? stream->ReadSpan(static_cast<std::size_t>(srcStride)) : block + y * srcStride;
            std::uint8_t* dst = pixels.get() + y * dstStride;
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint32_t v = bits == 16 ? ReadU16LE(src + 2 * x) : ReadU32LE(src + 4 * x);
                dst[3 * x] = Channel(v, bm, bs);
                dst[3 * x + 1] = Channel(v, gm, gs);
                dst[3 * x + 2] = Channel(v, rm, rs);
            }
        }
        InstallPixels(std::move(pixels), static_cast<std::int32_t>(size));
        Header.biBitCount = 24;
        Header.biCompression = kBiRgb;
        Header.biSizeImage = 0;
    } else {
        Invalid("TQvInternalDIB.LoadFromStream: Invalid biBitCount");
    }
    Width = Header.biWidth;
    Height = static_cast<std::int32_t>(rows);
    ColorsChanged();
}

void TQvInternalDIB::LoadFromStream(ByteReadStream& stream) {
    const std::size_t start = stream.Position();
    // The signature first: a stream too short for a file header that does not
    // start with it is no bitmap at all, not a cut one.
    const std::uint8_t* signature = stream.Remaining() >= 2 ? stream.ReadSpan(2) : nullptr;
    if (!signature || signature[0] != 'B' || signature[1] != 'M')
        throw EQvDIBInvalidDIBFile("TQvInternalDIB.LoadFromFile: File type is invalid");
    const std::uint8_t* fileHeader = stream.ReadSpan(12);  // after the signature
    const std::int64_t fileSize = ReadU32LE(fileHeader);
    const std::int64_t dataOffset = ReadU32LE(fileHeader + 8);
    const std::uint32_t headerSize = stream.ReadU32();
    std::uint32_t masks[3] = {0, 0, 0};
    std::int64_t dataSize = 0;
    std::memset(static_cast<void*>(ColorTable), 0, sizeof ColorTable);
    bool rle24 = false;
    if (IsInfoHeaderSize(headerSize)) {
        // Only the fields of the 40-byte header are kept (a 16-byte OS/2
        // header has the first four; the rest stay 0). Longer headers add
        // masks and colour-space data, which the storage does not hold.
        std::uint8_t raw[40] = {};
        const std::size_t rest = headerSize - 4;
        const std::uint8_t* extra = stream.ReadSpan(rest);
        WriteU32LE(raw, 40);
        std::memcpy(raw + 4, extra, rest < 36 ? rest : 36);
        BitmapInfoHeader h = BitmapInfoHeader::Read(raw);
        // 2-bit indices are widened to 4 bits while they are read.
        if (!ValidBitCount(h.biBitCount) && h.biBitCount != 2)
            Invalid("TQvInternalDIB.LoadFromStream: Invalid BitCout");
        if (IsOs2InfoHeaderSize(headerSize)) {
            // OS/2 2.x numbers its compressions differently: 3 is Huffman
            // coding, 4 run-length coded 24-bit pixels.
            if (h.biCompression == 3 || (h.biCompression == 4 && h.biBitCount != 24) || h.biCompression > 4)
                Invalid("TQvInternalDIB.LoadFromStream: Unsupported OS/2 Compression");
            rle24 = h.biCompression == 4;
        }
        if (h.biClrUsed == 0)
            h.biClrUsed = static_cast<std::uint32_t>(h.biBitCount == 2 ? 4 : DefaultColorCount(h.biBitCount));
        if (h.biClrUsed > 256) Invalid("TQvInternalDIB.LoadFromStream: Too Many Colors In Colour Table");
        if (h.biCompression == kBiBitfields && !IsOs2InfoHeaderSize(headerSize)) {
            // From 52 bytes on the masks are part of the header; a 40-byte
            // header is followed by them.
            const std::uint8_t* m = headerSize >= 52 ? extra + 36 : stream.ReadSpan(12);
            masks[0] = ReadU32LE(m);
            masks[1] = ReadU32LE(m + 4);
            masks[2] = ReadU32LE(m + 8);
        }
        stream.ReadBuffer(ColorTable, 4 * static_cast<std::size_t>(h.biClrUsed));
        dataSize = fileSize - std::int64_t{headerSize} - 4 * std::int64_t{h.biClrUsed} - 14;
        Header = h;
    } else if (headerSize == 12) {
        const std::uint8_t* core = stream.ReadSpan(8);
        BitmapInfoHeader h;
        h.biWidth = ReadU16LE(core);
        h.biHeight = ReadU16LE(core + 2);
        h.biPlanes = ReadU16LE(core + 4);
        h.biBitCount = ReadU16LE(core + 6);
        if (!ValidBitCount(h.biBitCount)) Invalid("TQvInternalDIB.LoadFromStream: Invalid BitCout");
        const int entries = DefaultColorCount(h.biBitCount);
        const std::uint8_t* table = stream.ReadSpan(3 * static_cast<std::size_t>(entries));
        for (int i = 0; i < entries; ++i)
            ColorTable[i] = RgbQuad{table[3 * i], table[3 * i + 1], table[3 * i + 2], 0};
        h.biClrUsed = static_cast<std::uint32_t>(entries);
        dataSize = fileSize - 12 - 3 * std::int64_t{entries} - 14;
        Header = h;
    } else {
        Invalid("TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    }
    // The pixels normally follow the colour table directly. A file whose data
    // offset points further on has a gap there (other writers put profiles or
    // padding in it); reading the gap as pixels would shift the whole
    // picture, so it is skipped. Offsets that point back into the headers
    // are ignored.
    const std::int64_t tableEnd = static_cast<std::int64_t>(stream.Position() - start);
    if (dataOffset > tableEnd && static_cast<std::uint64_t>(dataOffset - tableEnd) <= stream.Remaining()) {
        stream.ReadSpan(static_cast<std::size_t>(dataOffset - tableEnd));
        dataSize = fileSize - dataOffset;
    }
    // Planes are always 1 in memory; the field is not used otherwise.
    Header.biPlanes = 1;
    ReadPixels(&stream, nullptr, 0, dataSize, masks, rle24);
}

void TQvInternalDIB::LoadFromClipboardBlock(const std::uint8_t* data, std::size_t size) {
    const char* bad = "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data";
    if (data == nullptr || size < 4) Invalid(bad);
    const std::uint32_t headerSize = ReadU32LE(data);
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t headerPart = 0;
    std::memset(static_cast<void*>(ColorTable), 0, sizeof ColorTable);
    if (headerSize == 40) {
        if (size < 40) Invalid(bad);
        BitmapInfoHeader h = BitmapInfoHeader::Read(data);
        std::uint32_t colours = h.biClrUsed;
        if (colours == 0) colours = static_cast<std::uint32_t>(DefaultColorCount(h.biBitCount));
        if (colours > 256) Invalid("TQvDIB.LoadFromClipboardFormat: Too Many Colors In Colour Table");
        headerPart = 40 + 4 * std::size_t{colours} + (h.biCompression == kBiBitfields ? 12 : 0);
        if (headerPart > size) Invalid(bad);
        std::size_t at = 40;
        if (h.biCompression == kBiBitfields) {
            masks[0] = ReadU32LE(data + 40);
            masks[1] = ReadU32LE(data + 44);
            masks[2] = ReadU32LE(data + 48);
            at += 12;
        }
        std::memcpy(static_cast<void*>(ColorTable), data + at, 4 * std::size_t{colours});
        h.biClrUsed = colours;
        Header = h;
    } else if (headerSize == 12) {
        if (size < 12) Invalid(bad);
        BitmapInfoHeader h;
        h.biWidth = ReadU16LE(data + 4);
        h.biHeight = ReadU16LE(data + 6);
        h.biPlanes = ReadU16LE(data + 8);
        h.biBitCount = ReadU16LE(data + 10);
        const int entries = DefaultColorCount(h.biBitCount);
        headerPart = 12 + 3 * static_cast<std::size_t>(entries);
        if (headerPart > size) Invalid(bad);
        for (int i = 0; i < entries; ++i) {
            const std::uint8_t* e = data + 12 + 3 * i;
            ColorTable[i] = RgbQuad{e[0], e[1], e[2], 0};
        }
        h.biClrUsed = static_cast<std::uint32_t>(entries);
        Header = h;
    } else {
        Invalid(bad);
    }
    if (!ValidBitCount(Header.biBitCount) || Header.biBitCount == 15)
        Invalid("TQvInternalDIB.LoadFromStream: Invalid biBitCount");
    Header.biSize = 40;
    Header.biPlanes = 1;
    const std::size_t dataSize = size - headerPart;
    ReadPixels(nullptr, data + headerPart, dataSize, static_cast<std::int64_t>(dataSize), masks);
}

// --- writing ---

void TQvInternalDIB::SaveToStream(ByteWriteStream& stream) const {
    const std::uint32_t colours = WrittenColorCount(Header);
    const std::uint32_t offset = 54 + 4 * colours;
    stream.Reserve(stream.Size() + offset + static_cast<std::size_t>(DataSize));
    stream.WriteU16(0x4D42);
    stream.WriteU32(offset + static_cast<std::uint32_t>(DataSize));
    stream.WriteU16(0);
    stream.WriteU16(0);
    stream.WriteU32(offset);
    std::uint8_t raw[40];
    Header.Write(raw);
    stream.WriteBuffer(raw, 40);
    stream.WriteBuffer(ColorTable, 4 * std::size_t{colours});
    stream.WriteBuffer(Pixels.get(), static_cast<std::size_t>(DataSize));
}

Bytes TQvInternalDIB::SaveToClipboardBlock() const {
    const std::uint32_t colours = WrittenColorCount(Header);
    Bytes block;
    try {
        block.resize(40 + 4 * std::size_t{colours} + static_cast<std::size_t>(DataSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("TQvInternalDIB.SaveToClipboardFormat: Out Of Memory");
    }
    Header.Write(block.data());
    std::memcpy(block.data() + 40, ColorTable, 4 * std::size_t{colours});
    std::memcpy(block.data() + 40 + 4 * colours, Pixels.get(), static_cast<std::size_t>(DataSize));
    return block;
}

}  // namespace vornik
