#include "app/ComposedPreview.h"

#include "imaging/AlphaBlend.h"
#include "imaging/AlphaMask.h"
#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

TQvDIB ComposePreview(const TQvDIB& image, const TQvDIB& mask, RasterColor background) {
    TQvDIB out;
    out.CreateDIB(image.Width(), image.Height(), 0, 24);
    TQvDIBCanvas canvas(out);
    canvas.FillRect(0, 0, image.Width(), image.Height(), background);
    if (AlphaInUse(image)) {
        // Shown as it will be stored: mask edits count where they differ.
        TQvDIB stored = image;
        if (mask.Width() == image.Width() && mask.Height() == image.Height()) StoreAlphaFromMask(stored, mask);
        AlphaBlendOnto(canvas, 0, 0, stored);
        return out;
    }
    const TQvDIB source = DrawableSource(image);
    if (mask.Width() != image.Width() || mask.Height() != image.Height()) {
        canvas.BitBlt(0, 0, image.Width(), image.Height(), source, 0, 0, RasterOp::SrcCopy);
        return out;
    }
    // A scaled mask may hold greys: only pure white is transparent, as when stored.
    TQvDIB mono = DrawableSource(mask);
    mono.ConvertToMono();
    canvas.BitBlt(0, 0, image.Width(), image.Height(), mono, 0, 0, RasterOp::SrcAnd);
    canvas.BitBlt(0, 0, image.Width(), image.Height(), source, 0, 0, RasterOp::SrcInvert);
    return out;
}

}  // namespace vornik
