// Xcursor images to our cursors and animated cursors and back.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TestFiles.h"
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

namespace vornik {
namespace {

// The top-left w x h of a picture.
XcursorPicture cropped(const XcursorPicture& p, std::uint32_t w, std::uint32_t h) {
    XcursorPicture out = p;
    out.width = w;
    out.height = h;
    out.pixels.clear();
    for (std::uint32_t y = 0; y < h; ++y)
        out.pixels.insert(out.pixels.end(), p.pixels.begin() + y * p.width, p.pixels.begin() + y * p.width + w);
    return out;
}

// Every image written for Windows is square, its picture at the top left of
// a transparent canvas, its hot spot where it was.
void expectSquaredForWindows(const std::vector<XcursorPicture>& images, const TAniEX& set) {
    std::map<std::uint32_t, std::size_t> nextOfSize;
    std::map<std::uint32_t, int> indexOfSize;
    for (const XcursorPicture& p : images)
        if (!indexOfSize.count(p.nominalSize)) indexOfSize.emplace(p.nominalSize, static_cast<int>(indexOfSize.size()));
    std::vector<std::vector<const XcursorPicture*>> bySize(indexOfSize.size());
    for (const XcursorPicture& p : images) bySize[static_cast<std::size_t>(indexOfSize[p.nominalSize])].push_back(&p);
    for (int f = 0; f < set.Count; ++f)
        for (int k = 0; k < set.FrameImageCount(f); ++k) {
            IconEntry e;
            ASSERT_EQ(set.DecodeFrameImage(f, k, e), "");
            const XcursorPicture& want = *bySize[static_cast<std::size_t>(k)][static_cast<std::size_t>(f)];
            const std::uint32_t side = std::max(want.width, want.height);
            ASSERT_EQ(e.PixelWidth(), static_cast<int>(side)) << "frame " << f << " image " << k;
            ASSERT_EQ(e.PixelHeight(), static_cast<int>(side)) << "frame " << f << " image " << k;
            EXPECT_EQ(e.HotSpotX, want.xhot);
            EXPECT_EQ(e.HotSpotY, want.yhot);
            const BgraPicture b = EntryToBgra(e);
            for (std::uint32_t y = 0; y < side; ++y)
                for (std::uint32_t x = 0; x < side; ++x) {
                    const std::uint8_t alpha = b.bgra[(std::size_t{y} * side + x) * 4 + 3];
                    const std::uint32_t wantAlpha =
                        x < want.width && y < want.height ? want.pixels[std::size_t{y} * want.width + x] >> 24 : 0;
                    ASSERT_EQ(alpha, wantAlpha) << "frame " << f << " image " << k << " at " << x << "," << y;
                }
        }
}

// Each nominal size holds one image per step.
void expectEverySizeAnimates(const std::vector<XcursorPicture>& images, std::size_t steps, const std::string& what) {
    std::map<std::uint32_t, std::size_t> count;
    for (const XcursorPicture& p : images) ++count[p.nominalSize];
    for (const auto& [size, n] : count) EXPECT_EQ(n, steps) << what << " at " << size;
}

TEST(XcursorConvert, AFrameDrawnSmallerStaysInItsSizeAndNonSquareImagesArePaddedForWindows) {
    // Three frames at 32 and 64 px; the middle one's 64 px image is 58 x 63,
    // its hot spot on its last row.
    std::vector<XcursorPicture> images;
    for (std::uint32_t side : {32u, 64u})
        for (std::uint32_t f = 0; f < 3; ++f) images.push_back(image(side, 100, 0x20 * (f + 1) + side));
    images[4] = cropped(images[4], 58, 63);
    images[4].yhot = 62;

    XcursorConversion c = XcursorToSets(images);
    ASSERT_TRUE(c.animation);
    expectSquaredForWindows(images, *c.animation);

    TAniEX reread;
    const Bytes bytes = c.animation->SaveToBytes();
    ASSERT_TRUE(reread.LoadFromMemory(bytes.data(), bytes.size(), "small.ani"));
    std::vector<std::string> notes;
    const auto back = AnimationToXcursor(reread, &notes);
    EXPECT_TRUE(notes.empty()) << notes.front();
    expectEverySizeAnimates(back, 3, "small.ani");
    ASSERT_EQ(back.size(), 6u);
    EXPECT_EQ(back[4].nominalSize, 64u);
    EXPECT_EQ(back[4].width, 63u);  // padded to a square of its longer side
    EXPECT_EQ(back[4].yhot, 62u);
}

TEST(XcursorConvert, CorpusAnimationsAnimateAtEverySizeEvenWithAFrameDrawnSmaller) {
    VORNIK_REQUIRE_CORPUS();
    int checked = 0;
    for (const auto& path : test::CorpusFiles("ani", ".ani")) {
        const Bytes data = test::ReadAll(path);
        if (data.size() > (1u << 20)) continue;  // the 1.6 MB one is slow under ASan and like the others
        TAniEX set;
        ASSERT_TRUE(set.LoadFromMemory(data.data(), data.size(), path.string())) << path;
        auto images = AnimationToXcursor(set);
        expectEverySizeAnimates(images, static_cast<std::size_t>(set.StepCount()), path.filename().string());

        // The first step's largest image made smaller and not square, as a
        // designer's odd frame: Windows gets it squared, and back in Xcursor
        // it still belongs to its size.
        std::uint32_t largest = 0;
        for (const XcursorPicture& p : images) largest = std::max(largest, p.nominalSize);
        std::size_t odd = 0;
        while (images[odd].nominalSize != largest) ++odd;
        if (odd + 1 < images.size() && images[odd + 1].nominalSize == largest) ++odd;  // not the first step
        images[odd] = cropped(images[odd], largest - 3, largest - 1);
        images[odd].xhot = std::min(images[odd].xhot, largest - 4);
        images[odd].yhot = std::min(images[odd].yhot, largest - 2);
        XcursorConversion c = XcursorToSets(images);
        ASSERT_TRUE(c.animation) << path;
        if (c.animation->Count == set.StepCount()) {
            expectSquaredForWindows(images, *c.animation);
        } else {  // repeated frames are held once: only their shape can be checked
            for (int f = 0; f < c.animation->Count; ++f)
                for (int k = 0; k < c.animation->FrameImageCount(f); ++k) {
                    IconEntry e;
                    ASSERT_EQ(c.animation->DecodeFrameImage(f, k, e), "");
                    EXPECT_EQ(e.PixelWidth(), e.PixelHeight()) << path;
                }
        }
        const auto back = AnimationToXcursor(*c.animation);
        expectEverySizeAnimates(back, static_cast<std::size_t>(c.animation->StepCount()), path.filename().string());
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

}  // namespace
}  // namespace vornik
