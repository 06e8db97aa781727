// BMP streams and the clipboard block: header forms, 16/32-bit input, RLE kept
// compressed, the written layout, and refusal of data that does not add up.
#include <gtest/gtest.h>

#include "DibTestBuilders.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

using test::BmpSpec;
using test::IndexOf;
using test::LoadError;
using test::MakeBmp;
using test::MakePackedDib;
using test::PixelOf24;

std::string ClipboardError(const Bytes& block, std::uint32_t format = CF_DIB) {
    TQvDIB dib;
    try {
        dib.LoadFromClipboardFormat(format, &block, nullptr);
    } catch (const EVornikError& e) {
        return e.what();
    }
    return "";
}

BmpSpec Rgb16(std::uint16_t pixel) {
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    s.bitCount = 16;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) AppendU16LE(s.pixels, pixel);
        AppendU16LE(s.pixels, 0);  // row padding to 8 bytes
    }
    return s;
}

TEST(DibStream, SixteenBitInputBecomesTwentyFourBits) {
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(Rgb16(0x7FFF)));
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(dib.Header().biSizeImage, 0u);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.Height(), 2);
    EXPECT_EQ(dib.Stride(), 12);
    EXPECT_EQ(dib.DataSize(), 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelOf24(dib, x, y), MakeRgbQuad(248, 248, 248));

    // 5-6-5 through bit fields: red 0xF800 shifts right by 8, green 0x07E0 by 3,
    // blue 0x001F left by 3.
    BmpSpec s = Rgb16(0xF81F | (0x15 << 5));
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    dib.LoadFromBytes(MakeBmp(s));
    EXPECT_EQ(PixelOf24(dib, 2, 1), MakeRgbQuad(248, 0x15 << 2, 248));
}

TEST(DibStream, ThirtyTwoBitBitFieldsLoadWithAnEmptyTable) {
    BmpSpec s;
    s.width = 2;
    s.height = -1;
    s.bitCount = 32;
    s.compression = 3;
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    AppendU32LE(s.pixels, 0xAA102030);
    AppendU32LE(s.pixels, 0x00FFFEFD);
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(s));
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.ColorCount(), 0);
    EXPECT_EQ(dib.GetPalette(), nullptr);
    EXPECT_TRUE(dib.IsTopDown());
    EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(0x10, 0x20, 0x30));
    EXPECT_EQ(PixelOf24(dib, 1, 0), MakeRgbQuad(0xFF, 0xFE, 0xFD));

    s.masks = {0x00FF0000, 0, 0x000000FF};
    EXPECT_EQ(LoadError(MakeBmp(s)), "TQvInternalDIB.LoadFromStream: Invalid Masks");
}

TEST(DibStream, HeaderFormsAndTheirMessages) {
    BmpSpec s;
    s.pixels = {1, 2, 3, 0};
    Bytes bmp = MakeBmp(s);
    EXPECT_EQ(LoadError(bmp), "");
    bmp[1] = 'A';
    EXPECT_EQ(LoadError(bmp), "TQvInternalDIB.LoadFromFile: File type is invalid");

    s.headerSize = 100;
    EXPECT_EQ(LoadError(MakeBmp(s)), "TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
    s.headerSize = 40;
    s.bitCount = 3;
    EXPECT_EQ(LoadError(MakeBmp(s)), "TQvInternalDIB.LoadFromStream: Invalid BitCout");
    s.bitCount = 15;
    EXPECT_EQ(LoadError(MakeBmp(s)), "TQvInternalDIB.LoadFromStream: Invalid biBitCount");

    // The old 12-byte header with three-byte table entries is widened.
    BmpSpec core;
    core.headerSize = 12;
    core.width = 3;
    core.height = 1;
    core.bitCount = 1;
    core.table = {MakeRgbQuad(1, 2, 3), MakeRgbQuad(250, 251, 252)};
    core.pixels = {0xA0, 0, 0, 0};
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(core));
    EXPECT_EQ(dib.Header().biSize, 40u);
    EXPECT_EQ(dib.ColorCount(), 2);
    EXPECT_EQ(dib.GetColor(1), MakeRgbQuad(250, 251, 252));
    EXPECT_EQ(dib.ColorTable()[1].rgbReserved, 0);
    dib.ConvertToTrueColor();
    EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(250, 251, 252));
    EXPECT_EQ(PixelOf24(dib, 1, 0), MakeRgbQuad(1, 2, 3));
    EXPECT_EQ(PixelOf24(dib, 2, 0), MakeRgbQuad(250, 251, 252));
    // The table stays with the converted image and is written out.
    EXPECT_EQ(dib.ColorCount(), 2);
}

TEST(DibStream, SaveWritesTheBmpLayout) {
    TQvDIB dib;
    dib.CreateDIB(3, 2, 3, 8);
    dib.SetColor(2, MakeRgbQuad(9, 8, 7));
    dib.MutableScanLine(1)[2] = 2;
    const Bytes out = dib.SaveToBytes();
    ASSERT_EQ(out.size(), 54u + 12 + 8);
    EXPECT_EQ(out[0], 'B');
    EXPECT_EQ(out[1], 'M');
    EXPECT_EQ(ReadU32LE(out.data() + 2), 74u);
    EXPECT_EQ(ReadU32LE(out.data() + 6), 0u);
    EXPECT_EQ(ReadU32LE(out.data() + 10), 66u);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(out.data() + 14);
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 3);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biClrUsed, 3u);
    EXPECT_EQ(out[54 + 8], 7);  // blue of entry 2
    EXPECT_EQ(out[54 + 10], 9);
    EXPECT_EQ(out[66 + 4 + 2], 2);

    // Streams append and reading leaves the position after the picture.
    ByteWriteStream stream;
    stream.WriteU32(0xDEADBEEF);
    dib.SaveToStream(stream);
    stream.WriteU16(0x1234);
    const Bytes all = stream.Take();
    ByteReadStream in(all);
    in.ReadU32();
    TQvDIB back;
    back.LoadFromStream(in);
    EXPECT_EQ(in.Position(), 4u + 74u);
    EXPECT_EQ(in.ReadU16(), 0x1234);
    EXPECT_EQ(back.SaveToBytes(), out);
}

// An indexed picture made with no colours is written with its full table
// (a count of 0 means that to every reader), so its pixels read back as
// pixels: a 1-bit mask made this way used to lose 8 bytes of rows.
TEST(DibStream, IndexedPictureWithoutColoursReadsBackWhole) {
    TQvDIB dib;
    dib.CreateDIB(16, 2, 0, 1);
    dib.MutableScanLine(0)[1] = 0x5A;
    dib.MutableScanLine(1)[0] = 0xC3;
    const Bytes out = dib.SaveToBytes();
    EXPECT_EQ(ReadU32LE(out.data() + 10), 54u + 8);
    TQvDIB back;
    back.LoadFromBytes(out);
    ASSERT_EQ(back.Width(), 16);
    EXPECT_EQ(back.ScanLine(0)[1], 0x5A);
    EXPECT_EQ(back.ScanLine(1)[0], 0xC3);

    const TQvClipboardData block = dib.SaveToClipboardFormat();
    EXPECT_EQ(block.data.size(), 40u + 8 + 8);
}

TEST(DibStream, RleDataStaysCompressedUntilConverted) {
    BmpSpec s;
    s.width = 4;
    s.height = 2;
    s.bitCount = 8;
    s.compression = 1;
    s.clrUsed = 2;
    s.table = {MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 0, 0)};
    s.pixels = {4, 1, 0, 0, 2, 0, 2, 1, 0, 1};
    const Bytes bmp = MakeBmp(s);
    TQvDIB dib;
    dib.LoadFromBytes(bmp);
    EXPECT_EQ(dib.Compression(), 1u);
    EXPECT_EQ(dib.DataSize(), 10);
    EXPECT_THROW(dib.ScanLine(0), EQvDIBInvalidDIB);  // no rows until decoded
    EXPECT_EQ(dib.SaveToBytes(), bmp);
    dib.ConvertToTrueColor();
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(PixelOf24(dib, 3, 0), MakeRgbQuad(255, 0, 0));
    EXPECT_EQ(PixelOf24(dib, 1, 1), MakeRgbQuad(0, 0, 0));
    EXPECT_EQ(PixelOf24(dib, 2, 1), MakeRgbQuad(255, 0, 0));
}

TEST(DibStream, DataThatDoesNotAddUpIsRefusedBeforeAllocating) {
    BmpSpec s;
    s.width = 4;
    s.height = 4;
    s.bitCount = 8;
    s.table.assign(256, RgbQuad{});
    s.pixels.assign(16, 1);
    EXPECT_EQ(LoadError(MakeBmp(s)), "");

    // The file-size field is only a hint: too small (even 0 or smaller than
    // the headers) or larger than the stream, the rows present are read.
    for (std::uint32_t fileSize : {1u, 26u, 54u + 1024, 54u + 1024 + 15, 54u + 1024 + 17, 0xFFFFFFFFu}) {
        s.fileSize = fileSize;
        TQvDIB dib;
        dib.LoadFromBytes(MakeBmp(s));
        EXPECT_EQ(dib.DataSize(), 16) << fileSize;
        EXPECT_EQ(IndexOf(dib, 3, 3), 1);
    }
    // Fewer pixel bytes than the rows need.
    s.fileSize = 0;
    s.pixels.resize(15);
    EXPECT_EQ(LoadError(MakeBmp(s)), "TQvInternalDIB.LoadFromStream: Pixel Data Too Short");
    s.pixels.clear();
    EXPECT_EQ(LoadError(MakeBmp(s)), "GetFileMap: Cannot Make File Mapping Object");

    // A table of more than 256 colours.
    s.pixels.assign(16, 1);
    s.clrUsed = 257;
    s.table.assign(257, RgbQuad{});
    EXPECT_EQ(LoadError(MakeBmp(s)), "TQvInternalDIB.LoadFromStream: Too Many Colors In Colour Table");
    s.clrUsed = 0;
    s.table.assign(256, RgbQuad{});

    // Sizes that cannot be images at all.
    BmpSpec big = s;
    big.width = 0;
    EXPECT_EQ(LoadError(MakeBmp(big)), "TQvInternalDIB.LoadFromStream: Invalid Image Size");
    big.width = 100000;
    big.height = 100000;
    EXPECT_EQ(LoadError(MakeBmp(big)), "TQvInternalDIB.LoadFromStream: Image Too Large");
    // 16-bit rows are checked against the stream before the 24-bit rows exist.
    big.width = 8000;
    big.height = 8000;
    big.bitCount = 16;
    big.table.clear();
    EXPECT_EQ(LoadError(MakeBmp(big)), "Stream read error");

    // A few bytes of RLE cannot describe a picture of millions of pixels.
    BmpSpec rle;
    rle.width = 5000;
    rle.height = 5000;
    rle.bitCount = 8;
    rle.compression = 1;
    rle.table.assign(256, RgbQuad{});
    rle.pixels = {0, 1};
    EXPECT_EQ(LoadError(MakeBmp(rle)), "TQvInternalDIB.LoadFromStream: Image Too Large For Its RLE Data");
    rle.width = 200;
    rle.height = 200;
    EXPECT_EQ(LoadError(MakeBmp(rle)), "");

    // Compression that does not belong to the bit count; RLE rows cannot be top-down.
    BmpSpec odd = s;
    odd.compression = 2;
    EXPECT_EQ(LoadError(MakeBmp(odd)), "TQvInternalDIB.LoadFromStream: Invalid Compression");
    rle.height = -200;
    EXPECT_EQ(LoadError(MakeBmp(rle)), "TQvInternalDIB.LoadFromStream: Compressed Top-Down Bitmap");
}

TEST(DibStream, ReadStreamRefusesShortReadsWithoutMoving) {
    const Bytes bytes = {1, 2, 3};
    ByteReadStream in(bytes);
    EXPECT_EQ(in.ReadU16(), 0x0201);
    EXPECT_THROW(in.ReadU16(), EReadError);
    EXPECT_EQ(in.Position(), 2u);
    std::uint8_t b = 0;
    in.ReadBuffer(&b, 1);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(in.Remaining(), 0u);
    in.Seek(99);
    EXPECT_EQ(in.Position(), 3u);
}

TEST(DibStream, FailedLoadKeepsThePicture) {
    TQvDIB dib;
    dib.CreateDIB(7, 5, 0, 24);
    TQvDIB shared = dib;
    Bytes bad = MakeBmp(Rgb16(1));
    bad.resize(bad.size() - 1);
    EXPECT_THROW(dib.LoadFromBytes(bad), EReadError);
    EXPECT_EQ(dib.Width(), 7);
    EXPECT_TRUE(dib.SharesStorageWith(shared));
}

TEST(DibStream, DataOffsetBeyondTheTableSkipsTheGap) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 24;
    s.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
    s.dataOffset = 54 + 20;
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(s));
    EXPECT_EQ(PixelOf24(dib, 1, 0), MakeRgbQuad(6, 5, 4));
    EXPECT_EQ(dib.DataSize(), 8);
    // An offset pointing back into the headers is not followed.
    BmpSpec plain;
    plain.width = 2;
    plain.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
    Bytes bmp = MakeBmp(plain);
    WriteU32LE(bmp.data() + 10, 20);
    dib.LoadFromBytes(bmp);
    EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(3, 2, 1));
}

TEST(DibClipboard, BlockRoundTripAndMessages) {
    TQvDIB dib;
    dib.CreateDIB(2, 2, 2, 1);
    dib.SetColor(1, MakeRgbQuad(255, 255, 255));
    dib.MutableScanLine(0)[0] = 0x80;
    const TQvClipboardData out = dib.SaveToClipboardFormat();
    EXPECT_EQ(out.format, CF_DIB);
    EXPECT_FALSE(out.palette.has_value());
    ASSERT_EQ(out.data.size(), 40u + 8 + 8);
    EXPECT_EQ(ReadU32LE(out.data.data()), 40u);
    EXPECT_EQ(out.data[48], 0x80);

    TQvDIB back;
    back.LoadFromClipboardFormat(CF_DIB, &out.data, nullptr);
    EXPECT_EQ(back.SaveToBytes(), dib.SaveToBytes());

    EXPECT_EQ(ClipboardError(out.data, CF_BITMAP),
              "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
    EXPECT_THROW(back.LoadFromClipboardFormat(CF_DIB, nullptr, nullptr), EQvDIBInvalidDIB);
    Bytes bad = out.data;
    WriteU32LE(bad.data(), 20);
    EXPECT_EQ(ClipboardError(bad), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
    bad = out.data;
    WriteU32LE(bad.data() + 32, 300);
    EXPECT_EQ(ClipboardError(bad), "TQvDIB.LoadFromClipboardFormat: Too Many Colors In Colour Table");
    bad = out.data;
    bad.resize(50);  // rows missing
    EXPECT_EQ(ClipboardError(bad), "TQvInternalDIB.LoadFromStream: Pixel Data Too Short");
    EXPECT_EQ(ClipboardError(Bytes{40, 0}), "TQvDIB.LoadFromClipboardFormat: Invalid Clipboard Data");
}

TEST(DibClipboard, CoreAndSixteenBitBlocks) {
    BmpSpec core;
    core.headerSize = 12;
    core.width = 1;
    core.height = 1;
    core.bitCount = 4;
    core.table.assign(16, MakeRgbQuad(0, 0, 0));
    core.table[5] = MakeRgbQuad(50, 60, 70);
    core.pixels = {0x50, 0, 0, 0};
    TQvDIB dib;
    const Bytes block = MakePackedDib(core);
    dib.LoadFromClipboardFormat(CF_DIB, &block, nullptr);
    EXPECT_EQ(dib.ColorCount(), 16);
    dib.ConvertToTrueColor();
    EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(50, 60, 70));

    BmpSpec s = Rgb16(0x7FFF);
    s.compression = 3;
    s.masks = {0x7C00, 0x03E0, 0x001F};
    const Bytes packed = MakePackedDib(s);
    dib.LoadFromClipboardFormat(CF_DIB, &packed, nullptr);
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(PixelOf24(dib, 2, 1), MakeRgbQuad(248, 248, 248));
    s.masks = {0, 0x03E0, 0x001F};
    EXPECT_EQ(ClipboardError(MakePackedDib(s)), "TQvInternalDIB.LoadFromStream: Invalid Masks");
}

TEST(DibClipboard, AssignFromTheClipboardOpensAndClosesIt) {
    TQvDIB source;
    source.CreateDIB(3, 3, 0, 24);
    TQvMemoryClipboard clipboard;
    clipboard.SetData(source.SaveToClipboardFormat());
    TQvDIB dib;
    dib.Assign(clipboard);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(clipboard.Opens(), 1);
    EXPECT_EQ(clipboard.Closes(), 1);

    // Bad data: refused, the clipboard closed again, the picture kept.
    TQvClipboardData broken = source.SaveToClipboardFormat();
    broken.data.resize(30);
    clipboard.SetData(broken);
    EXPECT_THROW(dib.Assign(clipboard), EQvDIBInvalidDIB);
    EXPECT_EQ(clipboard.Closes(), 2);
    EXPECT_EQ(dib.Width(), 3);

    // Nothing of our format on it: nothing happens.
    clipboard.SetData(TQvClipboardData{CF_BITMAP, {1, 2, 3}, std::nullopt});
    dib.Assign(clipboard);
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(clipboard.Opens(), clipboard.Closes());
}

}  // namespace
}  // namespace vornik
