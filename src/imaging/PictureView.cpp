#include "imaging/PictureView.h"

#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

// Colour of pixel x of a stored row of a 15/16-bit (5-5-5) or 32-bit picture.
inline void pixelToBgr(const std::uint8_t* row, int x, int bitCount, std::uint8_t* out) {
    if (bitCount == 32) {
        const std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        return;
    }
    const unsigned v = unsigned(row[2 * x]) | (unsigned(row[2 * x + 1]) << 8);
    out[0] = std::uint8_t((v & 31) << 3);
    out[1] = std::uint8_t(((v >> 5) & 31) << 3);
    out[2] = std::uint8_t(((v >> 10) & 31) << 3);
}

}  // namespace

TQvDIB Decompressed(const TQvDIB& dib) {
    if (!dib.IsCompressed()) return dib;
    // The RLE data decoded straight into indices (same colour table); a
    // pixel-by-pixel copy through a canvas took seconds for large pictures.
    TQvDIB indices = dib;
    indices.ConvertTo256Colors();
    if (dib.GetBitCount() > 4) return indices;
    TQvDIB plain;
    const int w = dib.Width(), h = dib.Height();
    plain.CreateDIB(w, h, 0, 4);
    plain.SetColorTable(dib.ColorTable(), dib.ColorCount());
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = indices.ScanLine(y);
        std::uint8_t* out = plain.MutableScanLine(y);
        for (int x = 0; x + 1 < w; x += 2) out[x >> 1] = static_cast<std::uint8_t>(in[x] << 4 | (in[x + 1] & 0x0F));
        if (w & 1) out[w >> 1] = static_cast<std::uint8_t>(in[w - 1] << 4);
    }
    return plain;
}

TQvDIB ToTwentyFourBits(const TQvDIB& source) {
    const int bits = source.GetBitCount();
    if (bits != 15 && bits != 16 && bits != 32) return source;
    const TQvDIB dib = Decompressed(source);
    TQvDIB out;
    const int w = dib.Width(), h = dib.Height();
    out.CreateDIB(w, dib.IsTopDown() ? -h : h, 0, 24);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = dib.ScanLine(y);
        std::uint8_t* o = out.MutableScanLine(y);
        for (int x = 0; x < w; ++x) pixelToBgr(in, x, bits, o + 3 * static_cast<std::size_t>(x));
    }
    return out;
}

void DIBToView(const TQvDIB& dib, PictureView& view) {
    ByteWriteStream out;
    dib.SaveToStream(out);
    const Bytes bmp = out.Take();
    ByteReadStream in(bmp);
    TQvDIB loaded;
    loaded.LoadFromStream(in);
    loaded = Decompressed(loaded);
    if (const TQvPalette* palette = dib.GetPalette()) {
        const TQvPalette copy = *palette;
        loaded.SetPalette(&copy);
    }
    view = loaded;
}

TQvDIB DrawableSource(const TQvDIB& dib) {
    return dib.GetBitCount() == 15 ? ToTwentyFourBits(dib) : Decompressed(dib);
}

TQvDIB ViewToDIB(const PictureView& view) { return ToTwentyFourBits(Decompressed(view)); }

}  // namespace vornik
