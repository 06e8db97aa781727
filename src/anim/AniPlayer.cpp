#include "anim/AniPlayer.h"

#include <algorithm>
#include <cstdint>

namespace vornik {

bool AniPlayer::Play(const TAniEX* set) {
    if (!set || set->AnimHeader.FrameCount == 0 || set->Count == 0 || set->StepCount() == 0) return false;
    playing_ = true;
    counter_ = set->Steps[0].Rate;  // the first tick reaches it and shows step 0
    step_ = 0;
    ticksRun_ = 0;
    return true;
}

void AniPlayer::Tick(const TAniEX& set, const DrawFrame& draw) {
    if (!playing_) return;
    if (set.Count == 0 || set.StepCount() == 0) {
        Stop();
        return;
    }
    if (step_ >= set.StepCount()) step_ = 0;
    if (counter_ < INT32_MAX) ++counter_;
    const AniStep& st = set.Steps[static_cast<std::size_t>(step_)];
    if (counter_ < st.Rate) return;
    counter_ = 0;
    if (st.Frame >= 0 && st.Frame < set.Count && draw) draw(st.Frame);
    ++step_;
    if (step_ >= set.StepCount()) step_ = 0;
}

int AniPlayer::RateMilliseconds(std::int64_t rate) {
    const std::int64_t ticks = std::max<std::int64_t>(rate, 1);
    return static_cast<int>(std::min<std::int64_t>((ticks * 1000 + kTicksPerSecond / 2) / kTicksPerSecond, INT32_MAX));
}

int AniPlayer::TicksDue(std::int64_t elapsedMs) {
    if (!playing_) return 0;
    const std::int64_t target = std::max<std::int64_t>(elapsedMs, 0) * kTicksPerSecond / 1000 + 1;
    const std::int64_t due = std::clamp<std::int64_t>(target - ticksRun_, 0, kTicksPerSecond);
    ticksRun_ = std::max(ticksRun_, target);
    return static_cast<int>(due);
}

void AniPlayer::Stop() {
    ticksRun_ = 0;
    playing_ = false;
    counter_ = 0;
    step_ = 0;
}

}  // namespace vornik
