// Opening and importing through the format registry: what is refused never
// becomes the document, what is read with losses is never saved over silently.
#include <gtest/gtest.h>

#include "../anim/AniBuilder.h"
#include "DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "app/DocumentOpen.h"
#include "app/IconSelect.h"
#include "app/MainStart.h"
#include "app/SaveExport.h"
#include "platform/Errors.h"
#include "platform/FileDialogsScript.h"
#include "platform/MemorySettingsStore.h"

namespace vornik {
namespace {

using namespace test;

struct Started {
    Started() { StartEditor(s, store); }
    MemorySettingsStore store;
    MainState s;
};

// Three frames, the middle one's icon chunk holding no image.
Bytes aniWithBadMiddleFrame() {
    const Bytes good1 = Chunk("icon", CursorFile({CursorImage(16, 4, 1)}));
    const Bytes bad = Chunk("icon", Bytes(4, 0));
    const Bytes good2 = Chunk("icon", CursorFile({CursorImage(16, 4, 3)}));
    return Ani({Anih(3, 3, 7), List("fram", {good1, bad, good2})});
}

TEST(OpenReadResult, AniWithOneBadFrameReadsItsGoodFramesAndNamesTheBadOne) {
    TempDir dir;
    WriteAll(dir.file("busy.ani"), aniWithBadMiddleFrame());
    Started st;
    NoticeRecorder rec;
    OpenDocument(st.s, dir.file("busy.ani"));
    EXPECT_EQ(st.s.edit.PageControl1, kAnimationPage);
    ASSERT_NE(st.s.doc.AniSet, nullptr);
    EXPECT_EQ(st.s.doc.AniSet->Count, 2);
    // The steps of the good frames stay and point at them.
    ASSERT_EQ(st.s.doc.AniSet->StepCount(), 2);
    EXPECT_EQ(st.s.doc.AniSet->Steps[0].Frame, 0);
    EXPECT_EQ(st.s.doc.AniSet->Steps[1].Frame, 1);
    EXPECT_TRUE(st.s.doc.AniReadWithLosses);
    ASSERT_FALSE(rec.notices.empty());
    const std::string said = rec.notices.back().text;
    EXPECT_NE(said.find("\"busy.ani\" could not be read in full"), std::string::npos) << said;
    EXPECT_NE(said.find("Frame 1 "), std::string::npos) << said;
}

// Save asks before writing over a file read with losses: "no" (or Escape)
// goes to Save As, whose cancel leaves the file as it was; "yes" overwrites once.
TEST(OpenReadResult, DamagedAniIsNeverSavedOverWithoutAsking) {
    TempDir dir;
    const Bytes original = aniWithBadMiddleFrame();
    WriteAll(dir.file("busy.ani"), original);
    Started st;
    NoticeRecorder rec;
    OpenDocument(st.s, dir.file("busy.ani"));
    rec.notices.clear();

    FileDialogsScript dialogs;  // no scripted answer: the chooser is cancelled
    rec.answers = {false};
    EXPECT_FALSE(SaveDocument(st.s));
    EXPECT_EQ(ReadAll(dir.file("busy.ani")), original);
    ASSERT_EQ(rec.notices.size(), 1u);
    EXPECT_EQ(rec.notices[0].kind, "question");
    EXPECT_EQ(rec.notices[0].text, EnglishText(LossySaveQuestion(dir.file("busy.ani"))));
    EXPECT_EQ(dialogs.asked.size(), 1u);

    rec.answers = {true};
    EXPECT_TRUE(SaveDocument(st.s));
    EXPECT_NE(ReadAll(dir.file("busy.ani")), original);
    EXPECT_FALSE(st.s.doc.AniReadWithLosses);
    // Only the first save asks.
    rec.notices.clear();
    EXPECT_TRUE(SaveDocument(st.s));
    EXPECT_TRUE(rec.notices.empty());
}

TEST(OpenReadResult, PngOpensOnTheBitmapPageWithItsAlphaUnderAnyName) {
    VORNIK_REQUIRE_CORPUS();
    TempDir dir;
    for (const char* name : {"picture.png", "picture.ico"}) {
        Started st;
        NoticeRecorder rec;
        const std::string path = CopyAs(dir, "ani/kimageformats__test_1.png", name);
        OpenDocument(st.s, path);
        EXPECT_EQ(st.s.edit.PageControl1, kBitmapPage) << name;
        ASSERT_TRUE(st.s.edit.imgbmp) << name;
        EXPECT_EQ(st.s.edit.imgbmp->GetBitCount(), 32) << name;
        EXPECT_EQ(st.s.doc.BitmapFileName, path);
    }
}

TEST(OpenReadResult, ProgramWithoutIconsIsRefusedWithTheReason) {
    TempDir dir;
    Bytes exe(512, 0);
    exe[0] = 'M', exe[1] = 'Z';
    WriteAll(dir.file("tool.exe"), exe);
    Started st;
    NoticeRecorder rec;
    try {
        OpenDocument(st.s, dir.file("tool.exe"));
        ADD_FAILURE() << "opened";
    } catch (const EVornikError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("The file \"tool.exe\" could not be opened"), std::string::npos) << text;
        EXPECT_NE(text.find("No icon or cursor images were found"), std::string::npos) << text;
    }
    EXPECT_EQ(st.s.doc.ExeSet, nullptr);
    EXPECT_TRUE(st.s.doc.ExeFileName.empty());
}

TEST(OpenReadResult, ImportSaysWhyAFileIsRefused) {
    TempDir dir;
    WriteAll(dir.file("broken.ico"), Bytes(100, 0x41));
    Started st;
    NoticeRecorder rec;
    bool shown = false;
    try {
        SelectImportEntry(st.s, dir.file("broken.ico"), [&](const ResourceList&, const std::string&) {
            shown = true;
            return std::optional<int>{};
        });
        ADD_FAILURE() << "imported";
    } catch (const EVornikError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("broken.ico"), std::string::npos) << text;
        EXPECT_NE(text.find("damaged"), std::string::npos) << text;
    }
    EXPECT_FALSE(shown);  // no empty chooser
}

}  // namespace
}  // namespace vornik
