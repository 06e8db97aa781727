#pragma once

// Pictures for the generator tests and what a generated frame holds.
#include <string>
#include <vector>

#include "anim/GenerateFrames.h"
#include "anim/TAniEX.h"
#include "imaging/PictureView.h"
#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"

namespace vornik::test {

// Image: each pixel's colour names its position; never black, so a pixel
// that received nothing is told apart.
inline RasterColor PositionColor(int x, int y) {
    return RgbColor(std::uint8_t(x * 7 + 1), std::uint8_t(y * 7 + 1), 90);
}

inline PictureView PositionImage(int w, int h) {
    PictureView view;
    view.CreateDIB(w, h, 0, 24);
    TQvDIBCanvas canvas(view);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) canvas.SetPixel(x, y, PositionColor(x, y));
    return view;
}

// Mask view: white (transparent) with an opaque black block; the default
// block covers the whole picture.
inline PictureView BlockMask(int w, int h, int left = 0, int top = 0, int right = -1, int bottom = -1) {
    PictureView view;
    view.CreateDIB(w, h, 0, 24);
    TQvDIBCanvas canvas(view);
    canvas.FillRect(0, 0, w, h, kRasterWhite);
    canvas.FillRect(left, top, right < 0 ? w : right, bottom < 0 ? h : bottom, kRasterBlack);
    return view;
}

// Opaque area of a frame's mask: left, top, width, height (all 0 when none).
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Box&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "(" << b.x << "," << b.y << " " << b.w << "x" << b.h << ")";
}

struct FramePictures {
    TQvDIB image, mask;
    RasterColor imageAt(int x, int y) {
        TQvDIBCanvas c(image);
        return c.GetPixel(x, y);
    }
    bool opaqueAt(int x, int y) {
        TQvDIBCanvas c(mask);
        return c.GetPixel(x, y) == kRasterBlack;
    }
    Box opaqueBox() {
        TQvDIBCanvas c(mask);
        int x0 = mask.Width(), y0 = mask.Height(), x1 = -1, y1 = -1;
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x)
                if (c.GetPixel(x, y) == kRasterBlack) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        if (x1 < 0) return {};
        return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
    }
    // Opaque pixels in the box, to tell a solid block from scattered ones.
    int opaqueCount() {
        TQvDIBCanvas c(mask);
        int n = 0;
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x) n += c.GetPixel(x, y) == kRasterBlack;
        return n;
    }
    bool imageAllBlack() {
        TQvDIBCanvas c(image);
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x)
                if (c.GetPixel(x, y) != kRasterBlack) return false;
        return true;
    }
};

inline FramePictures Frame(const TAniEX& set, int index) {
    FramePictures f;
    EntryToDIBs(set, f.image, f.mask, index);
    return f;
}

// Collects status texts.
struct StatusLog {
    std::vector<std::string> texts;
    auto sink() {
        return [this](const Message& t) { texts.push_back(EnglishText(t)); };
    }
};

inline std::vector<std::string> Ordinals(std::initializer_list<int> ordinals) {
    std::vector<std::string> out;
    for (int n : ordinals) out.push_back(EnglishText(GeneratingFrameText(n)));
    return out;
}

}  // namespace vornik::test
