#include "anim/StepList.h"

#include <cstdio>

namespace vornik {

std::string StepCaption(int step, int rate) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d - [%d]", step, rate);
    return buf;
}

void FillStepList(const TAniEX& set, StepListView& view, const StepThumbnailHook& thumbnails) {
    for (int i = 0; i < set.StepCount(); ++i) {
        const AniStep& st = set.Steps[static_cast<std::size_t>(i)];
        StepListItem item;
        item.Caption = StepCaption(i, st.Rate);
        // A step whose frame does not exist gets no picture.
        if (thumbnails && st.Frame >= 0 && st.Frame < set.Count) item.ImageIndex = thumbnails(set, st.Frame);
        view.Items.push_back(std::move(item));
    }
}

void SetStepRate(TAniEX& set, StepListView& view, int step, int rate) {
    if (step < 0 || step >= set.StepCount()) return;
    set.Steps[static_cast<std::size_t>(step)].Rate = rate;
    if (static_cast<std::size_t>(step) < view.Items.size())
        view.Items[static_cast<std::size_t>(step)].Caption = StepCaption(step, rate);
}

}  // namespace vornik
