#include <gtest/gtest.h>

#include <filesystem>

#include "DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "app/ImportCommand.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/TIconEx.h"
#include "platform/FileDialogsScript.h"

using namespace vornik;

namespace {
IconSelectDialog Choose(std::optional<int> answer, std::string* label = nullptr) {
    return [answer, label](const ResourceList&, const std::string& l) {
        if (label) *label = l;
        return answer;
    };
}
}  // namespace

TEST(ImportCommand, PicturesGoIntoTheTargetView) {
    VORNIK_REQUIRE_CORPUS();
    const auto bmp = test::CorpusFile("bmp/good/imagers__Info_R8_G8_B8.bmp");
    const auto jpegs = test::CorpusFiles("jpeg", ".jpg");
    if (!std::filesystem::exists(bmp) || jpegs.empty()) GTEST_SKIP() << "pictures missing from the corpus";
    test::TempDir dir;
    test::NoticeRecorder notices;
    MainState s;

    // "view" down: a picture is not loaded, the type stays.
    EXPECT_FALSE(ImportFile(s, jpegs.front().string(), Choose(std::nullopt)));
    EXPECT_FALSE(s.edit.imgxor);
    EXPECT_EQ(s.edit.cmbtype, kTypeIcon);

    s.edit.target = ResourceTarget::Image;
    s.edit.spex = 9;
    EXPECT_TRUE(ImportFile(s, jpegs.front().string(), Choose(std::nullopt)));
    ASSERT_TRUE(s.edit.imgxor);
    EXPECT_EQ(s.edit.spex, 0);
    EXPECT_EQ(s.edit.cmbtype, kTypeBitmap);

    // A bitmap under a foreign extension is known by its content; as a mask it is black and white.
    const std::string dat = test::CopyAs(dir, "bmp/good/imagers__Info_R8_G8_B8.bmp", "picture.dat");
    s.edit.target = ResourceTarget::Mask;
    EXPECT_TRUE(ImportFile(s, dat, Choose(std::nullopt)));
    ASSERT_TRUE(s.edit.imgand);
    EXPECT_EQ(s.edit.imgand->GetBitCount(), 24);
    TQvDIB mask = *s.edit.imgand;
    TQvDIBCanvas c(mask);
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x) {
            const RasterColor p = c.GetPixel(x, y);
            ASSERT_TRUE(p == kRasterWhite || p == kRasterBlack) << x << "," << y;
        }
    EXPECT_TRUE(notices.notices.empty());
}

TEST(ImportCommand, AResourceFileEntryGoesIntoBothViews) {
    VORNIK_REQUIRE_CORPUS();
    const auto cursors = test::CorpusFiles("cur", ".cur");
    ASSERT_FALSE(cursors.empty());
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    MainState s;
    s.edit.target = ResourceTarget::Mask;  // whatever is down, both views take the entry

    dialogs.cancel();
    EXPECT_FALSE(ImportPictureIntoView(s, Choose(0)));
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].request.filter, kImportFilter);

    std::string label;
    dialogs.answer(cursors.front().string());
    EXPECT_TRUE(ImportPictureIntoView(s, Choose(0, &label)));
    EXPECT_EQ(label, cursors.front().string());
    ASSERT_TRUE(s.edit.imgxor);
    ASSERT_TRUE(s.edit.imgand);
    EXPECT_EQ(s.edit.cmbtype, kTypeCursor);
    TIconCurEX reference;
    ASSERT_TRUE(reference.LoadFromFile(cursors.front().string()));
    EXPECT_EQ(s.edit.spex, std::min<int>(reference.Entries[0].HotSpotX, 127));

    // Cancelling the entry choice takes nothing.
    s.edit.imgxor.reset();
    EXPECT_FALSE(ImportFile(s, cursors.front().string(), Choose(std::nullopt)));
    EXPECT_FALSE(s.edit.imgxor);
}
