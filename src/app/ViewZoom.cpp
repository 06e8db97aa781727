#include "app/ViewZoom.h"

#include <algorithm>

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

}  // namespace vornik
