#include "app/IconCheck.h"

#include "imaging/AlphaBlend.h"
#include "imaging/AlphaMask.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

const std::array<RasterColor, 16>& IconCheckColors() {
    static const std::array<RasterColor, 16> colors = {
        RgbColor(0, 0, 0),       RgbColor(128, 0, 0),   RgbColor(0, 128, 0),   RgbColor(128, 128, 0),
        RgbColor(0, 0, 128),     RgbColor(128, 0, 128), RgbColor(0, 128, 128), RgbColor(192, 192, 192),
        RgbColor(128, 128, 128), RgbColor(255, 0, 0),   RgbColor(0, 255, 0),   RgbColor(255, 255, 0),
        RgbColor(0, 0, 255),     RgbColor(255, 0, 255), RgbColor(0, 255, 255), RgbColor(255, 255, 255),
    };
    return colors;
}

TQvDIB RenderIconCheck(const TQvDIB* image, const TQvDIB* mask, RasterColor background, int stretchbltmode) {
    constexpr int kSide = 161;
    TQvDIB preview;
    preview.CreateDIB(kSide, kSide, 0, 24);
    TQvDIBCanvas canvas(preview);
    canvas.FillRect(0, 0, kSide, kSide, background);
    if (!image || !mask) return preview;
    if (AlphaInUse(*image)) {
        // A picture with alpha is judged as it is drawn: blended, not masked.
        AlphaBlendStretched(canvas, 0, 0, kSide - 1, kSide - 1, *image);
        return preview;
    }
    canvas.SetStretchBltMode(StretchModeOfSetting(stretchbltmode));
    const TQvDIB maskSource = DrawableSource(*mask);
    const TQvDIB imageSource = DrawableSource(*image);
    // The last column and row keep the fill colour.
    canvas.StretchBlt(0, 0, kSide - 1, kSide - 1, maskSource, 0, 0, image->Width(), image->Height(),
                      RasterOp::SrcAnd);
    canvas.StretchBlt(0, 0, kSide - 1, kSide - 1, imageSource, 0, 0, image->Width(), image->Height(),
                      RasterOp::SrcInvert);
    return preview;
}

}  // namespace vornik
