#pragma once

#include <QImage>

#include "app/ResourceList.h"
#include "imaging/TQvDIB.h"
#include "ui/TResourceListView.h"

namespace vornik {

// A DIB as a Qt image (through its BMP stream, so every depth and RLE go the
// one tested way). A null image when the DIB cannot be shown.
QImage ToQImage(const TQvDIB& dib);

// A thumbnail pair as one ARGB image: transparent where the mask bit is 1
// (white), the image's colour elsewhere.
QImage ToQImage(const ImagePair& pair);

// The rows of a resource list with their two thumbnails.
std::vector<ResourceListRow> RowsOf(const ResourceList& list);

}  // namespace vornik
