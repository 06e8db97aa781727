#pragma once

#include "imaging/TQvDIB.h"

namespace vornik {

// What a picture view (the image view, the mask view, the bitmap page, the
// animation preview) holds: an uncompressed TQvDIB, whose width and height
// are the view's. The mask view's picture is 24-bit, pure white (transparent)
// and pure black (opaque).
using PictureView = TQvDIB;

// Hands a DIB into a view: the DIB is written as a BMP stream and the view's
// picture is loaded from it (an RLE picture is decoded on the way), with a
// copy of the DIB's palette; the view takes the DIB's size.
void DIBToView(const TQvDIB& dib, PictureView& view);

// The view's picture as a DIB, fetched at the picture's depth, except that
// 15-, 16- and 32-bit pictures come back as 24 bits.
TQvDIB ViewToDIB(const PictureView& view);

// A copy of a 15-, 16- or 32-bit picture as 24 bits, same row order; other
// depths are returned shared and unchanged.
TQvDIB ToTwentyFourBits(const TQvDIB& dib);

// An uncompressed copy of an RLE picture (same bit count and colour table);
// an uncompressed one is returned shared.
TQvDIB Decompressed(const TQvDIB& dib);

// A picture a canvas can read from: 15-bit pictures become 24 bits, RLE
// pictures are decoded; others are returned shared.
TQvDIB DrawableSource(const TQvDIB& dib);

}  // namespace vornik
