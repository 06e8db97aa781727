#include "imaging/RasterSurface.h"

namespace vornik {

std::uint32_t ReadRawPixel(const RasterSurface& s, int x, int y) {
    const std::uint8_t* r = s.row(y);
    switch (s.bitCount) {
        case 1:
            return (r[x >> 3] >> (7 - (x & 7))) & 1u;
        case 4:
            return (x & 1) ? (r[x >> 1] & 0x0Fu) : (r[x >> 1] >> 4);
        case 8:
            return r[x];
        case 16:
            return std::uint32_t(r[2 * x]) | (std::uint32_t(r[2 * x + 1]) << 8);
        case 24: {
            const std::uint8_t* p = r + 3 * std::size_t(x);
            return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
        }
        case 32: {
            const std::uint8_t* p = r + 4 * std::size_t(x);
            return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
        }
        default:
            return 0;
    }
}

void WriteRawPixel(const RasterSurface& s, int x, int y, std::uint32_t v) {
    std::uint8_t* r = s.row(y);
    switch (s.bitCount) {
        case 1: {
            const std::uint8_t bit = std::uint8_t(0x80u >> (x & 7));
            r[x >> 3] = (v & 1) ? std::uint8_t(r[x >> 3] | bit) : std::uint8_t(r[x >> 3] & ~bit);
            break;
        }
        case 4:
            if (x & 1)
                r[x >> 1] = std::uint8_t((r[x >> 1] & 0xF0) | (v & 0x0F));
            else
                r[x >> 1] = std::uint8_t((r[x >> 1] & 0x0F) | ((v & 0x0F) << 4));
            break;
        case 8:
            r[x] = std::uint8_t(v);
            break;
        case 16:
            r[2 * x] = std::uint8_t(v);
            r[2 * x + 1] = std::uint8_t(v >> 8);
            break;
        case 24: {
            std::uint8_t* p = r + 3 * std::size_t(x);
            p[0] = std::uint8_t(v);
            p[1] = std::uint8_t(v >> 8);
            p[2] = std::uint8_t(v >> 16);
            break;
        }
        case 32: {
            std::uint8_t* p = r + 4 * std::size_t(x);
            p[0] = std::uint8_t(v);
            p[1] = std::uint8_t(v >> 8);
            p[2] = std::uint8_t(v >> 16);
            p[3] = 0;
            break;
        }
        default:
            break;
    }
}

// Packed true-colour values hold blue in the low byte (the memory order
// blue, green, red); 16-bit values are 5-5-5 with red on top.
RasterColor RawToColor(const RasterSurface& s, std::uint32_t raw) {
    switch (s.bitCount) {
        case 1:
        case 4:
        case 8:
            return s.tableColor(raw);
        case 16:
            return RgbColor(std::uint8_t(((raw >> 10) & 31) << 3), std::uint8_t(((raw >> 5) & 31) << 3),
                            std::uint8_t((raw & 31) << 3));
        default:
            return RgbColor(std::uint8_t(raw >> 16), std::uint8_t(raw >> 8), std::uint8_t(raw));
    }
}

std::uint32_t NearestTableIndex(const std::uint8_t* table, int count, RasterColor c) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    std::uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* q = table + 4 * i;
        const int dr = q[2] - r, dg = q[1] - g, db = q[0] - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = std::uint32_t(i);
            if (d == 0) break;
        }
    }
    return best;
}

RasterColorEncoder::RasterColorEncoder(const RasterSurface& s) : s_(s) {}

std::uint32_t RasterColorEncoder::encode(RasterColor c) {
    c &= 0xFFFFFF;
    switch (s_.bitCount) {
        case 16:
            return ((std::uint32_t(RedOf(c)) >> 3) << 10) | ((std::uint32_t(GreenOf(c)) >> 3) << 5) |
                   (std::uint32_t(BlueOf(c)) >> 3);
        case 24:
        case 32:
            return std::uint32_t(BlueOf(c)) | (std::uint32_t(GreenOf(c)) << 8) |
                   (std::uint32_t(RedOf(c)) << 16);
        default:
            break;
    }
    const std::uint32_t key = c | (1u << 24);
    if (!cache_) cache_ = std::make_unique<std::array<Slot, 4096>>();
    Slot& slot = (*cache_)[((c * 2654435761u) >> 20) & 4095u];
    if (slot.key != key) {
        slot.key = key;
        slot.index = NearestTableIndex(s_.colorTable, s_.colorCount, c);
    }
    return slot.index;
}

}  // namespace vornik

namespace vornik {

std::array<std::uint32_t, 256> BuildIndexMap(const RasterSurface& src, const RasterSurface& dst) {
    std::array<std::uint32_t, 256> map{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        const RasterColor c = src.tableColor(i);
        if (i < std::uint32_t(dst.colorCount) && dst.tableColor(i) == c)
            map[i] = i;
        else
            map[i] = NearestTableIndex(dst.colorTable, dst.colorCount, c);
    }
    return map;
}

}  // namespace vornik
