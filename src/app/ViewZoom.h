#pragma once

namespace vornik {

// Magnification of the image, mask and animation views: a whole factor, or
// "fit" (kZoomFit), the largest whole factor up to kMaxZoom at which the
// picture fits its box (below 1 when even 1:1 does not fit). Settings keep
// the choice as this number.
inline constexpr int kZoomFit = 0;
inline constexpr int kMaxZoom = 64;
// The factors offered by the View menu and stepped through by zoom in/out.
inline constexpr int kZoomSteps[] = {1, 2, 4, 8, 16, 32, 64};

// A stored zoom choice made valid: fit, or one of kZoomSteps; anything else is fit.
int ValidZoomChoice(int stored);

// The factor "fit" gives a w x h picture in a box of boxW x boxH: at least 1
// (a picture larger than its box scrolls), at most kMaxZoom. An empty picture
// or box gives 1.
int FitZoom(int w, int h, int boxW, int boxH);

// The factor a choice gives in that box.
int ZoomFactor(int choice, int w, int h, int boxW, int boxH);

// The scale "fit" shows a picture at: FitZoom when 1:1 fits, else the
// fraction that shows the whole picture (pixels stay square: one scale for
// both directions).
double FitScale(int w, int h, int boxW, int boxH);
double ZoomScale(int choice, int w, int h, int boxW, int boxH);

// The next step above / below the factor shown now (a "fit" factor between two
// steps goes to the neighbouring step); stays at the ends.
int ZoomIn(int factor);
int ZoomOut(int factor);

// The device pixels one picture pixel covers at a scale on a screen of that
// device pixel ratio: a whole number whenever it is one or more (rounded
// down, so what fits at the scale still fits), so every picture pixel is the
// same square of device pixels and the grid falls between device pixels, at
// 125 % or 150 % as at 100 %; the plain product below one.
double DevicePixelScale(double scale, double ratio);

// A screen coordinate inside a view at that factor as a picture coordinate:
// rounds towards minus infinity, so a drag just left of or above the picture
// reads -1, not 0.
int ScreenToPicture(int screen, int factor);
// The same at any scale: the picture pixel whose area holds the screen point.
int ScreenToPicture(double screen, double scale);

}  // namespace vornik
