#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "NoticeRecorder.h"
#include "TestFiles.h"
#include "model/ExeResourceSet.h"
#include "model/ExeScanner.h"
#include "model/IconImageReader.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"

namespace vornik {
namespace {

using namespace test;

// An icon image block as found in a resource: header with doubled height,
// palette, XOR rows of `fill`, AND rows.
Bytes iconImage(int w, int bits, std::uint8_t fill, std::uint32_t clrUsed = 0) {
    Bytes out;
    AppendU32LE(out, 40);
    AppendU32LE(out, static_cast<std::uint32_t>(w));
    AppendU32LE(out, static_cast<std::uint32_t>(2 * w));
    AppendU16LE(out, 1);
    AppendU16LE(out, static_cast<std::uint16_t>(bits));
    AppendU32LE(out, 0);
    AppendU32LE(out, 0);
    AppendU32LE(out, 0);
    AppendU32LE(out, 0);
    AppendU32LE(out, clrUsed);
    AppendU32LE(out, 0);
    const std::uint32_t colors = clrUsed ? clrUsed : (bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0);
    for (std::uint32_t i = 0; i < colors; ++i) AppendU32LE(out, 0x00102030u + i);
    const int xorRow = ((w * bits + 31) / 32) * 4, andRow = ((w + 31) / 32) * 4;
    out.insert(out.end(), static_cast<std::size_t>(xorRow * w), fill);
    out.insert(out.end(), static_cast<std::size_t>(andRow * w), 0x0F);
    return out;
}

void plant(Bytes& file, std::size_t at, const Bytes& image) {
    ASSERT_LE(at + image.size(), file.size());
    std::copy(image.begin(), image.end(), file.begin() + static_cast<long>(at));
}

Bytes randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    return b;
}

// The scan done literally: the file read in 4096-byte blocks, each candidate's
// 40 bytes read from the file, the scan resumed right after a taken image in a
// new block. Returns the offsets taken; *truncated when an image ran past the end.
std::vector<std::size_t> referenceScan(const std::string& path, bool* truncated) {
    std::vector<std::size_t> found;
    *truncated = false;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    const auto fileSize = static_cast<std::uint64_t>(std::ftell(f));
    std::uint64_t pos = 0;
    std::uint8_t block[4096], h[40];
    for (;;) {
        std::fseek(f, static_cast<long>(pos), SEEK_SET);
        const std::size_t n = std::fread(block, 1, sizeof block, f);
        if (n == 0) break;
        bool resumed = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (block[i] != 0x28) continue;
            const std::uint64_t p = pos + i;
            std::fseek(f, static_cast<long>(p), SEEK_SET);
            if (std::fread(h, 1, 40, f) != 40 || !IsExeIconCandidate(h)) continue;
            const std::uint64_t w = ReadU32LE(h + 4);
            const int bits = ReadU16LE(h + 14);
            const std::uint64_t clr = ReadU32LE(h + 32);
            const std::uint64_t colors = clr ? clr : (bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0);
            const std::uint64_t total =
                40 + 4 * colors + ((w * bits + 31) / 32) * 4 * w + ((w + 31) / 32) * 4 * w;
            if (colors > 256) continue;
            if (p + total > fileSize) {
                *truncated = true;
                std::fclose(f);
                return found;
            }
            found.push_back(static_cast<std::size_t>(p));
            if (found.size() == 1000) {
                std::fclose(f);
                return found;
            }
            pos = p + total;
            resumed = true;
            break;
        }
        if (!resumed) pos += n;
    }
    std::fclose(f);
    return found;
}

std::vector<std::size_t> offsets(const TIconEx& s) {
    std::vector<std::size_t> out;
    for (int i = 0; i < s.Count; ++i) out.push_back(s.Entries[i].ImageOffset);
    return out;
}

TEST(ExeScan, CandidateTest) {
    const Bytes good = iconImage(32, 4, 0);
    EXPECT_TRUE(IsExeIconCandidate(good.data()));
    auto with = [&](int off, std::uint32_t v, int width = 4) {
        Bytes b = good;
        if (width == 4)
            WriteU32LE(b.data() + off, v);
        else
            WriteU16LE(b.data() + off, static_cast<std::uint16_t>(v));
        return IsExeIconCandidate(b.data());
    };
    EXPECT_TRUE(with(0, 0x00010028));  // only the low byte of the size counts
    EXPECT_FALSE(with(0, 0x29));
    EXPECT_FALSE(with(12, 2, 2));  // planes
    EXPECT_FALSE(with(16, 1));     // compression
    EXPECT_FALSE(with(14, 2, 2));  // bit count
    EXPECT_TRUE(with(14, 15, 2));
    EXPECT_FALSE(with(32, 0x80000000u));  // negative colour count
    EXPECT_FALSE(with(24, 0xFFFFFFFFu));  // negative resolution
    EXPECT_FALSE(with(8, 32));            // height not doubled
    Bytes odd = iconImage(24, 4, 0);
    EXPECT_FALSE(IsExeIconCandidate(odd.data()));
    Bytes big = iconImage(256, 1, 0);
    EXPECT_FALSE(IsExeIconCandidate(big.data()));
    EXPECT_TRUE(IsExeIconCandidate(iconImage(128, 32, 0).data()));
}

TEST(ExeScan, PlantedImagesAreFoundExactlyAsTheBlockScanFindsThem) {
    NoticeRecorder rec;
    TempDir dir;
    Bytes file = randomBytes(300000, 7);
    const Bytes a = iconImage(32, 4, 0x21), b = iconImage(16, 4, 0x43), c = iconImage(48, 8, 0x65);
    Bytes d = iconImage(16, 1, 0x87);
    WriteU32LE(d.data(), 0x00030028);  // size field other than 40
    const std::size_t at[] = {100, 4096 - 20, 8192 - 39, 8192 - 39 + c.size(), 20000, 100000};
    plant(file, at[0], a);
    plant(file, at[1], b);  // header straddles a block boundary
    plant(file, at[2], c);
    plant(file, at[3], a);  // right after the previous image
    plant(file, at[4], d);
    plant(file, at[5], iconImage(64, 32, 0x12));
    plant(file, 150000, iconImage(24, 4, 0));  // not a standard size
    Bytes rle = iconImage(32, 8, 0);
    WriteU32LE(rle.data() + 16, 1);
    plant(file, 160000, rle);  // compressed
    const std::string path = dir.file("random.bin");
    WriteAll(path, file);

    TExeEXsub set;
    bool truncated = true;
    const auto expected = referenceScan(path, &truncated);
    ASSERT_FALSE(truncated);
    ASSERT_TRUE(set.LoadFromExe(path));
    EXPECT_EQ(offsets(set), expected);
    for (std::size_t x : at) EXPECT_NE(std::find(expected.begin(), expected.end(), x), expected.end()) << x;

    // The entries themselves.
    const auto idx = std::find(expected.begin(), expected.end(), at[1]) - expected.begin();
    const IconEntry& e = set.Entries[idx];
    EXPECT_EQ(e.Width, 16);
    EXPECT_EQ(e.Height, 16);
    EXPECT_EQ(e.ColorCount, 16);
    EXPECT_EQ(e.HotSpotX, 0);
    EXPECT_EQ(e.HotSpotY, 0);
    EXPECT_EQ(e.SourcePos, static_cast<std::int32_t>(at[1]));
    EXPECT_EQ(e.ImageSize, b.size());
    EXPECT_EQ(e.InfoHeader.size(), 40u + 64u);
    EXPECT_EQ(ReadI32LE(e.InfoHeader.data() + 8), 16);
    EXPECT_EQ(ReadU32LE(e.InfoHeader.data() + 32), 16u);
    EXPECT_EQ(e.XorBits, Bytes(8 * 16, 0x43));
    EXPECT_EQ(e.AndBits, Bytes(4 * 16, 0x0F));
    const auto idd = std::find(expected.begin(), expected.end(), at[4]) - expected.begin();
    EXPECT_EQ(ReadU32LE(set.Entries[idd].InfoHeader.data()), 40u);
    EXPECT_EQ(set.Entries[idd].SourcePos, static_cast<std::int32_t>(at[4]));
    EXPECT_TRUE(rec.notices.empty());
}

TEST(ExeScan, ColourTableBeyond256EntriesIsNoIconImage) {
    NoticeRecorder rec;
    TempDir dir;
    Bytes file(10000, 0);
    plant(file, 0, iconImage(16, 8, 1, 300));  // passes the header test, but no icon has such a table
    plant(file, 5000, iconImage(16, 8, 2));
    WriteAll(dir.path() / "odd.bin", file);
    TExeEXsub set;
    ASSERT_TRUE(set.LoadFromExe(dir.file("odd.bin")));
    EXPECT_EQ(offsets(set), (std::vector<std::size_t>{5000}));

    // A table so large that the false image would run past the end of the
    // file must not end the scan before the real icon behind it.
    Bytes header = iconImage(16, 8, 1);
    header.resize(40);
    WriteU32LE(header.data() + 32, 0x10000000u);  // biClrUsed
    plant(file, 0, header);
    WriteAll(dir.path() / "odd.bin", file);
    ASSERT_TRUE(set.LoadFromExe(dir.file("odd.bin")));
    EXPECT_EQ(offsets(set), (std::vector<std::size_t>{5000}));
    EXPECT_TRUE(rec.notices.empty());
}

TEST(ExeScan, TruncatedImageEndsTheScanWithAnErrorAndKeepsWhatWasFound) {
    NoticeRecorder rec;
    TempDir dir;
    Bytes file(5000, 0);
    plant(file, 10, iconImage(16, 4, 1));
    const Bytes big = iconImage(32, 24, 2);
    file.resize(3000 + big.size() - 1);
    std::copy(big.begin(), big.end() - 1, file.begin() + 3000);
    const std::string path = dir.file("cut.exe");
    WriteAll(path, file);
    TExeEXsub set;
    try {
        set.LoadFromExe(path);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("cut.exe"), std::string::npos);
    }
    EXPECT_EQ(offsets(set), (std::vector<std::size_t>{10}));
    bool truncated = false;
    EXPECT_EQ(referenceScan(path, &truncated), (std::vector<std::size_t>{10}));
    EXPECT_TRUE(truncated);
}

TEST(ExeScan, StopsAtAThousandImagesAndCountsTheRest) {
    NoticeRecorder rec;
    TempDir dir;
    const Bytes img = iconImage(16, 1, 3);
    Bytes file;
    for (int i = 0; i < 1001; ++i) file.insert(file.end(), img.begin(), img.end());
    const std::string path = dir.file("many.dll");
    WriteAll(path, file);
    TExeEXsub set;
    ASSERT_TRUE(set.LoadFromExe(path));
    EXPECT_EQ(set.Count, 1000);
    EXPECT_EQ(set.Entries[999].ImageOffset, 999 * img.size());
    EXPECT_EQ(set.LeftOut, 1);
    EXPECT_EQ(rec.texts(), (std::vector<std::string>{EnglishText(LeftOutMessage(1))}));
    // One line saying how many were left out.
    EXPECT_EQ(rec.texts()[0].find('\r'), std::string::npos);
    EXPECT_NE(rec.texts()[0].find("1 more image was not read"), std::string::npos);
}

TEST(ExeScan, SmallMissingAndEmptyFiles) {
    NoticeRecorder rec;
    TempDir dir;
    TExeEXsub set;
    EXPECT_FALSE(set.LoadFromExe(dir.file("none.exe")));
    EXPECT_EQ(set.ResourceType, 1);
    EXPECT_EQ(set.Count, 0);
    WriteAll(dir.file("empty"), {});
    EXPECT_FALSE(set.LoadFromExe(dir.file("empty")));
    Bytes tiny = iconImage(16, 4, 0);
    tiny.resize(39);
    WriteAll(dir.file("tiny"), tiny);
    EXPECT_FALSE(set.LoadFromExe(dir.file("tiny")));
    // Exactly the header and nothing after it: the image runs past the end.
    tiny = iconImage(16, 4, 0);
    tiny.resize(40);
    WriteAll(dir.file("header"), tiny);
    EXPECT_THROW(set.LoadFromExe(dir.file("header")), EInOutError);
    EXPECT_EQ(set.Count, 0);
    EXPECT_TRUE(rec.notices.empty());
}

TEST(ExeScan, RealExecutablesMatchTheBlockScan) {
    VORNIK_REQUIRE_CORPUS();
    for (const auto& f : CorpusFiles("pe")) {
        SCOPED_TRACE(f.filename().string());
        NoticeRecorder rec;
        TExeEXsub set;
        bool truncated = false;
        const auto expected = referenceScan(f.string(), &truncated);
        ASSERT_FALSE(truncated);
        EXPECT_EQ(set.LoadFromExe(f.string()), !expected.empty());
        EXPECT_EQ(offsets(set), expected);
    }
}

TEST(ExeScan, IconFileYieldsItsImagesAtTheirHeaders) {
    VORNIK_REQUIRE_CORPUS();
    int compared = 0;
    for (const auto& f : CorpusFiles("ico", ".ico")) {
        NoticeRecorder rec;
        TIconCurEX ico;
        if (!ico.LoadFromFile(f.string())) continue;
        bool standard = true;
        // The scan looks for bitmap headers; PNG-compressed images are not among them.
        const Bytes bytes = ReadAll(f);
        for (int i = 0; i < ico.Count; ++i)
            standard = standard && !IsPngImage(bytes.data(), bytes.size(),
                                               static_cast<std::size_t>(ico.Entries[i].SourcePos));
        for (int i = 0; i < ico.Count; ++i) {
            const auto& h = ico.Entries[i].InfoHeader;
            const int w = ReadI32LE(h.data() + 4);
            standard = standard && ReadI32LE(h.data() + 8) == w &&
                       (w == 16 || w == 32 || w == 48 || w == 64 || w == 128) &&
                       ReadU32LE(h.data() + 16) == 0 && ReadU32LE(h.data()) == 40;
        }
        if (!standard) continue;
        SCOPED_TRACE(f.filename().string());
        TExeEXsub exe;
        try {
            exe.LoadFromExe(f.string());
        } catch (const EInOutError&) {
            continue;  // a stray 0x28 inside pixel data may look like a header
        }
        ASSERT_GE(exe.Count, ico.Count);
        // Every image of the icon is found at its header, with hot spot 0.
        for (int i = 0; i < ico.Count; ++i) {
            bool found = false;
            for (int j = 0; j < exe.Count; ++j) {
                if (exe.Entries[j].SourcePos != ico.Entries[i].SourcePos) continue;
                found = true;
                EXPECT_EQ(exe.Entries[j].HotSpotX, 0);
                EXPECT_EQ(exe.Entries[j].ImageOffset, static_cast<std::uint32_t>(ico.Entries[i].SourcePos));
                EXPECT_EQ(exe.Entries[j].XorBits, ico.Entries[i].XorBits);
                EXPECT_EQ(exe.Entries[j].AndBits, ico.Entries[i].AndBits);
            }
            EXPECT_TRUE(found) << i;
        }
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

}  // namespace
}  // namespace vornik
