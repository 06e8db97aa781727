#pragma once

#include <functional>

#include "anim/TAniEX.h"

namespace vornik {

// Playback of the step list, driven by the 15 ms play timer: the owner calls
// Tick on every timer period while Playing().
class AniPlayer {
public:
    static constexpr int kTickMilliseconds = 15;

    // Fills the view with the background colour and draws the frame at the
    // top-left corner at its own size.
    using DrawFrame = std::function<void(int frame)>;

    // sbplayClick. Starts only when the set holds frames and steps; the first
    // tick then shows step 0. False when nothing was started.
    bool Play(const TAniEX* set);
    // Timer1Timer: one tick. Steps whose frame does not exist are passed over
    // without drawing.
    void Tick(const TAniEX& set, const DrawFrame& draw);
    // sbstopClick.
    void Stop();

    bool Playing() const { return playing_; }
    int TickCounter() const { return counter_; }
    int CurrentStep() const { return step_; }

private:
    bool playing_ = false;
    int counter_ = 0;
    int step_ = 0;
};

}  // namespace vornik
