#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>

#include "CanvasTestHelpers.h"
#include "JpegReferenceDecoder.h"
#include "TestFiles.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegDIB.h"
#include "imaging/JpegError.h"

namespace vornik::test {
namespace {

// A smooth 24-bit picture (JPEG keeps it well): red grows to the right,
// green downwards, blue constant.
TQvDIB gradient(int w, int h, bool topDown = false) {
    TQvDIB dib = MakeDib(w, topDown ? -h : h, 24);
    TQvDIBCanvas c(dib);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.SetPixel(x, y, RgbColor(std::uint8_t(x * 255 / (w - 1)), std::uint8_t(y * 255 / (h - 1)), 90));
    return dib;
}

int maxDifference(TQvDIB& a, TQvDIB& b) {
    TQvDIBCanvas ca(a), cb(b);
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const RasterColor p = ca.GetPixel(x, y), q = cb.GetPixel(x, y);
            worst = std::max({worst, std::abs(RedOf(p) - RedOf(q)), std::abs(GreenOf(p) - GreenOf(q)),
                              std::abs(BlueOf(p) - BlueOf(q))});
        }
    return worst;
}

TQvDIB decode(const Bytes& jpeg) {
    TQvDIB dib;
    LoadJpegIntoDIB(jpeg.data(), jpeg.size(), dib);
    return dib;
}

// The gradient's colour at (x, y), top row first, as gradient() draws it.
std::array<int, 3> gradientRgb(int x, int y, int w, int h) { return {x * 255 / (w - 1), y * 255 / (h - 1), 90}; }

// Worst channel difference of top-down RGB samples from the gradient.
int differenceFromGradient(const std::vector<std::uint8_t>& rgb, int w, int h) {
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(rgb[(std::size_t(y) * w + x) * 3 + c] - gradientRgb(x, y, w, h)[c]));
    return worst;
}

// The independent side is libjpeg used directly (JpegReferenceDecoder.h):
// what we write must decode there to the picture we gave, the right way up
// and in the right channel order, and a file libjpeg wrote must decode here
// to its known pixels. A fault shared by our encoder and decoder (swapped
// channels, rows flipped both ways) cancels out in a round trip through our
// own code alone, not here.
TEST(JpegCodec, OurFilesDecodeRightInLibjpegAndItsFilesRightInOurs) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        TQvDIB original = gradient(40, 24, topDown);
        const ReferenceJpeg ref = ReferenceDecode(EncodeDIBAsJpeg(original));
        ASSERT_EQ(ref.width, 40);
        ASSERT_EQ(ref.height, 24);
        ASSERT_EQ(ref.colorSpace, JCS_RGB);
        ASSERT_EQ(ref.components, 3);
        EXPECT_LE(differenceFromGradient(ref.samples, 40, 24), 12);
    }
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            for (int v : gradientRgb(x, y, 40, 24)) rgb.push_back(std::uint8_t(v));
    const Bytes theirs = ReferenceEncodeRgb(40, 24, rgb, 95);
    TQvDIB back = decode(theirs);
    ASSERT_EQ(back.Width(), 40);
    ASSERT_EQ(back.Height(), 24);
    TQvDIB expected = gradient(40, 24);
    EXPECT_LE(maxDifference(expected, back), 12);
    // Raw decode: rows top-down, blue first.
    const JpegRaster raster = DecodeJpeg(theirs.data(), theirs.size());
    const ReferenceJpeg ref = ReferenceDecode(theirs);
    int worst = 0;
    for (std::size_t i = 0; i < raster.bgr.size(); i += 3)
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(raster.bgr[i + 2 - c] - ref.samples[i + c]));
    EXPECT_LE(worst, 1);
}

TEST(JpegCodec, WritesAtQuality75UnlessAskedOtherwise) {
    // libjpeg's quality 75 halves the standard luminance table, whose first
    // entry is 16; quality 95 makes it 2 (tables as read back by libjpeg).
    TQvDIB dib = gradient(33, 17);
    EXPECT_EQ(ReferenceDecode(EncodeDIBAsJpeg(dib)).firstLumaQuant, 8);
    EXPECT_EQ(ReferenceDecode(EncodeDIBAsJpeg(dib, 95)).firstLumaQuant, 2);
    const JpegRaster raster{2, 1, Bytes(6, 128)};
    EXPECT_EQ(ReferenceDecode(EncodeJpeg(raster)).firstLumaQuant, 8);
}

TEST(JpegCodec, EncodesEveryBitCountThroughItsColours) {
    const std::vector<RasterColor> table{kRasterBlack, kRasterWhite, kRed, kBlue};
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        const int colours = bits == 1 ? 2 : bits <= 8 ? 4 : 0;
        TQvDIB dib = MakeDib(16, 16, bits, std::vector<RasterColor>(table.begin(), table.begin() + colours));
        {
            TQvDIBCanvas c(dib);
            c.FillRect(0, 0, 16, 16, kRasterWhite);
            if (bits != 1) c.FillRect(0, 8, 16, 16, kRed);
        }
        TQvDIB back = decode(EncodeDIBAsJpeg(dib));
        TQvDIBCanvas c(back), o(dib);
        // Away from the edge (chroma is subsampled) the colours come back.
        for (auto [x, y] : {std::pair{2, 2}, {13, 3}, {2, 13}, {12, 14}}) {
            const RasterColor want = o.GetPixel(x, y), got = c.GetPixel(x, y);
            EXPECT_NEAR(RedOf(got), RedOf(want), 6);
            EXPECT_NEAR(GreenOf(got), GreenOf(want), 6);
            EXPECT_NEAR(BlueOf(got), BlueOf(want), 6);
        }
    }
}

TEST(JpegCodec, RefusesHugeClaimsBeforeAllocating) {
    TQvDIB small = gradient(16, 16);
    Bytes jpeg = EncodeDIBAsJpeg(small);
    // Patch the frame header (FF C0, length, precision, height, width).
    std::size_t sof = 0;
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(sof, 0u);
    auto setSize = [&](int w, int h) {
        jpeg[sof + 5] = std::uint8_t(h >> 8);
        jpeg[sof + 6] = std::uint8_t(h);
        jpeg[sof + 7] = std::uint8_t(w >> 8);
        jpeg[sof + 8] = std::uint8_t(w);
    };
    setSize(60000, 60000);
    EXPECT_THROW(decode(jpeg), EJpegError);
    setSize(4000, 4000);  // under the cap, but no real file packs 16M pixels in ~700 bytes
    try {
        decode(jpeg);
        FAIL();
    } catch (const EJpegError& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG image claims 4000 x 4000 pixels but the file holds only " +
                                             std::to_string(jpeg.size()) + " bytes");
    }
    JpegLimits tight;
    tight.maxPixels = 255;
    const Bytes fine = EncodeDIBAsJpeg(small);
    EXPECT_THROW(DecodeJpeg(fine.data(), fine.size(), tight), EJpegError);
    tight.maxPixels = 256;
    EXPECT_EQ(DecodeJpeg(fine.data(), fine.size(), tight).width, 16);
}

TEST(JpegCodec, EveryTruncationAndCorruptionFailsCleanly) {
    TQvDIB pic = gradient(48, 32);
    const Bytes jpeg = EncodeDIBAsJpeg(pic);
    // Cut anywhere before the end-of-image marker: an error, never a picture
    // made up of grey.
    for (std::size_t n = 0; n + 2 < jpeg.size(); n += 7) {
        SCOPED_TRACE(n);
        EXPECT_THROW(DecodeJpeg(jpeg.data(), n), EJpegError);
    }
    // Random damage: either an error or some picture, under the sanitizers.
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        Bytes bad = jpeg;
        for (int k = 0; k < 1 + round % 5; ++k) bad[rng() % bad.size()] = std::uint8_t(rng());
        try {
            const JpegRaster r = DecodeJpeg(bad.data(), bad.size());
            EXPECT_EQ(r.bgr.size(), std::size_t(r.width) * r.height * 3);
        } catch (const EJpegError&) {
        }
    }
}

TEST(JpegCodec, RefusesToWriteEmptyOrInconsistentRasters) {
    EXPECT_THROW(EncodeJpeg(JpegRaster{}), EJpegError);
    JpegRaster shortBuffer{4, 4, Bytes(10)};
    EXPECT_THROW(EncodeJpeg(shortBuffer), EJpegError);
    EXPECT_THROW(DecodeJpeg(nullptr, 0), EJpegError);
}

TEST(JpegCodec, SavesThroughTheFileLayer) {
    TempDir dir;
    TQvDIB pic = gradient(40, 24);
    SaveDIBAsJpegFile(pic, dir.file("out.jpg"));
    TQvDIB back;
    LoadJpegFile(dir.file("out.jpg"), back);
    EXPECT_LE(maxDifference(pic, back), 12);
    EXPECT_THROW(LoadJpegFile(dir.file("missing.jpg"), back), EInOutError);
}

TEST(JpegCodec, CmykInkIsInvertedOnlyWithAnAdobeMarker) {
    // Plain ink: no cyan, full magenta and yellow, no black = red. With the
    // Adobe marker the same picture is stored as 255 - ink.
    const std::uint8_t plain[4] = {0, 255, 255, 0};
    const std::uint8_t inverted[4] = {255, 0, 0, 255};
    const std::uint8_t halfBlack[4] = {0, 0, 0, 128};  // plain: half black ink
    const struct {
        const std::uint8_t* stored;
        bool adobe;
        RasterColor want;
    } cases[] = {{plain, false, kRed}, {inverted, true, kRed}, {halfBlack, false, RgbColor(127, 127, 127)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.adobe);
        const Bytes jpeg = UniformCmykJpeg(16, 16, c.stored, c.adobe);
        ASSERT_EQ(ReferenceDecode(jpeg).adobe, c.adobe);
        const JpegRaster r = DecodeJpeg(jpeg.data(), jpeg.size());
        EXPECT_NEAR(r.bgr[2], RedOf(c.want), 2);
        EXPECT_NEAR(r.bgr[1], GreenOf(c.want), 2);
        EXPECT_NEAR(r.bgr[0], BlueOf(c.want), 2);
    }
}

}  // namespace
}  // namespace vornik::test
