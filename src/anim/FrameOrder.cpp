#include "anim/FrameOrder.h"

#include <algorithm>
#include <utility>

namespace vornik {

std::vector<int> CleanSelection(const std::vector<int>& selected, int n) {
    std::vector<int> out;
    for (int i : selected)
        if (i >= 0 && i < n) out.push_back(i);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<int> OrderAfterStep(int n, const std::vector<int>& selected, int delta) {
    std::vector<int> order(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
    std::vector<bool> chosen(order.size(), false);
    for (int i : CleanSelection(selected, n)) chosen[static_cast<std::size_t>(i)] = true;
    if (delta < 0) {
        for (int i = 1; i < n; ++i) {
            const auto at = static_cast<std::size_t>(i);
            if (chosen[at] && !chosen[at - 1]) {
                std::swap(order[at], order[at - 1]);
                chosen.swap(chosen[at], chosen[at - 1]);
            }
        }
    } else if (delta > 0) {
        for (int i = n - 2; i >= 0; --i) {
            const auto at = static_cast<std::size_t>(i);
            if (chosen[at] && !chosen[at + 1]) {
                std::swap(order[at], order[at + 1]);
                chosen.swap(chosen[at], chosen[at + 1]);
            }
        }
    }
    return order;
}

std::vector<int> OrderAfterDrop(int n, const std::vector<int>& selected, int before) {
    const std::vector<int> moved = CleanSelection(selected, n);
    std::vector<bool> chosen(static_cast<std::size_t>(std::max(n, 0)), false);
    for (int i : moved) chosen[static_cast<std::size_t>(i)] = true;
    before = std::clamp(before, 0, std::max(n, 0));
    std::vector<int> order;
    for (int i = 0; i < n; ++i) {
        if (i == before) order.insert(order.end(), moved.begin(), moved.end());
        if (!chosen[static_cast<std::size_t>(i)]) order.push_back(i);
    }
    if (before >= n) order.insert(order.end(), moved.begin(), moved.end());
    return order;
}

namespace {

// Where the selected items went, ascending.
std::vector<int> newPlaces(const std::vector<int>& order, const std::vector<int>& selected) {
    const std::vector<int> clean = CleanSelection(selected, static_cast<int>(order.size()));
    std::vector<int> out;
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        if (std::binary_search(clean.begin(), clean.end(), order[static_cast<std::size_t>(i)])) out.push_back(i);
    return out;
}

void applyFrameOrder(TAniEX& set, const std::vector<int>& order) {
    const auto n = static_cast<std::size_t>(set.Count);
    std::vector<IconEntry> entries(n);
    std::vector<FrameImageList> images(n);
    std::vector<int> newNumber(n);
    if (set.FrameImages.size() < n) set.FrameImages.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto old = static_cast<std::size_t>(order[i]);
        entries[i] = std::move(set.Entries[old]);
        images[i] = std::move(set.FrameImages[old]);
        newNumber[old] = static_cast<int>(i);
    }
    for (std::size_t i = 0; i < n; ++i) {
        set.Entries[i] = std::move(entries[i]);
        set.FrameImages[i] = std::move(images[i]);
    }
    for (int s = 0; s < set.StepCount(); ++s) {
        AniStep& st = set.Steps[static_cast<std::size_t>(s)];
        if (st.Frame >= 0 && st.Frame < set.Count) st.Frame = newNumber[static_cast<std::size_t>(st.Frame)];
    }
}

void applyStepOrder(TAniEX& set, const std::vector<int>& order) {
    std::vector<AniStep> steps;
    steps.reserve(order.size());
    for (int old : order) steps.push_back(set.Steps[static_cast<std::size_t>(old)]);
    std::copy(steps.begin(), steps.end(), set.Steps.begin());
}

}  // namespace

std::vector<int> MoveFrames(TAniEX& set, const std::vector<int>& frames, int delta) {
    const std::vector<int> order = OrderAfterStep(set.Count, frames, delta);
    applyFrameOrder(set, order);
    return newPlaces(order, frames);
}

std::vector<int> DropFrames(TAniEX& set, const std::vector<int>& frames, int before) {
    const std::vector<int> order = OrderAfterDrop(set.Count, frames, before);
    applyFrameOrder(set, order);
    return newPlaces(order, frames);
}

std::vector<int> MoveSteps(TAniEX& set, const std::vector<int>& steps, int delta) {
    const std::vector<int> order = OrderAfterStep(set.StepCount(), steps, delta);
    applyStepOrder(set, order);
    return newPlaces(order, steps);
}

std::vector<int> DropSteps(TAniEX& set, const std::vector<int>& steps, int before) {
    const std::vector<int> order = OrderAfterDrop(set.StepCount(), steps, before);
    applyStepOrder(set, order);
    return newPlaces(order, steps);
}

int DeleteFrames(TAniEX& set, const std::vector<int>& frames) {
    const std::vector<int> clean = CleanSelection(frames, set.Count);
    // From the last, so the numbers still to delete stay valid.
    int deleted = 0;
    for (auto it = clean.rbegin(); it != clean.rend(); ++it)
        if (set.DeleteFrame(*it) != -1) ++deleted;
    return deleted;
}

int DeleteSteps(TAniEX& set, const std::vector<int>& steps) {
    const std::vector<int> clean = CleanSelection(steps, set.StepCount());
    int deleted = 0;
    for (auto it = clean.rbegin(); it != clean.rend(); ++it)
        if (set.DeleteStep(*it) != -1) ++deleted;
    return deleted;
}

int SetStepsRate(TAniEX& set, const std::vector<int>& steps, int rate) {
    int changed = 0;
    for (int s : CleanSelection(steps, set.StepCount())) {
        AniStep& st = set.Steps[static_cast<std::size_t>(s)];
        if (st.Rate != rate) ++changed;
        st.Rate = rate;
    }
    return changed;
}

}  // namespace vornik
