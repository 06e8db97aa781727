#pragma once

#include <cstdint>
#include <vector>

#include "imaging/PaintColour.h"
#include "imaging/PixelRect.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// The pixels of a w x h picture that a drawing operation touches. Shapes are
// added to it (clipped to the picture), then written in one colour with
// PaintCoverage; the same coverage can paint the image and its mask alike.
class PixelCoverage {
public:
    PixelCoverage(int width, int height);
    int width() const { return w_; }
    int height() const { return h_; }
    void add(int x, int y);  // outside the picture: nothing
    bool has(int x, int y) const;
    // The covered pixels' bounds (empty when none is covered).
    PixelRect bounds() const { return bounds_; }

private:
    int w_, h_;
    std::vector<std::uint8_t> on_;
    PixelRect bounds_;
};

// A brush: a square or a round dot of 1 to 16 pixels across, centred on the
// pointer (an even size reaches one pixel further right and down).
struct Brush {
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 16;
    int size = 1;
    bool round = false;
};

void AddDot(PixelCoverage& c, int x, int y, Brush brush);
// The brush along a line from (x0, y0) to (x1, y1), both ends covered: the
// one-pixel path is Bresenham's, so a drag never leaves gaps.
void AddStroke(PixelCoverage& c, int x0, int y0, int x1, int y1, Brush brush);
// Axis-aligned rectangle with the two corner pixels included, in any order.
void AddRectangle(PixelCoverage& c, int x0, int y0, int x1, int y1, bool filled);
// The ellipse inscribed in that rectangle: a pixel is inside when its centre
// is; the outline is the inside pixels with a 4-neighbour outside.
void AddEllipse(PixelCoverage& c, int x0, int y0, int x1, int y1, bool filled);
// The 4-connected area around (x, y) whose pixels are within `tolerance` of
// the start pixel (largest difference of one channel, alpha included; 0:
// equal values). In 32-bit pictures all fully transparent pixels count as
// one colour, whatever RGB they keep. Iterative, for any picture size.
void AddConnectedArea(PixelCoverage& c, const TQvDIB& picture, int x, int y, int tolerance);
void AddArea(PixelCoverage& c, const PixelRect& r);

// Writes `value` into every covered pixel (alpha included: no blending);
// returns the covered bounds. The picture must be the coverage's size.
PixelRect PaintCoverage(TQvDIB& picture, const PixelCoverage& c, PaintValue value);

}  // namespace vornik
