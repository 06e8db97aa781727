#include "imaging/AlphaSplit.h"

#include <algorithm>

namespace vornik {

void SplitAlpha(const TQvDIB& rgba, TQvDIB& image, TQvDIB& mask) {
    if (rgba.GetBitCount() != 32) throw EQvDIBInvalidDIB("SplitAlpha: Invalid BitCount");
    const int w = rgba.Width(), h = rgba.Height();
    const int signedH = rgba.IsTopDown() ? -h : h;
    TQvDIB outImage, outMask;
    outImage.CreateDIB(w, signedH, 0, 24);
    outMask.CreateDIB(w, signedH, 0, 24);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = rgba.ScanLine(y);
        std::uint8_t* ir = outImage.MutableScanLine(y);
        std::uint8_t* mr = outMask.MutableScanLine(y);
        for (int x = 0; x < w; ++x) {
            std::copy_n(in + 4 * x, 3, ir + 3 * x);
            std::fill_n(mr + 3 * x, 3, in[4 * x + 3] < 128 ? 255 : 0);
        }
    }
    image = outImage;
    mask = outMask;
}

TQvDIB JoinAlpha(const TQvDIB& image, const TQvDIB& mask) {
    if (image.Width() != mask.Width() || image.Height() != mask.Height())
        throw EQvDIBInvalidDIBPara("JoinAlpha: Invalid Size");
    TQvDIB colour = image, m = mask;
    colour.ConvertToTrueColor();
    m.ConvertToTrueColor();
    const int w = image.Width(), h = image.Height();
    TQvDIB out;
    out.CreateDIB(w, -h, 0, 32);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* c = colour.ScanLine(colour.IsTopDown() ? y : h - 1 - y);
        const std::uint8_t* a = m.ScanLine(m.IsTopDown() ? y : h - 1 - y);
        std::uint8_t* o = out.MutableScanLine(y);
        for (int x = 0; x < w; ++x) {
            const bool transparent = (a[3 * x] + a[3 * x + 1] + a[3 * x + 2]) / 3 >= 129;
            std::copy_n(c + 3 * x, 3, o + 4 * x);
            o[4 * x + 3] = transparent ? 0 : 255;
            if (transparent) std::fill_n(o + 4 * x, 3, 0);
        }
    }
    return out;
}

}  // namespace vornik
