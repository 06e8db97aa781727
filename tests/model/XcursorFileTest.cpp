// Xcursor files: what libXcursor writes reads back the same, and malformed
// files are refused before the library allocates anything.
#include <gtest/gtest.h>

#include "model/EntryPixels.h"
#include "model/XcursorFile.h"

namespace vornik {
namespace {

XcursorPicture picture(std::uint32_t side, std::uint32_t delay, std::uint32_t seed) {
    XcursorPicture p;
    p.nominalSize = side;
    p.width = p.height = side;
    p.xhot = side / 3;
    p.yhot = side / 4;
    p.delay = delay;
    for (std::uint32_t i = 0; i < side * side; ++i) {
        const std::uint32_t a = (i * 37 + seed) & 0xFF;
        const std::uint32_t c = a / 2;  // premultiplied: never above alpha
        p.pixels.push_back(a << 24 | c << 16 | (a / 3) << 8 | c);
    }
    return p;
}

void expectSame(const XcursorPicture& a, const XcursorPicture& b) {
    EXPECT_EQ(a.nominalSize, b.nominalSize);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.xhot, b.xhot);
    EXPECT_EQ(a.yhot, b.yhot);
    EXPECT_EQ(a.delay, b.delay);
    EXPECT_EQ(a.pixels, b.pixels);
}

TEST(XcursorFile, WrittenImagesReadBackInOrder) {
    const std::vector<XcursorPicture> images = {picture(24, 50, 1), picture(24, 70, 2), picture(32, 50, 3),
                                                picture(32, 70, 4)};
    const Bytes file = WriteXcursor(images);
    ASSERT_TRUE(IsXcursorData(file.data(), file.size()));
    const auto back = ReadXcursor(file.data(), file.size(), "t");
    ASSERT_EQ(back.size(), images.size());
    for (std::size_t i = 0; i < images.size(); ++i) expectSame(back[i], images[i]);
}

TEST(XcursorFile, HotSpotBeyondTheImageIsMovedInsideOnWriting) {
    XcursorPicture p = picture(16, 0, 0);
    p.xhot = 40;
    p.yhot = 16;  // on the edge past the last row: libXcursor loads it, xcursorgen writes it
    const Bytes file = WriteXcursor({p});
    const auto back = ReadXcursor(file.data(), file.size(), "t");
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].xhot, 15u);
    EXPECT_EQ(back[0].yhot, 16u);
}

// Offsets in a file of one image: header 16, toc 12, chunk at 28.
constexpr std::size_t kToc = 16, kChunk = 28;

std::string refusal(const Bytes& file) {
    try {
        ReadXcursor(file.data(), file.size(), "bad.cur");
    } catch (const EXcursorError& e) {
        return e.what();
    }
    return "";
}

TEST(XcursorFile, MalformedFilesAreRefusedWithAReason) {
    const Bytes good = WriteXcursor({picture(8, 0, 0)});
    ASSERT_EQ(ReadU32LE(good.data() + kToc + 8), kChunk);

    struct Case {
        const char* what;
        std::size_t offset;  // field to change, or SIZE_MAX to cut the file
        std::uint32_t value;
        const char* expected;
    };
    const Case cases[] = {
        {"cut inside the pixels", SIZE_MAX, 70, "pixels run past the end"},
        {"cut inside the header", SIZE_MAX, 10, "header is cut short"},
        {"absurd table size", 12, 0x7FFFFFFF, "claims"},
        {"table past the end", 12, 1000, "runs past the end"},
        {"header length past the end", 4, 0xFFFF, "header length"},
        {"chunk past the end", kToc + 8, 0xFFFFFFF0, "header runs past the end"},
        {"absurd width", kChunk + 16, 0x7FFF, "at most 1024"},
        {"zero height", kChunk + 20, 0, "size 8 x 0"},
        {"width beyond the pixels present", kChunk + 16, 1000, "pixels run past the end"},
        {"hot spot outside", kChunk + 24, 9, "hot spot"},
        {"chunk of another size than the table says", kChunk + 8, 9, "does not match"},
        {"not Xcursor", 0, 0x46464952, "not an Xcursor file"},
        {"no images", 12, 0, "no images"},
    };
    for (const Case& c : cases) {
        Bytes bad = good;
        if (c.offset == SIZE_MAX)
            bad.resize(c.value);
        else
            WriteU32LE(bad.data() + c.offset, c.value);
        const std::string why = refusal(bad);
        EXPECT_NE(why.find(c.expected), std::string::npos) << c.what << ": " << why;
        EXPECT_NE(why.find("bad.cur"), std::string::npos) << c.what;
    }
}

TEST(XcursorFile, ManyTableEntriesNamingOneLargeImageStayWithinTheBudget) {
    // 60000 entries all naming one 1024 x 1024 chunk would make the library
    // allocate 60000 x 4 MB; the file itself is small.
    Bytes file = WriteXcursor({picture(8, 0, 0)});
    const std::uint32_t n = 60000;
    Bytes big;
    AppendBytes(big, file.data(), 16);
    WriteU32LE(big.data() + 12, n);
    const std::uint32_t chunkAt = static_cast<std::uint32_t>(16 + 12 * n);
    for (std::uint32_t i = 0; i < n; ++i) {
        AppendU32LE(big, 0xfffd0002);
        AppendU32LE(big, 1024);
        AppendU32LE(big, chunkAt);
    }
    const std::uint32_t chunkHeader[] = {36, 0xfffd0002, 1024, 1, 1024, 1024, 0, 0, 0};
    for (std::uint32_t v : chunkHeader) AppendU32LE(big, v);
    big.resize(big.size() + 1024u * 1024 * 4, 0);
    EXPECT_NE(refusal(big).find("too large to hold"), std::string::npos);
}

TEST(EntryPixels, IndexedEntryTakesAlphaFromTheMaskAndInvertedPixelsTurnBlack) {
    // 2 x 1, 1 bit: pixel 0 index 1 (white) transparent -> inverts the screen;
    // pixel 1 index 1 opaque.
    IconEntry e;
    e.InfoHeader.assign(40 + 8, 0);
    WriteU32LE(e.InfoHeader.data(), 40);
    WriteU32LE(e.InfoHeader.data() + 4, 2);
    WriteU32LE(e.InfoHeader.data() + 8, 1);
    WriteU16LE(e.InfoHeader.data() + 12, 1);
    WriteU16LE(e.InfoHeader.data() + 14, 1);
    WriteU32LE(e.InfoHeader.data() + 32, 2);
    WriteU32LE(e.InfoHeader.data() + 44, 0xFFFFFF);
    e.XorBits = {0xC0, 0, 0, 0};
    e.AndBits = {0x80, 0, 0, 0};
    int inverted = -1;
    const BgraPicture p = EntryToBgra(e, &inverted);
    EXPECT_EQ(inverted, 1);
    EXPECT_EQ(p.bgra, (Bytes{0, 0, 0, 255, 255, 255, 255, 255}));

    IconEntry back;
    BgraToEntry(p, back);
    EXPECT_EQ(EntryToBgra(back).bgra, p.bgra);
    EXPECT_EQ(back.Width, 2);
    EXPECT_EQ(back.Height, 1);
}

TEST(EntryPixels, ThirtyTwoBitAlphaIsKeptAndZeroAlphaUsesTheMask) {
    BgraPicture soft{2, 1, {10, 20, 30, 0, 40, 50, 60, 128}};
    IconEntry e;
    BgraToEntry(soft, e);
    EXPECT_EQ(e.AndBits[0], 0x80);
    EXPECT_EQ(EntryToBgra(e).bgra, soft.bgra);

    // All alpha 0: an old 32-bit image whose transparency is in the mask.
    for (std::size_t i = 3; i < e.XorBits.size(); i += 4) e.XorBits[i] = 0;
    e.XorBits[0] = e.XorBits[1] = e.XorBits[2] = 0;
    EXPECT_EQ(EntryToBgra(e).bgra, (Bytes{0, 0, 0, 0, 40, 50, 60, 255}));
}

}  // namespace
}  // namespace vornik
