#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "CanvasTestHelpers.h"
#include "JpegReferenceDecoder.h"
#include "TestFiles.h"
#include "imaging/JpegDIB.h"
#include "imaging/JpegError.h"

namespace vornik::test {
namespace {

// Files of the good folder that are cut short: libjpeg only warns and makes
// up the missing part in grey; we refuse them like any truncated file.
const std::set<std::string> kTruncatedGoodFiles = {"gdkpixbuf__bug753605-atsize.jpg", "pillow__ultrahdr.jpg"};

RasterColor pixelAt(const TQvDIB& dib, int x, int y) {
    const std::uint8_t* p = dib.ScanLine(dib.Height() - 1 - y) + 3 * x;  // bottom-up
    return RgbColor(p[2], p[1], p[0]);
}

TEST(JpegCorpus, DecodesLikeLibjpegItself) {
    VORNIK_REQUIRE_CORPUS();
    int compared = 0;
    for (const auto& path : CorpusFiles("jpeg")) {
        SCOPED_TRACE(path.filename().string());
        const Bytes bytes = ReadAll(path);
        TQvDIB dib;
        if (kTruncatedGoodFiles.count(path.filename().string())) {
            try {
                LoadJpegIntoDIB(bytes.data(), bytes.size(), dib);
                ADD_FAILURE() << "truncated file accepted";
            } catch (const EJpegError& e) {
                EXPECT_STREQ(e.what(), "Premature end of JPEG file");
            }
            continue;
        }
        ASSERT_NO_THROW(LoadJpegIntoDIB(bytes.data(), bytes.size(), dib));
        const ReferenceJpeg ref = ReferenceDecode(bytes);
        ASSERT_EQ(dib.GetBitCount(), 24);
        ASSERT_FALSE(dib.IsTopDown());
        ASSERT_EQ(dib.Width(), ref.width);
        ASSERT_EQ(dib.Height(), ref.height);
        if (ref.colorSpace == JCS_CMYK) continue;  // compared with its RGB twin below
        int mismatches = 0;
        for (int y = 0; y < ref.height; ++y)
            for (int x = 0; x < ref.width; ++x) {
                const std::uint8_t* r =
                    ref.samples.data() + (std::size_t(y) * ref.width + x) * ref.components;
                const RasterColor want =
                    ref.components == 1 ? RgbColor(r[0], r[0], r[0]) : RgbColor(r[0], r[1], r[2]);
                if (pixelAt(dib, x, y) != want) ++mismatches;
            }
        EXPECT_EQ(mismatches, 0);
        ++compared;
    }
    EXPECT_GE(compared, 25);
}

// Mean absolute difference per channel between two same-sized 24-bit DIBs.
double meanDifference(const TQvDIB& a, const TQvDIB& b) {
    double sum = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width() * 3; ++x)
            sum += std::abs(int(a.ScanLine(y)[x]) - int(b.ScanLine(y)[x]));
    return sum / (double(a.Width()) * a.Height() * 3);
}

TQvDIB load(const std::string& name) {
    TQvDIB dib;
    LoadJpegFile((CorpusDir() / "jpeg" / name).string(), dib);
    return dib;
}

TEST(JpegCorpus, AdobeCmykComesOutAsTheSamePictureInRgb) {
    VORNIK_REQUIRE_CORPUS();
    const ReferenceJpeg ref = ReferenceDecode(ReadAll(CorpusDir() / "jpeg" / "pillow__pil_sample_cmyk.jpg"));
    ASSERT_EQ(ref.colorSpace, JCS_CMYK);
    ASSERT_TRUE(ref.adobe);
    const TQvDIB cmyk = load("pillow__pil_sample_cmyk.jpg");
    const TQvDIB rgb = load("pillow__pil_sample_rgb.jpg");
    // Not inverting the Adobe ink would give a difference near 200.
    EXPECT_LT(meanDifference(cmyk, rgb), 6.0);
}

TEST(JpegCorpus, ProgressiveDecodesToTheBaselinePicture) {
    VORNIK_REQUIRE_CORPUS();
    const TQvDIB baseline = load("gdkpixbuf__valid.1.jpeg");
    const TQvDIB progressive = load("gdkpixbuf__valid.2.jpeg");
    ASSERT_EQ(progressive.Width(), baseline.Width());
    EXPECT_LT(meanDifference(baseline, progressive), 2.0);
}

TEST(JpegCorpus, GreyscaleHasEqualChannelsNearTheColourLuma) {
    VORNIK_REQUIRE_CORPUS();
    const TQvDIB grey = load("pillow__hopper_gray.jpg");
    const TQvDIB colour = load("pillow__hopper.jpg");
    double lumaDiff = 0;
    for (int y = 0; y < grey.Height(); ++y)
        for (int x = 0; x < grey.Width(); ++x) {
            const RasterColor g = pixelAt(grey, x, y), c = pixelAt(colour, x, y);
            ASSERT_EQ(RedOf(g), GreenOf(g));
            ASSERT_EQ(RedOf(g), BlueOf(g));
            lumaDiff += std::abs(RedOf(g) - (0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c)));
        }
    EXPECT_LT(lumaDiff / (grey.Width() * grey.Height()), 4.0);
}

TEST(JpegCorpus, MalformedFilesAreRefusedOrDecodedWithoutHarm) {
    VORNIK_REQUIRE_CORPUS();
    // Broken picture data: refused, with libjpeg's message or our limit.
    const std::map<std::string, std::string> refused = {
        {"gdkpixbuf__CVE-2017-2862.jpg", "Unsupported color conversion request"},
        {"gdkpixbuf__bug775218.jpg", "Quantization table 0x00 was not defined"},
        {"gdkpixbuf__bug775697.jpg", "Quantization table 0x00 was not defined"},
        {"gdkpixbuf__issue205.jpg", "JPEG image too large: 64250 x 64250 pixels (at most 33554432 allowed)"},
        {"gdkpixbuf__premature-end.jpg", "Premature end of JPEG file"},
        {"imagers__oss-fuzz-36829.jpeg", "Corrupt JPEG data: premature end of data segment"},
        {"pillow__truncated_jpeg.jpg", "Premature end of JPEG file"},
    };
    // Damaged metadata (MPO index, APP14 length, EXIF) around intact pictures.
    const std::map<std::string, std::pair<int, int>> intact = {
        {"pillow__sugarshack_bad_mpo_header.jpg", {640, 480}},
        {"pillow__truncated_app14.jpg", {100, 100}},
        {"pillow__truncated_exif_dpi.jpg", {480, 640}},
    };
    int seen = 0;
    for (const auto& path : CorpusFiles("bad")) {
        const std::string name = path.filename().string(), ext = path.extension().string();
        if (ext != ".jpg" && ext != ".jpeg") continue;
        SCOPED_TRACE(name);
        ++seen;
        TQvDIB dib;
        const Bytes bytes = ReadAll(path);
        if (auto it = refused.find(name); it != refused.end()) {
            try {
                LoadJpegIntoDIB(bytes.data(), bytes.size(), dib);
                ADD_FAILURE() << "accepted";
            } catch (const EJpegError& e) {
                EXPECT_EQ(e.what(), it->second);
            }
            EXPECT_EQ(dib.Width(), 1);  // target untouched
        } else {
            ASSERT_TRUE(intact.count(name)) << "new file in the corpus: decide what it should give";
            ASSERT_NO_THROW(LoadJpegIntoDIB(bytes.data(), bytes.size(), dib));
            EXPECT_EQ(dib.Width(), intact.at(name).first);
            EXPECT_EQ(dib.Height(), intact.at(name).second);
        }
    }
    EXPECT_EQ(seen, 10);
}

TEST(JpegCorpus, FileMessageNamesTheFile) {
    VORNIK_REQUIRE_CORPUS();
    const std::string path = (CorpusDir() / "bad" / "pillow__truncated_jpeg.jpg").string();
    TQvDIB dib;
    try {
        LoadJpegFile(path, dib);
        FAIL();
    } catch (const EJpegError& e) {
        EXPECT_EQ(e.what(), path + ": Premature end of JPEG file");
    }
}

}  // namespace
}  // namespace vornik::test
