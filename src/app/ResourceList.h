#pragma once

#include <vector>

#include "model/ListView.h"

namespace vornik {

// One row of the resource list LVIcon (or of the entry selection dialog):
// item i stands for entry i of the shown set.
using ResourceListItem = EntryListItem;

// The list view with its two image lists (32 x 32 large, 16 x 16 small),
// as plain data; the window turns it into a view.
struct ResourceList {
    static constexpr const char* kColumnHeaders[8] = {"No", "X", "Y", "Color", "Offset", "Size", "HX", "HY"};

    std::vector<ResourceListItem> items;
    ImageList largeImages{32, {}};
    ImageList smallImages{16, {}};
    int selected = -1;  // the selected item, -1 when none

    void Clear() {
        items.clear();
        largeImages.pairs.clear();
        smallImages.pairs.clear();
        selected = -1;
    }
};

}  // namespace vornik
