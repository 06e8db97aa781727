#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileDialogsScript.h"
#include "platform/TempFolder.h"

TEST(TempFolder, SystemFolderUnlessOverridden) {
    const std::string system = vornik::TempFolder();
    EXPECT_TRUE(std::filesystem::is_directory(system));
    vornik::SetTempFolderOverride("/some/where");
    EXPECT_EQ(vornik::TempFolder(), "/some/where");
    vornik::SetTempFolderOverride("");
    EXPECT_EQ(vornik::TempFolder(), system);
}

TEST(FileDialogs, ScriptAnswersInOrderThenCancels) {
    EXPECT_FALSE(vornik::AskOpenFile({}));  // no choosers installed: cancelled
    {
        vornik::FileDialogsScript script;
        script.answer("/a.ico", 3);
        script.cancel();
        vornik::FileDialogRequest r;
        r.dialog = "OpenPictureDialog2";
        r.filter = "A|*.a";
        auto first = vornik::AskOpenFile(r);
        ASSERT_TRUE(first);
        EXPECT_EQ(first->path, "/a.ico");
        EXPECT_EQ(first->filterIndex, 3);
        EXPECT_FALSE(vornik::AskSaveFile(r));
        EXPECT_FALSE(vornik::AskSaveFile(r));
        ASSERT_EQ(script.asked.size(), 3u);
        EXPECT_EQ(script.asked[0].kind, "open");
        EXPECT_EQ(script.asked[1].kind, "save");
        EXPECT_EQ(script.asked[0].request.filter, "A|*.a");
    }
    EXPECT_EQ(vornik::CurrentFileDialogs(), nullptr);
}
