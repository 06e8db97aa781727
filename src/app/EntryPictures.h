#pragma once

#include <optional>

#include "app/ResourceList.h"
#include "imaging/TQvDIB.h"
#include "model/TIconEx.h"

namespace vornik {

// An entry as the two views hold it: the image unchanged, the mask as a
// true-colour picture of pure white (transparent) and pure black.
struct ViewPictures {
    TQvDIB image;
    TQvDIB mask;
};

// Entry index of the set turned into view pictures, through in-memory BMP
// files. Throws the DIB's error for an entry whose blocks do not form a
// picture.
ViewPictures EntryToViewPictures(const TIconEx& set, int index);

struct ThumbnailPair {
    Thumbnail large;  // 32 x 32
    Thumbnail small;  // 16 x 16
};
// The list thumbnails of an entry; nullopt while they cannot be drawn.
std::optional<ThumbnailPair> EntryThumbnails(const TIconEx& set, int index, int stretchbltmode);

}  // namespace vornik
