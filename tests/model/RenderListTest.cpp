// Rendering entries, thumbnails and the entry list.
#include <gtest/gtest.h>

#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "model/ListView.h"
#include "model/RenderEntry.h"
#include "platform/Errors.h"

#include <cstring>

using namespace vornik;

namespace {

constexpr RasterColor kRed = RgbColor(255, 0, 0);
constexpr RasterColor kBlue = RgbColor(0, 0, 255);

// A 24-bit entry from a picture painted by colour(x, y) and a mask by
// transparent(x, y) (rows as displayed).
template <typename C, typename T>
void paintedEntry(TIconEx& set, int index, int w, int h, C colour, T transparent, int type = 1) {
    TQvDIB image, mask;
    image.CreateDIB(w, h, 0, 24);
    mask.CreateDIB(w, h, 2, 1);
    const RgbQuad bw[2] = {RgbQuad{0, 0, 0, 0}, RgbQuad{255, 255, 255, 0}};
    mask.SetColorTable(bw, 2);
    {
        TQvDIBCanvas ci(image), cm(mask);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                ci.SetPixel(x, y, colour(x, y));
                cm.SetPixel(x, y, transparent(x, y) ? kRasterWhite : kRasterBlack);
            }
    }
    set.InitEntry(index, type, w, h, 24);
    if (set.Count <= index) set.Count = static_cast<std::uint16_t>(index + 1);
    DIBsToEntry(set, image, mask, index);
}

RasterColor pixel(TQvDIB& dib, int x, int y) { return TQvDIBCanvas(dib).GetPixel(x, y); }

TEST(RenderEntry, CacheHoldsTheEntryInItsOwnFormat) {
    TIconCurEX set;
    set.InitEntry(0, 1, 16, 16, 8);
    set.Count = 1;
    // Only 100 colours held: the rest of the table reads black.
    IconEntry& e = set.Entries[0];
    e.InfoHeader.resize(40 + 400);
    WriteU32LE(e.InfoHeader.data() + 32, 100);
    WriteU32LE(e.InfoHeader.data() + 36, 5);
    const RenderCache& cache = RenderEntry(set, 0);
    EXPECT_EQ(set.RenderedEntry.get(), &cache);
    EXPECT_EQ(cache.ImageInfo.size(), 40u + 1024);
    EXPECT_EQ(ReadU32LE(cache.ImageInfo.data() + 32), 256u);
    EXPECT_EQ(ReadU32LE(cache.ImageInfo.data() + 36), 0u);
    EXPECT_EQ(ReadU32LE(cache.ImageInfo.data() + 20), 256u);
    EXPECT_EQ(cache.ImageInfo[40 + 4 * 200], 0);
    EXPECT_EQ(cache.RenderedImage.GetBitCount(), 8);
    ASSERT_EQ(cache.MaskInfo.size(), 48u);
    EXPECT_EQ(ReadU16LE(cache.MaskInfo.data() + 14), 1);
    EXPECT_EQ(ReadU32LE(cache.MaskInfo.data() + 20), 64u);
    EXPECT_EQ(Bytes(cache.MaskInfo.begin() + 40, cache.MaskInfo.end()), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_EQ(cache.RenderedMask.GetBitCount(), 1);
    EXPECT_EQ(cache.RenderedMask.Width(), 16);
    EXPECT_EQ(std::memcmp(cache.RenderedMask.Pixels(), e.AndBits.data(), e.AndBits.size()), 0);

    EXPECT_THROW(RenderEntry(set, 1), EVornikError);
    EXPECT_EQ(set.RenderedEntry, nullptr);
}

TEST(DrawEntry, OnWhiteShowsBackgroundImageAndInversion) {
    TIconCurEX set;
    // Left column transparent; top row black, bottom row red; (1, 0) blue.
    paintedEntry(
        set, 0, 2, 2,
        [](int x, int y) { return y == 1 ? kRed : x == 1 ? kBlue : kRasterBlack; },
        [](int x, int) { return x == 0; });
    set.Count = 1;
    TQvDIB canvasPicture;
    canvasPicture.CreateDIB(4, 2, 0, 24);
    TQvDIBCanvas canvas(canvasPicture);
    canvas.FillRect(0, 0, 4, 2, kRasterWhite);
    DrawEntry(set, canvas, 0, 1);
    EXPECT_EQ(canvas.GetPixel(0, 0), kRasterWhite);  // left of the entry
    EXPECT_EQ(canvas.GetPixel(1, 0), kRasterWhite);  // transparent over black: background
    EXPECT_EQ(canvas.GetPixel(1, 1), RgbColor(0, 255, 255));  // transparent over red: inverted
    EXPECT_EQ(canvas.GetPixel(2, 0), kBlue);  // opaque: the image
    EXPECT_EQ(canvas.GetPixel(2, 1), kRed);
    EXPECT_EQ(canvas.GetPixel(3, 0), kRasterWhite);
    EXPECT_EQ(set.RenderedEntry, nullptr);
}

TEST(EntryList, CaptionsAndSubItems) {
    TIconCurEX set;
    set.InitEntry(0, 1, 32, 32, 4);
    set.InitEntry(1, 1, 48, 48, 24);
    set.InitEntry(2, 2, 16, 16, 1);
    set.Count = 3;
    set.Entries[1].ImageOffset = 0x1a2b;
    set.Entries[1].ImageSize = 9640;
    set.Entries[2].HotSpotX = 5;
    set.Entries[2].HotSpotY = 7;
    EXPECT_EQ(EntryListItemOf(set, 0).caption, "32 x 32 -   16");
    EXPECT_EQ(EntryListItemOf(set, 1).caption, "48 x 48 - True");
    EXPECT_EQ(EntryListItemOf(set, 2).caption, "16 x 16 - Mono");
    EXPECT_EQ(EntryListItemOf(set, 1).subItems,
              (std::array<std::string, 7>{"48", "48", "True", "1a2b", "9640", "0", "0"}));
    EXPECT_EQ(EntryListItemOf(set, 2).subItems[5], "5");
    EXPECT_EQ(EntryListItemOf(set, 2).subItems[6], "7");
}

TEST(EntryList, FillAppendsItemsAndThumbnailPairsInStep) {
    TIconCurEX set;
    // 16 x 16: left half red, right half blue; mask transparent in the top rows.
    paintedEntry(
        set, 0, 16, 16, [](int x, int) { return x < 8 ? kRed : kBlue; }, [](int, int y) { return y < 4; });
    // 64 x 64 checkerboard of black and white single pixels.
    paintedEntry(
        set, 1, 64, 64, [](int x, int y) { return (x + y) % 2 ? kRasterWhite : kRasterBlack; },
        [](int, int) { return false; });
    set.Count = 2;
    EntryListView list;
    list.items.push_back({});  // appended after what is there
    ImageList large, small;
    FillListView(set, list, large, 0, small);
    EXPECT_FALSE(list.updating);
    ASSERT_EQ(list.items.size(), 3u);
    ASSERT_EQ(large.pairs.size(), 2u);
    ASSERT_EQ(small.pairs.size(), 2u);
    EXPECT_EQ(list.items[1].imageIndex, 0);
    EXPECT_EQ(list.items[2].imageIndex, 1);
    EXPECT_EQ(list.items[2].caption, "64 x 64 - True");

    ImagePair& up = large.pairs[0];
    ASSERT_EQ(up.image.Width(), 32);
    ASSERT_EQ(up.mask.GetBitCount(), 1);
    // Scaled up by two.
    EXPECT_EQ(pixel(up.image, 15, 0), kRed);
    EXPECT_EQ(pixel(up.image, 16, 31), kBlue);
    EXPECT_EQ(pixel(up.mask, 0, 7), kRasterWhite);
    EXPECT_EQ(pixel(up.mask, 0, 8), kRasterBlack);
    EXPECT_EQ(small.pairs[0].image.Width(), 16);
    EXPECT_EQ(pixel(small.pairs[0].image, 7, 3), kRed);
    // The set's cache ends with the last entry.
    EXPECT_EQ(set.RenderedEntry->RenderedImage.Width(), 64);

    // Shrinking the checkerboard: nearest pixels stay black or white, averaging gives grey.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const RasterColor c = pixel(large.pairs[1].image, x, y);
            ASSERT_TRUE(c == kRasterBlack || c == kRasterWhite);
        }
    EntryListView averaged;
    ImageList large1, small1;
    FillListView(set, averaged, large1, 1, small1);
    const RasterColor grey = pixel(small1.pairs[1].image, 5, 5);
    EXPECT_NEAR(RedOf(grey), 128, 1);
}

TEST(EntryList, BracketClosesWhenAnEntryCannotBeDrawn) {
    TIconCurEX set;
    set.InitEntry(0, 1, 16, 16, 4);
    set.Count = 2;  // entry 1 holds nothing
    EntryListView list;
    ImageList large, small;
    EXPECT_THROW(FillListView(set, list, large, 0, small), EVornikError);
    EXPECT_FALSE(list.updating);
    EXPECT_EQ(list.items.size(), 1u);
}

}  // namespace
