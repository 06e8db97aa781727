#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "formats/PictureRead.h"
#include "imaging/JpegDIB.h"
#include "imaging/JpegOrientation.h"
#include "platform/FileIO.h"

namespace vornik {
namespace {

TEST(JpegUprightTest, PicturesStoredSidewaysOpenUpright) {
    VORNIK_REQUIRE_CORPUS();
    int turned = 0;
    for (const auto& path : test::CorpusFiles("jpeg", ".jpg")) {
        const Bytes data = ReadFileBytes(path.string());
        const int orientation = JpegExifOrientation(data.data(), data.size());
        TQvDIB raw;
        try {
            LoadJpegFile(path.string(), raw);
        } catch (const EVornikError&) {
            continue;  // refused files are another test's business
        }
        const ReadResult<TQvDIB> read = ReadPicture(path.string());
        ASSERT_FALSE(read.refused) << path;
        const TQvDIB& shown = read.value;
        const bool sideways = orientation >= 5 && orientation <= 8;
        EXPECT_EQ(shown.Width(), sideways ? raw.Height() : raw.Width()) << path;
        EXPECT_EQ(shown.Height(), sideways ? raw.Width() : raw.Height()) << path;
        turned += orientation != 1;
    }
    EXPECT_GT(turned, 0) << "the corpus holds no turned JPEG";
}

}  // namespace
}  // namespace vornik
