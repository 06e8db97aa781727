#include "imaging/MaskOps.h"

#include <algorithm>

#include "imaging/AlphaMask.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

// Views hold uncompressed pictures; one of 15 bits is taken to 24 so it can
// be drawn on (the colours read the same).
void makeDrawable(PictureView& view) { view = DrawableSource(view); }

// Calls f(x, y, maskColour) for every position of the image view's size that
// the mask view also has, writing what f answers (or nothing for kKeep).
constexpr RasterColor kKeep = 0xFFFFFFFFu;

template <typename F>
void rewriteMask(const PictureView& imageView, PictureView& maskView, F f) {
    makeDrawable(maskView);
    TQvDIBCanvas canvas(maskView);
    const RasterSurface mask = canvas.Surface();
    RasterWriter writer(mask, RasterOp::SrcCopy);
    const int w = std::min(imageView.Width(), mask.width), h = std::min(imageView.Height(), mask.height);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const RasterColor c = f(x, y, ReadPixelColor(mask, x, y));
            if (c != kKeep) writer.put(x, y, c);
        }
}

void markColour(PictureView& imageView, PictureView& maskView, RasterColor k, bool replace) {
    const TQvDIB image = DrawableSource(imageView);
    const TQvDIBSourceSurface src(image);
    const RasterSurface& in = src.Surface();
    k &= 0xFFFFFF;
    rewriteMask(imageView, maskView, [&](int x, int y, RasterColor) {
        if (ReadPixelColor(in, x, y) == k) return kRasterWhite;
        return replace ? kRasterBlack : kKeep;
    });
}

}  // namespace

void AutoMask(PictureView& imageView, PictureView& maskView, RasterColor k, bool automaskplus) {
    markColour(imageView, maskView, k, true);
    if (automaskplus) CompleteImage(imageView, maskView);
}

void AutoMaskAdd(PictureView& imageView, PictureView& maskView, RasterColor k, bool automaskplus) {
    markColour(imageView, maskView, k, false);
    if (automaskplus) CompleteImage(imageView, maskView);
}

void CompleteImage(PictureView& imageView, PictureView& maskView) {
    const TQvDIB maskPicture = DrawableSource(maskView);
    const TQvDIBSourceSurface src(maskPicture);
    const RasterSurface& mask = src.Surface();
    makeDrawable(imageView);
    TQvDIBCanvas canvas(imageView);
    const RasterSurface image = canvas.Surface();
    RasterWriter writer(image, RasterOp::SrcCopy);
    const int w = std::min(image.width, mask.width), h = std::min(image.height, mask.height);
    // A picture drawn by alpha keeps the colour of its faint pixels: only
    // what is fully transparent already may turn black.
    const bool alpha = AlphaInUse(imageView);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ReadPixelColor(mask, x, y) == kRasterWhite && (!alpha || image.row(y)[4 * std::size_t(x) + 3] == 0))
                writer.put(x, y, kRasterBlack);
}

void InvertMask(const PictureView& imageView, PictureView& maskView) {
    rewriteMask(imageView, maskView,
                [](int, int, RasterColor m) { return m == kRasterBlack ? kRasterWhite : kRasterBlack; });
}

void FillMask(const PictureView& imageView, PictureView& maskView) {
    rewriteMask(imageView, maskView, [](int, int, RasterColor) { return kRasterWhite; });
}

RasterColor PickedColor(const PictureView& imageView, int x, int y) {
    const TQvDIB image = DrawableSource(imageView);
    const TQvDIBSourceSurface src(image);
    const RasterSurface& in = src.Surface();
    return in.contains(x, y) ? ReadPixelColor(in, x, y) : kKeep;
}

}  // namespace vornik
