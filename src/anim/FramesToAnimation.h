#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "anim/AniStep.h"
#include "anim/TAniEX.h"
#include "model/IconEntry.h"

namespace vornik {

// An animated cursor made from pictures and cursor files, one frame each.
struct FramesToAnimation {
    struct Frame {
        std::string name;               // for messages: the file it came from
        std::vector<IconEntry> images;  // one, or every size of a multi-size frame
    };
    std::vector<Frame> frames;
    std::uint32_t rate = 10;     // display time of a step, in ticks of 1/60 s
    std::vector<AniStep> steps;  // empty: every frame once, in order, at rate
    bool writeRates = false;     // steps carry rates of their own
    bool writeSequence = false;  // steps name frames out of order
    // Hot spot of every frame, at the frame's size; other sizes of a
    // multi-size frame get it scaled. Without it each image keeps its own.
    std::optional<std::pair<int, int>> hotspot;
    // Size of every frame. A frame of another size is scaled to it (a
    // multi-size frame must hold an image of it). Without it every frame
    // must have the size of the first.
    std::optional<std::pair<int, int>> size;
    // Without size: whether every frame must have the size of the first.
    bool oneSize = true;
    std::string title, creator;  // bytes as stored (Shift-JIS)
};

// The size of a frame: that of the image the editor shows (nearest 32 px).
std::pair<int, int> FrameSize(const std::vector<IconEntry>& images);

// Fills an empty set. EVornikError names the frame (by file) and what is
// wrong: sizes that differ, a hot spot outside the frame, too many frames
// or steps, a step naming no frame.
void BuildAnimation(const FramesToAnimation& plan, TAniEX& set);

}  // namespace vornik
