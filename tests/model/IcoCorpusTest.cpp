// Real ICO and CUR files made by other programs.
#include <gtest/gtest.h>

#include <map>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/TIconEx.h"

using namespace vornik;

namespace {

std::vector<std::filesystem::path> iconFiles() {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"ico", "cur"})
        for (const auto& p : test::CorpusFiles(folder))
            if (p.extension() != ".png") files.push_back(p);
    return files;
}

// Files that are refused, with the reason.
const std::map<std::string, std::string>& expectedRefusals() {
    static const std::map<std::string, std::string> m = {
    };
    return m;
}

// Whether writing the file back must give its bytes: images follow the
// directory in order without gaps or trailing bytes, every header states the
// full colour table, and the directory agrees with the headers.
bool roundTrips(const Bytes& d) {
    const std::size_t count = ReadU16LE(d.data() + 4);
    std::size_t next = 6 + 16 * count;
    for (std::size_t i = 0; i < count; ++i) {
        IconEntry e;
        e.ReadDirectory(d.data() + 6 + 16 * i);
        if (e.ImageOffset != next || next + 40 > d.size()) return false;
        const BitmapInfoHeader h = BitmapInfoHeader::Read(d.data() + next);
        const int h1 = h.biHeight / 2;
        if (h.biClrUsed != static_cast<std::uint32_t>(PaletteSize(h.biBitCount))) return false;
        if (e.Width != static_cast<std::uint8_t>(h.biWidth) || e.Height != static_cast<std::uint8_t>(h1) ||
            e.ColorCount != DirectoryColorCount(h.biBitCount) || e.EntryReserved != 0 || h.biHeight != 2 * h1)
            return false;
        const std::size_t size = 40 + 4 * h.biClrUsed +
                                 static_cast<std::size_t>(RowBytes(h.biWidth * h.biBitCount) * h1) +
                                 static_cast<std::size_t>(RowBytes(h.biWidth) * h1);
        if (e.ImageSize != size) return false;
        next += size;
    }
    return next == d.size();
}

}  // namespace

TEST(IcoCorpus, EveryIconAndCursorReadsOrIsRefusedForItsReason) {
    VORNIK_REQUIRE_CORPUS();
    const auto files = iconFiles();
    ASSERT_GT(files.size(), 100u);
    int read = 0, roundTripped = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        TIconCurEX set;
        const bool ok = set.LoadFromFile(path.string());
        const auto refusal = expectedRefusals().find(path.filename().string());
        if (refusal != expectedRefusals().end()) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(set.LoadError(), "\"" + path.string() + "\": " + refusal->second);
            EXPECT_EQ(set.Count, 0);
            continue;
        }
        ASSERT_TRUE(ok) << set.LoadError();
        ++read;
        const Bytes original = test::ReadAll(path);
        EXPECT_EQ(set.ResourceType, path.parent_path().filename() == "cur" ? 2 : 1);
        EXPECT_EQ(set.Count, ReadU16LE(original.data() + 4));
        for (int i = 0; i < set.Count; ++i) {
            const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
            EXPECT_EQ(e.SourcePos, static_cast<std::int32_t>(e.ImageOffset));
            EXPECT_EQ(e.XorBits.size(), static_cast<std::size_t>(e.XorSize));
            EXPECT_EQ(e.AndBits.size(), static_cast<std::size_t>(e.AndSize));
            EXPECT_GT(ReadU32LE(e.InfoHeader.data() + bih::kClrUsed) + (e.InfoHeader[bih::kBitCount] > 8),
                      0u);
        }
        const Bytes written = set.SaveToBytes();
        if (roundTrips(original)) {
            EXPECT_EQ(written, original);
            ++roundTripped;
        }
        // Whatever was read is written in a form that reads back to the same entries.
        TIconCurEX again;
        ASSERT_TRUE(again.LoadFromBytes(written, "again")) << again.LoadError();
        for (int i = 0; i < set.Count; ++i) {
            const auto k = static_cast<std::size_t>(i);
            EXPECT_EQ(again.Entries[k].XorBits, set.Entries[k].XorBits);
            EXPECT_EQ(again.Entries[k].AndBits, set.Entries[k].AndBits);
            EXPECT_EQ(again.Entries[k].HotSpotX, set.Entries[k].HotSpotX);
        }
    }
    EXPECT_GE(read, 100);
    EXPECT_GE(roundTripped, 40);
    std::printf("corpus: %d of %zu files read, %d round-tripped byte for byte\n", read, files.size(),
                roundTripped);
}

TEST(IcoCorpus, ContentOfKnownFiles) {
    VORNIK_REQUIRE_CORPUS();
    const auto dir = test::CorpusDir();
    TIconCurEX set;
    ASSERT_TRUE(
        set.LoadFromFile((dir / "ico/imagers__multiple_entries_with_different_bit_depth.ico").string()));
    EXPECT_EQ(set.Count, 9);
    EXPECT_EQ(set.Entries[0].Width, 32);
    EXPECT_EQ(set.Entries[0].HotSpotY, 4);  // an icon's bit-count field, carried as read
    EXPECT_EQ(set.Entries[2].XorSize, 48 * 48);
    ASSERT_TRUE(set.LoadFromFile((dir / "ico/libgdiplus__test.ico").string()));
    EXPECT_EQ(set.Entries[0].Width, 0);  // 256 pixels in a byte
    EXPECT_EQ(ReadI32LE(set.Entries[0].InfoHeader.data() + bih::kWidth), 256);
    EXPECT_EQ(set.Entries[0].XorSize, 256 * 256);
    ASSERT_TRUE(set.LoadFromFile((dir / "cur/emvaized__unavailable.cur").string()));
    EXPECT_EQ(set.Count, 5);
    EXPECT_EQ(set.ResourceType, 2);
}

TEST(IcoCorpus, MalformedFilesAreRefused) {
    VORNIK_REQUIRE_CORPUS();
    int refused = 0;
    for (const auto& path : test::CorpusFiles("bad")) {
        const auto ext = path.extension().string();
        if (ext != ".ico" && ext != ".cur") continue;
        SCOPED_TRACE(path.filename().string());
        TIconCurEX set;
        const bool ok = set.LoadFromFile(path.string());
        if (path.filename() == "imagers__Bad_smile-incorrect-image-length.ico") {
            // Only its directory's size field is wrong, and that field is not
            // what the reader goes by: the image itself is complete.
            EXPECT_TRUE(ok) << set.LoadError();
            continue;
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(set.Count, 0);
        EXPECT_EQ(set.LoadError().rfind("\"" + path.string() + "\": ", 0), 0u) << set.LoadError();
        ++refused;
    }
    EXPECT_GE(refused, 12);
}

TEST(IcoCorpus, RiffFilesNamedCurAreRefusedByType) {
    VORNIK_REQUIRE_CORPUS();
    int seen = 0;
    for (const auto& path : test::CorpusFiles("ani", ".cur")) {
        const Bytes head = test::ReadAll(path);
        if (head.size() < 4 || std::string(head.begin(), head.begin() + 4) != "RIFF") continue;
        SCOPED_TRACE(path.filename().string());
        TIconCurEX set;
        EXPECT_FALSE(set.LoadFromFile(path.string()));
        EXPECT_NE(set.LoadError().find("not an icon or cursor file"), std::string::npos);
        ++seen;
    }
    EXPECT_GT(seen, 10);
}
