#include <gtest/gtest.h>

#include <regex>

#include "anim/TAniEX.h"
#include "app/DocumentOpen.h"
#include "app/EntryCommands.h"
#include "app/JapaneseText.h"
#include "app/MainState.h"
#include "imaging/TQvDIB.h"
#include "platform/FileIO.h"

using namespace vornik;

namespace {

// What the editor would show for the error a call throws.
template <class F>
std::string ShownFor(F&& call) {
    try {
        call();
    } catch (const std::exception& e) {
        return JapaneseText(e.what());
    }
    ADD_FAILURE() << "the call did not fail";
    return {};
}

// A line a Japanese reader could not read: English words and nothing else.
bool HasEnglishOnlyLine(const std::string& text) {
    static const std::regex englishOnly(R"re((^|[\r\n])[ -~]*[A-Za-z]{3,} [a-z]{2,}[ -~]*($|[\r\n]))re");
    return std::regex_search(text, englishOnly);
}

}  // namespace

TEST(JapaneseText, ErrorsOfTheLowerLayersReachTheEditorInJapanese) {
    const std::string missing = "/nonexistent-folder/ある.ico";
    const std::string open = ShownFor([&] { ReadFileBytes(missing, 1 << 20); });
    EXPECT_EQ(open, "ファイル「" + missing + "」を開けません（ファイルまたはフォルダーがありません）");

    // As the editor words a failed open: the Japanese frame and the reason from below.
    MainState s;
    const std::string failed = ShownFor([&] { OpenDocument(s, missing); });
    EXPECT_NE(failed.find("を開けませんでした"), std::string::npos) << failed;
    EXPECT_NE(failed.find(missing), std::string::npos) << failed;
    EXPECT_FALSE(HasEnglishOnlyLine(failed)) << failed;

    // Adding a pair whose image and mask differ in size.
    MainState icon;
    icon.doc.IconSet = std::make_unique<TIconCurEX>();
    icon.doc.IconSet->ResourceType = 1;
    icon.doc.AniSet = std::make_unique<TAniEX>();
    TQvDIB image, mask;
    image.CreateDIB(48, 48, 0, 24);
    mask.CreateDIB(32, 32, 0, 24);
    icon.edit.imgxor = image;
    icon.edit.imgand = mask;
    const std::string sizes = ShownFor([&] { tbiconaddClick(icon); });
    EXPECT_FALSE(HasEnglishOnlyLine(sizes)) << sizes;
    EXPECT_NE(sizes.find("48 x 48"), std::string::npos) << sizes;
    EXPECT_NE(sizes.find("32 x 32"), std::string::npos) << sizes;
}

TEST(JapaneseText, KeepsJapaneseAndLineBreaksAndRewordsDetailsAfterAColon) {
    EXPECT_EQ(JapaneseText("これ以上追加できません\r3 個の画像"), "これ以上追加できません\r3 個の画像");
    EXPECT_EQ(JapaneseText("読めません: Stream read error\nfoo"), "読めません: データが途中で終わっています\nfoo");
    EXPECT_EQ(JapaneseText("Write error on file \"/a b/c.ico\": No space left on device"),
              "ファイル「/a b/c.ico」に書き込めません（ディスクの空きがありません）");
    // A file name that looks like a format string stays as it is.
    EXPECT_EQ(JapaneseText("File too large \"$1$&.exe\""), "ファイル「$1$&.exe」は大きすぎます");
}
