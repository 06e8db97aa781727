// Life cycle, sharing, format resets and the palette of TQvDIB.
#include <gtest/gtest.h>

#include "DibTestBuilders.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

using test::MakeTrueColour;
using test::PixelOf24;

template <typename E, typename F>
void ExpectThrowWith(F&& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }
}

TEST(DibStorage, FreshImageIsOnePixelEightBitsTwoBlackEntries) {
    TQvDIB dib;
    EXPECT_EQ(dib.Width(), 1);
    EXPECT_EQ(dib.Height(), 1);
    EXPECT_EQ(dib.GetBitCount(), 8);
    EXPECT_EQ(dib.ColorCount(), 2);
    EXPECT_EQ(dib.Header().biSize, 40u);
    EXPECT_EQ(dib.Header().biPlanes, 1);
    EXPECT_EQ(dib.DataSize(), 4);
    EXPECT_EQ(dib.ColorTable()[0], RgbQuad{});
    EXPECT_EQ(dib.ColorTable()[1], RgbQuad{});
    EXPECT_FALSE(dib.GetEmpty());
    EXPECT_EQ(dib.ClipboardFormat(), 8u);
    EXPECT_EQ(dib.ShareCount(), 1);
}

TEST(DibStorage, CreateRefusesBadParameters) {
    TQvDIB dib;
    const std::string msg = "TQvInternalDIB.CreateDIB: Invalid Parameters";
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.CreateDIB(0, 1, 0, 24); }, msg);
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.CreateDIB(1, 0, 0, 24); }, msg);
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.CreateDIB(1, 1, 257, 8); }, msg);
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.CreateDIB(1, 1, -1, 8); }, msg);
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.CreateDIB(1, 1, 0, 2); }, msg);
    EXPECT_EQ(dib.Width(), 1);  // unchanged
    dib.CreateDIB(5, -3, 16, 4);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_TRUE(dib.IsTopDown());
    EXPECT_EQ(dib.Stride(), 4);
    EXPECT_EQ(dib.DataSize(), 12);
    EXPECT_EQ(dib.ColorCount(), 16);
}

TEST(DibStorage, CopiesShareUntilOneChanges) {
    TQvDIB a = MakeTrueColour(2, 2, [](int, int) { return MakeRgbQuad(10, 20, 30); });
    TQvDIB b;
    b.Assign(&a);
    EXPECT_TRUE(a.SharesStorageWith(b));
    EXPECT_EQ(a.ShareCount(), 2);
    {
        TQvDIB c(a);
        EXPECT_EQ(a.ShareCount(), 3);
    }
    EXPECT_EQ(a.ShareCount(), 2);

    b.MutableScanLine(0)[0] = 99;  // blue of pixel (0, 0)
    EXPECT_FALSE(a.SharesStorageWith(b));
    EXPECT_EQ(a.ShareCount(), 1);
    EXPECT_EQ(b.ShareCount(), 1);
    EXPECT_EQ(PixelOf24(a, 0, 0), MakeRgbQuad(10, 20, 30));
    EXPECT_EQ(PixelOf24(b, 0, 0), MakeRgbQuad(10, 20, 99));
    EXPECT_EQ(PixelOf24(b, 1, 1), MakeRgbQuad(10, 20, 30));

    // A conversion of a shared image leaves the other one as it was.
    TQvDIB d = a;
    d.ConvertToMono();
    EXPECT_EQ(d.GetBitCount(), 1);
    EXPECT_EQ(a.GetBitCount(), 24);

    // Assigning to itself, or the storage it already shares, changes nothing.
    a.Assign(&a);
    TQvDIB e = a;
    e.Assign(&a);
    EXPECT_EQ(a.ShareCount(), 2);

    // A null source gives a fresh default image.
    e.Assign(static_cast<const TQvGraphic*>(nullptr));
    EXPECT_EQ(e.Width(), 1);
    EXPECT_EQ(e.GetBitCount(), 8);
    EXPECT_EQ(a.ShareCount(), 1);

    // AssignTo a DIB shares too.
    TQvDIB f;
    a.AssignTo(&f);
    EXPECT_TRUE(f.SharesStorageWith(a));
}

TEST(DibStorage, SizeSettersResetTheFormat) {
    TQvDIB dib;
    dib.CreateDIB(4, 4, 16, 4);
    dib.SetColor(3, MakeRgbQuad(1, 2, 3));
    dib.MutableScanLine(0)[0] = 0x12;
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.SetWidth(0); }, "TQvDIB.SetWidth: Invalid Width");
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.SetWidth(-2); }, "TQvDIB.SetWidth: Invalid Width");
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.SetHeight(0); }, "TQvDIB.SetWidth: Invalid Height");

    dib.SetWidth(4);  // the current value: nothing happens
    EXPECT_EQ(dib.ScanLine(0)[0], 0x12);
    EXPECT_EQ(dib.GetColor(3), MakeRgbQuad(1, 2, 3));

    dib.SetWidth(9);
    EXPECT_EQ(dib.Width(), 9);
    EXPECT_EQ(dib.Height(), 4);
    EXPECT_EQ(dib.GetBitCount(), 4);
    EXPECT_EQ(dib.ColorCount(), 16);
    EXPECT_EQ(dib.GetColor(3), RgbQuad{});
    EXPECT_EQ(dib.ScanLine(0)[0], 0);

    dib.SetHeight(-7);
    EXPECT_EQ(dib.Height(), 7);
    EXPECT_TRUE(dib.IsTopDown());
    EXPECT_EQ(dib.DataSize(), 7 * 8);
    dib.MutableScanLine(6)[7] = 0x34;
    dib.SetHeight(dib.Height());  // the height it reads: kept, still top-down
    EXPECT_TRUE(dib.IsTopDown());
    EXPECT_EQ(dib.ScanLine(6)[7], 0x34);
    EXPECT_THROW(dib.ScanLine(7), EQvDIBInvalidDIBPara);
    EXPECT_THROW(dib.ScanLine(-1), EQvDIBInvalidDIBPara);
}

TEST(DibStorage, SetBitCountIsAResetNotAConversion) {
    TQvDIB dib = MakeTrueColour(3, 2, [](int, int) { return MakeRgbQuad(255, 255, 255); });
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.SetBitCount(2); }, "TQvDIB.SetBitCount: Invalid BitCount");
    ExpectThrowWith<EQvDIBInvalidDIBPara>([&] { dib.SetBitCount(0); }, "TQvDIB.SetBitCount: Invalid BitCount");
    dib.SetBitCount(24);
    EXPECT_EQ(PixelOf24(dib, 0, 0), MakeRgbQuad(255, 255, 255));

    dib.SetBitCount(8);
    EXPECT_EQ(dib.GetBitCount(), 8);
    EXPECT_EQ(dib.ColorCount(), 256);
    EXPECT_EQ(dib.Width(), 3);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(dib.GetColor(i), RgbQuad{});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(dib.ScanLine(y)[x], 0);

    const int expected[][2] = {{1, 2}, {4, 16}, {15, 0}, {16, 0}, {24, 0}, {32, 0}};
    for (const auto& e : expected) {
        dib.SetBitCount(e[0]);
        EXPECT_EQ(dib.ColorCount(), e[1]);
        EXPECT_EQ(dib.Stride(), ((3 * e[0] + 31) / 32) * 4);
    }
}

TEST(DibStorage, PaletteIsBuiltFromTheTableAndCanBeReplaced) {
    TQvDIB dib;
    dib.CreateDIB(2, 1, 3, 8);
    dib.SetColor(0, MakeRgbQuad(1, 2, 3));
    dib.SetColor(2, MakeRgbQuad(7, 8, 9));
    const TQvPalette* palette = dib.GetPalette();
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(palette->Count(), 3);
    EXPECT_EQ(palette->Entry(0), (PaletteEntry{1, 2, 3, 0}));
    EXPECT_EQ(palette->Entry(2), (PaletteEntry{7, 8, 9, 0}));

    dib.MutableScanLine(0)[1] = 2;
    TQvPalette replacement({{100, 110, 120, 0}, {5, 6, 7, 0}});
    dib.SetPaletteModified(false);
    dib.SetPalette(replacement);
    EXPECT_TRUE(dib.PaletteModified());
    EXPECT_EQ(dib.ColorCount(), 2);
    EXPECT_EQ(dib.GetColor(0), MakeRgbQuad(100, 110, 120));
    EXPECT_EQ(dib.ScanLine(0)[1], 2);  // pixels untouched
    ASSERT_NE(dib.GetPalette(), nullptr);
    EXPECT_EQ(*dib.GetPalette(), replacement);

    TQvPalette empty;
    ExpectThrowWith<EQvDIBInvalidPalette>([&] { dib.SetPalette(empty); }, "TQvDIB.SetPalette: Invalid Palette");
    dib.SetPalette(nullptr);
    EXPECT_EQ(dib.ColorCount(), 0);
    EXPECT_EQ(dib.GetPalette(), nullptr);

    // A palette handed to a shared image changes only that image.
    TQvDIB other = dib;
    other.SetPalette(replacement);
    EXPECT_EQ(dib.ColorCount(), 0);
    EXPECT_EQ(other.ColorCount(), 2);
}

TEST(DibStorage, ChangeNotificationFollowsChanges) {
    TQvDIB dib;
    int changes = 0;
    dib.SetOnChange([&](TQvGraphic&) { ++changes; });
    dib.SetWidth(3);
    dib.ConvertToTrueColor();
    dib.ConvertToTrueColor();  // already true colour: nothing
    EXPECT_EQ(changes, 2);
}

TEST(DibErrors, TheUserReadsNeitherTheRoutineNorTheClassName) {
    // what() keeps the routine's own text for the logs and the command line.
    const EQvDIBInvalidDIBPara dib("TQvDIB.SetWidth: Invalid Width");
    EXPECT_STREQ(dib.what(), "TQvDIB.SetWidth: Invalid Width");
    EXPECT_EQ(EnglishText(MessageOf(dib)), "The bitmap data is not valid (Invalid Width)");
}

}  // namespace
}  // namespace vornik
