#pragma once

#include <QImage>

#include "app/ResourceList.h"
#include "imaging/TQvDIB.h"
#include "ui/TResourceListView.h"

namespace vornik {

// A DIB as a Qt image. 24- and 32-bit pictures are copied row by row (a
// 32-bit one with its alpha, premultiplied, when any alpha byte is not 0);
// every other depth and RLE go through the BMP stream. A null image when the
// DIB cannot be shown.
QImage ToQImage(const TQvDIB& dib);

// Copies the pixels of `rect` (picture coordinates, clipped) from the DIB into
// an image made from it by ToQImage; the whole image is made again when the
// two no longer match in size or kind.
void CopyDibRect(const TQvDIB& dib, QImage& image, const QRect& rect);

// A thumbnail pair as one ARGB image: transparent where the mask bit is 1
// (white), the image's colour elsewhere.
QImage ToQImage(const ImagePair& pair);

// The rows of a resource list with their two thumbnails.
std::vector<ResourceListRow> RowsOf(const ResourceList& list);

}  // namespace vornik
