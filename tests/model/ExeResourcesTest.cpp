#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "NoticeRecorder.h"
#include "PeBuilder.h"
#include "TestFiles.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIB.h"
#include "model/ExeResourceSet.h"
#include "model/ExeResources.h"
#include "model/TIconEx.h"

namespace vornik {
namespace {

using namespace test;

Bytes pngImage(int w, int h) {
    TQvDIB dib;
    dib.CreateDIB(w, h, 0, 24);
    return EncodePng(dib);
}

Bytes slice(const Bytes& file, const ResourceImage& image) {
    return Bytes(file.begin() + static_cast<long>(image.offset),
                 file.begin() + static_cast<long>(image.offset + image.size));
}

bool contains(const std::vector<std::string>& lines, const std::string& part) {
    for (const auto& l : lines)
        if (l.find(part) != std::string::npos) return true;
    return false;
}

// A program with an icon group of three images (BMP 16 and 32, a PNG 256),
// a second language of the same group, a numbered icon group, a cursor group
// with a hot spot, and one icon no group names.
PeBuilder sampleProgram() {
    PeBuilder b;
    const Bytes i16 = DibIconImage(16, 16, 4, 0x11), i32 = DibIconImage(32, 32, 8, 0x22);
    const Bytes i256 = pngImage(256, 256), i40x24 = DibIconImage(40, 24, 32, 0x33);
    b.Add(kRtIcon, 1, i16).Add(kRtIcon, 2, i32).Add(kRtIcon, 3, i256).Add(kRtIcon, 4, i40x24);
    b.Add(kRtIcon, 5, DibIconImage(16, 16, 1, 0x55), 1041);
    b.Add(kRtIcon, 9, DibIconImage(24, 24, 4, 0x99));
    b.Add(kRtCursor, 6, CursorResource(5, 7, DibIconImage(32, 32, 1, 0x66)));
    b.AddNamed(kRtGroupIcon, "IDI_APP",
               GroupRecord(1, {{32, 32, 0, 1, 8, static_cast<std::uint32_t>(i32.size()), 2},
                               {16, 16, 16, 1, 4, static_cast<std::uint32_t>(i16.size()), 1},
                               {0, 0, 0, 1, 32, static_cast<std::uint32_t>(i256.size()), 3}}));
    b.AddNamed(kRtGroupIcon, "IDI_APP", GroupRecord(1, {{16, 16, 2, 1, 1, 0, 5}}), 1041);
    b.Add(kRtGroupIcon, 101, GroupRecord(1, {{40, 24, 0, 1, 32, 0, 4}}));
    b.Add(kRtGroupCursor, 200, GroupRecord(2, {{32, 32, 0, 1, 1, 0, 6}}));
    return b;
}

TEST(ExeResources, GroupsNamesLanguagesImagesAndHotSpotsOfPe32AndPe32Plus) {
    for (bool plus : {false, true}) {
        SCOPED_TRACE(plus ? "PE32+" : "PE32");
        PeBuilder b = sampleProgram();
        b.pe32plus = plus;
        const Bytes file = b.Build();
        const ExeResources r = ReadExeResources(file.data(), file.size());
        ASSERT_TRUE(r.present) << r.damage;
        EXPECT_EQ(r.format, plus ? ExeFormat::PE32Plus : ExeFormat::PE32);
        EXPECT_TRUE(r.problems.empty());
        ASSERT_EQ(r.groups.size(), 4u);
        const ResourceGroup& app = r.groups[0];
        EXPECT_EQ(app.kind, 1);
        EXPECT_TRUE(app.name.named);
        EXPECT_EQ(app.name.name, "IDI_APP");
        EXPECT_EQ(app.language, 1033);
        ASSERT_EQ(app.members.size(), 3u);
        EXPECT_EQ(app.members[0].id, 2);
        EXPECT_EQ(app.members[1].colorCount, 16);
        // Each member names the image with its id, byte for byte.
        EXPECT_EQ(slice(file, r.icons[static_cast<std::size_t>(app.members[0].image)]), DibIconImage(32, 32, 8, 0x22));
        EXPECT_EQ(slice(file, r.icons[static_cast<std::size_t>(app.members[2].image)]), pngImage(256, 256));
        EXPECT_EQ(r.groups[1].language, 1041);
        EXPECT_EQ(r.icons[static_cast<std::size_t>(r.groups[1].members[0].image)].id, 5);
        EXPECT_EQ(r.groups[2].name, (ResourceName{false, "", 101}));
        const ResourceGroup& cursor = r.groups[3];
        EXPECT_EQ(cursor.kind, 2);
        EXPECT_EQ(cursor.members[0].width, 32);
        EXPECT_EQ(cursor.members[0].height, 32);  // the record's doubled height, halved
        EXPECT_EQ(slice(file, r.cursors[0]), CursorResource(5, 7, DibIconImage(32, 32, 1, 0x66)));
        EXPECT_EQ(GroupLabels(r), (std::vector<std::string>{"IDI_APP (language 1033)", "IDI_APP (language 1041)",
                                                            "101", "200"}));
    }
}

TEST(ExeResources, TheEditorListsImagesInGroupOrderNamedByGroupCursorsWithHotSpots) {
    NoticeRecorder rec;
    TempDir dir;
    WriteAll(dir.path() / "app.exe", sampleProgram().Build());
    TExeEXsub set;
    ASSERT_TRUE(set.LoadFromExe(dir.file("app.exe")));
    std::vector<std::string> labels;
    for (const auto& o : set.Origins) labels.push_back(o.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"IDI_APP (language 1033) #1", "IDI_APP (language 1033) #2",
                                                "IDI_APP (language 1033) #3", "IDI_APP (language 1041) #1",
                                                "101 #1", "200 #1", "RT_ICON 9"}));
    ASSERT_EQ(set.Count, 7);
    EXPECT_EQ(set.Entries[0].Width, 32);
    EXPECT_EQ(set.Entries[2].Width, 0);  // 256 as a directory byte
    EXPECT_EQ(set.Entries[2].XorBits.size(), 256u * 256u * 4u);  // the PNG decoded
    EXPECT_EQ(set.Entries[4].Width, 40);  // not square
    EXPECT_EQ(set.Entries[4].Height, 24);
    EXPECT_EQ(set.Origins[5].kind, 2);
    EXPECT_EQ(set.Entries[5].HotSpotX, 5);
    EXPECT_EQ(set.Entries[5].HotSpotY, 7);
    EXPECT_EQ(set.Entries[0].HotSpotX, 0);
    EXPECT_TRUE(set.LoadNotes.empty());
    EXPECT_TRUE(rec.notices.empty());
}

// One malformed shape of the directory: how the file is damaged, and what
// must be said about it.
struct Damage {
    const char* name;
    std::function<void(Bytes&, const PeLayout&)> apply;
    bool refused;         // the whole directory is refused (the scan takes over)
    const char* message;  // part of the damage or of a skipped item's note
};

TEST(ExeResources, MalformedFilesAreRefusedOrSkippedWithAClearMessage) {
    PeLayout layout;
    PeBuilder b;
    const Bytes image = DibIconImage(32, 32, 4, 0x44);
    b.Add(kRtIcon, 1, image).Add(kRtIcon, 2, image);
    b.Add(kRtGroupIcon, 10, GroupRecord(1, {{32, 32, 16, 1, 4, 0, 1}, {32, 32, 16, 1, 4, 0, 2}}));
    const Bytes good = b.Build(&layout);
    // tables: root, RT_ICON names, RT_GROUP_ICON names, languages of icon 1, icon 2, group 10
    ASSERT_EQ(layout.tables.size(), 6u);
    const std::size_t root = layout.tables[0];
    const std::vector<Damage> cases = {
        {"truncated section table", [&](Bytes& f, const PeLayout& l) { f.resize(l.sectionTable + 20); }, true,
         "section table"},
        {"section count beyond the file",
         [](Bytes& f, const PeLayout& l) { WriteU16LE(f.data() + l.peHeader + 6, 0xFFFF); }, true,
         "section table (65535 sections"},
        {"resource RVA outside every section",
         [](Bytes& f, const PeLayout& l) {
             WriteU32LE(f.data() + l.optionalHeader + 96 + 16, 0x900000);
         },
         true, "RVA 0x900000 lies outside every section"},
        {"resource data past the end of the file",
         [](Bytes& f, const PeLayout& l) { WriteU32LE(f.data() + l.dataEntries[1] + 4, 0x7FFFFFF0); }, false,
         "RT_ICON 2: data at RVA"},
        {"image RVA outside every section",
         [](Bytes& f, const PeLayout& l) { WriteU32LE(f.data() + l.dataEntries[0], 0x10); }, false,
         "RT_ICON 1: RVA 0x10 lies outside every section"},
        {"directory loop back to the root",
         [&](Bytes& f, const PeLayout&) { WriteU32LE(f.data() + root + 16 + 4, 0x80000000u); }, true,
         "loops"},
        {"language table pointing at its own name table",
         [&](Bytes& f, const PeLayout& l) {
             WriteU32LE(f.data() + l.tables[1] + 16 + 4, 0x80000000u | static_cast<std::uint32_t>(l.tables[1] - root));
         },
         true, "loops"},
        {"65535 entries in the root",
         [&](Bytes& f, const PeLayout&) {
             WriteU16LE(f.data() + root + 12, 0xFFFF);
             WriteU16LE(f.data() + root + 14, 0xFFFF);
         },
         true, "declares 131070 entries"},
        {"group naming an image that does not exist",
         [&](Bytes& f, const PeLayout& l) { WriteU16LE(f.data() + l.data[2] + 6 + 14 + 12, 77); }, false,
         "icon group 10: image #2 names RT_ICON 77, which the file does not hold; skipped"},
        {"zero-sized image",
         [](Bytes& f, const PeLayout& l) { WriteU32LE(f.data() + l.dataEntries[0] + 4, 0); }, false,
         "RT_ICON 1 is empty (0 bytes); skipped"},
        {"group record declaring 65535 images",
         [](Bytes& f, const PeLayout& l) { WriteU16LE(f.data() + l.data[2] + 4, 0xFFFF); }, false,
         "declares 65535 images but holds 2"},
        {"image too short for its header",
         [](Bytes& f, const PeLayout& l) { WriteU32LE(f.data() + l.dataEntries[1] + 4, 12); }, false,
         "(RT_ICON 2): image header runs past the end of the file; skipped"},
    };
    NoticeRecorder rec;
    TempDir dir;
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.name);
        Bytes file = good;
        d.apply(file, layout);
        const ExeResources r = ReadExeResources(file.data(), file.size());
        EXPECT_EQ(r.present, !d.refused);
        if (d.refused) {
            EXPECT_NE(r.damage.find(d.message), std::string::npos) << r.damage;
        }
        // The editor's load never fails on it: it takes what is sound and says what is not.
        WriteAll(dir.path() / "bad.exe", file);
        TExeEXsub set;
        EXPECT_NO_THROW(set.LoadFromExe(dir.file("bad.exe")));
        EXPECT_TRUE(contains(set.LoadNotes, d.message)) << (set.LoadNotes.empty() ? "" : set.LoadNotes.front());
        if (!d.refused) {
            // A group that names a missing image still shows the images that exist.
            EXPECT_GE(set.Count, 1);
            EXPECT_LE(set.Count, 2);
        }
    }
}

TEST(ExeResources, ImagesBeyondTheTableAreCountedAndSaid) {
    NoticeRecorder rec;
    TempDir dir;
    PeBuilder b;
    const Bytes image = DibIconImage(16, 16, 1, 0x01);
    std::vector<GroupRecordEntry> members;
    for (std::uint16_t id = 1; id <= 1010; ++id) {
        b.Add(kRtIcon, id, image);
        members.push_back({16, 16, 2, 1, 1, static_cast<std::uint32_t>(image.size()), id});
    }
    b.Add(kRtGroupIcon, 1, GroupRecord(1, members));
    WriteAll(dir.path() / "many.dll", b.Build());
    TExeEXsub set;
    ASSERT_TRUE(set.LoadFromExe(dir.file("many.dll")));
    EXPECT_EQ(set.Count, 1000);
    EXPECT_EQ(set.LeftOut, 10);
    EXPECT_EQ(set.Origins.back().label, "1 #1000");
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(LeftOutMessage(10))}));
}

TEST(ExeResources, SixteenBitNeImage) {
    // DOS header, NE header at 0x40, resource table at NE + 0x40, data behind.
    Bytes file(0x200, 0);
    file[0] = 'M';
    file[1] = 'Z';
    WriteU32LE(file.data() + 0x3C, 0x40);
    file[0x40] = 'N';
    file[0x41] = 'E';
    const std::size_t table = 0x80;
    WriteU16LE(file.data() + 0x40 + 0x24, static_cast<std::uint16_t>(table - 0x40));
    const Bytes image = DibIconImage(32, 32, 4, 0x44);
    const Bytes group = GroupRecord(1, {{32, 32, 16, 1, 4, static_cast<std::uint32_t>(image.size()), 1}});
    Bytes t;
    AppendU16LE(t, 4);  // 16-byte units
    AppendU16LE(t, 0x8003);
    AppendU16LE(t, 1);
    AppendU32LE(t, 0);
    const std::size_t imageAt = 0x200, groupAt = 0x200 + ((image.size() + 15) & ~std::size_t{15});
    for (auto v : {imageAt >> 4, (image.size() + 15) >> 4, std::size_t{0}, std::size_t{0x8001}, std::size_t{0},
                   std::size_t{0}})
        AppendU16LE(t, static_cast<std::uint16_t>(v));
    AppendU16LE(t, 0x800E);
    AppendU16LE(t, 1);
    AppendU32LE(t, 0);
    const std::size_t nameAt = t.size() + 12 + 2;
    for (auto v : {groupAt >> 4, (group.size() + 15) >> 4, std::size_t{0}, nameAt, std::size_t{0}, std::size_t{0}})
        AppendU16LE(t, static_cast<std::uint16_t>(v));
    AppendU16LE(t, 0);
    t.push_back(4);
    t.insert(t.end(), {'M', 'A', 'I', 'N'});
    std::copy(t.begin(), t.end(), file.begin() + static_cast<long>(table));
    WriteU16LE(file.data() + 0x40 + 0x26, static_cast<std::uint16_t>(table - 0x40 + t.size()));
    file.resize(groupAt, 0);
    std::copy(image.begin(), image.end(), file.begin() + static_cast<long>(imageAt));
    file.insert(file.end(), group.begin(), group.end());
    file.resize(groupAt + ((group.size() + 15) & ~std::size_t{15}), 0);

    const ExeResources r = ReadExeResources(file.data(), file.size());
    ASSERT_TRUE(r.present) << r.damage;
    EXPECT_EQ(r.format, ExeFormat::NE);
    ASSERT_EQ(r.groups.size(), 1u);
    EXPECT_EQ(r.groups[0].name.Text(), "MAIN");
    ASSERT_EQ(r.groups[0].members.size(), 1u);
    ASSERT_EQ(r.groups[0].members[0].image, 0);
    // The padding to the 16-byte alignment is cut off by the group's byte count.
    EXPECT_EQ(MemberImageSize(r, 1, r.groups[0].members[0]), image.size());

    // A type record declaring more resources than the table holds is refused.
    WriteU16LE(file.data() + table + 4, 0xFFFF);
    const ExeResources bad = ReadExeResources(file.data(), file.size());
    EXPECT_FALSE(bad.present);
    EXPECT_NE(bad.damage.find("declares 65535 resources"), std::string::npos);
}

// The icon and cursor leaves of a PE file's resource directory as binutils'
// objdump lists them ("type id language size"), in directory order; empty
// when the file has none. False when objdump cannot be run.
bool objdumpLeaves(const std::string& path, std::vector<std::string>& leaves) {
    leaves.clear();
    std::FILE* p = ::popen(("objdump -p '" + path + "' 2>/dev/null").c_str(), "r");
    if (!p) return false;
    char line[512];
    bool inDirectory = false, any = false;
    unsigned type = 0, id = 0, language = 0;
    while (std::fgets(line, sizeof line, p)) {
        any = true;
        const std::string l = line;
        if (l.find("Resource Directory section") != std::string::npos) inDirectory = true;
        if (!inDirectory || l.size() < 4) continue;
        const std::size_t text = l.find_first_not_of(' ', 3);
        if (text == std::string::npos) continue;
        const std::size_t depth = text - 3;
        unsigned value = 0, size = 0;
        if (std::sscanf(l.c_str() + text, "Entry: ID: %x", &value) == 1) {
            (depth == 3 ? type : depth == 5 ? id : language) = value;
        } else if (std::sscanf(l.c_str() + text, "Leaf: Addr: %*x, Size: %x", &size) == 1) {
            if (type == kRtIcon || type == kRtCursor || type == kRtGroupIcon || type == kRtGroupCursor)
                leaves.push_back(std::to_string(type) + " " + std::to_string(id) + " " + std::to_string(language) +
                                 " " + std::to_string(size));
        }
    }
    return ::pclose(p) == 0 && any;
}

TEST(ExeResources, RealExecutablesMatchWhatObjdumpReadsInTheirDirectories) {
    VORNIK_REQUIRE_CORPUS();
    NoticeRecorder rec;
    int groupsSeen = 0, checked = 0;
    for (const auto& path : CorpusFiles("pe", ".exe")) {
        SCOPED_TRACE(path.filename().string());
        std::vector<std::string> expected;
        // objdump may not know every machine (ARM64 images, for one).
        if (!objdumpLeaves(path.string(), expected)) continue;
        ++checked;
        const Bytes file = ReadAll(path);
        const ExeResources r = ReadExeResources(file.data(), file.size());
        EXPECT_TRUE(r.damage.empty()) << r.damage;
        EXPECT_TRUE(r.problems.empty()) << r.problems.front();
        // Ours in objdump's order: types ascending as the directory stores them.
        std::vector<std::string> ours;
        for (const auto& [type, images] : {std::pair{kRtCursor, &r.cursors}, std::pair{kRtIcon, &r.icons}})
            for (const ResourceImage& i : *images)
                ours.push_back(std::to_string(type) + " " + std::to_string(i.id) + " " + std::to_string(i.language) +
                               " " + std::to_string(i.size));
        std::size_t members = 0;
        for (const ResourceGroup& g : r.groups) {
            ++groupsSeen;
            const std::size_t recordSize = 6 + 14 * g.members.size();
            ours.push_back(std::to_string(g.kind == 2 ? kRtGroupCursor : kRtGroupIcon) + " " +
                           std::to_string(g.name.id) + " " + std::to_string(g.language) + " " +
                           std::to_string(recordSize));
            for (const GroupMember& m : g.members) {
                ASSERT_GE(m.image, 0);
                const ResourceImage& image = r.ImagesOf(g.kind)[static_cast<std::size_t>(m.image)];
                EXPECT_EQ(image.id, m.id);
                EXPECT_EQ(m.bytesInRes, image.size);
                ++members;
            }
        }
        std::sort(ours.begin(), ours.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(ours, expected);
        EXPECT_EQ(r.present, !expected.empty());
        TExeEXsub set;
        const bool found = set.LoadFromExe(path.string());
        EXPECT_TRUE(set.LoadNotes.empty()) << set.LoadNotes.front();
        if (r.present) {
            EXPECT_TRUE(found);
            EXPECT_EQ(static_cast<std::size_t>(set.Count), members);
            EXPECT_EQ(set.Origins.size(), members);
        }
    }
    if (checked == 0) GTEST_SKIP() << "objdump cannot read the corpus executables";
    EXPECT_GT(groupsSeen, 0);
}

}  // namespace
}  // namespace vornik
