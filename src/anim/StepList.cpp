#include "anim/StepList.h"

#include <cstdio>

#include "model/RenderEntry.h"

namespace vornik {

std::string StepCaption(int step, int rate) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d - [%d]", step, rate);
    return buf;
}

void FillStepList(TAniEX& set, StepListView& view, ImageList& largeImages, ImageList& smallImages,
                  int stretchMode) {
    struct UpdateBracket {
        explicit UpdateBracket(StepListView& v) : view(v) { view.updating = true; }
        ~UpdateBracket() { view.updating = false; }
        StepListView& view;
    } bracket(view);
    for (int i = 0; i < set.StepCount(); ++i) {
        const AniStep& st = set.Steps[static_cast<std::size_t>(i)];
        StepListItem item;
        item.Caption = StepCaption(i, st.Rate);
        if (st.Frame >= 0 && st.Frame < set.Count &&
            !set.Entries[static_cast<std::size_t>(st.Frame)].InfoHeader.empty()) {
            const RenderCache& cache = RenderEntry(set, st.Frame);
            item.ImageIndex =
                largeImages.Add(ScaleImagePair(cache.RenderedImage, cache.RenderedMask, 32, stretchMode));
            smallImages.Add(ScaleImagePair(cache.RenderedImage, cache.RenderedMask, 16, stretchMode));
        }
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
