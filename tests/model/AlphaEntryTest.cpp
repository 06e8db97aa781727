// 32-bit entries through pictures and views, and entries of 256 pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/EntryConversion.h"
#include "model/ListView.h"

using namespace vornik;

namespace {

// A 32-bit entry whose alpha runs through every value.
void alphaEntry(TIconEx& set, int index, int side) {
    set.InitEntry(index, 1, side, side, 32);
    IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < e.XorBits.size(); ++i) e.XorBits[i] = static_cast<std::uint8_t>(i * 13 + 5);
    for (std::size_t i = 0; i < e.AndBits.size(); ++i) e.AndBits[i] = static_cast<std::uint8_t>(i * 7);
    WriteU32LE(e.InfoHeader.data() + 24, 2835);  // a resolution, carried as held
}

struct Blocks {
    Bytes header, xorBits, andBits;
    bool operator==(const Blocks&) const = default;
};
Blocks blocksOf(const IconEntry& e) { return {e.InfoHeader, e.XorBits, e.AndBits}; }

}  // namespace

TEST(AlphaEntries, PicturesCarryAlphaAndComeBackByteForByte) {
    TIconCurEX set;
    alphaEntry(set, 0, 20);
    set.Count = 1;
    const Blocks before = blocksOf(set.Entries[0]);
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, 0);
    ASSERT_EQ(image.GetBitCount(), 32);
    EXPECT_EQ(0, std::memcmp(image.ScanLine(0), set.Entries[0].XorBits.data(), 80));
    DIBsToEntry(set, image, mask, 0);
    EXPECT_TRUE(blocksOf(set.Entries[0]) == before);

    PictureView imageView, maskView;
    EntryToViews(set, imageView, maskView, 0);
    ASSERT_EQ(imageView.GetBitCount(), 32);
    ViewsToEntry(set, imageView, maskView, 0);
    EXPECT_TRUE(blocksOf(set.Entries[0]) == before);
}

TEST(AlphaEntries, CorpusThirtyTwoBitEntriesSurviveViews) {
    VORNIK_REQUIRE_CORPUS();
    int checked = 0;
    for (const auto& path : test::CorpusFiles("ico", ".ico")) {
        TIconCurEX set;
        if (!set.LoadFromFile(path.string())) continue;
        for (int i = 0; i < set.Count; ++i) {
            const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
            if (ReadU16LE(e.InfoHeader.data() + bih::kBitCount) != 32) continue;
            SCOPED_TRACE(path.filename().string() + " entry " + std::to_string(i));
            const Blocks before = blocksOf(e);
            PictureView imageView, maskView;
            EntryToViews(set, imageView, maskView, i);
            ViewsToEntry(set, imageView, maskView, i);
            EXPECT_TRUE(blocksOf(set.Entries[static_cast<std::size_t>(i)]) == before);
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

TEST(AlphaEntries, SidesOf256AndMore) {
    TIconCurEX set;
    alphaEntry(set, 0, 256);
    set.Count = 1;
    set.SaveToBytes();  // directory bytes from the header: 0
    EXPECT_EQ(set.Entries[0].Width, 0);
    EXPECT_EQ(EntryListItemOf(set, 0).caption, "256 x 256 - Full");
    EXPECT_EQ(EntryListItemOf(set, 0).subItems[0], "256");
    // A directory byte of 0 with a larger image header: the header's side.
    WriteI32LE(set.Entries[0].InfoHeader.data() + bih::kWidth, 512);
    EXPECT_EQ(set.Entries[0].PixelWidth(), 512);
    EXPECT_EQ(set.Entries[0].PixelHeight(), 256);
    set.InitEntry(1, 1, 24, 24, 32);
    EXPECT_EQ(set.Entries[1].PixelWidth(), 24);
}
