#include "formats/IconComposite.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vornik {

namespace {

std::uint8_t mix(int over, int under, int alpha) {
    return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

TQvDIB BottomUp(const TQvDIB& picture) {
    if (!picture.IsTopDown()) return picture;
    TQvDIB out;
    const int h = picture.Height();
    out.CreateDIB(picture.Width(), h, 0, picture.GetBitCount());
    for (int y = 0; y < h; ++y)
        std::memcpy(out.MutableScanLine(h - 1 - y), picture.ScanLine(y),
                    static_cast<std::size_t>(picture.Stride()));
    return out;
}

double ContentRadius(const TQvDIB& picture) {
    const int w = picture.Width(), h = picture.Height();
    const double cx = w / 2.0, cy = h / 2.0;
    double far2 = 0;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = picture.ScanLine(y);
        // The row's own distance is the same whichever order rows are in: the
        // centre is the middle of the picture.
        const double dy = std::max(std::abs(y - cy), std::abs(y + 1 - cy));
        for (int x = 0; x < w; ++x) {
            if (row[4 * x + 3] == 0) continue;
            const double dx = std::max(std::abs(x - cx), std::abs(x + 1 - cx));
            far2 = std::max(far2, dx * dx + dy * dy);
        }
    }
    return std::sqrt(far2) / std::max(w, h);
}

int InsetSide(double contentRadius, double radius, int canvasSide) {
    if (contentRadius <= 0) return canvasSide;
    // A pixel of margin for the anti-aliasing of a drawing made at that size.
    const int side = static_cast<int>(std::floor((radius - 1.0) / contentRadius));
    return std::clamp(side, 1, canvasSide);
}

TQvDIB Centred(const TQvDIB& picture, int side) {
    const TQvDIB in = BottomUp(picture);
    TQvDIB out;
    out.CreateDIB(side, side, 0, 32);  // transparent
    const int w = std::min(in.Width(), side), h = std::min(in.Height(), side);
    const int left = (side - w) / 2, bottom = (side - h + 1) / 2;
    for (int y = 0; y < h; ++y)
        std::memcpy(out.MutableScanLine(bottom + y) + 4 * static_cast<std::size_t>(left), in.ScanLine(y),
                    4 * static_cast<std::size_t>(w));
    return out;
}

TQvDIB OverColour(const TQvDIB& picture, Rgb colour) {
    TQvDIB out = BottomUp(picture);
    out.UniqueDIB();
    const int r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    for (int y = 0; y < out.Height(); ++y) {
        std::uint8_t* p = out.MutableScanLine(y);
        for (int x = 0; x < out.Width(); ++x, p += 4) {
            p[0] = mix(p[0], b, p[3]);
            p[1] = mix(p[1], g, p[3]);
            p[2] = mix(p[2], r, p[3]);
            p[3] = 255;
        }
    }
    return out;
}

TQvDIB OverDisc(const TQvDIB& picture, Rgb colour) {
    TQvDIB out = OverColour(picture, colour);
    const int w = out.Width(), h = out.Height();
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) / 2.0;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = out.MutableScanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            // Coverage of the pixel by the disc, from a 4 x 4 grid of samples.
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const double dx = x + (sx + 0.5) / 4 - cx, dy = y + (sy + 0.5) / 4 - cy;
                    inside += dx * dx + dy * dy <= r * r;
                }
            p[3] = static_cast<std::uint8_t>((255 * inside + 8) / 16);
        }
    }
    return out;
}

}  // namespace vornik
