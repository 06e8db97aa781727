#pragma once

#include "app/EditState.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// A picture from a file, the clipboard or the Bitmap page becomes the image
// view's. One drawn by alpha stays 32-bit with its alpha, and the mask view
// takes the mask that alpha stands for (alpha >= 128 opaque); any other
// picture goes through the view hand-over as always and leaves the mask view
// to the caller.
void PictureIntoImageView(EditState& edit, const TQvDIB& picture);

}  // namespace vornik
