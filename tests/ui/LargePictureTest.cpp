#include <gtest/gtest.h>

#include "imaging/TQvDIB.h"
#include "ui/DibImage.h"
#include "ui/ImageLimits.h"

namespace vornik {
namespace {

TEST(LargePicture, PictureAboveQtsDefaultLimitReachesTheView) {
    // 5800 x 5800 at 32 bits in Qt is 134 MB, past Qt's 128 MB default.
    AllowPicturesUpToOurBudget();
    TQvDIB dib;
    dib.CreateDIB(5800, 5800, 0, 24);
    const QImage image = ToQImage(dib);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 5800);
    EXPECT_EQ(image.height(), 5800);
}

}  // namespace
}  // namespace vornik
