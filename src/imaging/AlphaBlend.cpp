#include "imaging/AlphaBlend.h"

#include "imaging/AlphaMask.h"
#include "imaging/QvDIBErrors.h"
#include "imaging/RasterDraw.h"
#include "imaging/ScaleArea.h"

namespace vornik {

namespace {

std::uint8_t mix(int over, int under, int alpha) { return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255); }

}  // namespace

void AlphaBlendOnto(TQvDIBCanvas& canvas, int x, int y, const TQvDIB& rgba) {
    if (!HasAlphaChannel(rgba)) throw EQvDIBInvalidDIBPara("AlphaBlendOnto: the picture has no alpha channel");
    const RasterSurface s = canvas.Surface();
    const int h = rgba.Height();
    for (int py = 0; py < h; ++py) {
        const int ty = y + py;
        if (ty < 0 || ty >= s.height) continue;
        const std::uint8_t* in = rgba.ScanLine(rgba.IsTopDown() ? py : h - 1 - py);
        for (int px = 0; px < rgba.Width(); ++px, in += 4) {
            const int tx = x + px;
            const int a = in[3];
            if (tx < 0 || tx >= s.width || a == 0) continue;
            if (a == 255) {
                SetSurfacePixel(s, tx, ty, RgbColor(in[2], in[1], in[0]));
                continue;
            }
            const RasterColor under = ReadPixelColor(s, tx, ty);
            SetSurfacePixel(s, tx, ty,
                            RgbColor(mix(in[2], RedOf(under), a), mix(in[1], GreenOf(under), a),
                                     mix(in[0], BlueOf(under), a)));
        }
    }
}

void AlphaBlendStretched(TQvDIBCanvas& canvas, int x, int y, int w, int h, const TQvDIB& rgba) {
    if (w <= 0 || h <= 0) return;
    if (w == rgba.Width() && h == rgba.Height()) {
        AlphaBlendOnto(canvas, x, y, rgba);
        return;
    }
    const bool shrinking = w < rgba.Width() || h < rgba.Height();
    AlphaBlendOnto(canvas, x, y, shrinking ? ScaleArea(rgba, w, h) : ScaleNearest(rgba, w, h));
}

}  // namespace vornik
