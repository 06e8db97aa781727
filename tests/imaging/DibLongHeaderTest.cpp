// Headers other than the 40- and 12-byte ones: the longer Windows forms with
// masks inside the header, the OS/2 2.x forms, and 2-bit pictures, all built
// byte by byte so that the layout under test is the one in the file.
#include <gtest/gtest.h>

#include "DibTestBuilders.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

using test::BmpSpec;
using test::IndexOf;
using test::LoadError;
using test::MakeBmp;
using test::PixelOf24;

// A bitmap with a long (V5) header unless a test says otherwise.
BmpSpec LongBmp() {
    BmpSpec b;
    b.headerSize = 124;
    b.width = 2;
    return b;
}

TEST(DibLongHeader, MasksInsideTheLongHeader) {
    // 5-6-5 pixels: the masks sit at header offset 40; a reader that took
    // them from after the header would read the pixels as masks.
    for (std::uint32_t size : {52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(size);
        BmpSpec b = LongBmp();
        b.headerSize = size;
        b.bitCount = 16;
        b.compression = 3;
        b.masks = {0xF800, 0x07E0, 0x001F, 0};
        AppendU16LE(b.pixels, 0xF800);
        AppendU16LE(b.pixels, 0x07E0);
        TQvDIB dib;
        dib.LoadFromBytes(MakeBmp(b));
        EXPECT_EQ(dib.GetBitCount(), 24);
        EXPECT_EQ(dib.Header().biSize, 40u);
        EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(248, 0, 0));
        EXPECT_EQ(PixelOf24(dib, 1, 0), MakeRgbQuad(0, 252, 0));
        // Written back with the 40-byte header it is held in.
        const Bytes saved = dib.SaveToBytes();
        EXPECT_EQ(ReadU32LE(saved.data() + 14), 40u);
        TQvDIB again;
        again.LoadFromBytes(saved);
        EXPECT_EQ(PixelOf24(again, 1, 0), MakeRgbQuad(0, 252, 0));
    }
    // A zero mask inside the header is refused as one after it would be.
    BmpSpec b = LongBmp();
    b.bitCount = 32;
    b.compression = 3;
    b.masks = {0xFF0000, 0, 0xFF};
    b.pixels.assign(8, 0);
    EXPECT_EQ(LoadError(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Masks");
}

TEST(DibLongHeader, ColourTableFollowsTheLongHeader) {
    for (std::uint32_t size : {64u, 108u, 124u}) {
        SCOPED_TRACE(size);
        BmpSpec b = LongBmp();
        b.headerSize = size;
        b.width = 3;
        b.bitCount = 8;
        b.clrUsed = 3;
        b.table = {MakeRgbQuad(1, 2, 3), MakeRgbQuad(10, 20, 30), MakeRgbQuad(200, 100, 50)};
        b.pixels = {2, 0, 1, 0};
        TQvDIB dib;
        dib.LoadFromBytes(MakeBmp(b));
        EXPECT_EQ(dib.ColorCount(), 3);
        EXPECT_EQ(dib.Header().biSize, 40u);
        EXPECT_EQ(IndexOf(dib, 0, 0), 2);
        dib.ConvertToTrueColor();
        EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(200, 100, 50));
        EXPECT_EQ(PixelOf24(dib, 2, 0), MakeRgbQuad(10, 20, 30));
    }
    // The 16-byte OS/2 header holds only size, planes and bit count: the
    // table (four-byte entries, 256 of them for 8 bits) follows at once.
    BmpSpec os2 = LongBmp();
    os2.headerSize = 16;
    os2.width = 2;
    os2.bitCount = 8;
    os2.table.assign(256, RgbQuad{});
    os2.table[7] = MakeRgbQuad(9, 8, 7);
    os2.pixels = {7, 0, 0, 0};
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(os2));
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(dib.GetColor(7), MakeRgbQuad(9, 8, 7));
    EXPECT_EQ(IndexOf(dib, 0, 0), 7);
    // Header sizes no writer uses stay refused, and a header cut short fails.
    BmpSpec odd = os2;
    odd.headerSize = 100;
    EXPECT_EQ(LoadError(MakeBmp(odd)), "TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    Bytes cut = MakeBmp(os2);
    cut.resize(14 + 60);
    WriteU32LE(cut.data() + 14, 124);
    EXPECT_EQ(LoadError(cut), "Stream read error");
}

TEST(DibLongHeader, Os2CompressionsAndRle24) {
    BmpSpec b = LongBmp();
    b.headerSize = 64;
    b.width = 3;
    b.height = 2;
    b.bitCount = 1;
    b.compression = 3;  // Huffman 1D in OS/2 files
    b.table = {MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 255, 255)};
    b.pixels.assign(8, 0);
    EXPECT_EQ(LoadError(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Unsupported OS/2 Compression");
    b.compression = 4;  // RLE24 with a palette picture
    EXPECT_EQ(LoadError(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Unsupported OS/2 Compression");

    // RLE24: an absolute run of three (nine bytes, padded to ten), end of
    // line, delta right by 1, a run of two, end of bitmap.
    BmpSpec r = LongBmp();
    r.headerSize = 64;
    r.width = 3;
    r.height = 2;
    r.bitCount = 24;
    r.compression = 4;
    r.pixels = {0, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 0, 2, 1, 0, 2, 0xA, 0xB, 0xC, 0, 1};
    r.fileSize = 78;  // as wrong as OS/2 writers leave it: no room for pixels
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(r));
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(3, 2, 1));
    EXPECT_EQ(PixelOf24(dib, 2, 0), MakeRgbQuad(9, 8, 7));
    EXPECT_EQ(PixelOf24(dib, 0, 1), MakeRgbQuad(0, 0, 0));
    EXPECT_EQ(PixelOf24(dib, 1, 1), MakeRgbQuad(0xC, 0xB, 0xA));
    EXPECT_EQ(PixelOf24(dib, 2, 1), MakeRgbQuad(0xC, 0xB, 0xA));
    // A run past the row end is refused.
    r.pixels = {4, 1, 2, 3, 0, 1};
    EXPECT_EQ(LoadError(MakeBmp(r)), "TQvInternalDIB.LoadFromStream: Bad RLE24 Data");
}

TEST(DibLongHeader, TwoBitPicturesBecomeFourBit) {
    BmpSpec b = LongBmp();
    b.headerSize = 40;
    b.width = 5;
    b.bitCount = 2;
    b.table = {MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 0, 0), MakeRgbQuad(0, 255, 0), MakeRgbQuad(0, 0, 255)};
    b.pixels = {0x1B, 0xC0, 0, 0};  // 0 1 2 3 | 3
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(b));
    EXPECT_EQ(dib.GetBitCount(), 4);
    EXPECT_EQ(dib.ColorCount(), 4);
    EXPECT_EQ(dib.Stride(), 4);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexOf(dib, x, 0), x < 4 ? x : 3) << x;
    dib.ConvertToTrueColor();
    EXPECT_EQ(PixelOf24(dib, 2, 0), MakeRgbQuad(0, 255, 0));
    // Rows shorter than the 2-bit stride, and compressed 2-bit data, are refused.
    b.pixels.resize(3);
    EXPECT_EQ(LoadError(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Pixel Data Too Short");
    b.pixels.resize(4);
    b.compression = 1;
    EXPECT_EQ(LoadError(MakeBmp(b)), "TQvInternalDIB.LoadFromStream: Invalid Compression");
}

}  // namespace
}  // namespace vornik
