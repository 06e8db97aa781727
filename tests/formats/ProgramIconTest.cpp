// Icon and cursor groups written into PE programs made in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "PeBuilder.h"
#include "formats/PeChecksum.h"
#include "formats/ProgramIcon.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIB.h"
#include "model/ExeResourceSet.h"
#include "model/ExeResources.h"
#include "model/PeHeaders.h"
#include "model/ResourceDirectory.h"

namespace vornik {
namespace {

using namespace test;

constexpr std::uint16_t kRtVersion = 16;

// An ICO (type 1) or CUR (type 2) file of the given image blocks; a cursor's
// hot spots are (i + 1, 2 * i + 3).
Bytes iconFile(int type, const std::vector<Bytes>& images, const std::vector<int>& sides) {
    Bytes out;
    AppendU16LE(out, 0);
    AppendU16LE(out, static_cast<std::uint16_t>(type));
    AppendU16LE(out, static_cast<std::uint16_t>(images.size()));
    std::size_t at = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(sides[i]));
        out.push_back(static_cast<std::uint8_t>(sides[i]));
        out.push_back(0);
        out.push_back(0);
        AppendU16LE(out, type == 2 ? static_cast<std::uint16_t>(i + 1) : 0);
        AppendU16LE(out, type == 2 ? static_cast<std::uint16_t>(2 * i + 3) : 0);
        AppendU32LE(out, static_cast<std::uint32_t>(images[i].size()));
        AppendU32LE(out, static_cast<std::uint32_t>(at));
        at += images[i].size();
    }
    for (const Bytes& b : images) out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes pngImage(int side) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 24);
    return EncodePng(dib);
}

// Gives a builder's program the alignments and header size a linker writes,
// so it is a program the writer will change.
void alignLikeALinker(Bytes& exe) {
    PeHeaders pe;
    ASSERT_TRUE(ReadPeHeaders(exe.data(), exe.size(), FindPeHeader(exe.data(), exe.size()), pe).empty());
    WriteU32LE(exe.data() + pe.optionalHeader + PeHeaders::kSectionAlignment, 0x1000);
    WriteU32LE(exe.data() + pe.optionalHeader + PeHeaders::kFileAlignment, 0x200);
    WriteU32LE(exe.data() + pe.optionalHeader + PeHeaders::kSizeOfHeaders, 0x200);
    WriteU32LE(exe.data() + pe.sectionTable + 36, 0x40000040);  // initialized data, readable
}

// Appends a section after the last one (as .reloc follows .rsrc in MinGW programs).
void addSectionAfter(Bytes& exe, std::uint8_t fill) {
    PeHeaders pe;
    ASSERT_TRUE(ReadPeHeaders(exe.data(), exe.size(), FindPeHeader(exe.data(), exe.size()), pe).empty());
    ASSERT_TRUE(ReadPeSections(exe.data(), exe.size(), pe).empty());
    const PeSection& last = pe.sections.back();
    std::uint8_t* s = exe.data() + pe.sectionTable + 40 * pe.sections.size();
    std::memcpy(s, ".reloc\0\0", 8);
    WriteU32LE(s + 8, 0x180);
    WriteU32LE(s + 12, (last.virtualAddress + std::max(last.virtualSize, last.rawSize) + 0xFFF) & ~0xFFFu);
    WriteU32LE(s + 16, 0x200);
    WriteU32LE(s + 20, static_cast<std::uint32_t>(exe.size()));
    WriteU32LE(s + 36, 0x42000040);
    WriteU16LE(exe.data() + pe.coffHeader + 2, static_cast<std::uint16_t>(pe.sections.size() + 1));
    exe.insert(exe.end(), 0x200, fill);
}

struct Program {
    Bytes i16 = DibIconImage(16, 16, 4, 0x11), i32 = DibIconImage(32, 32, 8, 0x22);
    Bytes version = Bytes(300, 0x5A);
    // IDI_APP names images 1 and 2, group 5 names image 2 as well.
    Bytes build() const {
        PeBuilder b;
        b.Add(kRtIcon, 1, i16).Add(kRtIcon, 2, i32).Add(kRtVersion, 1, version);
        b.AddNamed(kRtGroupIcon, "IDI_APP",
                   GroupRecord(1, {{16, 16, 16, 1, 4, size(i16), 1}, {32, 32, 0, 1, 8, size(i32), 2}}));
        b.Add(kRtGroupIcon, 5, GroupRecord(1, {{32, 32, 0, 1, 8, size(i32), 2}}));
        Bytes exe = b.Build();
        alignLikeALinker(exe);
        return exe;
    }
    static std::uint32_t size(const Bytes& b) { return static_cast<std::uint32_t>(b.size()); }
};

ProgramIconResult setIcon(const Bytes& exe, const Bytes& icon, ProgramIconOptions options = {}) {
    return SetProgramIcon(exe.data(), exe.size(), icon.data(), icon.size(), options);
}

Bytes imageBytes(const Bytes& exe, const ExeResources& res, int kind, const GroupMember& m) {
    const ResourceImage& image = res.ImagesOf(kind)[static_cast<std::size_t>(m.image)];
    return Bytes(exe.begin() + static_cast<long>(image.offset),
                 exe.begin() + static_cast<long>(image.offset + image.size));
}

// What every output must be: a program our reader walks without a problem,
// with a checksum that is right, and its resources in order.
void expectSound(const Bytes& out) {
    const ExeResources res = ReadExeResources(out.data(), out.size());
    EXPECT_TRUE(res.present) << res.damage;
    EXPECT_TRUE(res.problems.empty()) << res.problems.front();
    PeHeaders pe;
    ASSERT_TRUE(ReadPeHeaders(out.data(), out.size(), FindPeHeader(out.data(), out.size()), pe).empty());
    ASSERT_TRUE(ReadPeSections(out.data(), out.size(), pe).empty());
    const std::size_t checksumAt = pe.optionalHeader + PeHeaders::kCheckSum;
    EXPECT_EQ(ReadU32LE(out.data() + checksumAt), PeChecksum(out.data(), out.size(), checksumAt));
    std::uint32_t end = 0;
    for (const PeSection& s : pe.sections) {
        EXPECT_EQ(s.rawPointer % 0x200, 0u);
        EXPECT_EQ(s.rawSize % 0x200, 0u);
        EXPECT_GE(s.virtualAddress, end) << "sections overlap";
        end = (s.virtualAddress + std::max(s.virtualSize, s.rawSize) + 0xFFF) & ~0xFFFu;
    }
    EXPECT_EQ(ReadU32LE(out.data() + pe.optionalHeader + PeHeaders::kSizeOfImage), end);
    ResourceTree tree;
    ASSERT_TRUE(ReadResourceTree(out.data(), out.size(), pe, tree).empty());
    for (std::size_t i = 1; i < tree.leaves.size(); ++i) {
        const ResourceLeaf &a = tree.leaves[i - 1], &b = tree.leaves[i];
        const bool ordered = a.type == b.type ? (a.name == b.name ? a.language < b.language : ResourceKeyLess(a.name, b.name))
                                              : ResourceKeyLess(a.type, b.type);
        EXPECT_TRUE(ordered) << "resources out of order at " << i;
    }
}

TEST(PeChecksum, FoldsCarriesSkipsItsFieldAndAddsTheLength) {
    // Words 0xFFFF + 0x0002 carry into 0x0002; the checksum field (bytes 4..7) counts as zero; an odd byte is a word.
    const Bytes data = {0xFF, 0xFF, 0x02, 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0x05};
    EXPECT_EQ(PeChecksum(data.data(), data.size(), 4), 0x0002u + 0x0005u + 9u);
}

TEST(ProgramIcon, ReplacesTheFirstGroupKeepingSharedImagesAndEveryOtherResource) {
    const Program p;
    const Bytes exe = p.build();
    const Bytes a = DibIconImage(48, 48, 32, 0x33), png = pngImage(256);
    const ProgramIconResult r = setIcon(exe, iconFile(1, {a, png}, {48, 0}));
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    expectSound(r.output);
    const ExeResources res = ReadExeResources(r.output.data(), r.output.size());
    ASSERT_EQ(res.groups.size(), 2u);
    const ResourceGroup& app = res.groups[0];
    EXPECT_EQ(app.name.Text(), "IDI_APP");
    EXPECT_EQ(app.language, 1033);
    ASSERT_EQ(app.members.size(), 2u);
    EXPECT_EQ(imageBytes(r.output, res, 1, app.members[0]), a);
    EXPECT_EQ(imageBytes(r.output, res, 1, app.members[1]), png);  // PNG stays PNG
    EXPECT_EQ(app.members[0].bitCount, 32);
    EXPECT_EQ(app.members[1].bitCount, 24);
    EXPECT_EQ(app.members[0].width, 48);
    // Image 1 only IDI_APP used is gone and its id is given out again; image 2 stays for group 5.
    EXPECT_EQ(app.members[0].id, 1);
    EXPECT_EQ(app.members[1].id, 3);
    ASSERT_EQ(res.groups[1].members.size(), 1u);
    EXPECT_EQ(imageBytes(r.output, res, 1, res.groups[1].members[0]), p.i32);
    EXPECT_EQ(res.icons.size(), 3u);
    // The version resource, byte for byte.
    PeHeaders pe;
    ReadPeHeaders(r.output.data(), r.output.size(), FindPeHeader(r.output.data(), r.output.size()), pe);
    ReadPeSections(r.output.data(), r.output.size(), pe);
    ResourceTree tree;
    ReadResourceTree(r.output.data(), r.output.size(), pe, tree);
    const auto v = std::find_if(tree.leaves.begin(), tree.leaves.end(), [](const ResourceLeaf& l) { return l.type.id == kRtVersion; });
    ASSERT_NE(v, tree.leaves.end());
    EXPECT_EQ(Bytes(r.output.begin() + static_cast<long>(v->offset), r.output.begin() + static_cast<long>(v->offset + v->size)), p.version);
    ASSERT_GE(r.notes.size(), 2u);
    EXPECT_EQ(r.notes[0], "replaced icon group IDI_APP (language 1033) with 2 images");
    EXPECT_EQ(r.notes[1], "removed RT_ICON 1, which no group uses any more");
}

TEST(ProgramIcon, ChoosesGroupsByNameIdLanguageOrAddsOne) {
    const Program p;
    const Bytes exe = p.build();
    const Bytes icon = iconFile(1, {DibIconImage(16, 16, 4, 0x44)}, {16});
    ProgramIconOptions o;
    o.group = "5";
    ProgramIconResult r = setIcon(exe, icon, o);
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    ExeResources res = ReadExeResources(r.output.data(), r.output.size());
    // Group 5 took the new image; IDI_APP keeps both of its own.
    EXPECT_EQ(res.groups[0].members.size(), 2u);
    EXPECT_EQ(imageBytes(r.output, res, 1, res.groups[0].members[1]), p.i32);
    EXPECT_EQ(imageBytes(r.output, res, 1, res.groups[1].members[0]), DibIconImage(16, 16, 4, 0x44));

    o.group = "idi_app";  // names are found whatever their case
    o.hasLanguage = true;
    o.language = 1041;
    r = setIcon(exe, icon, o);
    EXPECT_EQ(r.refusal, ProgramIconRefusal::NoSuchGroup);
    EXPECT_NE(r.reason.find("has no language 1041 (it has 1033)"), std::string::npos) << r.reason;
    EXPECT_TRUE(r.output.empty());

    o = {};
    o.group = "NOPE";
    r = setIcon(exe, icon, o);
    EXPECT_EQ(r.refusal, ProgramIconRefusal::NoSuchGroup);
    EXPECT_NE(r.reason.find("it has IDI_APP, 5"), std::string::npos) << r.reason;

    o = {};
    o.add = true;
    r = setIcon(exe, icon, o);
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    res = ReadExeResources(r.output.data(), r.output.size());
    ASSERT_EQ(res.groups.size(), 3u);
    EXPECT_EQ(res.groups[2].name.Text(), "6");
    EXPECT_EQ(res.groups[2].language, 1033);
    EXPECT_EQ(res.icons.size(), 3u);  // nothing removed when adding

    o.group = "5";
    r = setIcon(exe, icon, o);
    EXPECT_EQ(r.refusal, ProgramIconRefusal::GroupExists);
}

TEST(ProgramIcon, CursorsKeepHotSpotsAndDoubledHeights) {
    const Program p;
    const Bytes c32 = DibIconImage(32, 32, 1, 0x0F), c48 = DibIconImage(48, 48, 32, 0x40);
    const ProgramIconResult r = setIcon(p.build(), iconFile(2, {c32, c48}, {32, 48}));
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    expectSound(r.output);
    const ExeResources res = ReadExeResources(r.output.data(), r.output.size());
    ASSERT_EQ(res.groups.size(), 3u);
    const ResourceGroup& g = res.groups[0];  // cursor groups come first (type 12)
    EXPECT_EQ(g.kind, 2);
    EXPECT_EQ(g.language, 0);
    ASSERT_EQ(g.members.size(), 2u);
    EXPECT_EQ(imageBytes(r.output, res, 2, g.members[1]), CursorResource(2, 5, c48));
    EXPECT_EQ(g.members[1].width, 48);
    EXPECT_EQ(g.members[1].height, 48);
    EXPECT_EQ(g.members[1].bytesInRes, c48.size() + 4);
}

TEST(ProgramIcon, PlacesTheSectionInPlaceGrowingTheLastOrAsANewLastSection) {
    const Program p;
    const Bytes exe = p.build();
    PeHeaders before;
    ReadPeHeaders(exe.data(), exe.size(), FindPeHeader(exe.data(), exe.size()), before);
    ReadPeSections(exe.data(), exe.size(), before);
    const PeSection rsrc = before.sections[0];

    // Small: in place, the file keeps its size.
    ProgramIconResult r = setIcon(exe, iconFile(1, {DibIconImage(16, 16, 1, 0x01)}, {16}));
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    EXPECT_EQ(r.output.size(), exe.size());
    expectSound(r.output);

    // Large, .rsrc last: it grows.
    const Bytes big = iconFile(1, {DibIconImage(128, 128, 32, 0x55)}, {128});
    r = setIcon(exe, big);
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    expectSound(r.output);
    PeHeaders after;
    ReadPeHeaders(r.output.data(), r.output.size(), FindPeHeader(r.output.data(), r.output.size()), after);
    ReadPeSections(r.output.data(), r.output.size(), after);
    ASSERT_EQ(after.sections.size(), 1u);
    EXPECT_GT(after.sections[0].rawSize, rsrc.rawSize);
    EXPECT_EQ(after.sections[0].virtualAddress, rsrc.virtualAddress);
    const std::uint32_t initialized = ReadU32LE(r.output.data() + after.optionalHeader + PeHeaders::kSizeOfInitializedData);
    EXPECT_EQ(initialized, after.sections[0].rawSize - rsrc.rawSize);

    // Large, a section after .rsrc, and a symbol table after the sections: a
    // new last section; the symbols move behind it with their pointer.
    Bytes withReloc = exe;
    addSectionAfter(withReloc, 0x77);
    const std::size_t symbols = withReloc.size();
    Bytes table(2 * 18, 0x31);
    AppendU32LE(table, 8);
    table.insert(table.end(), {'a', 'b', 'c', 0});
    withReloc.insert(withReloc.end(), table.begin(), table.end());
    WriteU32LE(withReloc.data() + before.coffHeader + 8, static_cast<std::uint32_t>(symbols));
    WriteU32LE(withReloc.data() + before.coffHeader + 12, 2);
    r = setIcon(withReloc, big);
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    expectSound(r.output);
    ReadPeHeaders(r.output.data(), r.output.size(), FindPeHeader(r.output.data(), r.output.size()), after);
    ReadPeSections(r.output.data(), r.output.size(), after);
    ASSERT_EQ(after.sections.size(), 3u);
    EXPECT_EQ(std::memcmp(after.sections[2].name, ".rsrc2\0\0", 8), 0);
    EXPECT_EQ(after.DirectoryRva(r.output.data(), kPeResourceDirectory), after.sections[2].virtualAddress);
    EXPECT_EQ(Bytes(r.output.begin() + after.sections[1].rawPointer, r.output.begin() + after.sections[1].rawPointer + 0x200),
              Bytes(0x200, 0x77));
    const std::uint32_t moved = ReadU32LE(r.output.data() + after.coffHeader + 8);
    EXPECT_EQ(moved, after.sections[2].rawPointer + after.sections[2].rawSize);
    EXPECT_EQ(Bytes(r.output.begin() + moved, r.output.end()), table);
    EXPECT_NE(r.notes.back().find("PointerToSymbolTable"), std::string::npos);

    // The section after .rsrc holds more file bytes than its virtual size
    // (0x1200 against 0x180): the new section goes past those bytes too, or a
    // reader mapping them would find the resources inside that section.
    Bytes longRaw = exe;
    addSectionAfter(longRaw, 0x66);
    WriteU32LE(longRaw.data() + before.sectionTable + 40 + 16, 0x1200);
    longRaw.insert(longRaw.end(), 0x1000, 0x66);
    r = setIcon(longRaw, big);
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    expectSound(r.output);
    EXPECT_EQ(ReadExeResources(r.output.data(), r.output.size()).groups.size(), 2u);

    // A program without resources gets a section of its own.
    PeBuilder none;
    none.Add(kRtVersion, 1, p.version);
    Bytes bare = none.Build();
    alignLikeALinker(bare);
    WriteU32LE(bare.data() + before.optionalHeader + (before.format == ExeFormat::PE32 ? 96 : 112) + 16, 0);
    WriteU32LE(bare.data() + before.optionalHeader + (before.format == ExeFormat::PE32 ? 96 : 112) + 20, 0);
    r = setIcon(bare, big);
    ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
    expectSound(r.output);
    EXPECT_EQ(ReadExeResources(r.output.data(), r.output.size()).groups.size(), 1u);
}

TEST(ProgramIcon, RefusesWhatItCannotWriteSoundlyAndWritesNothing) {
    const Program p;
    const Bytes exe = p.build();
    const Bytes icon = iconFile(1, {DibIconImage(16, 16, 4, 0x44)}, {16});
    const Bytes big = iconFile(1, {DibIconImage(128, 128, 32, 0x55)}, {128});
    PeHeaders pe;
    ReadPeHeaders(exe.data(), exe.size(), FindPeHeader(exe.data(), exe.size()), pe);
    auto expectRefused = [&](const Bytes& program, const Bytes& file, ProgramIconRefusal code, const char* words,
                             ProgramIconOptions o = {}) {
        const ProgramIconResult r = setIcon(program, file, o);
        EXPECT_EQ(r.refusal, code) << r.reason;
        EXPECT_NE(r.reason.find(words), std::string::npos) << r.reason;
        EXPECT_TRUE(r.output.empty());
    };

    Bytes ne(0x80, 0);
    ne[0] = 'M', ne[1] = 'Z', ne[0x3C] = 0x40, ne[0x40] = 'N', ne[0x41] = 'E';
    expectRefused(ne, icon, ProgramIconRefusal::SixteenBit, "NE");
    expectRefused(Bytes(100, 1), icon, ProgramIconRefusal::NotAProgram, "not a PE program");
    expectRefused(exe, Bytes{0, 0, 3, 0, 1, 0}, ProgramIconRefusal::BadIconFile, "not an ICO");
    Bytes cut = icon;
    cut.resize(cut.size() - 1);
    expectRefused(exe, cut, ProgramIconRefusal::BadIconFile, "image 1 runs past the end");

    // Signed: refused naming it; stripped on request, the certificate gone.
    Bytes signedExe = exe;
    const std::size_t certAt = signedExe.size();
    signedExe.insert(signedExe.end(), 64, 0xC5);
    WriteU32LE(signedExe.data() + pe.dataDirectories + 8 * kPeSecurityDirectory, static_cast<std::uint32_t>(certAt));
    WriteU32LE(signedExe.data() + pe.dataDirectories + 8 * kPeSecurityDirectory + 4, 64);
    expectRefused(signedExe, icon, ProgramIconRefusal::Signed, "signed (a certificate of 64 bytes)");
    ProgramIconOptions strip;
    strip.stripSignature = true;
    for (const Bytes* file : {&icon, &big}) {
        const ProgramIconResult r = setIcon(signedExe, *file, strip);
        ASSERT_EQ(r.refusal, ProgramIconRefusal::None) << r.reason;
        expectSound(r.output);
        EXPECT_EQ(ReadU32LE(r.output.data() + pe.dataDirectories + 8 * kPeSecurityDirectory + 4), 0u);
        EXPECT_EQ(std::search(r.output.begin(), r.output.end(), signedExe.begin() + certAt, signedExe.end()), r.output.end());
        EXPECT_EQ(r.notes.back(), "stripped the signature (a certificate of 64 bytes)");
    }

    // A payload after the sections: kept where it is when the resources fit, else refused.
    Bytes payload = exe;
    for (int i = 0; i < 100; ++i) payload.push_back(static_cast<std::uint8_t>(i + 1));
    expectRefused(payload, big, ProgramIconRefusal::Overlay, "payload");
    const ProgramIconResult inPlace = setIcon(payload, icon);
    ASSERT_EQ(inPlace.refusal, ProgramIconRefusal::None) << inPlace.reason;
    EXPECT_TRUE(std::equal(payload.end() - 100, payload.end(), inPlace.output.end() - 100));

    // No room for another section header: the headers end right after the table.
    Bytes full = exe;
    addSectionAfter(full, 0x77);
    std::fill(full.begin() + static_cast<long>(pe.sectionTable + 80), full.begin() + 0x200, 0xEE);
    expectRefused(full, big, ProgramIconRefusal::NoRoom, "no room for another section header");

    // A damaged directory is not rewritten (a resource the reader would skip would be lost).
    PeBuilder b;
    b.Add(kRtIcon, 1, p.i16).Add(kRtVersion, 1, p.version);
    test::PeLayout where;
    Bytes damaged = b.Build(&where);
    alignLikeALinker(damaged);
    WriteU32LE(damaged.data() + where.dataEntries[1], 0x7FFFFFF0);
    expectRefused(damaged, icon, ProgramIconRefusal::Damaged, "resource directory is damaged");

    // Headers said to be 4 GB long: refused, not a new section placed past them.
    Bytes vastHeaders = exe;
    WriteU32LE(vastHeaders.data() + pe.optionalHeader + PeHeaders::kSizeOfHeaders, 0xFFFFF000);
    expectRefused(vastHeaders, big, ProgramIconRefusal::Damaged, "size of the headers");
}

}  // namespace
}  // namespace vornik
