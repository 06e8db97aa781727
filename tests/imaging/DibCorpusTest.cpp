// Real BMP files made by other software: good ones load and convert, the ones
// with a reference rendering match it, malformed ones are refused with our own
// exceptions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "DibTestBuilders.h"
#include "PngTestDecode.h"
#include "TestFiles.h"
#include "imaging/TQvDIB.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

std::string Name(const fs::path& p) { return p.filename().string(); }

// Loads and converts to true colour; answers the message of the refusal or "".
std::string LoadAndConvert(const Bytes& bytes, TQvDIB& dib) {
    try {
        dib.LoadFromBytes(bytes);
        dib.ConvertToTrueColor();
    } catch (const EVornikError& e) {
        return e.what();
    }
    return "";
}

TEST(DibCorpus, GoodFilesLoadAndConvertToTrueColour) {
    VORNIK_REQUIRE_CORPUS();
    int loaded = 0;
    for (const fs::path& path : test::CorpusFiles("bmp/good")) {
        const std::string name = Name(path);
        if (path.extension() == ".png" || path.extension() == ".dib") continue;
        SCOPED_TRACE(name);
        const Bytes bytes = test::ReadAll(path);
        TQvDIB dib;
        const std::string error = LoadAndConvert(bytes, dib);
        if (name == "imagers__imagemagick_invalid_run_length_issue_2321.bmp") {
            // Its encoded runs reach past the row end (the writer coded rows
            // of 28 pixels for a width of 25); such RLE data is refused.
            EXPECT_EQ(error, "TQvInternalDIB.ConverToTrueColor: Bad RLE Data 4");
            continue;
        }
        EXPECT_EQ(error, "");
        if (!error.empty()) continue;
        ++loaded;
        EXPECT_EQ(dib.GetBitCount(), 24);
        EXPECT_EQ(dib.Compression(), 0u);
        EXPECT_GE(dib.DataSize(), dib.Stride() * dib.Height());
        // And back through a BMP round trip unchanged.
        TQvDIB again;
        again.LoadFromBytes(dib.SaveToBytes());
        EXPECT_EQ(again.SaveToBytes(), dib.SaveToBytes());
    }
    EXPECT_GT(loaded, 100);
}

TEST(DibCorpus, PackedDibLoadsAsClipboardBlock) {
    VORNIK_REQUIRE_CORPUS();
    // The packed DIB has no file header: refused as a file, read as a clipboard block.
    const Bytes packed = test::ReadAll(test::CorpusDir() / "bmp" / "good" / "pillow__clipboard.dib");
    TQvDIB dib;
    EXPECT_EQ(LoadAndConvert(packed, dib), "TQvInternalDIB.LoadFromFile: File type is invalid");
    dib.LoadFromClipboardFormat(CF_DIB, &packed, nullptr);
    EXPECT_GT(dib.Width(), 0);
    dib.ConvertToTrueColor();
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_GE(dib.DataSize(), dib.Stride() * dib.Height());
}

struct Reference {
    const char* folder;
    const char* bmp;
    const char* png;  // beside the BMP files: questionable/ unless it names its folder
    int tolerance;    // per channel
};

// 16-bit pixels keep their channel bits in the high bits (31 reads 248), so
// references that scale them to 255 differ by up to 7. The 8-bit references
// were drawn with a palette whose 43s are 42s. The RLE24 file was encoded
// lossily (near colours merged into runs), so it only resembles its source.
const Reference kReferences[] = {
    {"good", "pillow__pal1.bmp", "pillow__pal1.png", 0},
    {"good", "pillow__pal1wb.bmp", "pillow__pal1.png", 0},
    {"good", "pillow__pal1bg.bmp", "pillow__pal1bg.png", 0},
    {"good", "pillow__pal4.bmp", "pillow__pal4.png", 0},
    {"good", "pillow__pal4rle.bmp", "pillow__pal4.png", 0},
    {"good", "pillow__pal8.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8-0.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8os2.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8rle.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8topdown.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8w124.bmp", "pillow__pal8w124.png", 1},
    {"good", "pillow__pal8w125.bmp", "pillow__pal8w125.png", 1},
    {"good", "pillow__pal8w126.bmp", "pillow__pal8w126.png", 1},
    {"good", "pillow__rgb16.bmp", "pillow__rgb16.png", 7},
    {"good", "pillow__rgb16-565.bmp", "pillow__rgb16-565.png", 7},
    {"good", "pillow__rgb16-565pal.bmp", "pillow__rgb16-565.png", 7},
    {"good", "pillow__rgb24.bmp", "pillow__rgb24.png", 0},
    {"good", "pillow__rgb24pal.bmp", "pillow__rgb24.png", 0},
    {"good", "pillow__rgb32.bmp", "pillow__rgb24.png", 0},
    {"good", "pillow__rgb32bf.bmp", "pillow__rgb24.png", 0},
    {"good", "gdkpixbuf__mandatory-bitmasks.bmp", "good/gdkpixbuf__mandatory-bitmasks.bmp.ref.png", 0},
    {"good", "imagers__pal8os2-hs.bmp", "pillow__pal8.png", 1},
    {"good", "imagers__pal8os2-sz.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8v4.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__pal8v5.bmp", "pillow__pal8.png", 1},
    {"good", "pillow__rgb32bf-abgr.bmp", "pillow__rgb24.png", 0},
    {"good", "imagers__rgb24rle24.bmp", "pillow__rgb24.png", 50},
    {"questionable", "pillow__pal8os2v2.bmp", "pillow__pal8.png", 1},
    {"questionable", "pillow__pal8os2v2-16.bmp", "pillow__pal8.png", 1},
    {"questionable", "pillow__rgb32h52.bmp", "pillow__rgb24.png", 0},
    {"questionable", "pillow__pal8offs.bmp", "pillow__pal8.png", 1},
    {"questionable", "pillow__rgb32fakealpha.bmp", "pillow__rgb24.png", 0},
};

TEST(DibCorpus, PixelsEqualTheReferenceRenderings) {
    VORNIK_REQUIRE_CORPUS();
    const fs::path root = test::CorpusDir() / "bmp";
    for (const Reference& ref : kReferences) {
        SCOPED_TRACE(ref.bmp);
        TQvDIB dib;
        ASSERT_EQ(LoadAndConvert(test::ReadAll(root / ref.folder / ref.bmp), dib), "");
        const std::string pngName = ref.png;
        const test::RgbaImage png = test::DecodePngFile(
            pngName.find('/') == std::string::npos ? root / "questionable" / pngName : root / pngName);
        ASSERT_EQ(dib.Width(), png.width);
        ASSERT_EQ(dib.Height(), png.height);
        int worst = 0;
        for (int y = 0; y < dib.Height(); ++y) {
            const std::uint8_t* row = dib.ScanLine(dib.IsTopDown() ? y : dib.Height() - 1 - y);
            for (int x = 0; x < dib.Width(); ++x) {
                const std::uint8_t* p = png.At(x, y);
                for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(row[3 * x + 2 - c] - p[c]));
            }
        }
        EXPECT_LE(worst, ref.tolerance) << "worst " << worst;
    }
}

TEST(DibCorpus, BadFilesAreRefusedWithOurExceptions) {
    VORNIK_REQUIRE_CORPUS();
    // Loaded on purpose: fields that nothing here uses (image size, resolution,
    // planes, a wrong file size), and pixel indices beyond the colour table,
    // which show black.
    const std::set<std::string> tolerated = {"pillow__badbitssize.bmp", "pillow__badfilesize.bmp",
                                             "pillow__baddens1.bmp",    "pillow__baddens2.bmp",
                                             "pillow__badplanes.bmp",   "pillow__pal8badindex.bmp"};
    for (const fs::path& path : test::CorpusFiles("bmp/bad")) {
        const std::string name = Name(path);
        SCOPED_TRACE(name);
        TQvDIB dib;
        const std::string error = LoadAndConvert(test::ReadAll(path), dib);
        if (tolerated.count(name))
            EXPECT_EQ(error, "");
        else
            EXPECT_NE(error, "");
    }
}

// bmpsuite draws its questionable files as the same picture as one of its
// plain ones, in another encoding (a colour profile, other bit fields, an
// alpha channel): a file that loads must show that picture. Bit fields of
// fewer than 8 bits keep their bits high, hence the tolerance of the 11-11-10
// file. The 2-3-1 file is dithered, so no pixel of it matches a reference;
// its bit fields are checked on crafted files below.
const Reference kQuestionablePictures[] = {
    {"questionable", "pillow__rgb24prof.bmp", "pillow__rgb24.png", 0},
    {"questionable", "pillow__rgb24lprof.bmp", "pillow__rgb24.png", 0},
    {"questionable", "pillow__rgb32bf-xbgr.bmp", "pillow__rgb24.png", 0},
    {"questionable", "pillow__rgb32-111110.bmp", "pillow__rgb24.png", 7},
    {"questionable", "pillow__pal8os2v2.bmp", "pillow__pal8.png", 1},
    {"questionable", "pillow__pal8os2v2-16.bmp", "pillow__pal8.png", 1},
    {"questionable", "pillow__pal8offs.bmp", "pillow__pal8.png", 1},
    {"questionable", "pillow__rgb32h52.bmp", "pillow__rgb24.png", 0},
    {"questionable", "pillow__rgb32fakealpha.bmp", "pillow__rgb24.png", 0},
};

TEST(DibCorpus, QuestionableFilesLoadAsTheirPictureOrAreRefusedCleanly) {
    VORNIK_REQUIRE_CORPUS();
    const fs::path root = test::CorpusDir() / "bmp";
    int compared = 0;
    for (const fs::path& path : test::CorpusFiles("bmp/questionable", ".bmp")) {
        SCOPED_TRACE(Name(path));
        TQvDIB dib;
        const std::string error = LoadAndConvert(test::ReadAll(path), dib);
        if (!error.empty()) continue;
        EXPECT_EQ(dib.GetBitCount(), 24);
        EXPECT_GE(dib.DataSize(), dib.Stride() * dib.Height());
        for (const Reference& ref : kQuestionablePictures) {
            if (Name(path) != ref.bmp) continue;
            const test::RgbaImage png = test::DecodePngFile(root / "questionable" / ref.png);
            ASSERT_EQ(dib.Width(), png.width);
            ASSERT_EQ(dib.Height(), png.height);
            int worst = 0;
            for (int y = 0; y < dib.Height(); ++y) {
                const std::uint8_t* row = dib.ScanLine(dib.IsTopDown() ? y : dib.Height() - 1 - y);
                for (int x = 0; x < dib.Width(); ++x)
                    for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(row[3 * x + 2 - c] - png.At(x, y)[c]));
            }
            EXPECT_LE(worst, ref.tolerance) << "worst " << worst;
            ++compared;
        }
    }
    // Files of the suite that must load, each then shown as its picture.
    EXPECT_EQ(compared, int(std::size(kQuestionablePictures)));
}

// Crafted files of the encodings the suite leaves questionable, with pixels
// known from how they were made: bit fields of odd widths and orders, and a
// 2-bit palette.
TEST(DibCorpus, CraftedBitFieldsAndTwoBitPixelsReadAsMade) {
    struct Case {
        const char* name;
        std::uint16_t bits;
        std::vector<std::uint32_t> masks;  // red, green, blue
        std::uint32_t pixel;
        RgbQuad want;
    };
    const Case cases[] = {
        // 5-6-5: red 0x1F (all ones), green 0x20 (half), blue 0x01.
        {"565", 16, {0xF800, 0x07E0, 0x001F}, 0xFC01, RgbQuad{8, 128, 248, 0}},
        // 2-3-1 in the low bits: red 0b10, green 0b011, blue 1.
        {"231", 16, {0x0030, 0x000E, 0x0001}, 0x0027, RgbQuad{128, 96, 128, 0}},
        // 11-11-10: the top 8 bits of each count (red 0x7FF, green 0x155, blue 0x3C0).
        {"111110", 32, {0xFFE00000, 0x001FFC00, 0x000003FF}, 0xFFE557C0, RgbQuad{0xF0, 0x2A, 0xFF, 0}},
        // x-b-g-r: red in the lowest byte.
        {"xbgr", 32, {0x000000FF, 0x0000FF00, 0x00FF0000}, 0x00102030, RgbQuad{0x10, 0x20, 0x30, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::BmpSpec spec;
        spec.width = 2;
        spec.height = 1;
        spec.bitCount = c.bits;
        spec.compression = 3;  // BI_BITFIELDS
        spec.masks = c.masks;
        const int bytes = c.bits / 8;
        for (int x = 0; x < 2; ++x)
            for (int b = 0; b < bytes; ++b) spec.pixels.push_back(std::uint8_t(c.pixel >> (8 * b)));
        while (spec.pixels.size() % 4) spec.pixels.push_back(0);
        TQvDIB dib;
        ASSERT_EQ(LoadAndConvert(test::MakeBmp(spec), dib), "");
        for (int x = 0; x < 2; ++x) EXPECT_EQ(test::PixelOf24(dib, x, 0), c.want);
    }
    // 2 bits per pixel: indices 3, 2, 1, 0 in one byte.
    test::BmpSpec spec;
    spec.width = 4;
    spec.height = 1;
    spec.bitCount = 2;
    spec.table = {RgbQuad{0, 0, 0, 0}, RgbQuad{10, 20, 30, 0}, RgbQuad{40, 50, 60, 0}, RgbQuad{70, 80, 90, 0}};
    spec.pixels = {0xE4, 0, 0, 0};
    TQvDIB dib;
    ASSERT_EQ(LoadAndConvert(test::MakeBmp(spec), dib), "");
    for (int x = 0; x < 4; ++x) EXPECT_EQ(test::PixelOf24(dib, x, 0), spec.table[std::size_t(3 - x)]) << x;
}

}  // namespace
}  // namespace vornik
