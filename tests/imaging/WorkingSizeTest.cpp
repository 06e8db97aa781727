#include "imaging/WorkingSize.h"

#include <gtest/gtest.h>

#include "CanvasTestHelpers.h"

namespace vornik {
namespace {

TEST(WorkingSize, PicturesUpToTheWorkingSideStayAsTheyAre) {
    TQvDIB dib = test::MakeDib(1024, 300, 8, {kRasterBlack, kRasterWhite});
    const TQvDIB same = ShrunkToWorkingSize(dib, 1);
    EXPECT_TRUE(same.SharesStorageWith(dib));
}

TEST(WorkingSize, LargerSidesShrinkAndKeepTheirColours) {
    // Left half red, right half blue: both halves survive either stretch mode.
    TQvDIB dib = test::MakeDib(4000, 600, 24);
    {
        TQvDIBCanvas canvas(dib);
        canvas.FillRect(0, 0, 2000, 600, test::kRed);
        canvas.FillRect(2000, 0, 4000, 600, test::kBlue);
    }
    for (int mode : {0, 1}) {
        TQvDIB small = ShrunkToWorkingSize(dib, mode, 100);
        ASSERT_EQ(small.Width(), 100);
        EXPECT_EQ(small.Height(), 100);
        EXPECT_EQ(small.GetBitCount(), 24);
        TQvDIBCanvas canvas(small);
        EXPECT_EQ(canvas.GetPixel(10, 50), test::kRed);
        EXPECT_EQ(canvas.GetPixel(90, 50), test::kBlue);
    }
}

}  // namespace
}  // namespace vornik
