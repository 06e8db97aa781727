#include "anim/TAniEX.h"

#include <algorithm>

#include "platform/Notice.h"

namespace vornik {

namespace {
const char* const kCannotAdd = "これ以上追加できません";
const char* const kNothingToDelete = "これ以上削除できません";
const char* const kCannotDelete = "削除できません";
}  // namespace

TAniEX::TAniEX(std::uint32_t defaultRate) {
    AnimHeader.CursorBitCount = 4;
    AnimHeader.CursorPlanes = 1;
    AnimHeader.DisplayRate = defaultRate != 0 ? defaultRate : 10;
    DefaultRate = AnimHeader.DisplayRate;
}

int TAniEX::StepCount() const {
    return static_cast<int>(std::min<std::uint32_t>(AnimHeader.StepCount, kMaxSteps));
}

int TAniEX::AddFrame() {
    if (Count >= kMaxEntries || StepCount() >= kMaxSteps) {
        ShowMessage(kCannotAdd);
        return -1;
    }
    const int n = AddSlot(-1);
    if (n < 0) return -1;
    IconEntry& e = Entries[static_cast<std::size_t>(n)];
    e.InfoHeader.clear();
    e.XorBits.clear();
    e.AndBits.clear();
    const int s = StepCount();
    Steps[static_cast<std::size_t>(s)] = {static_cast<std::int32_t>(AnimHeader.DisplayRate), n};
    AnimHeader.StepCount = static_cast<std::uint32_t>(s + 1);
    AnimHeader.FrameCount = Count;
    return n;
}

int TAniEX::DeleteFrame(int frame) {
    if (Count == 0) {
        ShowMessage(kNothingToDelete);
        return -1;
    }
    if (frame < 0 || frame >= Count) {
        ShowMessage(kCannotDelete);
        return -1;
    }
    if (DeleteSlot(frame) < 0) return -1;
    // Keep the steps of the other frames; those after the deleted one follow
    // their frame one place down, so every step still names a frame.
    int kept = 0;
    for (int i = 0; i < StepCount(); ++i) {
        AniStep st = Steps[static_cast<std::size_t>(i)];
        if (st.Frame == frame) continue;
        if (st.Frame > frame) --st.Frame;
        Steps[static_cast<std::size_t>(kept++)] = st;
    }
    AnimHeader.StepCount = static_cast<std::uint32_t>(kept);
    return frame;
}

int TAniEX::InsertStep(int frame, int position, int rate) {
    const int n = StepCount();
    if (n >= kMaxSteps) {
        ShowMessage(kCannotAdd);
        return -1;
    }
    if (position < 0 || position > n) position = n;
    for (int i = n; i > position; --i)
        Steps[static_cast<std::size_t>(i)] = Steps[static_cast<std::size_t>(i - 1)];
    Steps[static_cast<std::size_t>(position)] = {rate, frame};
    AnimHeader.StepCount = static_cast<std::uint32_t>(n + 1);
    return 0;
}

int TAniEX::DeleteStep(int step) {
    const int n = StepCount();
    if (n == 0) {
        ShowMessage(kNothingToDelete);
        return -1;
    }
    if (step < 0 || step >= n) {
        ShowMessage(kCannotDelete);
        return -1;
    }
    for (int i = step; i + 1 < n; ++i)
        Steps[static_cast<std::size_t>(i)] = Steps[static_cast<std::size_t>(i + 1)];
    AnimHeader.StepCount = static_cast<std::uint32_t>(n - 1);
    return 0;
}

}  // namespace vornik
