// How PNG-compressed images are written back.
#include <gtest/gtest.h>
#include <png.h>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/EntryConversion.h"
#include "model/EntryStorage.h"
#include "model/IconImageReader.h"
#include "model/TIconEx.h"

using namespace vornik;

namespace {

// Image block i of a written file: offset and size from its directory.
std::pair<std::size_t, std::size_t> block(const Bytes& file, int i) {
    const std::uint8_t* d = file.data() + 6 + 16 * i;
    return {ReadU32LE(d + 12), ReadU32LE(d + 8)};
}

bool isPngBlock(const Bytes& file, int i) { return IsPngImage(file.data(), file.size(), block(file, i).first); }

// libpng's own decode of a PNG block as BGRA, rows top-down.
Bytes libpngDecode(const std::uint8_t* data, std::size_t size) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return {};
    image.format = PNG_FORMAT_BGRA;
    Bytes out(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.data(), 0, nullptr)) return {};
    return out;
}

void gradientEntry(TIconEx& set, int index, int side) {
    set.InitEntry(index, 1, side, side, 32);
    IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < e.XorBits.size(); ++i) e.XorBits[i] = static_cast<std::uint8_t>(i / 4 + i % 4 * 50);
}

}  // namespace

TEST(PngStorage, UnchangedPngImagesAreWrittenAsRead) {
    VORNIK_REQUIRE_CORPUS();
    int files = 0;
    for (const auto& path : test::CorpusFiles("ico", ".ico")) {
        const Bytes original = test::ReadAll(path);
        TIconCurEX set;
        if (!set.LoadFromFile(path.string())) continue;
        bool anyPng = false;
        for (int i = 0; i < set.Count; ++i) anyPng = anyPng || !set.Entries[static_cast<std::size_t>(i)].PngStream.empty();
        if (!anyPng) continue;
        SCOPED_TRACE(path.filename().string());
        const Bytes written = set.SaveToBytes();
        // No larger than it was, within a few bytes.
        EXPECT_LE(written.size(), original.size() + 16);
        // (it may be smaller: bytes past a mask's rows are not kept)
        for (int i = 0; i < set.Count; ++i) {
            const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
            if (e.PngStream.empty()) continue;
            ASSERT_TRUE(isPngBlock(written, i));
            const auto [at, n] = block(written, i);
            EXPECT_EQ(Bytes(written.begin() + static_cast<long>(at), written.begin() + static_cast<long>(at + n)),
                      e.PngStream);
        }
        TIconCurEX again;
        ASSERT_TRUE(again.LoadFromBytes(written, "again"));
        EXPECT_EQ(again.SaveToBytes(), written);
        ++files;
    }
    EXPECT_GE(files, 3);
}

TEST(PngStorage, FaviconDoesNotGrow) {
    VORNIK_REQUIRE_CORPUS();
    const auto path = test::CorpusDir() / "ico" / "webamp__public__favicon.ico";
    if (!std::filesystem::exists(path)) GTEST_SKIP();
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(path.string()));
    // 25,931 bytes; its three BMP entries carry mask rows longer than their
    // size needs, which are not written back.
    EXPECT_LE(set.SaveToBytes().size(), std::filesystem::file_size(path));
    EXPECT_GT(set.SaveToBytes().size(), 20000u);
}

TEST(PngStorage, ChangedPngEntryIsEncodedAgainAndBmpForcesClassic) {
    VORNIK_REQUIRE_CORPUS();
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile((test::CorpusDir() / "ico" / "imagers__png-32bpp-alpha.ico").string()));
    IconEntry& e = set.Entries[0];
    ASSERT_FALSE(e.PngStream.empty());
    e.XorBits[0] ^= 0xFF;  // a change made behind the writer's back
    const Bytes written = set.SaveToBytes();
    // A small entry that changed goes back to the classic form.
    EXPECT_FALSE(isPngBlock(written, 0));
    TIconCurEX reread;
    ASSERT_TRUE(reread.LoadFromBytes(written, "w"));
    EXPECT_EQ(reread.Entries[0].XorBits, e.XorBits);

    set.Storage = EntryStorage::Png;
    const Bytes forced = set.SaveToBytes();
    ASSERT_TRUE(isPngBlock(forced, 0));
    TIconCurEX fromPng;
    ASSERT_TRUE(fromPng.LoadFromBytes(forced, "p"));
    EXPECT_EQ(fromPng.Entries[0].XorBits, e.XorBits);
}

TEST(PngStorage, New256EntryIsPngAndDecodesToItsPixels) {
    TIconCurEX set;
    gradientEntry(set, 0, 256);
    gradientEntry(set, 1, 48);
    set.Count = 2;
    set.ResourceType = 1;
    const Bytes written = set.SaveToBytes();
    EXPECT_TRUE(isPngBlock(written, 0));
    EXPECT_FALSE(isPngBlock(written, 1));
    EXPECT_EQ(written[6], 0);  // width byte: 256
    const auto [at, n] = block(written, 0);
    const Bytes bgra = libpngDecode(written.data() + at, n);
    ASSERT_EQ(bgra.size(), 256u * 256 * 4);
    // Top row of the picture is the last stored row.
    const IconEntry& e = set.Entries[0];
    EXPECT_TRUE(std::equal(bgra.begin(), bgra.begin() + 1024, e.XorBits.end() - 1024));
    TIconCurEX reread;
    ASSERT_TRUE(reread.LoadFromBytes(written, "w"));
    EXPECT_EQ(reread.Entries[0].XorBits, e.XorBits);

    set.Storage = EntryStorage::Bmp;
    EXPECT_FALSE(isPngBlock(set.SaveToBytes(), 0));
}
