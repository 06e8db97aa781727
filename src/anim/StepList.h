#pragma once

#include <functional>
#include <string>
#include <vector>

#include "anim/TAniEX.h"

namespace vornik {

// One item of the step list view: its caption and the image it shows.
struct StepListItem {
    std::string Caption;  // "%d - [%d]": step number, rate
    int ImageIndex = -1;  // image of the large list, -1 when none was made
};

// The step list view (lvani2) as plain data; the editor mirrors it.
struct StepListView {
    std::vector<StepListItem> Items;
};

// Makes the thumbnails of one frame (32 x 32 into the large image list,
// 16 x 16 into the small one, with the "stretchbltmode" option) and returns
// the index of the new large image. Supplied by the code that renders
// entries; without one the items show no image.
using StepThumbnailHook = std::function<int(const TAniEX& set, int frame)>;

// Caption of a step item.
std::string StepCaption(int step, int rate);

// Appends one item per step, in order (the caller clears the view first).
void FillStepList(const TAniEX& set, StepListView& view, const StepThumbnailHook& thumbnails = {});

// sprateChange / sprateClick: with a step selected (step >= 0), sets its rate
// and re-captions its item; thumbnails stay. Does nothing without a selection.
void SetStepRate(TAniEX& set, StepListView& view, int step, int rate);

}  // namespace vornik
