#include "app/ViewZoom.h"

#include <algorithm>
#include <cmath>

namespace vornik {

int ValidZoomChoice(int stored) {
    for (int f : kZoomSteps)
        if (f == stored) return stored;
    return kZoomFit;
}

int FitZoom(int w, int h, int boxW, int boxH) {
    if (w <= 0 || h <= 0 || boxW <= 0 || boxH <= 0) return 1;
    return std::clamp(std::min(boxW / w, boxH / h), 1, kMaxZoom);
}

int ZoomFactor(int choice, int w, int h, int boxW, int boxH) {
    return choice == kZoomFit ? FitZoom(w, h, boxW, boxH) : ValidZoomChoice(choice);
}

double FitScale(int w, int h, int boxW, int boxH) {
    if (w <= 0 || h <= 0 || boxW <= 0 || boxH <= 0) return 1.0;
    const double ratio = std::min(double(boxW) / w, double(boxH) / h);
    return ratio >= 1.0 ? double(FitZoom(w, h, boxW, boxH)) : ratio;
}

double ZoomScale(int choice, int w, int h, int boxW, int boxH) {
    return choice == kZoomFit ? FitScale(w, h, boxW, boxH) : double(ValidZoomChoice(choice));
}

int ZoomIn(int factor) {
    for (int f : kZoomSteps)
        if (f > factor) return f;
    return kMaxZoom;
}

int ZoomOut(int factor) {
    int below = 1;
    for (int f : kZoomSteps)
        if (f < factor) below = f;
    return below;
}

int ScreenToPicture(int screen, int factor) {
    if (factor <= 1) return screen;
    return screen >= 0 ? screen / factor : -((-screen + factor - 1) / factor);
}

double DevicePixelScale(double scale, double ratio) {
    if (scale <= 0 || ratio <= 0) return 1.0;
    const double product = scale * ratio;
    // A hair of slack: 1.2 x 2.5 is 2.9999... in binary and means 3.
    return product >= 1.0 ? std::floor(product + 1e-9) : product;
}

int ScreenToPicture(double screen, double scale) {
    if (scale <= 0) return 0;
    return static_cast<int>(std::floor(screen / scale));
}

}  // namespace vornik
