#pragma once

#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/RenderCache.h"
#include "model/TIconEx.h"

namespace vornik {

// The header and colour table used to display an entry's image: the full
// table of its bit count (entries beyond the held ones black), biClrImportant
// 0, biSizeImage from the row size.
Bytes RenderImageInfo(const IconEntry& entry);
// The 48-byte header of its mask: 1 bit, two colours black and white.
Bytes RenderMaskInfo(const IconEntry& entry);

// The entry's image and mask as pictures built from those headers and the
// entry's rows (rows the entry lacks read as 0); a 32-bit image keeps its
// alpha byte. EVornikError for an index
// not in use or an entry without an image; the DIB's errors for headers that
// do not form a picture.
TQvDIB RenderImageDIB(const TIconEx& set, int index);
TQvDIB RenderMaskDIB(const TIconEx& set, int index);

// Rebuilds the set's render cache (RenderedEntry) from the entry; the old
// cache is released first.
const RenderCache& RenderEntry(TIconEx& set, int index);

// Draws the entry at (x, 0) at its own size with its transparency: the mask
// with SRCAND, then the image with SRCINVERT; a 32-bit entry whose alpha is in
// use is alpha-blended instead, so soft shadows stay soft. The render cache is
// untouched.
void DrawEntry(const TIconEx& set, TQvDIBCanvas& canvas, int index, int x);

}  // namespace vornik
