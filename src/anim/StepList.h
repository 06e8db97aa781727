#pragma once

#include <string>
#include <vector>

#include "anim/TAniEX.h"
#include "model/ListView.h"

namespace vornik {

// One item of the step list view (lvani2): its caption and its thumbnail.
struct StepListItem {
    std::string Caption;  // "%d - [%d]": step number, rate
    int ImageIndex = -1;  // index in both image lists, -1 when the step's frame has no image
};

// The step list view as plain data; the editor mirrors it.
struct StepListView {
    std::vector<StepListItem> Items;
    bool updating = false;  // set while the list is being refilled
};

// Caption of a step item.
std::string StepCaption(int step, int rate);

// Appends one item per step, in order (the caller clears the view and the
// image lists first): each step's frame is rendered (the set's render cache
// ends with the last one) and added as a 32 x 32 thumbnail to largeImages and
// a 16 x 16 one to smallImages, scaled with the "stretchbltmode" option. A
// step whose frame does not exist or holds no image yet gets no thumbnail.
// Errors of the picture layer pass on; the update bracket is closed.
void FillStepList(TAniEX& set, StepListView& view, ImageList& largeImages, ImageList& smallImages,
                  int stretchMode);

// The sprate field: with a step selected (step >= 0), sets its rate
// and re-captions its item; thumbnails stay. Does nothing without a selection.
void SetStepRate(TAniEX& set, StepListView& view, int step, int rate);

}  // namespace vornik
