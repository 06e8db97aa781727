#include "model/EntryPixels.h"

#include <cstring>
#include <string>

#include "imaging/BitmapInfoHeader.h"
#include "platform/Errors.h"

namespace vornik {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3;

// Position and width of a channel mask, for 16-bit pixels with bit fields.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    std::uint8_t take(std::uint32_t v) const {
        if (mask == 0 || bits == 0) return 0;
        const std::uint32_t c = (v & mask) >> shift;
        const std::uint32_t max = (1u << bits) - 1;
        return static_cast<std::uint8_t>((c * 255 + max / 2) / max);
    }
    static Channel of(std::uint32_t mask) {
        Channel c;
        c.mask = mask;
        if (mask == 0) return c;
        while (!(mask & 1u)) {
            mask >>= 1;
            ++c.shift;
        }
        while (mask & 1u) {
            mask >>= 1;
            ++c.bits;
        }
        if (c.bits > 16) c.bits = 16;
        return c;
    }
};

}  // namespace

BgraPicture EntryToBgra(const IconEntry& entry, int* invertedPixels) {
    if (invertedPixels) *invertedPixels = 0;
    if (entry.InfoHeader.size() < BitmapInfoHeader::kSize)
        throw EVornikError(Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "the entry holds no image")));
    const BitmapInfoHeader h = BitmapInfoHeader::Read(entry.InfoHeader.data());
    const int bits = h.biBitCount;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 4096 || h.biHeight > 4096 || h.biHeight < -4096)
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "the entry's size %1 x %2 is not supported"),
                    {h.biWidth, h.biHeight}));
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw EVornikError(Message(
            "Entries", VORNIK_TRANSLATE_NOOP("Entries", "entries of %1 bits per pixel are not supported"),
            {bits}));
    if (h.biCompression != kBiRgb && !(h.biCompression == kBiBitfields && (bits == 16 || bits == 32)))
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "compressed entries are not supported")));
    const int w = h.biWidth;
    const bool topDown = h.biHeight < 0;
    const int ht = topDown ? -h.biHeight : h.biHeight;
    const std::size_t xorRow = static_cast<std::size_t>(RowBytes(std::int64_t{w} * bits));
    const std::size_t andRow = static_cast<std::size_t>(RowBytes(w));
    if (entry.XorBits.size() < xorRow * static_cast<std::size_t>(ht))
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "the entry's image rows are cut short")));
    const bool haveMask = entry.AndBits.size() >= andRow * static_cast<std::size_t>(ht);

    const std::uint8_t* table = entry.InfoHeader.data() + BitmapInfoHeader::kSize;
    const std::size_t tableSize = (entry.InfoHeader.size() - BitmapInfoHeader::kSize) / 4;
    Channel red = Channel::of(0x7C00), green = Channel::of(0x03E0), blue = Channel::of(0x001F);
    if (h.biCompression == kBiBitfields && tableSize >= 3) {
        red = Channel::of(ReadU32LE(table));
        green = Channel::of(ReadU32LE(table + 4));
        blue = Channel::of(ReadU32LE(table + 8));
    }

    BgraPicture out;
    out.width = w;
    out.height = ht;
    out.bgra.assign(static_cast<std::size_t>(w) * ht * 4, 0);
    bool anyAlpha = false;
    for (int y = 0; y < ht; ++y) {
        const std::size_t stored = static_cast<std::size_t>(topDown ? y : ht - 1 - y);
        const std::uint8_t* row = entry.XorBits.data() + stored * xorRow;
        std::uint8_t* o = out.bgra.data() + static_cast<std::size_t>(y) * w * 4;
        for (int x = 0; x < w; ++x, o += 4) {
            std::uint32_t index = 0;
            switch (bits) {
                case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1u; break;
                case 4: index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu; break;
                case 8: index = row[x]; break;
                case 16: {
                    const std::uint32_t v = ReadU16LE(row + 2 * x);
                    o[0] = blue.take(v);
                    o[1] = green.take(v);
                    o[2] = red.take(v);
                    continue;
                }
                case 24: std::memcpy(o, row + 3 * x, 3); continue;
                default:
                    std::memcpy(o, row + 4 * x, 4);
                    anyAlpha = anyAlpha || o[3] != 0;
                    continue;
            }
            if (index < tableSize) std::memcpy(o, table + 4 * index, 3);
        }
    }
    if (bits == 32 && anyAlpha) return out;

    for (int y = 0; y < ht; ++y) {
        const std::size_t stored = static_cast<std::size_t>(topDown ? y : ht - 1 - y);
        const std::uint8_t* mask = haveMask ? entry.AndBits.data() + stored * andRow : nullptr;
        std::uint8_t* o = out.bgra.data() + static_cast<std::size_t>(y) * w * 4;
        for (int x = 0; x < w; ++x, o += 4) {
            const bool transparent = mask && ((mask[x >> 3] >> (7 - (x & 7))) & 1u);
            if (!transparent) {
                o[3] = 255;
            } else if (o[0] | o[1] | o[2]) {
                o[0] = o[1] = o[2] = 0;
                o[3] = 255;
                if (invertedPixels) ++*invertedPixels;
            } else {
                o[3] = 0;
            }
        }
    }
    return out;
}

void BgraToEntry(const BgraPicture& picture, IconEntry& entry) {
    const int w = picture.width, h = picture.height;
    if (w <= 0 || h <= 0 || picture.bgra.size() != static_cast<std::size_t>(w) * h * 4)
        throw EVornikError(
            Message("Entries",
                    VORNIK_TRANSLATE_NOOP("Entries", "a picture of %1 x %2 cannot become an entry"), {w, h}));
    const std::size_t xorRow = static_cast<std::size_t>(w) * 4;
    const std::size_t andRow = static_cast<std::size_t>(RowBytes(w));
    BitmapInfoHeader header;
    header.biWidth = w;
    header.biHeight = h;
    header.biBitCount = 32;
    header.biSizeImage = static_cast<std::uint32_t>(xorRow * static_cast<std::size_t>(h));
    Bytes info(BitmapInfoHeader::kSize, 0);
    header.Write(info.data());
    Bytes xorBits(xorRow * static_cast<std::size_t>(h), 0);
    Bytes andBits(andRow * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = picture.bgra.data() + static_cast<std::size_t>(y) * xorRow;
        const std::size_t stored = static_cast<std::size_t>(h - 1 - y);
        std::memcpy(xorBits.data() + stored * xorRow, in, xorRow);
        std::uint8_t* mask = andBits.data() + stored * andRow;
        for (int x = 0; x < w; ++x)
            if (in[4 * x + 3] == 0) mask[x >> 3] = static_cast<std::uint8_t>(mask[x >> 3] | (0x80u >> (x & 7)));
    }
    entry.InfoHeader = std::move(info);
    entry.XorBits = std::move(xorBits);
    entry.XorSize = static_cast<std::int32_t>(entry.XorBits.size());
    entry.AndBits = std::move(andBits);
    entry.AndSize = static_cast<std::int32_t>(entry.AndBits.size());
    entry.Width = static_cast<std::uint8_t>(w);
    entry.Height = static_cast<std::uint8_t>(h);
    entry.ColorCount = 0;
    entry.EntryReserved = 0;
    entry.ImageSize = static_cast<std::uint32_t>(BitmapInfoHeader::kSize + entry.XorBits.size() + entry.AndBits.size());
}

}  // namespace vornik
