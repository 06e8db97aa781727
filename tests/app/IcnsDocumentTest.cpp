// The editor's side of Apple icons: content picks the Icon page, each image
// an entry whose list caption names the type it is saved as, Save writes
// ICNS again with untouched PNG images and JPEG 2000 elements byte for
// byte, an edited entry re-encoded, and ICNS as an import source.
#include <gtest/gtest.h>

#include <cstring>

#include "DocumentTestSupport.h"
#include "NoticeRecorder.h"
#include "app/DocumentOpen.h"
#include "app/SaveExport.h"
#include "formats/IcnsIconSet.h"
#include "model/EntryConversion.h"
#include "model/IcnsImage.h"
#include "platform/FileDialogsScript.h"
#include "platform/FileIO.h"

using namespace vornik;

namespace {

TQvDIB square(int side, std::uint8_t shade) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::uint8_t* p = dib.MutableScanLine(y) + 4 * x;
            p[0] = shade;
            p[1] = static_cast<std::uint8_t>(x * 3);
            p[2] = static_cast<std::uint8_t>(y * 5);
            p[3] = static_cast<std::uint8_t>(x < side / 2 ? 255 : 128);
        }
    return dib;
}

const IcnsElement* find(const IcnsFile& file, const char (&type)[5]) {
    for (const auto& e : file.elements)
        if (e.type == IcnsType(type)) return &e;
    return nullptr;
}

}  // namespace

TEST(IcnsDocument, OpenListEditSaveKeepsWhatWasNotTouched) {
    test::TempDir dir;
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    MainState s;
    IcnsFile made = IcnsFromPictures({{16, square(16, 10)}, {32, square(32, 20)}, {256, square(256, 30)}});
    const Bytes jp2 = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A, 9, 9};
    made.elements.push_back({IcnsType("ic09"), jp2, 0});
    made.elements.push_back({IcnsType("icnV"), {0x42, 0, 0, 0}, 0});
    const std::string path = dir.file("app.icon");  // the content decides, not the name
    WriteFileReplacing(path, WriteIcns(made.elements));
    EXPECT_EQ(ChooseLoader(path), (LoaderChoice{kIconPage, DocumentLoader::Icon}));

    const std::string named = dir.file("app.icns");
    WriteFileReplacing(named, WriteIcns(made.elements));
    OpenDocument(s, named);
    ASSERT_TRUE(s.doc.IconSet);
    // is32, il32, ic11, ic08, ic13: five entries; the JPEG 2000 one and icnV kept.
    ASSERT_EQ(s.doc.IconSet->Count, 5);
    EXPECT_EQ(s.doc.IconSet->IcnsKept.size(), 2u);
    ASSERT_EQ(s.LVIcon.items.size(), 5u);
    EXPECT_NE(s.LVIcon.items[0].caption.find("is32"), std::string::npos) << s.LVIcon.items[0].caption;
    EXPECT_NE(s.LVIcon.items[2].caption.find("ic11"), std::string::npos) << s.LVIcon.items[2].caption;
    EXPECT_NE(s.LVIcon.items[4].caption.find("ic13"), std::string::npos) << s.LVIcon.items[4].caption;

    // Unchanged, everything comes back as it was.
    ASSERT_TRUE(SaveDocument(s));
    const IcnsFile same = ReadIcnsFile(named);
    ASSERT_EQ(same.elements.size(), made.elements.size());
    for (const char* type : {"is32", "s8mk", "il32", "l8mk", "ic11", "ic08", "ic13", "ic09", "icnV"}) {
        char t[5];
        std::memcpy(t, type, 5);
        const IcnsElement* a = find(made, t);
        const IcnsElement* b = find(same, t);
        ASSERT_TRUE(a && b) << type;
        EXPECT_EQ(a->data, b->data) << type;
    }

    // An edited entry is encoded afresh; the others stay byte for byte.
    TIconCurEX& set = *s.doc.IconSet;
    TQvDIB mask;
    mask.CreateDIB(256, 256, 0, 1);
    DIBsToEntry(set, square(256, 200), mask, 3);
    ASSERT_TRUE(SaveDocument(s));
    const IcnsFile edited = ReadIcnsFile(named);
    EXPECT_NE(find(edited, "ic08")->data, find(made, "ic08")->data);
    EXPECT_EQ(find(edited, "ic13")->data, find(made, "ic13")->data);
    EXPECT_EQ(find(edited, "ic09")->data, jp2);
    for (const IcnsImage& image : IcnsImages(edited))
        if (image.type == IcnsType("ic08")) {
            const TQvDIB back = DecodeIcnsImage(edited, image);
            EXPECT_EQ(back.ScanLine(0)[0], 200);
        }

    // Save As under an .icns name writes ICNS; an entry of a size no type holds is refused by name.
    const int slot = set.AddSlot(-1);
    set.InitEntry(slot, 1, 20, 20, 32);
    EXPECT_EQ(AppleIconTypeOfEntry(set, slot), "");
    try {
        SaveIconSetAsAppleIcon(set, dir.file("x.icns"));
        ADD_FAILURE() << "a 20 x 20 entry was saved";
    } catch (const EVornikError& e) {
        EXPECT_NE(std::string(e.what()).find("entry 5 (20 x 20)"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(FileExists(dir.file("x.icns")));
    set.DeleteSlot(slot);
    dialogs.answer(dir.file("copy.icns"), 1);
    ASSERT_TRUE(SaveDocumentAs(s));
    EXPECT_EQ(IcnsImages(ReadIcnsFile(dir.file("copy.icns"))).size(), 6u);  // five and the JPEG 2000 one
    // A name with no extension keeps the document an Apple icon.
    dialogs.answer(dir.file("plain"), 1);
    ASSERT_TRUE(SaveDocumentAs(s));
    EXPECT_EQ(IcnsImages(ReadIcnsFile(dir.file("plain.icns"))).size(), 6u);

    // Read by content under another name, Save writes ICNS back, not an ICO.
    OpenDocument(s, path);
    ASSERT_TRUE(s.doc.IconSet);
    EXPECT_NE(s.LVIcon.items[0].caption.find("is32"), std::string::npos) << s.LVIcon.items[0].caption;
    ASSERT_TRUE(SaveDocument(s));
    EXPECT_EQ(ReadIcnsFile(path).elements.size(), made.elements.size());

    // As an import source its images are an icon set.
    s.doc.ImportFileName = named;
    OpenImportSource(s);
    ASSERT_TRUE(s.doc.ImportIconSet);
    EXPECT_EQ(s.doc.ImportKind, 0);
    EXPECT_EQ(s.doc.ImportIconSet->Count, 5);

    // A damaged file is refused with a message naming it.
    Bytes cut = ReadFileBytes(named);
    cut.resize(cut.size() - 3);
    WriteFileReplacing(dir.file("cut.icns"), cut);
    try {
        OpenDocument(s, dir.file("cut.icns"));
        ADD_FAILURE() << "a cut file was read";
    } catch (const EVornikError& e) {
        // The message names the file and says why, in words made from the reason's code.
        EXPECT_NE(std::string(e.what()).find("The file \"cut.icns\" could not be opened"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
    }
}

// An image keeps the type it was read as: a run-length it32 at 128 stays it32
// through open, edit and save instead of becoming the PNG ic07, and a new
// entry of that side takes the type left free. A JPEG 2000 image is named
// on opening, as it is not shown.
TEST(IcnsDocument, EntriesKeepTheTypeTheyWereReadAs) {
    test::TempDir dir;
    test::NoticeRecorder notices;
    FileDialogsScript dialogs;
    MainState s;
    IcnsFile made;
    PutIcnsImage(made, IcnsType("it32"), square(128, 40));
    PutIcnsImage(made, IcnsType("icp4"), square(16, 50));
    made.elements.push_back({IcnsType("ic09"), {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A}, 0});
    const std::string path = dir.file("classic.icns");
    WriteFileReplacing(path, WriteIcns(made.elements));
    OpenDocument(s, path);
    ASSERT_TRUE(s.doc.IconSet);
    ASSERT_EQ(s.LVIcon.items.size(), 2u);
    EXPECT_NE(s.LVIcon.items[0].caption.find("it32"), std::string::npos) << s.LVIcon.items[0].caption;
    EXPECT_NE(s.LVIcon.items[1].caption.find("icp4"), std::string::npos) << s.LVIcon.items[1].caption;
    ASSERT_EQ(notices.texts().size(), 1u);
    EXPECT_NE(notices.texts()[0].find("ic09"), std::string::npos) << notices.texts()[0];

    TIconCurEX& set = *s.doc.IconSet;
    TQvDIB mask;
    mask.CreateDIB(128, 128, 2, 1);
    DIBsToEntry(set, square(128, 90), mask, 0);  // edited, still 128
    const int slot = set.AddSlot(0);             // a new 128 before it
    set.InitEntry(slot, 1, 128, 128, 32);
    EXPECT_EQ(AppleIconTypeOfEntry(set, 0), "ic07");
    EXPECT_EQ(AppleIconTypeOfEntry(set, 1), "it32");
    set.DeleteSlot(slot);
    ASSERT_TRUE(SaveDocument(s));
    const IcnsFile saved = ReadIcnsFile(path);
    std::vector<std::string> types;
    for (const auto& e : saved.elements) types.push_back(IcnsTypeText(e.type));
    EXPECT_EQ(types, (std::vector<std::string>{"it32", "t8mk", "icp4", "ic09"}));
    for (const IcnsImage& image : IcnsImages(saved))
        if (image.type == IcnsType("it32")) {
            EXPECT_EQ(DecodeIcnsImage(saved, image).ScanLine(0)[0], 90);
        }
}

// Apple icons go through the registry like any file: an image that does not
// decode is a loss (named once, the document marked so its first Save asks),
// and a file of which nothing decodes is refused, the open document kept.
TEST(IcnsDocument, DamagedImagesAreLossesAndNothingReadableIsRefused) {
    test::TempDir dir;
    test::NoticeRecorder notices;
    MainState s;
    IcnsFile made = IcnsFromPictures({{16, square(16, 10)}, {32, square(32, 20)}});
    const Bytes garbage(40, 0x5A);
    made.elements.push_back({IcnsType("ic07"), garbage, 0});
    const std::string path = dir.file("damaged.icns");
    WriteFileReplacing(path, WriteIcns(made.elements));
    OpenDocument(s, path);
    ASSERT_TRUE(s.doc.IconSet);
    EXPECT_EQ(s.doc.IconSet->Count, 3);  // is32, il32 and ic11
    EXPECT_TRUE(s.doc.IconAppleIcon);
    EXPECT_TRUE(s.doc.IconReadWithLosses);
    ASSERT_EQ(notices.texts().size(), 1u);  // the losses, not the same notes again
    EXPECT_NE(notices.texts()[0].find("\"damaged.icns\" could not be read in full"), std::string::npos) << notices.texts()[0];
    EXPECT_NE(notices.texts()[0].find("ic07"), std::string::npos) << notices.texts()[0];

    IcnsFile none;
    none.elements.push_back({IcnsType("ic07"), garbage, 0});
    WriteFileReplacing(dir.file("none.icns"), WriteIcns(none.elements));
    EXPECT_THROW(OpenDocument(s, dir.file("none.icns")), EVornikError);
    EXPECT_EQ(s.doc.IconFileName, path);
    EXPECT_EQ(s.doc.IconSet->Count, 3);
    EXPECT_TRUE(s.doc.IconAppleIcon);
}
