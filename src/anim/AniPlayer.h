#pragma once

#include <cstdint>
#include <functional>

#include "anim/TAniEX.h"

namespace vornik {

// Playback of the step list. Rates count in the file's unit, 1/60 s
// ("jiffies"): the owner calls Tick once per jiffy while Playing(), and may
// ask TicksDue how many jiffies a timer wake-up has to catch up.
class AniPlayer {
public:
    static constexpr int kTicksPerSecond = 60;
    // The timer period that wakes the owner: a little under one jiffy.
    static constexpr int kTimerMilliseconds = 16;
    // How long a step of this rate stays on screen, in milliseconds (rounded).
    static int RateMilliseconds(std::int64_t rate);

    // Fills the view with the background colour and draws the frame at the
    // top-left corner at its own size.
    using DrawFrame = std::function<void(int frame)>;

    // The sbplay button. Starts only when the set holds frames and steps; the first
    // tick then shows step 0. False when nothing was started.
    bool Play(const TAniEX* set);
    // Timer1Timer: one tick. Steps whose frame does not exist are passed over
    // without drawing.
    void Tick(const TAniEX& set, const DrawFrame& draw);
    // The sbstop button.
    void Stop();
    // The jiffies to run now, elapsedMs after Play: the first wake-up runs
    // one (showing step 0), later ones what the clock says is due since the
    // last call (at most one second's worth, after a stall).
    int TicksDue(std::int64_t elapsedMs);

    bool Playing() const { return playing_; }
    int TickCounter() const { return counter_; }
    int CurrentStep() const { return step_; }

private:
    bool playing_ = false;
    int counter_ = 0;
    int step_ = 0;
    std::int64_t ticksRun_ = 0;
};

}  // namespace vornik
