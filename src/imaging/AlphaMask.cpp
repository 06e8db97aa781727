#include "imaging/AlphaMask.h"

#include <algorithm>

#include "imaging/PictureView.h"
#include "imaging/QvDIBErrors.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

// Alpha of displayed pixel (x, y) of an uncompressed 32-bit picture.
inline std::uint8_t alphaAt(const RasterSurface& s, int x, int y) { return s.row(y)[4 * static_cast<std::size_t>(x) + 3]; }

inline bool maskIsWhite(RasterColor c) { return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3 >= 129; }

}  // namespace

bool HasAlphaChannel(const TQvDIB& image) { return image.GetBitCount() == 32 && !image.IsCompressed(); }

bool AlphaInUse(const TQvDIB& image) {
    if (!HasAlphaChannel(image) || image.Width() <= 0) return false;
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < image.Width(); ++x)
            if (row[4 * static_cast<std::size_t>(x) + 3] != 0) return true;
    }
    return false;
}

void FoldAlphaIntoMask(const TQvDIB& image, TQvDIB& mask) {
    if (!HasAlphaChannel(image)) return;
    if (mask.Width() != image.Width() || mask.Height() != image.Height())
        throw EQvDIBInvalidDIBPara("FoldAlphaIntoMask: the mask is not of the image's size");
    const TQvDIBSourceSurface source(image);
    const RasterSurface& in = source.Surface();
    TQvDIBCanvas canvas(mask);
    const RasterSurface out = canvas.Surface();
    RasterColorEncoder encoder(out);
    const std::uint32_t white = encoder.encode(kRasterWhite);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x)
            if (alphaAt(in, x, y) < kOpaqueAlpha) WriteRawPixel(out, x, y, white);
}

TQvDIB FlattenAlpha(const TQvDIB& image) {
    if (!HasAlphaChannel(image)) return image;
    TQvDIB out;
    const int w = image.Width(), h = image.Height();
    out.CreateDIB(w, image.IsTopDown() ? -h : h, 0, 24);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = image.ScanLine(y);
        std::uint8_t* o = out.MutableScanLine(y);
        for (int x = 0; x < w; ++x, in += 4, o += 3)
            if (in[3] >= kOpaqueAlpha) std::copy_n(in, 3, o);
    }
    return out;
}

TQvDIB WithAlphaFromMask(const TQvDIB& image, const TQvDIB& mask) {
    if (mask.Width() != image.Width() || mask.Height() != image.Height())
        throw EQvDIBInvalidDIBPara("WithAlphaFromMask: the mask is not of the image's size");
    const TQvDIB imagePixels = DrawableSource(image), maskPixels = DrawableSource(mask);
    const TQvDIBSourceSurface imageSource(imagePixels);
    const TQvDIBSourceSurface maskSource(maskPixels);
    const RasterSurface& in = imageSource.Surface();
    const RasterSurface& m = maskSource.Surface();
    const bool ownAlpha = HasAlphaChannel(image);
    TQvDIB out;
    out.CreateDIB(in.width, in.height, 0, 32);
    for (int y = 0; y < in.height; ++y) {
        std::uint8_t* row = out.MutableScanLine(in.height - 1 - y);
        for (int x = 0; x < in.width; ++x) {
            std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
            if (maskIsWhite(ReadPixelColor(m, x, y))) continue;  // transparent: all zero
            const RasterColor c = ReadPixelColor(in, x, y);
            p[0] = BlueOf(c);
            p[1] = GreenOf(c);
            p[2] = RedOf(c);
            p[3] = ownAlpha ? alphaAt(in, x, y) : 255;
        }
    }
    return out;
}

TQvDIB MaskFromAlpha(const TQvDIB& image) {
    const int w = image.Width(), h = image.Height();
    TQvDIB mask;
    mask.CreateDIB(w, h, 0, 24);
    if (!HasAlphaChannel(image)) return mask;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = image.ScanLine(image.IsTopDown() ? h - 1 - y : y);
        std::uint8_t* out = mask.MutableScanLine(y);
        for (int x = 0; x < w; ++x)
            if (in[4 * static_cast<std::size_t>(x) + 3] < kOpaqueAlpha) std::fill_n(out + 3 * static_cast<std::size_t>(x), 3, 255);
    }
    return mask;
}

void StoreAlphaFromMask(TQvDIB& image, const TQvDIB& mask) {
    if (!AlphaInUse(image)) return;
    if (mask.Width() != image.Width() || mask.Height() != image.Height())
        throw EQvDIBInvalidDIBPara("StoreAlphaFromMask: the mask is not of the image's size");
    const TQvDIB maskPixels = DrawableSource(mask);
    const TQvDIBSourceSurface maskSource(maskPixels);
    const RasterSurface& m = maskSource.Surface();
    const int h = image.Height();
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = nullptr;  // made private only when a pixel changes
        for (int x = 0; x < image.Width(); ++x) {
            const bool transparent = maskIsWhite(ReadPixelColor(m, x, y));
            const std::size_t at = 4 * static_cast<std::size_t>(x) + 3;
            const int stored = image.IsTopDown() ? y : h - 1 - y;
            const std::uint8_t alpha = image.ScanLine(stored)[at];
            if (transparent == (alpha < kOpaqueAlpha)) continue;
            if (!row) row = image.MutableScanLine(stored);
            row[at] = transparent ? 0 : 255;
        }
    }
}

}  // namespace vornik
