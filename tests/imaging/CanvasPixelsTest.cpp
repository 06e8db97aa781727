#include <gtest/gtest.h>

#include "CanvasTestHelpers.h"
#include "imaging/QvDIBErrors.h"

namespace vornik::test {
namespace {

TEST(CanvasPixels, TopRowIsLastRowInMemoryOfBottomUpDib) {
    TQvDIB dib = MakeDib(3, 2, 24);
    {
        TQvDIBCanvas canvas(dib);
        canvas.SetPixel(0, 0, kRed);
        canvas.SetPixel(2, 1, kBlue);
    }
    const std::uint8_t* top = dib.ScanLine(1);
    const std::uint8_t* bottom = dib.ScanLine(0);
    EXPECT_EQ(top[0], 0);  // blue, green, red in memory
    EXPECT_EQ(top[1], 0);
    EXPECT_EQ(top[2], 255);
    EXPECT_EQ(bottom[6], 255);
    EXPECT_EQ(bottom[8], 0);
}

TEST(CanvasPixels, TopDownDibKeepsRowZeroOnTop) {
    TQvDIB dib = MakeDib(2, -2, 24);
    ASSERT_TRUE(dib.IsTopDown());
    {
        TQvDIBCanvas canvas(dib);
        canvas.SetPixel(1, 0, kGreen);
        EXPECT_EQ(canvas.GetPixel(1, 0), kGreen);
    }
    EXPECT_EQ(dib.ScanLine(0)[4], 255);
    EXPECT_EQ(dib.ScanLine(1)[4], 0);
}

TEST(CanvasPixels, PaletteWriteStoresNearestEntryLowestIndexOnTies) {
    // 0 black, 1 white, 2 red, 3 red again, 4 a darker red, 5 and 6 equally far from grey 100.
    TQvDIB dib = MakeDib(8, 1, 8,
                         {kRasterBlack, kRasterWhite, kRed, kRed, RgbColor(200, 0, 0), RgbColor(90, 100, 100),
                          RgbColor(110, 100, 100)});
    TQvDIBCanvas canvas(dib);
    canvas.SetPixel(0, 0, kRed);                     // exact, duplicated: lowest
    canvas.SetPixel(1, 0, RgbColor(205, 0, 0));      // nearest is entry 4
    canvas.SetPixel(2, 0, RgbColor(100, 100, 100));  // tie between 5 and 6
    canvas.SetPixel(3, 0, RgbColor(250, 250, 250));
    canvas.SetPixel(4, 0, RgbColor(200, 0, 0));  // exact match keeps its entry
    const auto raw = RawPixels(dib);
    EXPECT_EQ(raw[0], (std::vector<unsigned>{2, 4, 5, 1, 4, 0, 0, 0}));
    EXPECT_EQ(canvas.GetPixel(1, 0), RgbColor(200, 0, 0));
}

TEST(CanvasPixels, PackedFormatsTouchOnlyTheirOwnBits) {
    TQvDIB mono = MakeDib(10, 1, 1, {kRasterBlack, kRasterWhite});
    TQvDIB nibble = MakeDib(3, 1, 4, {kRasterBlack, kRed, kGreen, kBlue});
    {
        TQvDIBCanvas c1(mono);
        c1.SetPixel(0, 0, kRasterWhite);
        c1.SetPixel(7, 0, kRasterWhite);
        c1.SetPixel(8, 0, kRasterWhite);
        c1.SetPixel(8, 0, kRasterBlack);
        c1.SetPixel(9, 0, kRasterWhite);
        TQvDIBCanvas c4(nibble);
        c4.SetPixel(0, 0, kBlue);
        c4.SetPixel(1, 0, kGreen);
        c4.SetPixel(2, 0, kRed);
    }
    EXPECT_EQ(mono.ScanLine(0)[0], 0x81);
    EXPECT_EQ(mono.ScanLine(0)[1], 0x40);
    EXPECT_EQ(nibble.ScanLine(0)[0], 0x32);
    EXPECT_EQ(nibble.ScanLine(0)[1], 0x10);
    EXPECT_EQ(Picture(mono, kBw), (std::vector<std::string>{"#......#.#"}));
}

TEST(CanvasPixels, SixteenAndThirtyTwoBitColours) {
    TQvDIB hi = MakeDib(2, 1, 16);
    TQvDIB full = MakeDib(2, 1, 32);
    TQvDIBCanvas c16(hi), c32(full);
    c16.SetPixel(0, 0, RgbColor(255, 128, 7));
    EXPECT_EQ(c16.GetPixel(0, 0), RgbColor(248, 128, 0));
    EXPECT_EQ(hi.ScanLine(0)[0] | (hi.ScanLine(0)[1] << 8), (31 << 10) | (16 << 5) | 0);
    c32.SetPixel(1, 0, RgbColor(1, 2, 3));
    EXPECT_EQ(c32.GetPixel(1, 0), RgbColor(1, 2, 3));
    EXPECT_EQ(full.ScanLine(0)[4], 3);
    EXPECT_EQ(full.ScanLine(0)[6], 1);
    EXPECT_EQ(full.ScanLine(0)[7], 0);
}

TEST(CanvasPixels, OutsideReadsInvalidAndWritesNothing) {
    TQvDIB dib = MakeDib(2, 2, 24);
    const Bytes before(dib.Pixels(), dib.Pixels() + dib.DataSize());
    TQvDIBCanvas canvas(dib);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {-100000, 100000}}) {
        canvas.SetPixel(x, y, kRasterWhite);
        EXPECT_EQ(canvas.GetPixel(x, y), TQvDIBCanvas::kInvalidColor);
    }
    EXPECT_EQ(Bytes(dib.Pixels(), dib.Pixels() + dib.DataSize()), before);
}

TEST(CanvasLifecycle, DrawingLeavesDibsThatSharedTheStorageAlone) {
    TQvDIB a = MakeDib(2, 2, 24);
    TQvDIB before(a);
    {
        TQvDIBCanvas canvas(a);
        TQvDIB sharedLater(a);  // shared while the canvas exists
        canvas.SetPixel(0, 0, kRasterWhite);
        EXPECT_EQ(TQvDIBCanvas(sharedLater).GetPixel(0, 0), kRasterBlack);
    }
    EXPECT_FALSE(a.SharesStorageWith(before));
    EXPECT_EQ(TQvDIBCanvas(before).GetPixel(0, 0), kRasterBlack);
    EXPECT_EQ(TQvDIBCanvas(a).GetPixel(0, 0), kRasterWhite);
}

TEST(CanvasLifecycle, ClosingSignalsChange) {
    TQvDIB dib = MakeDib(1, 1, 24);
    int changes = 0;
    dib.SetOnChange([&](TQvGraphic&) { ++changes; });
    { TQvDIBCanvas canvas(dib); }
    EXPECT_EQ(changes, 1);
}

TEST(CanvasLifecycle, RefusesFormatsItCannotDrawOn) {
    TQvDIB dib = MakeDib(4, 4, 15);
    try {
        TQvDIBCanvas canvas(dib);
        FAIL() << "15-bit canvas accepted";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "TQvDIBCanvas.Create: Cannot Create Memory DC");
    }
}

}  // namespace
}  // namespace vornik::test
