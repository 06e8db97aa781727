#include "anim/GenerateFrames.h"

#include <algorithm>
#include <vector>

#include "imaging/AlphaMask.h"
#include "imaging/RasterColor.h"
#include "imaging/TransformPoint.h"
#include "imaging/TransformDIB.h"
#include "model/EntryConversion.h"
#include "platform/Errors.h"

namespace vornik {

namespace {

// The same transform for image and mask, each with its own background.
using FrameTransform = std::function<void(TQvDIB& dib, RasterColor background)>;
// Where the same transform takes the hot spot.
using PointTransform = std::function<PixelPoint(PixelPoint p, int w, int h)>;

// A 32-bit picture keeps its alpha in every frame; others are taken as true
// colour or their palette depth, as the view hands them over.
TQvDIB frameSource(const PictureView& imageView) {
    return HasAlphaChannel(imageView) ? DrawableSource(imageView) : ViewToDIB(imageView);
}

class FrameMaker {
public:
    FrameMaker(TAniEX& set, const PictureView& imageView, const PictureView& maskView,
               const GenerateStatus& status, const std::optional<PixelPoint>& hotSpot)
        : set_(set), status_(status), hotSpot_(hotSpot), image_(frameSource(imageView)), mask_(ViewToDIB(maskView)) {
        if (image_.Width() != mask_.Width() || image_.Height() != mask_.Height())
            throw EVornikError(
                Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "image and mask differ in size")));
        // Shared copies of one reduced mask give every frame the same fresh
        // 1-bit copy that converting each time would.
        mask_.ConvertToMono();
        StoreAlphaFromMask(image_, mask_);
    }

    int width() const { return image_.Width(); }
    int height() const { return image_.Height(); }
    int added() const { return added_; }

    void make(const FrameTransform& transform, const PointTransform& point, int ordinal) {
        const std::uint32_t frameCount = set_.AnimHeader.FrameCount;
        // The slot is taken first so that a frame the set has no room for
        // costs no transform; the result is the same as transforming first.
        const int frame = set_.AddFrame();
        if (frame >= 0) {
            try {
                TQvDIB image = image_;
                TQvDIB mask = mask_;
                transform(image, kRasterBlack);
                transform(mask, kRasterWhite);
                // Averaged alpha is finer than a stretched 1-bit mask: a frame
                // drawn by alpha takes the mask its alpha stands for.
                if (AlphaInUse(image)) mask = MaskFromAlpha(image);
                DIBsToEntry(set_, image, mask, frame);
                if (hotSpot_) {
                    const PixelPoint moved = point(*hotSpot_, image_.Width(), image_.Height());
                    IconEntry& e = set_.Entries[static_cast<std::size_t>(frame)];
                    e.HotSpotX = static_cast<std::uint16_t>(moved.x);
                    e.HotSpotY = static_cast<std::uint16_t>(moved.y);
                }
            } catch (...) {
                // No empty frame may stay behind: it could not be saved.
                set_.DeleteFrame(frame);
                set_.AnimHeader.FrameCount = frameCount;
                throw;
            }
            ++added_;
        }
        if (status_) status_(GeneratingFrameText(ordinal));
    }

private:
    TAniEX& set_;
    const GenerateStatus& status_;
    std::optional<PixelPoint> hotSpot_;
    TQvDIB image_;
    TQvDIB mask_;
    int added_ = 0;
};

// Corner positions of one phase of a move, along its axis.
std::vector<int> movePhase(int first, int step, int count) {
    std::vector<int> positions;
    positions.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) positions.push_back(first + i * step);
    return positions;
}

}  // namespace

int RotationFrameCount(int angle) { return 360 / std::max(angle, 1); }

int GenerationRoom(const TAniEX* set) {
    if (!set) return TAniEX::kMaxSteps;
    return std::max(0, std::min(TIconEx::kMaxEntries - set->Count, TAniEX::kMaxSteps - set->StepCount()));
}

int RotationAngleThatFits(int angle, int room) {
    if (room < 1) return 0;
    angle = std::max(angle, 1);
    if (RotationFrameCount(angle) <= room) return angle;
    return 360 / (room + 1) + 1;
}

int GenerateRotation(TAniEX& set, const PictureView& imageView, const PictureView& maskView, int angle,
                     int direction, int stretchbltmode, const GenerateStatus& status,
                     const std::optional<PixelPoint>& hotSpot) {
    FrameMaker maker(set, imageView, maskView, status, hotSpot);
    if (direction < 0 || direction > 5) return 0;
    const int a = std::max(angle, 1);
    const int n = 360 / a;
    for (int k = 0; k < n; ++k) {
        const long double degrees = static_cast<long double>(k) * a * (direction % 2 == 0 ? 1 : -1);
        maker.make(
            [&](TQvDIB& dib, RasterColor background) {
                if (direction <= 1)
                    RotateDIB(dib, background, degrees);
                else if (direction <= 3)
                    SqueezeDIBVertical(dib, background, stretchbltmode, degrees);
                else
                    SqueezeDIBHorizontal(dib, background, stretchbltmode, degrees);
            },
            [&](PixelPoint p, int w, int h) {
                if (direction <= 1) return RotatePoint(p, w, h, degrees);
                if (direction <= 3) return SqueezeVerticalPoint(p, w, h, degrees);
                return SqueezeHorizontalPoint(p, w, h, degrees);
            },
            k + 1);
    }
    return maker.added();
}

int GenerateZoom(TAniEX& set, const PictureView& imageView, const PictureView& maskView, int rate, int mode,
                 int stretchbltmode, const GenerateStatus& status, const std::optional<PixelPoint>& hotSpot) {
    FrameMaker maker(set, imageView, maskView, status, hotSpot);
    if (mode < 0 || mode > 2) return 0;
    const int w = maker.width();
    const int s = w / std::max(rate, 1);
    if (s == 0) return 0;
    auto frameOfSide = [&](int side, int ordinal) {
        maker.make(
            [&](TQvDIB& dib, RasterColor background) { ZoomDIB(dib, background, stretchbltmode, side); },
            [&](PixelPoint p, int pw, int ph) { return ZoomPoint(p, pw, ph, side); }, ordinal);
    };
    int z = mode == 0 ? w : 0;
    if (mode != 0) {
        int last = 0;
        for (int count = 0; z <= w && count < s; ++count, z += s) {
            frameOfSide(z, count + 1);
            last = z;
        }
        if (mode == 1) return maker.added();
        z = last;
    }
    for (int count = 0; z > 0 && count < s; ++count, z -= s) frameOfSide(z, count + 1);
    return maker.added();
}

int GenerateMove(TAniEX& set, const PictureView& imageView, const PictureView& maskView, int unit,
                 int direction, const GenerateStatus& status, const std::optional<PixelPoint>& hotSpot) {
    FrameMaker maker(set, imageView, maskView, status, hotSpot);
    if (direction < 0 || direction > 3) return 0;
    const int w = maker.width(), h = maker.height();
    const int u = std::max(unit, 1);
    const int n = w / u;
    if (n == 0) return 0;
    // Corner positions: x for directions 0 and 1, y for 2 and 3.
    std::vector<int> leaving, entering;
    switch (direction) {
        case 0:
            leaving = movePhase(0, u, n);
            entering = movePhase(u - w, u, n - 1);
            break;
        case 1:
            leaving = movePhase(0, -u, n);
            entering = movePhase(w + u, -u, n);
            break;
        case 2:
            leaving = movePhase(0, -u, n);
            entering = movePhase(h - u, -u, n - 1);
            break;
        default:
            leaving = movePhase(0, u, n);
            entering = movePhase(-h - u, u, n - 1);
            break;
    }
    // ShiftDIB moves right and down by its distance, left and up by minus it.
    const int sign = direction == 1 || direction == 2 ? -1 : 1;
    for (const std::vector<int>* phase : {&leaving, &entering}) {
        int ordinal = 0;
        for (int position : *phase) {
            maker.make(
                [&](TQvDIB& dib, RasterColor background) { ShiftDIB(dib, background, direction, sign * position); },
                [&](PixelPoint p, int pw, int ph) { return ShiftPoint(p, pw, ph, direction, sign * position); },
                ++ordinal);
        }
    }
    return maker.added();
}

}  // namespace vornik
