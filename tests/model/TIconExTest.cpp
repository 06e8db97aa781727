#include <gtest/gtest.h>

#include "NoticeRecorder.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/ColorName.h"
#include "model/TIconEx.h"

using namespace vornik;

namespace {

// The colour-table entry i of an entry's header as {r, g, b}.
std::array<int, 3> tableColor(const IconEntry& e, int i) {
    const std::uint8_t* q = e.InfoHeader.data() + 40 + 4 * i;
    return {q[2], q[1], q[0]};
}

void fill(TIconEx& set, int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(set.AddSlot(-1), i);
        set.InitEntry(i, 1, 16 + i, 16, 4);
    }
}

}  // namespace

TEST(TIconEx, NewSetIsEmpty) {
    TIconCurEX set;
    EXPECT_EQ(set.Count, 0);
    EXPECT_EQ(set.Reserved, 0);
    EXPECT_EQ(set.ResourceType, 0);
    EXPECT_EQ(set.Entries.size(), 1000u);
    EXPECT_TRUE(set.Entries[0].InfoHeader.empty());
}

TEST(TIconEx, InitEntryMakesBlankImageOfEachDepth) {
    TIconCurEX set;
    set.InitEntry(0, 2, 32, 32, 4);
    const IconEntry& e = set.Entries[0];
    EXPECT_EQ(set.ResourceType, 2);
    EXPECT_EQ(set.Count, 0);  // InitEntry does not change the count
    EXPECT_EQ(e.Width, 32);
    EXPECT_EQ(e.Height, 32);
    EXPECT_EQ(e.ColorCount, 16);
    EXPECT_EQ(e.XorSize, 512);
    EXPECT_EQ(e.AndSize, 128);
    EXPECT_EQ(e.InfoHeader.size(), 40u + 64u);
    EXPECT_EQ(e.XorBits, Bytes(512, 0x00));
    EXPECT_EQ(e.AndBits, Bytes(128, 0xFF));
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 32);
    EXPECT_EQ(h.biHeight, 32);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 4);
    EXPECT_EQ(h.biSizeImage, 512u);
    EXPECT_EQ(h.biClrUsed, 16u);
    EXPECT_EQ(h.biClrImportant, 0u);

    struct Case {
        int bits;
        std::uint8_t colorCount;
        std::size_t header;
        std::int32_t xorSize;
    };
    for (const Case c : {Case{1, 2, 48, 128}, Case{8, 0, 40 + 1024, 48 * 48}, Case{24, 0, 40, 144 * 48},
                         Case{32, 0, 40, 192 * 48}}) {
        const int w = c.bits == 1 ? 16 : 48;
        set.InitEntry(1, 1, w, c.bits == 1 ? 32 : 48, c.bits);
        SCOPED_TRACE(c.bits);
        EXPECT_EQ(set.Entries[1].ColorCount, c.colorCount);
        EXPECT_EQ(set.Entries[1].InfoHeader.size(), c.header);
        EXPECT_EQ(set.Entries[1].XorSize, c.xorSize);
    }
    // An odd width pads rows: 17 pixels of 1 bit and of 24 bits.
    set.InitEntry(2, 1, 17, 3, 24);
    EXPECT_EQ(set.Entries[2].XorSize, 52 * 3);
    EXPECT_EQ(set.Entries[2].AndSize, 4 * 3);
}

TEST(TIconEx, InitEntryStandardColourTables) {
    TIconCurEX set;
    set.InitEntry(0, 1, 16, 16, 1);
    EXPECT_EQ(tableColor(set.Entries[0], 0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(tableColor(set.Entries[0], 1), (std::array<int, 3>{255, 255, 255}));

    set.InitEntry(0, 1, 16, 16, 4);
    const std::array<std::array<int, 3>, 16> vga = {{{0, 0, 0},
                                                     {128, 0, 0},
                                                     {0, 128, 0},
                                                     {128, 128, 0},
                                                     {0, 0, 128},
                                                     {128, 0, 128},
                                                     {0, 128, 128},
                                                     {192, 192, 192},
                                                     {128, 128, 128},
                                                     {255, 0, 0},
                                                     {0, 255, 0},
                                                     {255, 255, 0},
                                                     {0, 0, 255},
                                                     {255, 0, 255},
                                                     {0, 255, 255},
                                                     {255, 255, 255}}};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(tableColor(set.Entries[0], i), vga[static_cast<std::size_t>(i)]) << i;

    set.InitEntry(0, 1, 16, 16, 8);
    const IconEntry& e = set.Entries[0];
    const int greys[11] = {0, 24, 48, 71, 95, 119, 143, 167, 190, 214, 238};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(tableColor(e, i), (std::array<int, 3>{greys[i], greys[i], greys[i]})) << i;
    const int ramp[10] = {17, 42, 66, 91, 115, 140, 164, 189, 213, 238};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(tableColor(e, 11 + i), (std::array<int, 3>{ramp[i], 0, 0})) << i;
        EXPECT_EQ(tableColor(e, 21 + i), (std::array<int, 3>{0, ramp[i], 0})) << i;
        EXPECT_EQ(tableColor(e, 31 + i), (std::array<int, 3>{0, 0, ramp[i]})) << i;
    }
    // The cube without black, red fastest: 41 = (51,0,0), 45 = (255,0,0), 46 = (0,51,0), 255 = white.
    EXPECT_EQ(tableColor(e, 41), (std::array<int, 3>{51, 0, 0}));
    EXPECT_EQ(tableColor(e, 45), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(tableColor(e, 46), (std::array<int, 3>{0, 51, 0}));
    EXPECT_EQ(tableColor(e, 41 + 35), (std::array<int, 3>{0, 0, 51}));
    EXPECT_EQ(tableColor(e, 255), (std::array<int, 3>{255, 255, 255}));
    for (int i = 0; i < 256; ++i) EXPECT_EQ(e.InfoHeader[40 + 4 * static_cast<std::size_t>(i) + 3], 0);
}

TEST(TIconEx, AddSlotAppendsAndInsertsUpToTheLimit) {
    test::NoticeRecorder notices;
    TIconCurEX set;
    EXPECT_EQ(set.AddSlot(-1), 0);
    EXPECT_EQ(set.AddSlot(1), 1);  // index == Count appends too
    EXPECT_EQ(set.Count, 2);
    set.InitEntry(0, 2, 16, 16, 4);
    set.InitEntry(1, 2, 32, 32, 4);
    set.Entries[0].HotSpotX = 5;
    set.Entries[0].HotSpotY = 7;

    EXPECT_EQ(set.AddSlot(0), 0);
    EXPECT_EQ(set.Count, 3);
    // The new slot has no data but keeps the directory fields of the entry moved up.
    EXPECT_TRUE(set.Entries[0].InfoHeader.empty());
    EXPECT_TRUE(set.Entries[0].XorBits.empty());
    EXPECT_TRUE(set.Entries[0].AndBits.empty());
    EXPECT_EQ(set.Entries[0].HotSpotX, 5);
    EXPECT_EQ(set.Entries[0].HotSpotY, 7);
    EXPECT_EQ(set.Entries[1].Width, 16);
    EXPECT_EQ(set.Entries[1].XorSize, 128);
    EXPECT_EQ(set.Entries[1].XorBits.size(), 128u);
    EXPECT_EQ(set.Entries[2].Width, 32);
    EXPECT_TRUE(notices.notices.empty());

    while (set.Count < 999) set.AddSlot(-1);
    EXPECT_EQ(set.AddSlot(-1), 999);
    EXPECT_EQ(set.AddSlot(-1), -1);
    EXPECT_EQ(set.AddSlot(0), -1);
    EXPECT_EQ(set.Count, 1000);
    EXPECT_EQ(notices.texts(),
              (std::vector<std::string>{"the set is full (1000 images); nothing more can be added",
                                        "the set is full (1000 images); nothing more can be added"}));
}

TEST(TIconEx, DeleteSlotMovesDownAndReportsLimits) {
    test::NoticeRecorder notices;
    TIconCurEX set;
    EXPECT_EQ(set.DeleteSlot(0), -1);
    fill(set, 3);  // widths 16, 17, 18
    EXPECT_EQ(set.DeleteSlot(3), -1);
    EXPECT_EQ(set.DeleteSlot(-1), -1);
    EXPECT_EQ(set.DeleteSlot(0), 0);
    EXPECT_EQ(set.Count, 2);
    EXPECT_EQ(set.Entries[0].Width, 17);
    EXPECT_EQ(set.Entries[1].Width, 18);
    EXPECT_EQ(set.Entries[1].XorBits.size(), static_cast<std::size_t>(set.Entries[1].XorSize));
    // The vacated top slot references nothing; an add there yields an empty slot.
    EXPECT_TRUE(set.Entries[2].InfoHeader.empty());
    EXPECT_EQ(set.AddSlot(-1), 2);
    EXPECT_TRUE(set.Entries[2].XorBits.empty());
    EXPECT_EQ(set.Entries[1].Width, 18);
    EXPECT_EQ(set.Entries[1].AndBits.size(), static_cast<std::size_t>(set.Entries[1].AndSize));

    EXPECT_EQ(set.DeleteSlot(2), 2);
    EXPECT_EQ(set.DeleteSlot(1), 1);
    EXPECT_EQ(set.DeleteSlot(0), 0);
    EXPECT_EQ(set.Count, 0);
    EXPECT_EQ(set.DeleteSlot(0), -1);
    EXPECT_EQ(notices.texts(),
              (std::vector<std::string>{"nothing left to delete", "cannot delete that entry",
                                        "cannot delete that entry", "nothing left to delete"}));
}

TEST(TIconEx, ClearAndFreeEntryReleaseBlocksOnly) {
    TIconCurEX set;
    fill(set, 2);
    set.Entries[1].HotSpotX = 9;
    set.FreeEntry(1);
    EXPECT_TRUE(set.Entries[1].InfoHeader.empty());
    EXPECT_TRUE(set.Entries[1].AndBits.empty());
    EXPECT_EQ(set.Entries[1].HotSpotX, 9);
    EXPECT_EQ(set.Entries[1].XorSize, 12 * 16);  // 17 pixels of 4 bits: 12-byte rows
    set.Clear();
    EXPECT_EQ(set.Count, 0);
    EXPECT_TRUE(set.Entries[0].XorBits.empty());
    EXPECT_EQ(set.ResourceType, 1);
}

TEST(ColorName, LabelsOfEachDepth) {
    EXPECT_EQ(ColorName(1), "Mono");
    EXPECT_EQ(ColorName(4), "  16");
    EXPECT_EQ(ColorName(8), " 256");
    EXPECT_EQ(ColorName(15), "High");
    EXPECT_EQ(ColorName(16), "High");
    EXPECT_EQ(ColorName(24), "True");
    EXPECT_EQ(ColorName(32), "Full");
    EXPECT_EQ(ColorName(2), "?");
    EXPECT_EQ(ColorName(0), "?");
}
