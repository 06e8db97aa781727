#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "imaging/TQvDIB.h"
#include "model/TIconEx.h"
#include "platform/Message.h"

namespace vornik {

// One item of an entry list: caption "%d x %d - %s" and the sub-items X, Y,
// Color, Offset (hex), Size, HX, HY.
struct EntryListItem {
    std::string caption;
    // Words shown after the caption (" - note") in the user's language.
    std::optional<Message> note;
    std::array<std::string, 7> subItems;
    int imageIndex = -1;  // index in both image lists
};

// A thumbnail as an image list holds it: a 24-bit picture and its 1-bit mask
// (black, white; bit 1 = transparent), both of the list's size.
struct ImagePair {
    TQvDIB image;
    TQvDIB mask;
    // For a picture drawn by its alpha (32 bits, alpha not 0 everywhere): the
    // thumbnail as a 32-bit picture with that alpha, which a display uses
    // instead of image and mask. Empty otherwise.
    TQvDIB alpha = TQvDIB();
};

struct ImageList {
    int size = 32;  // width and height of every pair
    std::vector<ImagePair> pairs;
    // Adds a pair and answers its index.
    int Add(ImagePair pair) {
        pairs.push_back(std::move(pair));
        return static_cast<int>(pairs.size()) - 1;
    }
};

// The list view as plain data; the window turns it into a widget model.
struct EntryListView {
    std::vector<EntryListItem> items;
    // Set while the list is being refilled (between begin and end of update).
    bool updating = false;
};

// The texts of entry index's list item.
EntryListItem EntryListItemOf(const TIconEx& set, int index);

// A thumbnail of the rendered image and mask at size x size, scaled with the
// stretch mode of the "stretchbltmode" setting (0 COLORONCOLOR, 1 and 2
// HALFTONE).
ImagePair ScaleImagePair(const TQvDIB& image, const TQvDIB& mask, int size, int stretchMode);

// Appends one item and a large (32 x 32) and small (16 x 16) thumbnail for
// every entry, rendering each entry (the set's render cache ends with the
// last). Emptying the lists first is the caller's task. The update bracket is
// closed also when an entry cannot be drawn; that error passes on.
void FillListView(TIconEx& set, EntryListView& listView, ImageList& largeImages, int stretchMode,
                  ImageList& smallImages);

}  // namespace vornik
