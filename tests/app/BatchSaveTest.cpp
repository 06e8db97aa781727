#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "app/BatchSave.h"
#include "model/EntryConversion.h"

using namespace vornik;

namespace {

MainState ThreeIcons() {
    MainState s;
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.IconSet->ResourceType = 1;
    for (int i = 0; i < 3; ++i) {
        TQvDIB image, mask;
        image.CreateDIB(16, 16, 16, 4);
        mask.CreateDIB(16, 16, 2, 1);
        s.doc.IconSet->AddSlot(-1);
        DIBsToEntry(*s.doc.IconSet, image, mask, i);
    }
    return s;
}

bool Exists(const test::TempDir& d, const char* name) { return std::filesystem::exists(d.path() / name); }

}  // namespace

TEST(BatchSave, NumberedNamesSlideOrOverwrite) {
    test::TempDir dir;
    MainState s = ThreeIcons();
    BatchSaveFields f;
    f.Edit1 = " " + dir.path().string() + " ";
    f.Edit2 = "ic";
    f.SpinEdit1 = 5;
    EXPECT_EQ(BatchPreview(s, f), dir.path().string() + "/ic5.ico");
    test::WriteAll(dir.path() / "ic6.ico", Bytes{1, 2, 3});
    f.Edit1 = dir.path().string();
    // The preview lists exactly what the run writes, sliding included.
    std::vector<std::string> planned;
    for (const BatchFile& file : PlanBatchSave(s, f)) {
        planned.push_back(std::filesystem::path(file.Name).filename().string());
        EXPECT_EQ(file.Type, 1);
    }
    EXPECT_EQ(planned, (std::vector<std::string>{"ic5.ico", "ic7.ico", "ic8.ico"}));
    EXPECT_EQ(RunBatchSave(s, f), 3);
    EXPECT_TRUE(Exists(dir, "ic5.ico"));
    EXPECT_TRUE(Exists(dir, "ic7.ico"));
    EXPECT_TRUE(Exists(dir, "ic8.ico"));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "ic6.ico"), 3u);  // left alone

    f.Edit2 = "ov";
    test::WriteAll(dir.path() / "ov6.ico", Bytes{1, 2, 3});
    f.RadioGroup1 = 1;
    RunBatchSave(s, f);
    EXPECT_GT(std::filesystem::file_size(dir.path() / "ov6.ico"), 3u);  // replaced
    EXPECT_FALSE(Exists(dir, "ov8.ico"));

    f.Edit2 = "n ";  // trailing blanks stay
    f.SpinEdit1 = 9;
    RunBatchSave(s, f);
    EXPECT_TRUE(Exists(dir, "n 9.ico"));
    EXPECT_TRUE(Exists(dir, "n 10.ico"));

    // The Bitmap page writes nothing, so nothing is promised.
    s.edit.PageControl1 = kBitmapPage;
    EXPECT_TRUE(PlanBatchSave(s, f).empty());
    EXPECT_EQ(BatchPreview(s, f), "");
    EXPECT_EQ(RunBatchSave(s, f), 0);
}

TEST(BatchSave, FieldsAreCheckedBeforeRunning) {
    test::TempDir dir;
    BatchSaveFields f;
    int field = 0;
    f.Edit1 = "  ";
    EXPECT_EQ(CheckBatchSave(f, field), kBatchNoFolder);
    EXPECT_EQ(field, 1);
    f.Edit1 = (dir.path() / "missing").string();
    EXPECT_EQ(CheckBatchSave(f, field), kBatchFolderMissing);
    f.Edit1 = dir.path().string();
    f.Edit2 = " ";
    EXPECT_EQ(CheckBatchSave(f, field), kBatchNoName);
    EXPECT_EQ(field, 2);
    f.Edit2 = "x";
    EXPECT_EQ(CheckBatchSave(f, field), "");
}
