#pragma once

#include <functional>
#include <optional>
#include <string>

#include "anim/TAniEX.h"
#include "imaging/PictureView.h"
#include "imaging/TransformPoint.h"
#include "platform/Message.h"

namespace vornik {

// Status bar texts (first panel) of the animation generators.
inline Message GeneratingFrameText(int ordinal) {  // ordinal from 1
    return Message("Status", VORNIK_TRANSLATE_NOOP("Status", "Creating the animated cursor: %1"), {ordinal});
}
inline Message GenerationDoneText() {
    return Message("Status", VORNIK_TRANSLATE_NOOP("Status", "Automatic creation finished"));
}

// Receives each status text as it is shown; the window repaints its status
// bar at once. May be empty.
using GenerateStatus = std::function<void(const Message&)>;

// The generators append frames made from the image view and the mask view
// (the mask view black = opaque, white = transparent) to the set, each with a
// step of AnimHeader.DisplayRate. Every frame is a fresh copy of both
// pictures, the mask reduced to 1 bit, the effect's transform applied to both
// (background black for the image, white for the mask, so uncovered area is
// transparent). When AddFrame refuses (frame or step limit, with its message)
// the frame is dropped and generation goes on. After each frame, dropped or
// not, status gets GeneratingFrameText with the frame's ordinal; the ordinal
// restarts at 1 for the second phase of zoom (in and out) and of every move.
//
// A parameter below 1 is raised to 1 before anything divides by it. A radio
// index outside the effect's choices generates nothing. The two views must
// have the same size (else EVornikError before anything changes); an error
// while a frame is made removes that frame again and propagates.
// stretchbltmode is the "stretchbltmode" setting, used by the squeezes and the
// zoom. Each returns the number of frames added.
//
// A 32-bit image keeps its alpha in every frame (uncovered area transparent);
// where a frame's mask says otherwise the mask wins (StoreAlphaFromMask).
// Given a hot spot, every frame's hot spot is it moved by the frame's
// transform and kept inside the picture; without one frames keep 0, 0.

// Frames a rotation by `angle` degrees makes: 360 div angle (angle below 1
// counts as 1).
int RotationFrameCount(int angle);
// How many frames can still be generated into the set: both the frame and
// the step limit leave room (the whole step list for no set yet).
int GenerationRoom(const TAniEX* set);
// The angle nearest to `angle` whose rotation fits into `room` frames: the
// angle itself when it fits, else the smallest larger one that does; 0 when
// no frame fits.
int RotationAngleThatFits(int angle, int room);

// Angle step a: 360 div a frames, frame k turned by k * a degrees. Index:
// 0 right, 1 left (RotateDIB by +/-), 2 horizontal upwards, 3 horizontal downwards
// (SqueezeDIBVertical by +/-), 4 vertical to the right, 5 vertical to the left
// (SqueezeDIBHorizontal by +/-).
int GenerateRotation(TAniEX& set, const PictureView& imageView, const PictureView& maskView, int angle,
                     int direction, int stretchbltmode, const GenerateStatus& status = {},
                     const std::optional<PixelPoint>& hotSpot = std::nullopt);

// Rate r, s = W div r (nothing when 0): centred squares (ZoomDIB) of side
// 0 zoom out: W, W - s, ... while above 0, at most s frames;
// 1 zoom in: 0, s, 2s, ... while not above W, at most s frames;
// 2 zoom in and out: the sequence of 1, then from its last side down as in 0.
int GenerateZoom(TAniEX& set, const PictureView& imageView, const PictureView& maskView, int rate, int mode,
                 int stretchbltmode, const GenerateStatus& status = {},
                 const std::optional<PixelPoint>& hotSpot = std::nullopt);

// Unit u, n = W div u (nothing when 0): the picture leaves the frame in
// direction 0 right, 1 left, 2 up, 3 down (ShiftDIB) in n frames, then enters
// it again from the other side.
int GenerateMove(TAniEX& set, const PictureView& imageView, const PictureView& maskView, int unit,
                 int direction, const GenerateStatus& status = {},
                 const std::optional<PixelPoint>& hotSpot = std::nullopt);

}  // namespace vornik
