// The editor's side of Xcursor files: content picks the page, Save As picks
// Xcursor by its filter, Save keeps a file Xcursor by its name.
#include <gtest/gtest.h>

#include "DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "app/DocumentOpen.h"
#include "app/SaveExport.h"
#include "app/XcursorDocument.h"
#include "model/XcursorFile.h"
#include "platform/FileDialogsScript.h"
#include "platform/FileIO.h"

using namespace vornik;

namespace {

XcursorPicture picture(std::uint32_t side, std::uint32_t delay, std::uint32_t colour) {
    XcursorPicture p;
    p.nominalSize = p.width = p.height = side;
    p.delay = delay;
    p.xhot = 2;
    p.yhot = 3;
    p.pixels.assign(std::size_t{side} * side, 0xFF000000u | colour);
    return p;
}

TEST(XcursorDocument, ContentChoosesThePageAndSavingKeepsXcursor) {
    test::TempDir dir;
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    MainState s;
    s.doc.AniSet = std::make_unique<TAniEX>(10);
    const std::string still = dir.file("left_ptr"), spin = dir.file("watch.cur");  // names lie
    WriteFileReplacing(still, WriteXcursor({picture(24, 0, 1), picture(32, 0, 1)}));
    WriteFileReplacing(spin, WriteXcursor({picture(32, 100, 1), picture(32, 200, 2)}));

    EXPECT_EQ(ChooseLoader(still), (LoaderChoice{kIconPage, DocumentLoader::Icon}));
    EXPECT_EQ(ChooseLoader(spin), (LoaderChoice{kAnimationPage, DocumentLoader::Animation}));

    OpenDocument(s, still);
    ASSERT_TRUE(s.doc.IconSet);
    EXPECT_EQ(s.doc.IconSet->Count, 2);
    EXPECT_EQ(s.doc.IconSet->ResourceType, 2);
    EXPECT_EQ(s.doc.IconSet->Entries[0].HotSpotY, 3);
    SaveDocument(s);  // its name has no extension: written back as Xcursor
    EXPECT_EQ(ReadXcursorFile(still).size(), 2u);

    OpenDocument(s, spin);
    ASSERT_TRUE(s.doc.AniSet);
    EXPECT_EQ(s.doc.AniSet->Count, 2);
    EXPECT_EQ(s.doc.AniSet->Steps[1].Rate, 12);
    // Save As with the Xcursor filter, and with the animated cursor filter.
    dialogs.answer(dir.file("spin"), 2);
    ASSERT_TRUE(SaveDocumentAs(s));
    const auto images = ReadXcursorFile(dir.file("spin"));
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[1].delay, 200u);
    dialogs.answer(dir.file("spin.ani"), 1);
    ASSERT_TRUE(SaveDocumentAs(s));
    const Bytes ani = ReadFileBytes(dir.file("spin.ani"));
    EXPECT_EQ(std::string(ani.begin(), ani.begin() + 4), "RIFF");

    // A damaged Xcursor file is refused with a message naming it.
    Bytes cut = ReadFileBytes(still);
    cut.resize(cut.size() - 10);
    WriteFileReplacing(dir.file("cut"), cut);
    try {
        OpenDocument(s, dir.file("cut"));
        ADD_FAILURE() << "a cut file was read";
    } catch (const EVornikError& e) {
        EXPECT_NE(std::string(e.what()).find("cut"), std::string::npos);
    }
}

}  // namespace
