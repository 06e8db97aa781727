#include "imaging/PictureRgba.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/AlphaMask.h"
#include "imaging/PictureView.h"
#include "imaging/ScaleArea.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

namespace {

int shrunkSide(int side, int longer, int maxSide) {
    return static_cast<int>(std::max<long long>(1, static_cast<long long>(side) * maxSide / longer));
}

}  // namespace

TQvDIB PictureRgba(const TQvDIB& picture, const PictureRgbaOptions& options) {
    const bool ownAlpha = HasAlphaChannel(picture);
    const TQvDIB pixels = DrawableSource(picture);
    const TQvDIBSourceSurface source(pixels);
    const RasterSurface& s = source.Surface();
    const int w = s.width, h = s.height;

    bool clear = false;
    RasterColor key = 0;
    if (options.clearColourAt) {
        const auto [x, y] = *options.clearColourAt;
        if (!s.contains(x, y)) throw EQvDIBInvalidDIBPara("PictureRgba: the colour point lies outside");
        clear = true;
        key = ReadPixelColor(s, x, y);
    }

    // Rows are handed over bottom first, as they are stored in the result.
    std::vector<std::uint8_t> row(4 * static_cast<std::size_t>(w));
    auto bottomUpRow = [&](int y) -> const std::uint8_t* {
        const int top = h - 1 - y;
        std::uint8_t* p = row.data();
        if (ownAlpha) {
            std::memcpy(p, s.row(top), row.size());
        } else if (s.bitCount == 24) {
            const std::uint8_t* in = s.row(top);
            for (int x = 0; x < w; ++x, in += 3, p += 4) {
                p[0] = in[0];
                p[1] = in[1];
                p[2] = in[2];
                p[3] = 255;
            }
        } else {
            for (int x = 0; x < w; ++x, p += 4) {
                const RasterColor c = ReadPixelColor(s, x, top);
                p[0] = BlueOf(c);
                p[1] = GreenOf(c);
                p[2] = RedOf(c);
                p[3] = 255;
            }
        }
        if (clear) {
            p = row.data();
            for (int x = 0; x < w; ++x, p += 4)
                if (p[0] == BlueOf(key) && p[1] == GreenOf(key) && p[2] == RedOf(key)) p[0] = p[1] = p[2] = p[3] = 0;
        }
        return row.data();
    };

    const int longer = std::max(w, h);
    const bool shrink = options.maxSide > 0 && longer > options.maxSide;
    const int outW = shrink ? shrunkSide(w, longer, options.maxSide) : w;
    const int outH = shrink ? shrunkSide(h, longer, options.maxSide) : h;
    TQvDIB out;
    out.CreateDIB(outW, outH, 0, 32);
    const std::size_t stride = static_cast<std::size_t>(out.Stride());
    if (!shrink) {
        for (int y = 0; y < h; ++y) std::memcpy(out.MutableScanLine(y), bottomUpRow(y), row.size());
    } else if (options.nearest) {
        ScaleNearestRows(bottomUpRow, w, h, out.MutablePixels(), outW, outH, stride);
    } else {
        ScaleAreaRows(bottomUpRow, w, h, out.MutablePixels(), outW, outH, stride);
    }
    return out;
}

}  // namespace vornik
