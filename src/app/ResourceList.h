#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "imaging/TQvDIB.h"

namespace vornik {

// One row of the resource list LVIcon (or of the entry selection dialog):
// item i stands for entry i of the shown set.
struct ResourceListItem {
    std::string caption;                 // "%d x %d - %s": width, height, colour name
    std::array<std::string, 7> subItems; // X, Y, Color, Offset (hex), Size, HX, HY
    int imageIndex = -1;                 // thumbnail index in both image lists
};

// A thumbnail as the image lists hold it: a picture and its mask (1 bit,
// bit 1 = transparent), both of the list's size.
struct Thumbnail {
    TQvDIB image;
    TQvDIB mask;
};

// The list view with its two image lists (32 x 32 large, 16 x 16 small),
// as plain data; the window turns it into a view.
struct ResourceList {
    static constexpr const char* kColumnHeaders[8] = {"No", "X", "Y", "Color", "Offset", "Size", "HX", "HY"};

    std::vector<ResourceListItem> items;
    std::vector<Thumbnail> largeImages;
    std::vector<Thumbnail> smallImages;
    int selected = -1;  // the selected item, -1 when none

    void Clear() {
        items.clear();
        largeImages.clear();
        smallImages.clear();
        selected = -1;
    }
};

}  // namespace vornik
