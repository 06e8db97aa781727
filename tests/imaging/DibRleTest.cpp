// RLE8 and RLE4 decoding in both conversions: runs, absolute runs, deltas,
// end codes, every check with its message, and data that ends early.
#include <gtest/gtest.h>

#include "DibTestBuilders.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

using test::BmpSpec;
using test::IndexOf;
using test::MakeBmp;
using test::PixelOf24;

TQvDIB LoadRle(int bits, int width, int height, const Bytes& data) {
    BmpSpec s;
    s.width = width;
    s.height = height;
    s.bitCount = static_cast<std::uint16_t>(bits);
    s.compression = bits == 8 ? 1 : 2;
    const int colours = bits == 8 ? 256 : 16;
    for (int i = 0; i < colours; ++i)
        s.table.push_back(MakeRgbQuad(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7));
    s.pixels = data;
    TQvDIB dib;
    dib.LoadFromBytes(MakeBmp(s));
    return dib;
}

std::vector<int> Indices(const TQvDIB& dib) {
    std::vector<int> out;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) out.push_back(IndexOf(dib, x, y));
    return out;
}

TEST(DibRle, Rle8RunsAbsoluteRunsAndDeltas) {
    // Row 0: run of 2 x 5, absolute 3 bytes (7 8 9) padded to 4, end of line.
    // Row 1: delta (1, 1) to row 2 column 1, run of 1 x 4, end of bitmap.
    const Bytes data = {2, 5, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 1, 1, 1, 4, 0, 1};
    TQvDIB dib = LoadRle(8, 5, 3, data);
    TQvDIB colour = dib;
    dib.ConvertTo256Colors();
    EXPECT_EQ(dib.GetBitCount(), 8);
    EXPECT_EQ(dib.Compression(), 0u);
    EXPECT_EQ(dib.ColorCount(), 256);  // the table stays
    EXPECT_EQ(Indices(dib), (std::vector<int>{5, 5, 7, 8, 9, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0}));

    colour.ConvertToTrueColor();
    EXPECT_EQ(PixelOf24(colour, 4, 0), MakeRgbQuad(9, 246, 7));
    EXPECT_EQ(PixelOf24(colour, 1, 2), MakeRgbQuad(4, 251, 7));
    EXPECT_EQ(PixelOf24(colour, 0, 2), MakeRgbQuad(0, 255, 7));
}

TEST(DibRle, Rle4NibblesAndTheColumnPastAnOddWidth) {
    // Width 3 (row limit 4). Row 0: run of 4 alternating 1 and 2: the fourth
    // pixel lies outside the picture and is dropped. Row 1: absolute 3
    // nibbles 3 4 5 (2 bytes, padded to 2).
    const Bytes data = {4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
    TQvDIB dib = LoadRle(4, 3, 2, data);
    TQvDIB mono = dib;
    dib.ConvertTo256Colors();
    EXPECT_EQ(Indices(dib), (std::vector<int>{1, 2, 1, 3, 4, 5}));
    // The 8-bit rows keep their padding clear.
    EXPECT_EQ(dib.ScanLine(0)[3], 0);
    // Into 1 bit through 8 bits: (i, 255 - i, 7) averages 87, black.
    mono.ConvertToMono();
    EXPECT_EQ(mono.GetBitCount(), 1);
    EXPECT_EQ(Indices(mono), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

TEST(DibRle, DataWithoutAnEndCodeEndsThePicture) {
    // A run, then an absolute run announcing 6 bytes of which 2 are present.
    TQvDIB dib = LoadRle(8, 10, 1, {3, 9, 0, 6, 1, 2});
    dib.ConvertTo256Colors();
    EXPECT_EQ(Indices(dib), (std::vector<int>{9, 9, 9, 1, 2, 0, 0, 0, 0, 0}));
    // A delta cut after its code.
    TQvDIB cut = LoadRle(4, 4, 1, {2, 0x77, 0, 2, 1});
    cut.ConvertToTrueColor();
    EXPECT_EQ(PixelOf24(cut, 1, 0), MakeRgbQuad(7, 248, 7));
    EXPECT_EQ(PixelOf24(cut, 2, 0), MakeRgbQuad(0, 255, 7));
}

struct BadRle {
    int bits;
    Bytes data;
    int number;
};

TEST(DibRle, EveryCheckHasItsMessageInBothConversions) {
    // Picture 4 x 2 (RLE4 row limit 4 too).
    const BadRle cases[] = {
        {8, {0, 0, 0, 0, 0, 0}, 1},        // third end of line: row 3 of 2
        {8, {0, 2, 5, 0}, 2},              // delta past the row end
        {8, {0, 2, 0, 3}, 2},              // delta below the last row
        {8, {0, 5, 1, 2, 3, 4, 5, 0}, 3},  // absolute run past the row end
        {8, {0, 0, 0, 0, 0, 3, 1, 2, 3, 0}, 3},  // absolute run below the last row
        {8, {3, 1, 2, 1}, 4},              // encoded run crossing the row end
        {8, {0, 0, 0, 0, 1, 1}, 4},        // encoded run below the last row
        {4, {0, 0, 0, 0, 0, 0}, 5},
        {4, {0, 2, 5, 0}, 6},
        {4, {0, 5, 0x12, 0x34, 0x50, 0}, 7},
        {4, {5, 0x11}, 8},
    };
    for (const BadRle& c : cases) {
        SCOPED_TRACE(c.number);
        TQvDIB a = LoadRle(c.bits, 4, 2, c.data);
        TQvDIB b = a;
        try {
            a.ConvertTo256Colors();
            ADD_FAILURE() << "accepted";
        } catch (const EQvDIBInvalidDIB& e) {
            EXPECT_EQ(std::string(e.what()),
                      "TQvInternalDIB.ConverTo8BitRGB: Bad RLE Data " + std::to_string(c.number));
        }
        try {
            b.ConvertToTrueColor();
            ADD_FAILURE() << "accepted";
        } catch (const EQvDIBInvalidDIB& e) {
            const std::string expected = c.number == 1
                                             ? "TQvInternalDIB.ConverToTruColor: Bad RLE Data 1"
                                             : "TQvInternalDIB.ConverToTrueColor: Bad RLE Data " + std::to_string(c.number);
            EXPECT_EQ(std::string(e.what()), expected);
        }
        // The failed conversion left the compressed picture as it was.
        EXPECT_EQ(a.Compression(), c.bits == 8 ? 1u : 2u);
        EXPECT_EQ(b.DataSize(), static_cast<int>(c.data.size()));
    }
    // Row ends exactly at the limit and an end of line after the last row are fine.
    TQvDIB ok = LoadRle(8, 4, 2, {4, 1, 0, 0, 4, 2, 0, 0, 0, 1});
    EXPECT_NO_THROW(ok.ConvertTo256Colors());
}

TEST(DibRle, ConversionsThatKeepRleAndOnesThatDecodeIt) {
    TQvDIB rle4 = LoadRle(4, 2, 1, {2, 0x12, 0, 1});
    rle4.ConvertTo16Colors();  // already 16 colours: stays compressed
    EXPECT_EQ(rle4.Compression(), 2u);
    rle4.ConvertTo16FixedColors();
    EXPECT_EQ(rle4.Compression(), 2u);

    TQvDIB rle8 = LoadRle(8, 2, 1, {2, 200, 0, 1});
    rle8.ConvertTo16Colors();  // through true colour
    EXPECT_EQ(rle8.GetBitCount(), 4);
    EXPECT_EQ(rle8.Compression(), 0u);
    EXPECT_EQ(rle8.ColorCount(), 1);
    EXPECT_EQ(rle8.GetColor(0), MakeRgbQuad(200, 55, 7));
}

}  // namespace
}  // namespace vornik
