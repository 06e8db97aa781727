#pragma once

namespace vornik {

// A pixel position, x to the right and y downwards from the top left.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Where the transforms of a W x H picture take the pixel at p (a cursor's hot
// spot follows its picture this way). Every result is clamped inside the
// picture, so a hot spot never leaves it.
PixelPoint MirrorPoint(PixelPoint p, int w, int h);        // x -> w - 1 - x
PixelPoint FlipPoint(PixelPoint p, int w, int h);          // y -> h - 1 - y
PixelPoint QuarterRightPoint(PixelPoint p, int w, int h);  // (x, y) -> (h - 1 - y, x)
PixelPoint QuarterLeftPoint(PixelPoint p, int w, int h);   // (x, y) -> (y, w - 1 - x)
// RotateDIB by angle degrees: the inverse of its sampling, rounded.
PixelPoint RotatePoint(PixelPoint p, int w, int h, long double angle);
// The squeezes, shift and zoom with the same arguments as the DIB transforms.
PixelPoint SqueezeVerticalPoint(PixelPoint p, int w, int h, long double angle);
PixelPoint SqueezeHorizontalPoint(PixelPoint p, int w, int h, long double angle);
PixelPoint ShiftPoint(PixelPoint p, int w, int h, int direction, int distance);
PixelPoint ZoomPoint(PixelPoint p, int w, int h, int size);

}  // namespace vornik
