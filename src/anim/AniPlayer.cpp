#include "anim/AniPlayer.h"

#include <cstdint>

namespace vornik {

bool AniPlayer::Play(const TAniEX* set) {
    if (!set || set->AnimHeader.FrameCount == 0 || set->Count == 0 || set->StepCount() == 0) return false;
    playing_ = true;
    counter_ = set->Steps[0].Rate;  // the first tick reaches it and shows step 0
    step_ = 0;
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

void AniPlayer::Stop() {
    playing_ = false;
    counter_ = 0;
    step_ = 0;
}

}  // namespace vornik
