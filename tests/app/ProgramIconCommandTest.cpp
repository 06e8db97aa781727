// The editor's "replace this group with the current icon": a copy of the
// open program under a new name, never the program itself.
#include <gtest/gtest.h>

#include "NoticeRecorder.h"
#include "PeBuilder.h"
#include "TestFiles.h"
#include "app/DocumentOpen.h"
#include "app/EditActions.h"
#include "app/MainStart.h"
#include "app/ProgramIconCommand.h"
#include "model/ExeResources.h"
#include "model/PeHeaders.h"
#include "platform/FileIO.h"
#include "platform/MemorySettingsStore.h"

using namespace vornik;
using namespace vornik::test;

namespace {

// A program with IDI_APP and cursor group 7, aligned as a linker writes it;
// with a certificate after the sections when signed.
Bytes program(bool signedProgram) {
    PeBuilder b;
    b.Add(kRtIcon, 1, DibIconImage(32, 32, 4, 0x12)).Add(kRtCursor, 2, CursorResource(9, 4, DibIconImage(32, 32, 1, 0x34)));
    b.AddNamed(kRtGroupIcon, "IDI_APP", GroupRecord(1, {{32, 32, 16, 1, 4, 744, 1}}));
    b.Add(kRtGroupCursor, 7, GroupRecord(2, {{32, 32, 0, 1, 1, 332, 2}}));
    Bytes exe = b.Build();
    PeHeaders pe;
    ReadPeHeaders(exe.data(), exe.size(), FindPeHeader(exe.data(), exe.size()), pe);
    WriteU32LE(exe.data() + pe.optionalHeader + PeHeaders::kSectionAlignment, 0x1000);
    WriteU32LE(exe.data() + pe.optionalHeader + PeHeaders::kFileAlignment, 0x200);
    WriteU32LE(exe.data() + pe.optionalHeader + PeHeaders::kSizeOfHeaders, 0x200);
    if (signedProgram) {
        WriteU32LE(exe.data() + pe.dataDirectories + 8 * kPeSecurityDirectory, static_cast<std::uint32_t>(exe.size()));
        WriteU32LE(exe.data() + pe.dataDirectories + 8 * kPeSecurityDirectory + 4, 32);
        exe.insert(exe.end(), 32, 0xC5);
    }
    return exe;
}

struct Editor {
    NoticeRecorder rec;
    TempDir dir;
    MemorySettingsStore store;
    MainState s;
    std::string path;
    Bytes original;
    explicit Editor(bool signedProgram) {
        path = dir.file("app.exe");
        original = program(signedProgram);
        WriteAll(path, original);
        StartEditor(s, store);
        OpenDocument(s, path);
    }
};

}  // namespace

TEST(ReplaceExeGroup, SavesACopyWhoseGroupHoldsThePictureUnderEditWithItsHotSpot) {
    Editor e(false);
    ASSERT_TRUE(e.s.doc.ExeShown);
    e.s.LVIcon.selected = 1;  // cursor group 7
    ShowEntry(e.s);
    e.s.edit.spex = 5;
    e.s.edit.spey = 6;
    const std::string copy = e.dir.file("copy.exe");
    ASSERT_TRUE(SaveProgramWithGroupReplaced(e.s, copy)) << (e.rec.notices.empty() ? "" : e.rec.notices[0].text);
    EXPECT_EQ(ReadFileBytes(e.path), e.original);
    const Bytes out = ReadFileBytes(copy);
    const ExeResources res = ReadExeResources(out.data(), out.size());
    ASSERT_EQ(res.groups.size(), 2u);
    const ResourceGroup& cursor = res.groups[0];
    EXPECT_EQ(cursor.name.Text(), "7");
    EXPECT_EQ(cursor.language, 1033);
    ASSERT_EQ(cursor.members.size(), 1u);
    const ResourceImage& image = res.cursors[static_cast<std::size_t>(cursor.members[0].image)];
    EXPECT_EQ(ReadU16LE(out.data() + image.offset), 5);
    EXPECT_EQ(ReadU16LE(out.data() + image.offset + 2), 6);
    EXPECT_EQ(cursor.members[0].width, 32);
    // IDI_APP and its image are untouched.
    ASSERT_EQ(res.groups[1].members.size(), 1u);
    EXPECT_EQ(Bytes(out.begin() + static_cast<long>(res.icons[0].offset),
                    out.begin() + static_cast<long>(res.icons[0].offset + res.icons[0].size)),
              DibIconImage(32, 32, 4, 0x12));

    // Never over the open program.
    EXPECT_FALSE(SaveProgramWithGroupReplaced(e.s, e.path));
    EXPECT_EQ(ReadFileBytes(e.path), e.original);
    ASSERT_FALSE(e.rec.notices.empty());
    EXPECT_EQ(e.rec.notices.back().kind, "warning");
}

TEST(ReplaceExeGroup, ASignedProgramIsWrittenOnlyWhenTheUserDropsTheSignature) {
    Editor e(true);
    e.s.LVIcon.selected = 0;
    ShowEntry(e.s);
    const std::string copy = e.dir.file("copy.exe");
    e.rec.answers = {false};
    EXPECT_FALSE(SaveProgramWithGroupReplaced(e.s, copy));
    EXPECT_FALSE(FileExists(copy));
    ASSERT_FALSE(e.rec.notices.empty());
    EXPECT_EQ(e.rec.notices.back().kind, "question");
    e.rec.answers = {true};
    ASSERT_TRUE(SaveProgramWithGroupReplaced(e.s, copy));
    const Bytes out = ReadFileBytes(copy);
    PeHeaders pe;
    ReadPeHeaders(out.data(), out.size(), FindPeHeader(out.data(), out.size()), pe);
    EXPECT_EQ(pe.DirectorySize(out.data(), kPeSecurityDirectory), 0u);
    EXPECT_EQ(out.size() % 0x200, 0u) << "the certificate is cut off";
}
