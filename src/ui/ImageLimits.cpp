#include "ui/ImageLimits.h"

#include <QImageReader>

#include "imaging/TQvInternalDIB.h"

namespace vornik {

void AllowPicturesUpToOurBudget() {
    constexpr std::int64_t bytes = TQvInternalDIB::kMaxPixels * 4;
    QImageReader::setAllocationLimit(static_cast<int>((bytes >> 20) + 1));
}

}  // namespace vornik
