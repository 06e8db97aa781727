// Xcursor images to our cursors and animated cursors and back.
#include <gtest/gtest.h>

#include "anim/XcursorConvert.h"
#include "model/EntryPixels.h"

namespace vornik {
namespace {

XcursorPicture image(std::uint32_t side, std::uint32_t delay, std::uint32_t colour) {
    XcursorPicture p;
    p.nominalSize = p.width = p.height = side;
    p.xhot = 1;
    p.yhot = 2;
    p.delay = delay;
    p.pixels.assign(std::size_t{side} * side, 0);
    for (std::uint32_t i = 0; i < side; ++i) p.pixels[i] = 0xFF000000u | colour;  // an opaque top row
    p.pixels[side] = 0x80404040u;                                                 // one half-transparent pixel
    return p;
}

TEST(XcursorConvert, RatesAndDelaysConvertWithinRounding) {
    EXPECT_EQ(XcursorDelayToRate(0), 1);
    EXPECT_EQ(XcursorDelayToRate(8), 1);
    EXPECT_EQ(XcursorDelayToRate(50), 3);
    EXPECT_EQ(XcursorDelayToRate(1000), 60);
    EXPECT_EQ(RateToXcursorDelay(0), 17u);
    EXPECT_EQ(RateToXcursorDelay(6), 100u);
    for (int r = 1; r < 5000; ++r) EXPECT_EQ(XcursorDelayToRate(RateToXcursorDelay(r)), r);
}

TEST(XcursorConvert, OneImagePerSizeIsACursorWithEverySize) {
    const std::vector<XcursorPicture> images = {image(32, 0, 0xFF), image(24, 0, 0xFF00), image(48, 0, 0xFF0000)};
    XcursorConversion c = XcursorToSets(images);
    ASSERT_TRUE(c.cursor);
    EXPECT_FALSE(c.animation);
    ASSERT_EQ(c.cursor->Count, 3);
    EXPECT_EQ(c.cursor->ResourceType, 2);
    EXPECT_EQ(c.cursor->Entries[1].Width, 24);
    EXPECT_EQ(c.cursor->Entries[2].HotSpotY, 2);

    // Back to Xcursor: the same images, premultiplied alpha exact.
    const auto back = CursorSetToXcursor(*c.cursor);
    ASSERT_EQ(back.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(back[i].pixels, images[i].pixels) << i;
        EXPECT_EQ(back[i].nominalSize, images[i].nominalSize);
        EXPECT_EQ(back[i].xhot, 1u);
    }
}

TEST(XcursorConvert, FramesBecomeAnAnimationWithRatesAndRepeatedFramesHeldOnce) {
    // Frames A B A C at one size, with varying delays.
    const std::vector<XcursorPicture> images = {image(32, 50, 1), image(32, 100, 2), image(32, 50, 1),
                                                image(32, 200, 3)};
    XcursorConversion c = XcursorToSets(images);
    ASSERT_TRUE(c.animation);
    const TAniEX& a = *c.animation;
    EXPECT_EQ(a.Count, 3);
    ASSERT_EQ(a.StepCount(), 4);
    const int frames[] = {0, 1, 0, 2}, rates[] = {3, 6, 3, 12};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.Steps[static_cast<std::size_t>(i)].Frame, frames[i]);
        EXPECT_EQ(a.Steps[static_cast<std::size_t>(i)].Rate, rates[i]);
    }
    EXPECT_TRUE(a.HasRateChunk);
    EXPECT_TRUE(a.HasSeqChunk);

    // Back: every step an image, delays from the rates.
    const auto back = AnimationToXcursor(a);
    ASSERT_EQ(back.size(), 4u);
    const std::uint32_t delays[] = {50, 100, 50, 200};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back[i].pixels, images[i].pixels);
        EXPECT_EQ(back[i].delay, delays[i]);
    }
}

TEST(XcursorConvert, EverySizeOfEveryFrameIsKeptBothWays) {
    // Three frames at 24, 48 and 32 px, grouped by size as themes keep them.
    std::vector<XcursorPicture> images;
    for (std::uint32_t side : {24u, 48u, 32u})
        for (std::uint32_t f = 0; f < 3; ++f) images.push_back(image(side, 50 * (f + 1), 0x10 * (f + 1) + side));
    XcursorConversion c = XcursorToSets(images);
    ASSERT_TRUE(c.animation);
    EXPECT_TRUE(c.notes.empty());
    const TAniEX& a = *c.animation;
    ASSERT_EQ(a.Count, 3);
    for (int f = 0; f < 3; ++f) {
        ASSERT_EQ(a.FrameImageCount(f), 3) << f;
        EXPECT_EQ(a.Entries[static_cast<std::size_t>(f)].PixelWidth(), 32);  // shown: nearest 32 px
        for (int k = 0; k < 3; ++k) {
            IconEntry e;
            ASSERT_EQ(a.DecodeFrameImage(f, k, e), "");
            const XcursorPicture& want = images[static_cast<std::size_t>(k * 3 + f)];
            EXPECT_EQ(e.PixelWidth(), static_cast<int>(want.width));
            EXPECT_EQ(e.HotSpotY, 2);
        }
    }

    // Written as an ANI file and read again, then back to Xcursor: the same images.
    TAniEX reread;
    Bytes bytes = c.animation->SaveToBytes();
    ASSERT_TRUE(reread.LoadFromMemory(bytes.data(), bytes.size(), "sizes.ani"));
    const auto back = AnimationToXcursor(reread);
    ASSERT_EQ(back.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(back[i].nominalSize, images[i].nominalSize) << i;
        EXPECT_EQ(back[i].pixels, images[i].pixels) << i;
        EXPECT_EQ(back[i].delay, images[i].delay) << i;
        EXPECT_EQ(back[i].xhot, 1u);
    }

    // A cursor of several sizes as a one-frame animation keeps them all.
    XcursorConversion still = XcursorToSets({image(16, 0, 1), image(32, 0, 2), image(64, 0, 3)});
    ASSERT_TRUE(still.cursor);
    const auto one = CursorSetAsAnimation(*still.cursor);
    ASSERT_EQ(one->Count, 1);
    EXPECT_EQ(one->FrameImageCount(0), 3);
    EXPECT_EQ(one->Entries[0].PixelWidth(), 32);
}

TEST(XcursorConvert, TooManyFramesAreRefusedNotCut) {
    std::vector<XcursorPicture> images;
    for (std::uint32_t i = 0; i < 101; ++i) images.push_back(image(8, 10, i));
    EXPECT_THROW(XcursorToSets(images), EXcursorError);
}

TEST(XcursorConvert, OfTwoEntriesOfOneSizeTheOneWithMoreColoursIsKept) {
    TIconCurEX set;
    set.ResourceType = 2;
    BgraPicture dark{2, 2, Bytes(16, 0)}, light{2, 2, Bytes(16, 255)};
    BgraToEntry(dark, set.Entries[0]);
    BgraToEntry(light, set.Entries[1]);
    // Entry 0 claims fewer bits: the 32-bit entry 1 wins.
    WriteU16LE(set.Entries[0].InfoHeader.data() + 14, 24);
    set.Entries[0].XorBits.assign(16, 0);
    set.Count = 2;
    std::vector<std::string> notes;
    const auto out = CursorSetToXcursor(set, &notes);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].pixels[0], 0xFFFFFFFFu);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("second image of 2 px"), std::string::npos);
}

}  // namespace
}  // namespace vornik
