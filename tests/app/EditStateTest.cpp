#include <gtest/gtest.h>

#include <set>

#include "DocumentTestSupport.h"
#include "app/Commands.h"
#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/IconSelect.h"
#include "app/MainStart.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;
using namespace vornik::test;

namespace {

struct Started {
    Started() { StartEditor(s, store); }
    MemorySettingsStore store;
    MainState s;
};

// Opens a corpus file and double-clicks its entry i.
void showCorpusEntry(MainState& s, const std::string& file, int i) {
    OpenDocument(s, CorpusFile(file).string());
    s.LVIcon.selected = i;
    ShowEntry(s);
}

int bitCountOfEntry(const IconEntry& e) { return ReadU16LE(e.InfoHeader.data() + 14); }

}  // namespace

TEST(PageCommands, EachPageAndSetKindHasItsColumn) {
    Started st;
    MainState& s = st.s;
    struct Expect {
        const char* name;
        bool icon, exe, anim, bitmap;
    };
    const Expect rows[] = {
        {"Save1", 1, 0, 1, 0},
        {"SaveAs1", 1, 0, 1, 0},
        {"tbsave", 1, 0, 1, 0},
        {"Cut1", 1, 0, 1, 0},
        {"tbcut", 1, 0, 1, 0},
        {"Paste1", 1, 0, 1, 1},
        {"tbpaste", 1, 0, 1, 1},
        {"tbbmpget", 0, 0, 0, 1},
        {"mnu_bmpget", 0, 0, 0, 1},
        {"tbiconrep", 1, 0, 1, 0},
        {"tbiconadd", 1, 0, 1, 0},
        {"tbview1", 1, 1, 0, 0},
        {"tbview4", 1, 1, 0, 0},
        {"spebx", 0, 0, 0, 1},
        {"speby", 0, 0, 0, 1},
        {"iconauto", 1, 0, 1, 0},
        {"tbiconauto", 1, 0, 1, 0},
        {"mnu_allsave", 1, 1, 1, 0},
        {"mnu_bitmapzoom", 0, 0, 0, 1},
        // never touched by the table
        {"Copy1", 1, 1, 1, 1},
        {"mnu_iconrep", 1, 1, 1, 1},
        {"mnu_iconadd", 1, 1, 1, 1},
        {"view1", 1, 1, 1, 1},
    };
    auto check = [&](int column, const char* label) {
        for (const Expect& e : rows) {
            const bool want[4] = {e.icon, e.exe, e.anim, e.bitmap};
            EXPECT_EQ(s.commands.Enabled(e.name), want[column]) << label << " " << e.name;
        }
    };
    check(kColIconSet, "at start");
    EXPECT_EQ(ActivatePage(s, kBitmapPage), "ScrollBox3");
    check(kColBitmap, "bitmap");
    EXPECT_EQ(ActivatePage(s, kAnimationPage), "lvani1");
    check(kColAnimation, "animation");
    s.doc.ExeShown = true;
    EXPECT_EQ(ActivatePage(s, kIconPage), "LVIcon");
    check(kColExeSet, "executable");
    EXPECT_EQ(PageCommandTable().size(), 22u);
}

TEST(PageCommands, CaptionNamesThePageDocument) {
    Started st;
    MainState& s = st.s;
    s.doc.IconFileName = "/i.ico";
    s.doc.ExeFileName = "/e.exe";
    s.doc.BitmapFileName = "/b.bmp";
    UpdatePageCommands(s, kIconPage);
    EXPECT_EQ(s.Caption, std::string("/i.ico - ") + kAppTitle);
    s.doc.ExeShown = true;
    UpdatePageCommands(s, kIconPage);
    EXPECT_EQ(s.Caption, std::string("/e.exe - ") + kAppTitle);
    UpdatePageCommands(s, kAnimationPage);
    EXPECT_EQ(s.Caption, kAppTitle);
    UpdatePageCommands(s, kBitmapPage);
    EXPECT_EQ(s.Caption, std::string("/b.bmp - ") + kAppTitle);
}

TEST(ResourceTarget, ButtonsApplyTheirColumnOnlyWhenPressed) {
    Started st;
    MainState& s = st.s;
    // "view" is down at start, but its column was never applied
    EXPECT_EQ(s.edit.target, ResourceTarget::View);
    for (const char* n :
         {"tbconvert", "mnu_convert", "tbinport", "inport1", "tbexport", "export1", "cmbcolor", "cmbsize"})
        EXPECT_TRUE(s.commands.Enabled(n)) << n;

    SetResourceTarget(s, ResourceTarget::Mask);
    EXPECT_EQ(s.edit.target, ResourceTarget::Mask);
    EXPECT_FALSE(s.commands.Enabled("cmbcolor"));
    EXPECT_FALSE(s.commands.Enabled("cmbsize"));
    EXPECT_FALSE(s.commands.Enabled("tbconvert"));
    EXPECT_TRUE(s.commands.Enabled("tbinport"));
    EXPECT_TRUE(s.commands.Enabled("export1"));
    EXPECT_FALSE(s.commands.Enabled("tbbmpget"));

    SetResourceTarget(s, ResourceTarget::View);  // the selectors stay as the mask left them
    EXPECT_FALSE(s.commands.Enabled("cmbcolor"));
    EXPECT_FALSE(s.commands.Enabled("cmbsize"));
    EXPECT_FALSE(s.commands.Enabled("inport1"));
    EXPECT_FALSE(s.commands.Enabled("tbexport"));

    ActivatePage(s, kBitmapPage);
    SetResourceTarget(s, ResourceTarget::Image);
    EXPECT_TRUE(s.commands.Enabled("cmbcolor"));
    EXPECT_TRUE(s.commands.Enabled("cmbsize"));
    EXPECT_TRUE(s.commands.Enabled("tbconvert"));
    EXPECT_TRUE(s.commands.Enabled("mnu_bmpget"));
    ActivatePage(s, kIconPage);
    SetResourceTarget(s, ResourceTarget::Image);
    EXPECT_FALSE(s.commands.Enabled("tbbmpget"));
}

TEST(Selectors, UserPicksOfTypeSizeAndStyle) {
    Started st;
    MainState& s = st.s;
    SelectEntryType(s, kTypeBitmap);
    EXPECT_FALSE(s.commands.Enabled("spex"));
    EXPECT_FALSE(s.commands.Enabled("spey"));
    SelectEntryType(s, kTypeCursor);
    EXPECT_TRUE(s.commands.Enabled("spex"));
    EXPECT_EQ(s.edit.cmbtype, kTypeCursor);

    SelectEntrySize(s, 5);
    EXPECT_EQ(s.edit.Shape1Width, 128);
    EXPECT_EQ(s.edit.Shape1Height, 128);
    SelectEntrySize(s, 0);  // "Any" leaves the frame
    EXPECT_EQ(s.edit.cmbsize, 0);
    EXPECT_EQ(s.edit.Shape1Width, 128);
    SelectEntrySize(s, 1);
    EXPECT_EQ(s.edit.Shape1Height, 16);

    SetListStyle(s, 3);
    EXPECT_EQ(s.edit.LVIconStyle, 3);
    for (int tag = 0; tag < 4; ++tag) EXPECT_EQ(ViewStyleChecked(s.edit, tag), tag == 3);
    SetListStyle(s, 9);
    EXPECT_EQ(s.edit.LVIconStyle, 3);
}

TEST(Selectors, FollowThePicture) {
    EditState e;
    SyncSelectorsFromImage(e, 4, 32, 32);
    EXPECT_EQ(e.cmbcolor, 1);
    EXPECT_EQ(e.cmbsize, 2);
    SyncSelectorsFromImage(e, 1, 30, 30);
    EXPECT_EQ(e.cmbcolor, 0);
    EXPECT_EQ(e.cmbsize, 0);
    SyncSelectorsFromImage(e, 1, 24, 24);  // the later sizes have later indices
    EXPECT_EQ(e.cmbsize, 8);
    EXPECT_EQ(SizeOfIndex(e.cmbsize), 24);
    SyncSelectorsFromImage(e, 1, 96, 96);
    EXPECT_EQ(e.cmbsize, 10);
    SyncSelectorsFromImage(e, 32, 128, 128);
    EXPECT_EQ(e.cmbcolor, 3);
    EXPECT_EQ(e.cmbsize, 5);
    SyncSelectorsFromImage(e, 8, 48, 16);
    EXPECT_EQ(e.cmbcolor, 2);
    EXPECT_EQ(e.cmbsize, 0);
    for (int bits : {15, 16, 24}) {
        SyncSelectorsFromImage(e, bits, 64, 64);
        EXPECT_EQ(e.cmbcolor, 3);
        EXPECT_EQ(e.cmbsize, 4);
    }
    EXPECT_EQ(SizeOfIndex(0), 32);
    EXPECT_EQ(SizeOfIndex(3), 48);
    // Rows go by size ("Any" first) and map back to every index exactly once.
    std::set<int> indices;
    for (int row = 0; row < kCmbSizeCount; ++row) {
        const int index = SizeIndexOfRow(row);
        EXPECT_EQ(SizeRowOfIndex(index), row);
        indices.insert(index);
        if (row >= 2) {
            EXPECT_LT(SizeOfIndex(SizeIndexOfRow(row - 1)), SizeOfIndex(index)) << row;
        }
    }
    EXPECT_EQ(indices.size(), size_t(kCmbSizeCount));
    EXPECT_EQ(SizeIndexOfRow(0), 0);
    EXPECT_EQ(SizeRowOfIndex(kCmbSizeCount), -1);
    EXPECT_EQ(BitCountOfIndex(0), 1);
    EXPECT_EQ(BitCountOfIndex(3), 24);
}

TEST(NumberFields, ClampedOrReadAsTyped) {
    EditState e;
    SetHotSpot(e, 300, -2);
    EXPECT_EQ(e.spex, 127);
    EXPECT_EQ(e.spey, 0);
    EXPECT_EQ(ReadRangeField("50", 0, 127), 50);
    EXPECT_EQ(ReadRangeField("500", 0, 127), 127);
    EXPECT_EQ(ReadRangeField("abc", 1, 100), 1);
    EXPECT_EQ(ReadFreeField("-40"), -40);
    EXPECT_EQ(ReadFreeField("x"), 0);
}

TEST(ShowEntry, CursorEntrySetsCursorTypeAndHotSpot) {
    VORNIK_REQUIRE_CORPUS();
    Started st;
    MainState& s = st.s;
    showCorpusEntry(s, "cur/bibata__default.cur", 0);
    const IconEntry& e = s.doc.IconSet->Entries[0];
    ASSERT_TRUE(s.edit.imgxor);
    ASSERT_TRUE(s.edit.imgand);
    EXPECT_EQ(s.edit.cmbtype, kTypeCursor);
    EXPECT_EQ(s.edit.spex, e.HotSpotX);
    EXPECT_EQ(s.edit.spey, e.HotSpotY);
    EXPECT_EQ(s.edit.spex, 8);
    EXPECT_EQ(s.edit.spey, 5);
    EXPECT_EQ(s.edit.imgxor->Width(), 32);
    EXPECT_EQ(s.edit.cmbsize, 2);
    EXPECT_EQ(s.edit.imgand->GetBitCount(), 24);
    EXPECT_EQ(s.edit.imgand->Width(), s.edit.imgxor->Width());
    EXPECT_EQ(s.edit.imgand->Height(), s.edit.imgxor->Height());
}

TEST(ShowEntry, IconAndExecutableEntriesSetIconTypeAndZeroHotSpot) {
    VORNIK_REQUIRE_CORPUS();
    Started st;
    MainState& s = st.s;
    s.edit.spex = 9;
    showCorpusEntry(s, "ico/distlib__launcher.ico", 0);
    ASSERT_TRUE(s.edit.imgxor);
    const IconEntry& e = s.doc.IconSet->Entries[0];
    EXPECT_EQ(s.edit.cmbtype, kTypeIcon);
    EXPECT_EQ(s.edit.spex, 0);
    EXPECT_EQ(s.edit.spey, 0);
    EXPECT_EQ(s.edit.imgxor->GetBitCount(), bitCountOfEntry(e));
    EXPECT_EQ(s.edit.imgxor->Width(), e.Width ? e.Width : 256);

    s.edit.spex = 9;
    s.edit.cmbtype = kTypeCursor;
    showCorpusEntry(s, "pe/distlib__w32.exe", 0);
    ASSERT_GT(s.doc.ExeSet->Count, 0);
    EXPECT_EQ(s.edit.cmbtype, kTypeIcon);
    EXPECT_EQ(s.edit.spex, 0);
    ASSERT_TRUE(s.edit.imgxor);
    EXPECT_EQ(s.edit.imgxor->Width(), s.doc.ExeSet->Entries[0].Width ? s.doc.ExeSet->Entries[0].Width : 256);
}

TEST(ShowEntry, NothingSelectedDoesNothing) {
    VORNIK_REQUIRE_CORPUS();
    Started st;
    MainState& s = st.s;
    ShowEntry(s);  // empty list
    EXPECT_FALSE(s.edit.imgxor);
    OpenDocument(s, CorpusFile("ico/distlib__launcher.ico").string());
    s.LVIcon.selected = -1;
    ShowEntry(s);
    EXPECT_FALSE(s.edit.imgxor);
    s.LVIcon.selected = 999;
    ShowEntry(s);
    EXPECT_FALSE(s.edit.imgxor);
}

TEST(ResourceList, RefillShowsEveryEntryWithTwoThumbnails) {
    VORNIK_REQUIRE_CORPUS();
    Started st;
    MainState& s = st.s;
    OpenDocument(s, CorpusFile("cur/bibata__default.cur").string());
    const TIconEx& set = *s.doc.IconSet;
    ASSERT_EQ(s.LVIcon.items.size(), static_cast<std::size_t>(set.Count));
    ASSERT_EQ(s.LVIcon.largeImages.pairs.size(), s.LVIcon.items.size());
    ASSERT_EQ(s.LVIcon.smallImages.pairs.size(), s.LVIcon.items.size());
    for (int i = 0; i < set.Count; ++i) {
        const ResourceListItem& item = s.LVIcon.items[i];
        const IconEntry& e = set.Entries[i];
        EXPECT_EQ(item.imageIndex, i);
        EXPECT_EQ(item.subItems[0], std::to_string(e.Width));
        EXPECT_EQ(item.subItems[5], std::to_string(e.HotSpotX));
        EXPECT_EQ(item.subItems[6], std::to_string(e.HotSpotY));
        EXPECT_EQ(item.caption.rfind(std::to_string(e.Width) + " x " + std::to_string(e.Height) + " - ", 0),
                  0u);
        EXPECT_EQ(s.LVIcon.largeImages.pairs[i].image.Width(), 32);
        EXPECT_EQ(s.LVIcon.smallImages.pairs[i].mask.Height(), 16);
    }
    EXPECT_EQ(s.LVIcon.items[0].subItems[5], "8");
    s.LVIcon.selected = 0;
    NewDocument(s, {});  // a refill empties the list and its selection
    EXPECT_TRUE(s.LVIcon.items.empty());
    EXPECT_TRUE(s.LVIcon.largeImages.pairs.empty());
    EXPECT_EQ(s.LVIcon.selected, -1);
    EXPECT_EQ(std::string(ResourceList::kColumnHeaders[4]), "Offset");
}

TEST(IconSelect, ChoosesAnEntryOfTheImportSource) {
    VORNIK_REQUIRE_CORPUS();
    Started st;
    MainState& s = st.s;
    const std::string cur = CorpusFile("cur/bibata__default.cur").string();
    std::string label;
    std::size_t rows = 0;
    auto pickFirst = [&](const ResourceList& list, const std::string& l) -> std::optional<int> {
        label = l;
        rows = list.items.size();
        return 0;
    };
    EXPECT_EQ(SelectImportEntry(s, cur, pickFirst), 0);
    EXPECT_EQ(label, cur);
    EXPECT_EQ(s.doc.ImportKind, 1);
    ASSERT_NE(s.doc.ImportSet(), nullptr);
    EXPECT_EQ(rows, static_cast<std::size_t>(s.doc.ImportSet()->Count));

    auto cancel = [](const ResourceList&, const std::string&) -> std::optional<int> { return std::nullopt; };
    EXPECT_EQ(SelectImportEntry(s, CorpusFile("ani/emvaized__src__busy.ani").string(), cancel), std::nullopt);
    EXPECT_EQ(s.doc.ImportKind, 2);
    auto beyond = [](const ResourceList& l, const std::string&) -> std::optional<int> {
        return static_cast<int>(l.items.size());
    };
    EXPECT_EQ(SelectImportEntry(s, CorpusFile("pe/distlib__w32.exe").string(), beyond), std::nullopt);
    EXPECT_EQ(s.doc.ImportKind, 3);
    EXPECT_EQ(NewResourceTypeOf(0), 1);
    EXPECT_EQ(NewResourceTypeOf(1), 2);
}

TEST(CommandTables, NameOnlyCommandsAndControlsOfTheWindow) {
    const std::set<std::string> controls = {"spebx", "speby", "cmbcolor", "cmbsize"};
    for (const PageCommandRow& row : PageCommandTable())
        EXPECT_TRUE(FindCommand(row.name) || controls.count(std::string(row.name))) << row.name;
    for (const TargetCommandRow& row : TargetCommandTable())
        EXPECT_TRUE(FindCommand(row.name) || controls.count(std::string(row.name))) << row.name;
}
