#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "model/IconEntry.h"
#include "model/TIconEx.h"

namespace vornik {

// One image of an executable, decoded, as the walk hands it on. The entry's
// directory fields are filled as the editor's table has them.
struct ExeImage {
    IconEntry entry;
    ExeEntryOrigin origin;  // label empty after a content scan
};

// How a walk went.
struct ExeWalkResult {
    bool fromResources = false;  // the resource directory was used (else a content scan)
    std::size_t images = 0;      // images handed on
    // Images skipped, a damaged directory, one line each (no file name).
    std::vector<std::string> notes;
    // A content scan met an image running past the end of the file, at this offset.
    bool truncated = false;
    std::size_t truncatedAt = 0;
};

// Hands every icon and cursor image of an executable, one at a time, to
// `take` in the order the editor lists them: through the resource directory
// (each group's images in its order, then the images no group names) or, when
// there is none or it is damaged, by a content scan. Only one image is held at
// a time and the file is mapped, not read: the cost follows the icons, not the
// program's size. `take` returns false to stop the walk.
// Throws EInOutError when the file cannot be opened.
ExeWalkResult WalkExeImages(const std::string& path, const std::function<bool(ExeImage&)>& take);

// The same over bytes already present.
ExeWalkResult WalkExeImages(const std::uint8_t* data, std::size_t size, const std::function<bool(ExeImage&)>& take);

}  // namespace vornik
