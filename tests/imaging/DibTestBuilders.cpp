#include "DibTestBuilders.h"

#include <algorithm>

#include "platform/Errors.h"

namespace vornik::test {

namespace {
Bytes InfoPart(const BmpSpec& spec) {
    Bytes out;
    if (spec.headerSize == 12) {
        AppendU32LE(out, 12);
        AppendU16LE(out, static_cast<std::uint16_t>(spec.width));
        AppendU16LE(out, static_cast<std::uint16_t>(spec.height));
        AppendU16LE(out, 1);
        AppendU16LE(out, spec.bitCount);
        for (const RgbQuad& q : spec.table) {
            out.push_back(q.rgbBlue);
            out.push_back(q.rgbGreen);
            out.push_back(q.rgbRed);
        }
    } else {
        BitmapInfoHeader h;
        h.biSize = spec.headerSize;
        h.biWidth = spec.width;
        h.biHeight = spec.height;
        h.biBitCount = spec.bitCount;
        h.biCompression = spec.compression;
        h.biClrUsed = spec.clrUsed;
        // Headers of 52 bytes and more (V2..V5) hold the masks at offset 40;
        // after a 40-byte header they follow it. Shorter headers (OS/2 2.x)
        // are the first bytes of the same layout.
        const bool masksInside = spec.headerSize >= 52;
        out.resize(std::max<std::size_t>({40, spec.headerSize, 40 + 4 * spec.masks.size()}), 0);
        h.Write(out.data());
        if (masksInside)
            for (std::size_t i = 0; i < spec.masks.size(); ++i) WriteU32LE(out.data() + 40 + 4 * i, spec.masks[i]);
        out.resize(spec.headerSize);
        if (!masksInside)
            for (std::uint32_t m : spec.masks) AppendU32LE(out, m);
        for (const RgbQuad& q : spec.table) {
            out.push_back(q.rgbBlue);
            out.push_back(q.rgbGreen);
            out.push_back(q.rgbRed);
            out.push_back(q.rgbReserved);
        }
    }
    return out;
}
}  // namespace

Bytes MakeBmp(const BmpSpec& spec) {
    const Bytes info = InfoPart(spec);
    const std::uint32_t offset = spec.dataOffset ? spec.dataOffset : static_cast<std::uint32_t>(14 + info.size());
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    const std::uint32_t real = offset + static_cast<std::uint32_t>(spec.pixels.size());
    AppendU32LE(out, spec.fileSize ? spec.fileSize : real);
    AppendU32LE(out, 0);
    AppendU32LE(out, offset);
    AppendBytes(out, info.data(), info.size());
    out.resize(offset, 0xEE);  // a gap, when the offset asks for one
    AppendBytes(out, spec.pixels.data(), spec.pixels.size());
    return out;
}

Bytes MakePackedDib(const BmpSpec& spec) {
    Bytes out = InfoPart(spec);
    AppendBytes(out, spec.pixels.data(), spec.pixels.size());
    return out;
}

std::string LoadError(const Bytes& bytes) {
    TQvDIB dib;
    try {
        dib.LoadFromBytes(bytes);
    } catch (const EVornikError& e) {
        return e.what();
    }
    return "";
}

TQvDIB MakeTrueColour(int width, int height, const std::function<RgbQuad(int, int)>& colour) {
    TQvDIB dib;
    dib.CreateDIB(width, height, 0, 24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dib.MutableScanLine(y);
        for (int x = 0; x < width; ++x) {
            const RgbQuad c = colour(x, y);
            row[3 * x] = c.rgbBlue;
            row[3 * x + 1] = c.rgbGreen;
            row[3 * x + 2] = c.rgbRed;
        }
    }
    return dib;
}

RgbQuad PixelOf24(const TQvDIB& dib, int x, int y) {
    const std::uint8_t* p = dib.ScanLine(y) + 3 * x;
    return RgbQuad{p[0], p[1], p[2], 0};
}

int IndexOf(const TQvDIB& dib, int x, int y) {
    const std::uint8_t* row = dib.ScanLine(y);
    switch (dib.GetBitCount()) {
        case 8: return row[x];
        case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
        case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
        default: return -1;
    }
}

}  // namespace vornik::test
