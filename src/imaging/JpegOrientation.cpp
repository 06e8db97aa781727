#include "imaging/JpegOrientation.h"

#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

struct Tiff {
    const std::uint8_t* p;
    std::size_t size;
    bool bigEndian;
    // 0 when [at, at + n) is not inside the block.
    bool has(std::size_t at, std::size_t n) const { return at <= size && n <= size - at; }
    std::uint32_t u16(std::size_t at) const {
        return bigEndian ? (std::uint32_t{p[at]} << 8) | p[at + 1] : (std::uint32_t{p[at + 1]} << 8) | p[at];
    }
    std::uint32_t u32(std::size_t at) const {
        return bigEndian ? (u16(at) << 16) | u16(at + 2) : (u16(at + 2) << 16) | u16(at);
    }
};

int orientationInTiff(const std::uint8_t* p, std::size_t size) {
    if (size < 8) return 1;
    Tiff t{p, size, p[0] == 'M'};
    if (!((p[0] == 'I' && p[1] == 'I') || (p[0] == 'M' && p[1] == 'M')) || t.u16(2) != 42) return 1;
    const std::size_t ifd = t.u32(4);
    if (!t.has(ifd, 2)) return 1;
    const std::size_t count = t.u16(ifd);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + 12 * i;
        if (!t.has(entry, 12)) return 1;
        if (t.u16(entry) != 0x0112) continue;
        // SHORT, one value, held in the entry itself
        if (t.u16(entry + 2) != 3) return 1;
        const std::uint32_t v = t.u16(entry + 8);
        return v >= 1 && v <= 8 ? static_cast<int>(v) : 1;
    }
    return 1;
}

}  // namespace

int JpegExifOrientation(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
    std::size_t p = 2;
    // Markers up to the first frame or scan header; APP1 comes early.
    while (size - p >= 4) {
        if (data[p] != 0xFF) return 1;
        const std::uint8_t marker = data[p + 1];
        if (marker == 0xFF) {
            ++p;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9 || (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                                                 marker != 0xCC))
            return 1;
        const std::size_t length = (std::size_t{data[p + 2]} << 8) | data[p + 3];
        if (length < 2 || length > size - p - 2) return 1;
        const std::uint8_t* body = data + p + 4;
        const std::size_t bodySize = length - 2;
        if (marker == 0xE1 && bodySize >= 6 && body[0] == 'E' && body[1] == 'x' && body[2] == 'i' && body[3] == 'f' &&
            body[4] == 0 && body[5] == 0)
            return orientationInTiff(body + 6, bodySize - 6);
        p += 2 + length;
    }
    return 1;
}

TQvDIB ApplyExifOrientation(const TQvDIB& source, int orientation) {
    if (orientation < 2 || orientation > 8) return source;
    const TQvDIB picture = DrawableSource(source);
    const TQvDIBSourceSurface in(picture);
    const RasterSurface& s = in.Surface();
    const bool swap = orientation >= 5;
    const int w = swap ? s.height : s.width, h = swap ? s.width : s.height;
    TQvDIB out;
    out.CreateDIB(w, h, 0, picture.GetBitCount());
    out.SetColorTable(picture.ColorTable(), picture.ColorCount());
    TQvDIBCanvas canvas(out);
    const RasterSurface o = canvas.Surface();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // The source pixel shown at (x, y) of the upright picture.
            int sx = x, sy = y;
            switch (orientation) {
                case 2: sx = s.width - 1 - x; break;
                case 3: sx = s.width - 1 - x; sy = s.height - 1 - y; break;
                case 4: sy = s.height - 1 - y; break;
                case 5: sx = y; sy = x; break;
                case 6: sx = y; sy = s.height - 1 - x; break;
                case 7: sx = s.width - 1 - y; sy = s.height - 1 - x; break;
                case 8: sx = s.width - 1 - y; sy = x; break;
            }
            WriteRawPixel(o, x, y, ReadRawPixel(s, sx, sy));
        }
    return out;
}

}  // namespace vornik
