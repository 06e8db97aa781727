// Entries turned into pictures and back.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "platform/Errors.h"

using namespace vornik;

namespace {

// An entry whose image and mask carry a pattern.
void patterned(TIconEx& set, int index, int w, int h, int bits, int type = 1) {
    set.InitEntry(index, type, w, h, bits);
    IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < e.XorBits.size(); ++i) e.XorBits[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (std::size_t i = 0; i < e.AndBits.size(); ++i) e.AndBits[i] = static_cast<std::uint8_t>(i % 7 == 0 ? 0xF0 : 0x0F);
}

struct Streams {
    Bytes image, mask;
};
Streams toStreams(const TIconEx& set, int index) {
    ByteWriteStream image, mask;
    EntryToStreams(set, image, mask, index);
    return {image.Take(), mask.Take()};
}
void fromStreams(TIconEx& set, const Streams& s, int index) {
    ByteReadStream image(s.image), mask(s.mask);
    StreamsToEntry(set, image, mask, index);
}

TEST(EntryStreams, LayoutOfBothBmpFiles) {
    TIconCurEX set;
    patterned(set, 0, 32, 32, 4);
    set.Count = 1;
    const Streams s = toStreams(set, 0);
    ASSERT_EQ(s.mask.size(), 62u + 128);
    EXPECT_EQ(s.mask[0], 'B');
    EXPECT_EQ(ReadU32LE(s.mask.data() + 2), 62u + 128);
    EXPECT_EQ(ReadU32LE(s.mask.data() + 10), 62u);
    const BitmapInfoHeader mh = BitmapInfoHeader::Read(s.mask.data() + 14);
    EXPECT_EQ(mh.biBitCount, 1);
    EXPECT_EQ(mh.biClrUsed, 2u);
    EXPECT_EQ(mh.biSizeImage, 128u);
    EXPECT_EQ(mh.biHeight, 32);
    const Bytes colours(s.mask.begin() + 54, s.mask.begin() + 62);
    EXPECT_EQ(colours, (Bytes{0, 0, 0, 2, 255, 255, 255, 2}));

    ASSERT_EQ(s.image.size(), 54u + 64 + 512);
    EXPECT_EQ(ReadU32LE(s.image.data() + 10), 54u + 64);
    EXPECT_TRUE(std::equal(set.Entries[0].InfoHeader.begin(), set.Entries[0].InfoHeader.end(), s.image.begin() + 14));
}

TEST(EntryStreams, RoundTripKeepsBlocksAndHotSpot) {
    TIconCurEX set;
    const int depths[] = {1, 4, 8, 16, 24, 32};
    for (int i = 0; i < 6; ++i) patterned(set, i, 5 + i, 3 + i, depths[i], 2);
    set.Count = 6;
    for (int i = 0; i < 6; ++i) {
        IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        e.HotSpotX = 5;
        e.HotSpotY = 7;
        e.ImageOffset = 1234;
        e.SourcePos = 99;
        const IconEntry before = e;
        fromStreams(set, toStreams(set, i), i);
        EXPECT_EQ(e.InfoHeader, before.InfoHeader) << i;
        EXPECT_EQ(e.XorBits, before.XorBits) << i;
        EXPECT_EQ(e.AndBits, before.AndBits) << i;
        EXPECT_EQ(e.HotSpotX, 5);
        EXPECT_EQ(e.HotSpotY, 7);
        EXPECT_EQ(e.SourcePos, 99);
        EXPECT_EQ(e.ImageOffset, 0u);
        EXPECT_EQ(e.ImageSize, e.InfoHeader.size() + e.XorBits.size() + e.AndBits.size());
        EXPECT_EQ(e.ColorCount, DirectoryColorCount(depths[i]));
    }
}

TEST(EntryStreams, EveryCorpusEntryRoundTripsByteForByte) {
    VORNIK_REQUIRE_CORPUS();
    int entries = 0;
    for (const char* folder : {"ico", "cur"})
        for (const auto& path : test::CorpusFiles(folder)) {
            TIconCurEX set;
            if (path.extension() == ".png" || !set.LoadFromFile(path.string())) continue;
            SCOPED_TRACE(path.filename().string());
            for (int i = 0; i < set.Count; ++i) {
                IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
                const Bytes header = e.InfoHeader, xorBits = e.XorBits, andBits = e.AndBits;
                const std::uint16_t hx = e.HotSpotX, hy = e.HotSpotY;
                fromStreams(set, toStreams(set, i), i);
                ASSERT_EQ(e.InfoHeader, header) << i;
                ASSERT_EQ(e.XorBits, xorBits) << i;
                ASSERT_EQ(e.AndBits, andBits) << i;
                EXPECT_EQ(e.HotSpotX, hx);
                EXPECT_EQ(e.HotSpotY, hy);
                EXPECT_EQ(e.ImageSize, header.size() + xorBits.size() + andBits.size());
                ++entries;
            }
        }
    EXPECT_GT(entries, 300);
}

TEST(EntryStreams, ShortOrMismatchedStreamsLeaveTheEntry) {
    TIconCurEX set;
    patterned(set, 0, 8, 8, 8);
    patterned(set, 1, 16, 16, 8);
    set.Count = 2;
    const IconEntry before = set.Entries[0];
    Streams s = toStreams(set, 0);
    Streams cut = s;
    cut.image.resize(cut.image.size() - 1);
    EXPECT_THROW(fromStreams(set, cut, 0), EVornikError);
    cut = s;
    cut.mask.resize(70);
    EXPECT_THROW(fromStreams(set, cut, 0), EVornikError);
    Streams other = toStreams(set, 1);
    EXPECT_THROW(fromStreams(set, Streams{s.image, other.mask}, 0), EVornikError);
    Streams huge = s;
    WriteI32LE(huge.image.data() + 14 + 4, 0x7FFFFFF);
    WriteI32LE(huge.mask.data() + 14 + 4, 0x7FFFFFF);
    EXPECT_THROW(fromStreams(set, huge, 0), EVornikError);
    EXPECT_EQ(set.Entries[0].XorBits, before.XorBits);
    EXPECT_EQ(set.Entries[0].InfoHeader, before.InfoHeader);
    EXPECT_THROW(toStreams(set, 2), EVornikError);
    EXPECT_THROW(toStreams(set, -1), EVornikError);
}

TEST(EntryPictures, DIBsRoundTripAndTopDownIsTurned) {
    TIconCurEX set;
    patterned(set, 0, 6, 4, 24);
    set.Count = 1;
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, 0);
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_EQ(mask.GetBitCount(), 1);
    const IconEntry before = set.Entries[0];
    DIBsToEntry(set, image, mask, 0);
    EXPECT_EQ(set.Entries[0].XorBits, before.XorBits);
    EXPECT_EQ(set.Entries[0].AndBits, before.AndBits);

    // A top-down picture: the top row (red) ends up last in the entry's rows.
    TQvDIB top;
    top.CreateDIB(2, -2, 0, 24);
    TQvDIBCanvas(top).SetPixel(0, 0, RgbColor(255, 0, 0));
    TQvDIB m;
    m.CreateDIB(2, 2, 2, 1);
    DIBsToEntry(set, top, m, 0);
    const IconEntry& e = set.Entries[0];
    EXPECT_GT(ReadI32LE(e.InfoHeader.data() + bih::kHeight), 0);
    EXPECT_EQ(e.XorBits[8 + 2], 255);  // second stored row, red byte of pixel 0
    EXPECT_EQ(e.XorBits[2], 0);

    // A mask that is not 1 bit is reduced; sizes must agree.
    TQvDIB colourMask;
    colourMask.CreateDIB(2, 2, 0, 24);
    DIBsToEntry(set, top, colourMask, 0);
    EXPECT_EQ(set.Entries[0].AndSize, 8);
    TQvDIB small;
    small.CreateDIB(1, 1, 2, 1);
    EXPECT_THROW(DIBsToEntry(set, top, small, 0), EVornikError);
}

TEST(EntryPictures, ViewsHoldTheMaskAsBlackAndWhite) {
    TIconCurEX set;
    patterned(set, 0, 32, 2, 4);  // rows without padding, which the views do not keep
    set.Count = 1;
    TQvDIB imageView, maskView;
    EntryToViews(set, imageView, maskView, 0);
    EXPECT_EQ(imageView.GetBitCount(), 4);
    EXPECT_EQ(imageView.Width(), 32);
    ASSERT_EQ(maskView.GetBitCount(), 24);
    EXPECT_EQ(maskView.Height(), 2);
    // AndBits row 0 (bottom) is 0xF0: the four left pixels transparent.
    TQvDIBCanvas canvas(maskView);
    EXPECT_EQ(canvas.GetPixel(0, 1), kRasterWhite);
    EXPECT_EQ(canvas.GetPixel(4, 1), kRasterBlack);
    const IconEntry before = set.Entries[0];
    ViewsToEntry(set, imageView, maskView, 0);
    EXPECT_EQ(set.Entries[0].XorBits, before.XorBits);
    EXPECT_EQ(set.Entries[0].AndBits, before.AndBits);
}

TEST(ImagePairFiles, IconAndCursorLayout) {
    TIconCurEX set;
    patterned(set, 0, 32, 32, 4);
    set.Count = 1;
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, 0);
    test::TempDir dir;
    SaveImagePairAsIcon(dir.file("a.ico"), image, mask);
    const Bytes ico = test::ReadAll(dir.path() / "a.ico");
    ASSERT_EQ(ico.size(), 766u);
    EXPECT_EQ(ReadU16LE(ico.data() + 2), 1);
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(ReadU16LE(ico.data() + 10), 0);  // planes and bit count stay 0
    EXPECT_EQ(ReadU16LE(ico.data() + 12), 0);
    EXPECT_EQ(ReadU32LE(ico.data() + 14), 744u);
    EXPECT_EQ(ReadU32LE(ico.data() + 18), 22u);
    EXPECT_TRUE(std::equal(set.Entries[0].XorBits.begin(), set.Entries[0].XorBits.end(), ico.begin() + 22 + 40 + 64));

    SaveImagePairAsCursor(dir.file("a.cur"), image, mask, 5, 7);
    const Bytes cur = test::ReadAll(dir.path() / "a.cur");
    EXPECT_EQ(ReadU16LE(cur.data() + 2), 2);
    EXPECT_EQ(ReadU16LE(cur.data() + 10), 5);
    EXPECT_EQ(ReadU16LE(cur.data() + 12), 7);

    TQvDIB imageView, maskView;
    EntryToViews(set, imageView, maskView, 0);
    SaveViewPairAsIcon(dir.file("b.ico"), imageView, maskView);
    EXPECT_EQ(test::ReadAll(dir.path() / "b.ico"), ico);
    SaveViewPairAsCursor(dir.file("b.cur"), imageView, maskView, 5, 7);
    EXPECT_EQ(test::ReadAll(dir.path() / "b.cur"), cur);
}

}  // namespace
