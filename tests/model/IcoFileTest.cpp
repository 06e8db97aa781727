#include <gtest/gtest.h>

#include <numeric>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/IconImageReader.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"

using namespace vornik;

namespace {

// One image block as a file holds it: header (doubled height), table, XOR, AND.
Bytes imageBlock(int w, int h, int bits, std::uint32_t clrUsed, std::uint8_t seed) {
    BitmapInfoHeader hd;
    hd.biWidth = w;
    hd.biHeight = 2 * h;
    hd.biBitCount = static_cast<std::uint16_t>(bits);
    hd.biClrUsed = clrUsed;
    const std::uint32_t colors = clrUsed ? clrUsed : static_cast<std::uint32_t>(PaletteSize(bits));
    const std::size_t xorSize = static_cast<std::size_t>(RowBytes(w * bits) * h);
    const std::size_t andSize = static_cast<std::size_t>(RowBytes(w) * h);
    Bytes b(40 + 4 * colors + xorSize + andSize);
    hd.Write(b.data());
    for (std::size_t i = 40; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
    return b;
}

struct Image {
    int w, h, bits;
    std::uint32_t clrUsed;
};

// A well-formed file: directory fields agree with the headers, images follow
// the directory in order.
Bytes icoFile(int type, const std::vector<Image>& images) {
    Bytes out;
    AppendU16LE(out, 0);
    AppendU16LE(out, static_cast<std::uint16_t>(type));
    AppendU16LE(out, static_cast<std::uint16_t>(images.size()));
    out.resize(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& im = images[i];
        const Bytes block = imageBlock(im.w, im.h, im.bits, im.clrUsed, static_cast<std::uint8_t>(i * 31));
        IconEntry e;
        e.Width = static_cast<std::uint8_t>(im.w);
        e.Height = static_cast<std::uint8_t>(im.h);
        e.ColorCount = DirectoryColorCount(im.bits);
        e.HotSpotX = type == 2 ? 3 : 1;
        e.HotSpotY = type == 2 ? 4 : static_cast<std::uint16_t>(im.bits);
        e.ImageSize = static_cast<std::uint32_t>(block.size());
        e.ImageOffset = static_cast<std::uint32_t>(out.size());
        e.WriteDirectory(out.data() + 6 + 16 * i);
        AppendBytes(out, block.data(), block.size());
    }
    return out;
}

void expectRefused(const Bytes& file, const std::string& error) {
    TIconCurEX set;
    set.AddSlot(-1);
    set.InitEntry(0, 1, 16, 16, 4);
    EXPECT_FALSE(set.LoadFromBytes(file, "x.ico"));
    EXPECT_EQ(set.Count, 0);
    EXPECT_TRUE(set.Entries[0].InfoHeader.empty());
    EXPECT_EQ(set.LoadError(), "\"x.ico\": " + error);
}

}  // namespace

TEST(IcoWrite, OneImageSixteenColourIconHasTheExactBytes) {
    TIconCurEX set;
    ASSERT_EQ(set.AddSlot(-1), 0);
    set.InitEntry(0, 1, 32, 32, 4);
    for (std::size_t i = 0; i < 512; ++i) set.Entries[0].XorBits[i] = static_cast<std::uint8_t>(i);
    test::TempDir dir;
    set.SaveToFile(dir.file("a.ico"));
    const Bytes b = test::ReadAll(dir.file("a.ico"));
    ASSERT_EQ(b.size(), 766u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 22),
              (Bytes{0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 0, 0, 0, 0, 0xE8, 0x02, 0, 0, 22, 0, 0, 0}));
    const BitmapInfoHeader h = BitmapInfoHeader::Read(b.data() + 22);
    EXPECT_EQ(h.biHeight, 64);
    EXPECT_EQ(h.biClrUsed, 16u);
    EXPECT_EQ(h.biSizeImage, 512u);
    const IconEntry& e = set.Entries[0];
    EXPECT_EQ(Bytes(b.begin() + 62, b.begin() + 126), Bytes(e.InfoHeader.begin() + 40, e.InfoHeader.end()));
    EXPECT_EQ(Bytes(b.begin() + 126, b.begin() + 638), e.XorBits);
    EXPECT_EQ(Bytes(b.begin() + 638, b.end()), Bytes(128, 0xFF));
    // The set keeps the written directory values; its header keeps the single height.
    EXPECT_EQ(e.ImageSize, 744u);
    EXPECT_EQ(e.ImageOffset, 22u);
    EXPECT_EQ(ReadI32LE(e.InfoHeader.data() + bih::kHeight), 32);
}

TEST(IcoWrite, ShortColourTableIsPaddedAndWritesTheSameTwice) {
    TIconCurEX set;
    set.AddSlot(-1);
    set.InitEntry(0, 1, 16, 16, 8);
    IconEntry& e = set.Entries[0];
    e.InfoHeader.resize(40 + 400);
    WriteU32LE(e.InfoHeader.data() + bih::kClrUsed, 100);
    const Bytes first = set.SaveToBytes();
    ASSERT_EQ(first.size(), 22u + 40 + 1024 + 256 + 64);
    EXPECT_EQ(ReadU32LE(first.data() + 22 + bih::kClrUsed), 256u);
    EXPECT_EQ(Bytes(first.begin() + 62, first.begin() + 462),
              Bytes(e.InfoHeader.begin() + 40, e.InfoHeader.end()));
    EXPECT_EQ(Bytes(first.begin() + 462, first.begin() + 1086), Bytes(624, 0));
    EXPECT_EQ(e.ImageSize, 40u + 1024 + 256 + 64);
    EXPECT_EQ(ReadU32LE(first.data() + 14), e.ImageSize);
    EXPECT_EQ(e.InfoHeader.size(), 440u);  // held table unchanged
    EXPECT_EQ(set.SaveToBytes(), first);
}

TEST(IcoWrite, TrueColourAndCursorDirectory) {
    TIconCurEX set;
    set.AddSlot(-1);
    set.InitEntry(0, 2, 48, 48, 24);
    set.Entries[0].HotSpotX = 5;
    set.Entries[0].HotSpotY = 7;
    const Bytes b = set.SaveToBytes();
    EXPECT_EQ(ReadU16LE(b.data() + 2), 2);
    EXPECT_EQ(b[8], 0);  // colour count
    EXPECT_EQ(ReadU16LE(b.data() + 10), 5);
    EXPECT_EQ(ReadU16LE(b.data() + 12), 7);
    EXPECT_EQ(ReadU32LE(b.data() + 22 + bih::kClrUsed), 0u);
    EXPECT_EQ(b.size(), 22u + 40 + 144 * 48 + 8 * 48);
}

TEST(IcoWrite, LongerHeldTableIsCutToTheDepthsTable) {
    // A true-colour header stating 5 colours: writing them under biClrUsed 0
    // would shift the rows when the file is read again.
    TIconCurEX set;
    set.AddSlot(-1);
    set.InitEntry(0, 1, 16, 16, 24);
    set.Entries[0].InfoHeader.resize(60, 0xAB);
    WriteU32LE(set.Entries[0].InfoHeader.data() + bih::kClrUsed, 5);
    const Bytes b = set.SaveToBytes();
    EXPECT_EQ(b.size(), 22u + 40 + 48 * 16 + 4 * 16);
    TIconCurEX again;
    ASSERT_TRUE(again.LoadFromBytes(b, "b.ico"));
    EXPECT_EQ(again.Entries[0].XorBits, set.Entries[0].XorBits);
}

TEST(IcoWrite, EmptySetWritesNothingAndEntryFileHasItsOwnType) {
    test::TempDir dir;
    TIconCurEX set;
    set.SaveToFile(dir.file("none.ico"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.ico")));

    set.AddSlot(-1);
    set.InitEntry(0, 1, 16, 16, 4);
    set.AddSlot(-1);
    set.InitEntry(1, 1, 32, 32, 1);
    set.Entries[1].HotSpotX = 2;
    set.SaveEntryToFile(dir.file("one.cur"), 1, 2);
    const Bytes b = test::ReadAll(dir.file("one.cur"));
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 6), (Bytes{0, 0, 2, 0, 1, 0}));
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[8], 2);
    EXPECT_EQ(ReadU16LE(b.data() + 10), 2);
    EXPECT_EQ(ReadU32LE(b.data() + 18), 22u);
    EXPECT_EQ(ReadU32LE(b.data() + 14), 40u + 8 + 128 + 128);
    EXPECT_EQ(b.size(), 22u + 40 + 8 + 128 + 128);
    EXPECT_EQ(set.ResourceType, 1);
    EXPECT_EQ(set.Entries[1].ImageOffset, 22u);
    EXPECT_THROW(set.SaveEntryToFile(dir.file("x.ico"), 2, 1), EVornikError);
    // An unwritable target raises the file error and leaves nothing behind.
    EXPECT_THROW(set.SaveToFile(dir.file("no/such/dir.ico")), EInOutError);
}

TEST(IcoRead, ReadsEveryDepthAndRoundTripsByteForByte) {
    const Bytes file = icoFile(1, {{32, 32, 4, 16},
                                   {16, 16, 1, 2},
                                   {48, 48, 8, 256},
                                   {20, 20, 24, 0},
                                   {32, 32, 32, 0},
                                   {17, 9, 16, 0}});
    test::TempDir dir;
    test::WriteAll(dir.file("a.ico"), file);
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("a.ico"))) << set.LoadError();
    EXPECT_EQ(set.Count, 6);
    EXPECT_EQ(set.ResourceType, 1);
    EXPECT_TRUE(set.LoadError().empty());
    const IconEntry& e = set.Entries[2];
    EXPECT_EQ(e.SourcePos, static_cast<std::int32_t>(e.ImageOffset));
    EXPECT_EQ(ReadI32LE(e.InfoHeader.data() + bih::kHeight), 48);
    EXPECT_EQ(e.InfoHeader.size(), 40u + 1024);
    EXPECT_EQ(e.XorSize, 48 * 48);
    EXPECT_EQ(e.AndSize, 8 * 48);
    EXPECT_EQ(set.Entries[5].XorSize, 36 * 9);
    set.SaveToFile(dir.file("b.ico"));
    EXPECT_EQ(test::ReadAll(dir.file("b.ico")), file);

    const Bytes cursor = icoFile(2, {{32, 32, 1, 2}});
    TIconCurEX cur;
    ASSERT_TRUE(cur.LoadFromBytes(cursor, "c.cur"));
    EXPECT_EQ(cur.ResourceType, 2);
    EXPECT_EQ(cur.Entries[0].HotSpotX, 3);
    EXPECT_EQ(cur.SaveToBytes(), cursor);
}

TEST(IcoRead, ZeroColourCountIsStatedInTheHeldHeader) {
    const Bytes file = icoFile(1, {{16, 16, 4, 0}, {16, 16, 8, 0}});
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromBytes(file, "z.ico"));
    EXPECT_EQ(ReadU32LE(set.Entries[0].InfoHeader.data() + bih::kClrUsed), 16u);
    EXPECT_EQ(ReadU32LE(set.Entries[1].InfoHeader.data() + bih::kClrUsed), 256u);
    EXPECT_EQ(set.Entries[1].InfoHeader.size(), 40u + 1024);
}

TEST(IcoRead, ImagesAreReadAtTheirRecordedOffsets) {
    // Second image stored first, with a gap of 10 bytes before each image.
    const Bytes a = imageBlock(16, 16, 4, 16, 1), b = imageBlock(32, 32, 8, 256, 2);
    Bytes file = {0, 0, 1, 0, 2, 0};
    file.resize(6 + 32);
    const std::size_t offB = file.size() + 10, offA = offB + b.size() + 10;
    file.resize(offB, 0xEE);
    AppendBytes(file, b.data(), b.size());
    file.resize(offA, 0xEE);
    AppendBytes(file, a.data(), a.size());
    IconEntry da, db;
    da.ImageOffset = static_cast<std::uint32_t>(offA);
    da.ImageSize = static_cast<std::uint32_t>(a.size());
    db.ImageOffset = static_cast<std::uint32_t>(offB);
    db.ImageSize = static_cast<std::uint32_t>(b.size());
    da.WriteDirectory(file.data() + 6);
    db.WriteDirectory(file.data() + 22);

    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromBytes(file, "gaps.ico")) << set.LoadError();
    EXPECT_EQ(set.Entries[0].SourcePos, static_cast<std::int32_t>(offA));
    EXPECT_EQ(set.Entries[1].SourcePos, static_cast<std::int32_t>(offB));
    EXPECT_EQ(Bytes(set.Entries[0].XorBits.begin(), set.Entries[0].XorBits.end()),
              Bytes(a.begin() + 40 + 64, a.begin() + 40 + 64 + 128));
    EXPECT_EQ(set.Entries[1].XorSize, 32 * 32);

    // An offset inside the directory or past the end falls back to the next
    // position: right after the directory, then right after the previous image.
    Bytes seq = icoFile(1, {{16, 16, 4, 16}, {16, 16, 1, 2}});
    WriteU32LE(seq.data() + 6 + 12, 3);
    WriteU32LE(seq.data() + 22 + 12, 0xFFFFFFF0u);
    TIconCurEX fallback;
    ASSERT_TRUE(fallback.LoadFromBytes(seq, "seq.ico")) << fallback.LoadError();
    EXPECT_EQ(fallback.Entries[0].SourcePos, 38);
    EXPECT_EQ(fallback.Entries[1].SourcePos, 38 + 40 + 64 + 128 + 64);
}

TEST(IcoRead, RefusesFilesThatAreNotIconsOrCursors) {
    expectRefused({0, 0, 3, 0, 1, 0}, "not an icon or cursor file (reserved 0, type 3)");
    expectRefused({1, 0, 1, 0, 1, 0}, "not an icon or cursor file (reserved 1, type 1)");
    expectRefused({0, 0, 1, 0, 0, 0}, "the file holds no images");
    expectRefused({0, 0, 1}, "the file is too short for an icon or cursor header");
    expectRefused({'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'A', 'C', 'O', 'N'},
                  "not an icon or cursor file (reserved 18770, type 17990)");
    expectRefused({0, 0, 1, 0, 0xE9, 0x03}, "the directory declares 1001 images, more than 1000");
    Bytes shortDirectory = icoFile(1, {{16, 16, 4, 16}});
    WriteU16LE(shortDirectory.data() + 4, 1000);
    expectRefused(shortDirectory, "the directory runs past the end of the file");

    TIconCurEX set;
    test::TempDir dir;
    EXPECT_FALSE(set.LoadFromFile(dir.file("missing.ico")));
    EXPECT_EQ(set.LoadError(), "\"" + dir.file("missing.ico") + "\": the file does not exist");
}

TEST(IcoRead, RefusesHostileImageHeaders) {
    const Bytes good = icoFile(1, {{16, 16, 4, 16}, {32, 32, 4, 16}});
    const std::size_t second = 6 + 32 + 40 + 64 + 128 + 64;
    auto with = [&](int field, std::uint32_t value, std::size_t at) {
        Bytes b = good;
        WriteU32LE(b.data() + at + static_cast<std::size_t>(field), value);
        return b;
    };
    auto withBits = [&](std::uint16_t bits) {
        Bytes b = good;
        WriteU16LE(b.data() + second + bih::kBitCount, bits);
        return b;
    };
    expectRefused(with(0, 12, second), "entry 1: image header size 12 is not 40");
    expectRefused(with(0, 64, second), "entry 1: image header size 64 is not 40");
    expectRefused(withBits(7), "entry 1: unsupported bit count 7");
    expectRefused(withBits(0), "entry 1: unsupported bit count 0");
    expectRefused(withBits(64), "entry 1: unsupported bit count 64");
    expectRefused(with(bih::kWidth, 0, second), "entry 1: image width 0 is not positive");
    expectRefused(with(bih::kWidth, 0x80000000u, second), "entry 1: image width -2147483648 is not positive");
    expectRefused(with(bih::kHeight, 1, second), "entry 1: image height 1 is not positive");
    expectRefused(with(bih::kHeight, static_cast<std::uint32_t>(-64), second),
                  "entry 1: image height -64 is not positive");
    expectRefused(with(bih::kClrUsed, 257, second), "entry 1: colour table of 257 entries is too large");
    expectRefused(with(bih::kClrUsed, 0xFFFFFFFFu, 38),
                  "entry 0: colour table of 4294967295 entries is too large");
    expectRefused(with(bih::kCompression, 2, 38),
                  "entry 0: compressed image (compression 2) is not supported");
    // Sizes that multiply past what the file holds, up to overflow of 64 bits.
    expectRefused(with(bih::kWidth, 0x7FFFFFFF, second), "entry 1: image data runs past the end of the file");
    expectRefused(with(bih::kHeight, 0x7FFFFFFE, second),
                  "entry 1: image data runs past the end of the file");
    Bytes huge = with(bih::kWidth, 0x7FFFFFFF, second);
    WriteU32LE(huge.data() + second + bih::kHeight, 0x7FFFFFFE);
    WriteU16LE(huge.data() + second + bih::kBitCount, 32);
    expectRefused(huge, "entry 1: image data runs past the end of the file");
    // Cut inside each block of the last image.
    expectRefused(Bytes(good.begin(), good.begin() + static_cast<long>(second) + 20),
                  "entry 1: image header runs past the end of the file");
    expectRefused(Bytes(good.begin(), good.begin() + static_cast<long>(second) + 50),
                  "entry 1: colour table runs past the end of the file");
    expectRefused(Bytes(good.begin(), good.begin() + static_cast<long>(second) + 200),
                  "entry 1: image data runs past the end of the file");
    expectRefused(Bytes(good.begin(), good.end() - 1), "entry 1: mask data runs past the end of the file");
}

TEST(IcoRead, PngImageRefusedBeforeItsBytesAreSized) {
    Bytes file = icoFile(1, {{16, 16, 4, 16}, {16, 16, 4, 16}});
    const std::size_t second = 6 + 32 + 40 + 64 + 128 + 64;
    const std::uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::copy(png, png + 8, file.begin() + static_cast<long>(second));
    // The signature alone is no PNG stream: libpng's refusal, nothing sized from the bytes after it.
    expectRefused(file, "entry 1: PNG image: PNG data ends early");
    EXPECT_TRUE(IsPngImage(file.data(), file.size(), second));
    EXPECT_FALSE(IsPngImage(file.data(), file.size(), 38));
    EXPECT_FALSE(IsPngImage(file.data(), second + 3, second));
    EXPECT_FALSE(IsPngImage(file.data(), file.size(), file.size() + 5));
    // Just the signature at the very end of a file: still recognised, no reads past it.
    Bytes tail = {0, 0, 1, 0, 1, 0};
    tail.resize(22);
    WriteU32LE(tail.data() + 18, 22);
    AppendBytes(tail, png, 4);
    expectRefused(tail, "entry 0: PNG image: PNG data ends early");
}

TEST(IconImageReader, ReportsWhereTheNextImageStarts) {
    const Bytes block = imageBlock(8, 8, 4, 16, 3);
    Bytes data(5, 0);
    AppendBytes(data, block.data(), block.size());
    data.push_back(0);
    IconEntry e;
    e.Width = 77;
    std::size_t next = 0;
    EXPECT_EQ(ReadIconImage(data.data(), data.size(), 5, e, &next), "");
    EXPECT_EQ(next, 5 + block.size());
    EXPECT_EQ(e.SourcePos, 5);
    EXPECT_EQ(e.Width, 77);  // directory untouched
    EXPECT_EQ(e.XorSize, 32);
    EXPECT_EQ(e.AndSize, 32);
    EXPECT_EQ(ReadIconImage(data.data(), data.size(), data.size() + 1, e, &next),
              "image header runs past the end of the file");
    EXPECT_TRUE(e.InfoHeader.empty());
    EXPECT_TRUE(e.XorBits.empty());
}

TEST(IcoRead, EntriesSharingOneImageAreRefused) {
    // Two entries naming the same bytes would hold twice what the file has.
    Bytes file = icoFile(1, {{16, 16, 4, 16}, {16, 16, 4, 16}});
    file.resize(file.size() - 296);
    WriteU32LE(file.data() + 22 + 12, 38);
    expectRefused(file, "entry 1: images overlap, together they are larger than the file");
}

TEST(IcoWrite, IncompleteEntriesAndImpossibleSizesThrow) {
    TIconCurEX set;
    set.AddSlot(-1);  // a slot never filled
    EXPECT_THROW(set.SaveToBytes(), EVornikError);
    set.InitEntry(0, 1, 16, 16, 4);
    set.Entries[0].XorBits.resize(10);
    EXPECT_THROW(set.SaveToBytes(), EVornikError);
    EXPECT_THROW(set.InitEntry(0, 1, 0, 16, 4), EVornikError);
    EXPECT_THROW(set.InitEntry(0, 1, 0x7FFFFFFF, 0x7FFFFFFF, 32), EVornikError);
    EXPECT_THROW(set.InitEntry(1000, 1, 16, 16, 4), EVornikError);
}

TEST(IcoRead, LaterHeaderVersionsKeepTheirFirstFortyBytes) {
    // A one-image 8 x 8 4-bit icon whose header is a 124-byte V5 header.
    Bytes file = icoFile(1, {{8, 8, 4, 16}});
    const Bytes plain = file;
    file.insert(file.begin() + 22 + 40, 84, 0xAB);
    WriteU32LE(file.data() + 22, 124);
    WriteU32LE(file.data() + 14, static_cast<std::uint32_t>(file.size() - 22));
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromBytes(file, "v5.ico")) << set.LoadError();
    const IconEntry& e = set.Entries[0];
    ASSERT_EQ(e.InfoHeader.size(), 40u + 64u);
    EXPECT_EQ(ReadU32LE(e.InfoHeader.data()), 40u);
    // Colour table and rows are those after the long header.
    EXPECT_TRUE(std::equal(e.InfoHeader.begin() + 40, e.InfoHeader.end(), plain.begin() + 22 + 40));
    EXPECT_TRUE(std::equal(e.AndBits.begin(), e.AndBits.end(), plain.end() - e.AndSize));
    // A long header cut by the end of the file is refused.
    expectRefused(Bytes(file.begin(), file.begin() + 22 + 100), "entry 0: image header runs past the end of the file");
}

TEST(IcoRead, ShortMaskOfA32BitImageIsMadeFromAlpha) {
    Bytes file = icoFile(1, {{8, 2, 32, 0}});
    const std::size_t xorAt = 22 + 40;
    // Alpha 0 at (x=1, bottom row) and (x=6, top row); everything else opaque.
    for (int i = 0; i < 16; ++i) file[xorAt + 4 * i + 3] = 0xFF;
    file[xorAt + 4 * 1 + 3] = 0;
    file[xorAt + 32 + 4 * 6 + 3] = 0;
    file.resize(xorAt + 64 + 3);  // the mask's rows are 4 bytes each: 3 of 8 left
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromBytes(file, "short.ico")) << set.LoadError();
    const IconEntry& e = set.Entries[0];
    ASSERT_EQ(e.AndSize, 8);
    EXPECT_EQ(e.AndBits, (Bytes{0x40, 0, 0, 0, 0x02, 0, 0, 0}));
    // Without any mask at all the same holds; other bit counts are refused.
    file.resize(xorAt + 64);
    ASSERT_TRUE(set.LoadFromBytes(file, "nomask.ico")) << set.LoadError();
    EXPECT_EQ(set.Entries[0].AndBits, (Bytes{0x40, 0, 0, 0, 0x02, 0, 0, 0}));
    Bytes four = icoFile(1, {{8, 8, 4, 16}});
    expectRefused(Bytes(four.begin(), four.end() - 4), "entry 0: mask data runs past the end of the file");
}
