#include "imaging/AlphaPlanes.h"

#include <algorithm>

#include "imaging/QvDIBErrors.h"

namespace vornik {

AlphaPlanes SplitPlanes(const TQvDIB& image, bool premultiply) {
    if (!HasAlphaChannel(image)) throw EQvDIBInvalidDIBPara("SplitPlanes: not a 32-bit picture");
    const int w = image.Width(), h = image.Height();
    const int height = image.IsTopDown() ? -h : h;
    AlphaPlanes planes;
    planes.colour.CreateDIB(w, height, 0, 24);
    planes.alpha.CreateDIB(w, height, 0, 24);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = image.ScanLine(y);
        std::uint8_t* c = planes.colour.MutableScanLine(y);
        std::uint8_t* a = planes.alpha.MutableScanLine(y);
        for (int x = 0; x < w; ++x, in += 4, c += 3, a += 3) {
            const unsigned alpha = in[3];
            for (int k = 0; k < 3; ++k)
                c[k] = premultiply ? static_cast<std::uint8_t>((in[k] * alpha + 127) / 255) : in[k];
            a[0] = a[1] = a[2] = static_cast<std::uint8_t>(alpha);
        }
    }
    return planes;
}

TQvDIB JoinPlanes(const AlphaPlanes& planes, bool premultiplied) {
    const TQvDIB& colour = planes.colour;
    const TQvDIB& alpha = planes.alpha;
    if (colour.GetBitCount() != 24 || alpha.GetBitCount() != 24 || colour.Width() != alpha.Width() ||
        colour.Height() != alpha.Height() || colour.IsTopDown() != alpha.IsTopDown())
        throw EQvDIBInvalidDIBPara("JoinPlanes: the planes differ");
    const int w = colour.Width(), h = colour.Height();
    TQvDIB out;
    out.CreateDIB(w, colour.IsTopDown() ? -h : h, 0, 32);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* c = colour.ScanLine(y);
        const std::uint8_t* a = alpha.ScanLine(y);
        std::uint8_t* o = out.MutableScanLine(y);
        for (int x = 0; x < w; ++x, c += 3, a += 3, o += 4) {
            const unsigned value = a[1];
            o[3] = static_cast<std::uint8_t>(value);
            for (int k = 0; k < 3; ++k) {
                if (!premultiplied)
                    o[k] = c[k];
                else if (value == 0)
                    o[k] = 0;
                else
                    o[k] = static_cast<std::uint8_t>(std::min(255u, (c[k] * 255u + value / 2) / value));
            }
        }
    }
    return out;
}

}  // namespace vornik
