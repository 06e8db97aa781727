// vornik-cli groups and extract --groups: an executable's icon and cursor groups.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "AniCliRun.h"
#include "PeBuilder.h"
#include "TestFiles.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIB.h"
#include "model/ExeResources.h"
#include "model/TIconEx.h"

namespace vornik {
namespace {

using namespace test;

struct Program {
    Bytes i16 = DibIconImage(16, 16, 4, 0x11), i32 = DibIconImage(32, 32, 8, 0x22), png;
    Bytes cursor = CursorResource(3, 12, DibIconImage(32, 32, 1, 0x66));
    Program() {
        TQvDIB dib;
        dib.CreateDIB(256, 256, 0, 24);
        png = EncodePng(dib);
    }
    // IDI_APP in two languages, a cursor group, and (when asked) a group
    // whose second image does not exist.
    Bytes build(bool withMissing) const {
        PeBuilder b;
        b.Add(kRtIcon, 1, i16).Add(kRtIcon, 2, i32).Add(kRtIcon, 3, png).Add(kRtCursor, 4, cursor);
        b.AddNamed(kRtGroupIcon, "IDI_APP",
                   GroupRecord(1, {{32, 32, 0, 1, 8, size(i32), 2}, {16, 16, 16, 1, 4, size(i16), 1},
                                   {0, 0, 0, 1, 32, size(png), 3}}));
        b.AddNamed(kRtGroupIcon, "IDI_APP", GroupRecord(1, {{16, 16, 16, 1, 4, size(i16), 1}}), 1041);
        b.Add(kRtGroupCursor, 200, GroupRecord(2, {{32, 32, 0, 1, 1, size(cursor), 4}}));
        if (withMissing) b.Add(kRtGroupIcon, 7, GroupRecord(1, {{16, 16, 16, 1, 4, size(i16), 1}, {32, 32, 0, 1, 8, 0, 55}}));
        return b.Build();
    }
    static std::uint32_t size(const Bytes& b) { return static_cast<std::uint32_t>(b.size()); }
};

// The images of an ICO/CUR file, each as its directory entry says.
std::vector<Bytes> imagesOf(const Bytes& file, int* type) {
    *type = ReadU16LE(file.data() + 2);
    std::vector<Bytes> out;
    for (int i = 0; i < ReadU16LE(file.data() + 4); ++i) {
        const std::uint8_t* e = file.data() + 6 + 16 * i;
        const std::size_t size = ReadU32LE(e + 8), at = ReadU32LE(e + 12);
        out.emplace_back(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + size));
    }
    return out;
}

TEST(CliGroups, ListsKindNameLanguageAndEachImage) {
    TempDir dir;
    const Program p;
    WriteAll(dir.path() / "app.exe", p.build(false));
    const AniCliRun r = RunVornikCli({"groups", dir.file("app.exe")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "icon group IDI_APP, language 1033: 3 images\n"
              "  1  RT_ICON 2  32 x 32  8 bit  BMP  " + std::to_string(p.i32.size()) + " bytes\n"
              "  2  RT_ICON 1  16 x 16  4 bit  BMP  " + std::to_string(p.i16.size()) + " bytes\n"
              "  3  RT_ICON 3  256 x 256  32 bit  PNG  " + std::to_string(p.png.size()) + " bytes\n"
              "icon group IDI_APP, language 1041: 1 image\n"
              "  1  RT_ICON 1  16 x 16  4 bit  BMP  " + std::to_string(p.i16.size()) + " bytes\n"
              "cursor group 200, language 1033: 1 image\n"
              "  1  RT_CURSOR 4  32 x 32  1 bit  BMP  " + std::to_string(p.cursor.size() - 4) +
              " bytes  hot spot 3,12\n");

    WriteAll(dir.path() / "bad.exe", p.build(true));
    const AniCliRun bad = RunVornikCli({"groups", dir.file("bad.exe")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("  2  RT_ICON 55  missing\n"), std::string::npos) << bad.out;
    EXPECT_NE(bad.err.find("icon group 7: image #2 names RT_ICON 55, which the file does not hold"), std::string::npos);

    WriteAll(dir.path() / "plain.bin", Bytes(100, 0x28));
    const AniCliRun none = RunVornikCli({"groups", dir.file("plain.bin")});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("has no resource directory"), std::string::npos) << none.err;
}

TEST(CliExtractGroups, EachGroupIsOneFileWithTheProgramsBytes) {
    TempDir dir;
    const Program p;
    WriteAll(dir.path() / "app.exe", p.build(true));
    const std::string out = (dir.path() / "new" / "folder").string();
    const AniCliRun r = RunVornikCli({"extract", dir.file("app.exe"), "--groups", "-o", out});
    // The group naming a missing image is written with the one that exists, and said.
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("RT_ICON 55"), std::string::npos) << r.err;
    const std::string a = out + "/IDI_APP-1033.ico", b = out + "/IDI_APP-1041.ico", c = out + "/200.cur",
                      d = out + "/7.ico";
    EXPECT_EQ(r.out, a + "\n" + b + "\n" + d + "\n" + c + "\n");

    int type = 0;
    EXPECT_EQ(imagesOf(ReadAll(a), &type), (std::vector<Bytes>{p.i32, p.i16, p.png}));
    EXPECT_EQ(type, 1);
    EXPECT_EQ(imagesOf(ReadAll(d), &type), (std::vector<Bytes>{p.i16}));
    const Bytes cur = ReadAll(c);
    EXPECT_EQ(imagesOf(cur, &type), (std::vector<Bytes>{Bytes(p.cursor.begin() + 4, p.cursor.end())}));
    EXPECT_EQ(type, 2);
    // Our own reader takes them as they are: the PNG decoded, the hot spot kept.
    TIconCurEX icon, cursor;
    ASSERT_TRUE(icon.LoadFromFile(a)) << icon.LoadError();
    EXPECT_EQ(icon.Count, 3);
    EXPECT_EQ(icon.Entries[2].XorBits.size(), 256u * 256u * 4u);
    ASSERT_TRUE(cursor.LoadFromFile(c)) << cursor.LoadError();
    EXPECT_EQ(cursor.Entries[0].HotSpotX, 3);
    EXPECT_EQ(cursor.Entries[0].HotSpotY, 12);

    // A second run refuses to overwrite, naming the file, and writes nothing.
    WriteAll(b, Bytes{1});
    const AniCliRun again = RunVornikCli({"extract", dir.file("app.exe"), "--groups", "-o", out});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("IDI_APP-1033.ico\" exists"), std::string::npos) << again.err;
    EXPECT_EQ(ReadAll(b), Bytes{1});
    const AniCliRun over = RunVornikCli({"extract", dir.file("app.exe"), "--groups", "-o", out, "--overwrite"});
    EXPECT_EQ(over.status, 1);  // still the missing image
    EXPECT_EQ(imagesOf(ReadAll(b), &type), (std::vector<Bytes>{p.i16}));
}

TEST(CliExtractGroups, RealExecutableGroupsHoldTheirResourcesInOrder) {
    VORNIK_REQUIRE_CORPUS();
    TempDir dir;
    for (const auto& path : CorpusFiles("pe", ".exe")) {
        SCOPED_TRACE(path.filename().string());
        const Bytes file = ReadAll(path);
        const ExeResources res = ReadExeResources(file.data(), file.size());
        const std::string out = dir.file(path.stem().string());
        const AniCliRun r = RunVornikCli({"extract", path.string(), "--groups", "-o", out});
        if (res.groups.empty()) {
            EXPECT_EQ(r.status, 1);
            continue;
        }
        ASSERT_EQ(r.status, 0) << r.err;
        for (const ResourceGroup& g : res.groups) {
            int type = 0;
            const std::vector<Bytes> images =
                imagesOf(ReadAll(out + "/" + g.name.Text() + (g.kind == 2 ? ".cur" : ".ico")), &type);
            ASSERT_EQ(images.size(), g.members.size());
            for (std::size_t k = 0; k < images.size(); ++k) {
                const ResourceImage& im = res.ImagesOf(g.kind)[static_cast<std::size_t>(g.members[k].image)];
                EXPECT_EQ(images[k], Bytes(file.begin() + static_cast<long>(im.offset),
                                           file.begin() + static_cast<long>(im.offset + im.size)));
            }
        }
    }
}

TEST(CliList, EveryImageIsListedAndExtractedBeyondTheEditorsTable) {
    TempDir dir;
    PeBuilder b;
    std::vector<GroupRecordEntry> members;
    for (std::uint16_t id = 1; id <= 1003; ++id) {
        // Each image differs, so order and names can be checked.
        const Bytes image = DibIconImage(16, 16, 1, static_cast<std::uint8_t>(id));
        b.Add(kRtIcon, id, image);
        if (id <= 1001) members.push_back({16, 16, 2, 1, 1, static_cast<std::uint32_t>(image.size()), id});
    }
    b.Add(kRtGroupIcon, 1, GroupRecord(1, members));
    WriteAll(dir.path() / "many.dll", b.Build());
    const AniCliRun r = RunVornikCli({"list", "--tsv", dir.file("many.dll")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 1003);
    EXPECT_NE(r.out.find("\n1002\t16\t16\t1\t"), std::string::npos);

    const std::string out = dir.file("out");
    const AniCliRun x = RunVornikCli({"extract", dir.file("many.dll"), "-o", out});
    EXPECT_EQ(x.status, 0) << x.err;
    EXPECT_EQ(std::count(x.out.begin(), x.out.end(), '\n'), 1003);
    // Grouped images in group order, then the two no group names.
    TIconCurEX last;
    ASSERT_TRUE(last.LoadFromFile(out + "/many-1002.ico"));
    ASSERT_FALSE(last.Entries[0].XorBits.empty());
    EXPECT_EQ(last.Entries[0].XorBits[0], static_cast<std::uint8_t>(1003));
    EXPECT_FALSE(std::filesystem::exists(out + "/many-1003.ico"));
    // export counts as list does, beyond the editor's table too.
    const AniCliRun e = RunVornikCli({"export", dir.file("many.dll"), "--entry", "1002", "-o", dir.file("last.ico")});
    EXPECT_EQ(e.status, 0) << e.err;
    TIconCurEX exported;
    ASSERT_TRUE(exported.LoadFromFile(dir.file("last.ico")));
    ASSERT_FALSE(exported.Entries[0].XorBits.empty());
    EXPECT_EQ(exported.Entries[0].XorBits[0], static_cast<std::uint8_t>(1003));
    const AniCliRun beyond = RunVornikCli({"export", dir.file("many.dll"), "--entry", "1003", "-o", dir.file("no.ico")});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.err.find("has 1003 entries; there is no entry 1003"), std::string::npos) << beyond.err;

    // The groups themselves have no such limit either.
    const AniCliRun g = RunVornikCli({"groups", dir.file("many.dll")});
    EXPECT_EQ(g.status, 0);
    EXPECT_NE(g.out.find("icon group 1, language 1033: 1001 images\n"), std::string::npos);
}

// Wine's shell32 holds more icon images than the editor's table (1,840 in
// Wine 8): the command line lists every one and writes every group.
TEST(CliList, WineShell32ListsEveryImageAndEveryGroup) {
    const std::filesystem::path dll = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
    if (!std::filesystem::exists(dll)) GTEST_SKIP() << "Wine's programs are not installed";
    const Bytes file = ReadAll(dll);
    const ExeResources res = ReadExeResources(file.data(), file.size());
    ASSERT_TRUE(res.present);
    ASSERT_GT(res.icons.size(), static_cast<std::size_t>(TIconEx::kMaxEntries));
    const AniCliRun r = RunVornikCli({"list", "--tsv", dll.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n')),
              1 + res.icons.size() + res.cursors.size());
    TempDir dir;
    const AniCliRun g = RunVornikCli({"extract", dll.string(), "--groups", "-o", dir.file("groups")});
    EXPECT_EQ(g.status, 0) << g.err;
    EXPECT_EQ(static_cast<std::size_t>(std::count(g.out.begin(), g.out.end(), '\n')), res.groups.size());
}

}  // namespace
}  // namespace vornik
