#include <gtest/gtest.h>

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

TEST(JpegCodec, RoundTripKeepsThePictureTheRightWayUp) {
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        TQvDIB original = gradient(40, 24, topDown);
        TQvDIB back = decode(EncodeDIBAsJpeg(original));
        ASSERT_EQ(back.Width(), 40);
        ASSERT_EQ(back.Height(), 24);
        EXPECT_LE(maxDifference(original, back), 12);
    }
}

TEST(JpegCodec, EncodesWithLibjpegDefaults) {
    // The same pixels through libjpeg with jpeg_set_defaults alone (quality
    // 75) must give the very same bytes.
    TQvDIB dib = gradient(33, 17);
    const Bytes ours = EncodeDIBAsJpeg(dib);
    JpegRaster raster;
    raster.width = 33;
    raster.height = 17;
    {
        TQvDIBCanvas c(dib);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 33; ++x) {
                const RasterColor p = c.GetPixel(x, y);
                raster.bgr.insert(raster.bgr.end(), {BlueOf(p), GreenOf(p), RedOf(p)});
            }
    }
    EXPECT_EQ(ours, EncodeJpeg(raster, 75));
    const ReferenceJpeg ref = ReferenceDecode(ours);
    EXPECT_EQ(ref.colorSpace, JCS_RGB);
    EXPECT_EQ(ref.components, 3);
    EXPECT_LT(EncodeJpeg(raster, 10).size(), ours.size());
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
