// Real BMP files made by other software: good ones load and convert, the ones
// with a reference rendering match it, malformed ones are refused with our own
// exceptions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

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

std::uint32_t HeaderSizeOf(const Bytes& b) { return b.size() >= 18 ? ReadU32LE(b.data() + 14) : 0; }

TEST(DibCorpus, GoodFilesLoadAndConvertToTrueColour) {
    VORNIK_REQUIRE_CORPUS();
    // Refused by design: a 2-bit picture, and OS/2 files whose file-size field
    // is too small to hold their own headers.
    const std::set<std::string> refusedByDesign = {"imagers__pal2color.bmp", "imagers__pal8os2-hs.bmp",
                                                   "imagers__pal8os2-sz.bmp"};
    int loaded = 0;
    for (const fs::path& path : test::CorpusFiles("bmp/good")) {
        const std::string name = Name(path);
        if (path.extension() == ".png" || path.extension() == ".dib") continue;
        SCOPED_TRACE(name);
        const Bytes bytes = test::ReadAll(path);
        TQvDIB dib;
        const std::string error = LoadAndConvert(bytes, dib);
        const std::uint32_t headerSize = HeaderSizeOf(bytes);
        if (headerSize != 40 && headerSize != 12) {
            // Only the 40-byte and the old 12-byte headers are read.
            EXPECT_EQ(error, "TQvInternalDIB.LoadFromStream: Invalid Bitmap Header Size");
            continue;
        }
        if (refusedByDesign.count(name)) {
            EXPECT_NE(error, "");
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
    EXPECT_GT(loaded, 60);
}

TEST(DibCorpus, SpecialRefusalsInGoodFolderHaveTheirMessages) {
    VORNIK_REQUIRE_CORPUS();
    const fs::path dir = test::CorpusDir() / "bmp" / "good";
    TQvDIB dib;
    EXPECT_EQ(LoadAndConvert(test::ReadAll(dir / "imagers__pal2color.bmp"), dib),
              "TQvInternalDIB.LoadFromStream: Invalid BitCout");
    EXPECT_EQ(LoadAndConvert(test::ReadAll(dir / "imagers__pal8os2-sz.bmp"), dib),
              "GetFileMap: Cannot Make File Mapping Object");
    // The packed DIB has no file header: refused as a file, read as a clipboard block.
    const Bytes packed = test::ReadAll(dir / "pillow__clipboard.dib");
    EXPECT_EQ(LoadAndConvert(packed, dib), "TQvInternalDIB.LoadFromFile: File type is invalid");
    dib.LoadFromClipboardFormat(CF_DIB, &packed, nullptr);
    EXPECT_GT(dib.Width(), 0);
    dib.ConvertToTrueColor();
    EXPECT_EQ(dib.GetBitCount(), 24);
}

struct Reference {
    const char* folder;
    const char* bmp;
    const char* png;  // in questionable/
    int tolerance;    // per channel
};

// 16-bit pixels keep their channel bits in the high bits (31 reads 248), so
// references that scale them to 255 differ by up to 7. The 8-bit references
// were drawn with a palette whose 43s are 42s.
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
        const test::RgbaImage png = test::DecodePngFile(root / "questionable" / ref.png);
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
        EXPECT_LE(worst, ref.tolerance);
    }
}

TEST(DibCorpus, BadFilesAreRefusedWithOurExceptions) {
    VORNIK_REQUIRE_CORPUS();
    // Loaded on purpose: fields that nothing here uses (image size, resolution,
    // planes), and pixel indices beyond the colour table, which show black.
    const std::set<std::string> tolerated = {"pillow__badbitssize.bmp", "pillow__baddens1.bmp",
                                             "pillow__baddens2.bmp", "pillow__badplanes.bmp",
                                             "pillow__pal8badindex.bmp"};
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

TEST(DibCorpus, QuestionableFilesLoadOrAreRefusedCleanly) {
    VORNIK_REQUIRE_CORPUS();
    for (const fs::path& path : test::CorpusFiles("bmp/questionable", ".bmp")) {
        SCOPED_TRACE(Name(path));
        TQvDIB dib;
        const std::string error = LoadAndConvert(test::ReadAll(path), dib);
        if (error.empty()) {
            EXPECT_EQ(dib.GetBitCount(), 24);
            EXPECT_GE(dib.DataSize(), dib.Stride() * dib.Height());
        }
    }
}

}  // namespace
}  // namespace vornik
