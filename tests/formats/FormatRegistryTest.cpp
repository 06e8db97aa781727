#include <gtest/gtest.h>

#include <set>

#include "TestFiles.h"
#include "formats/FormatRegistry.h"
#include "imaging/PngWriteRgba.h"
#include "imaging/ScaleArea.h"
#include "model/IcnsImage.h"
#include "model/XcursorFile.h"

namespace vornik {
namespace {

using namespace test;

std::string detectBytes(const Bytes& b, const std::string& name) {
    return DetectFormat({b.data(), b.size(), b.size()}, name).name;
}

Bytes pngSignature() { return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'}; }
Bytes icoHeader(int type) { return {0, 0, static_cast<std::uint8_t>(type), 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0}; }

Bytes oneXcursor() {
    XcursorPicture p;
    p.nominalSize = p.width = p.height = 2;
    p.pixels.assign(4, 0xff000000u);
    return WriteXcursor({p});
}

TEST(FormatRegistry, EveryFormatOnceAndTheContentScanLast) {
    const auto& formats = Formats();
    std::set<std::string> names;
    for (const auto& f : formats) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        ASSERT_NE(f.read, nullptr) << f.name;
        for (const auto& ext : f.extensions) EXPECT_EQ(ext, LowerExtension("x" + ext)) << f.name;
    }
    for (const char* name : {"ICO", "CUR", "ANI", "Xcursor", "BMP", "JPEG", "PNG", "SVG", "PE/NE", "ICNS"})
        EXPECT_NE(FormatNamed(name), nullptr) << name;
    EXPECT_EQ(formats.back().matches, nullptr);
    EXPECT_EQ(formats.back().name, "content scan");
    for (std::size_t i = 0; i + 1 < formats.size(); ++i) EXPECT_NE(formats[i].matches, nullptr) << formats[i].name;
}

// Content decides whatever the name says; the name only picks a reader for
// bytes no content test claims.
TEST(FormatRegistry, ContentFirstExtensionOnlyWhenContentIsSilent) {
    EXPECT_EQ(detectBytes(pngSignature(), "picture.ico"), "PNG");
    EXPECT_EQ(detectBytes(pngSignature(), "picture"), "PNG");
    EXPECT_EQ(detectBytes(icoHeader(1), "named.cur"), "ICO");
    EXPECT_EQ(detectBytes(icoHeader(2), "named.ico"), "CUR");
    EXPECT_EQ(detectBytes(oneXcursor(), "left_ptr"), "Xcursor");
    EXPECT_EQ(detectBytes(oneXcursor(), "left_ptr.ico"), "Xcursor");
    const Bytes riff = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'C', 'O', 'N'};
    EXPECT_EQ(detectBytes(riff, "busy.cur"), "ANI");
    const Bytes wave = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    EXPECT_EQ(detectBytes(wave, "sound.wav"), "content scan");
    EXPECT_EQ(detectBytes({'M', 'Z', 0, 0}, "setup.bin"), "PE/NE");
    EXPECT_EQ(detectBytes({0xFF, 0xD8, 0xFF, 0xE0}, "photo.ico"), "JPEG");
    EXPECT_EQ(detectBytes({'i', 'c', 'n', 's', 0, 0, 0, 8}, "app.ico"), "ICNS");
    const std::string svg = "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\"/>";
    EXPECT_EQ(detectBytes(Bytes(svg.begin(), svg.end()), "drawing.ico"), "SVG");
    // Nothing matches: the extension names the reader, which then says why it refuses.
    const Bytes junk(100, 0x55);
    EXPECT_EQ(detectBytes(junk, "broken.ICO"), "ICO");
    EXPECT_EQ(detectBytes(junk, "broken.png"), "PNG");
    EXPECT_EQ(detectBytes(junk, "broken.ani"), "ANI");
    EXPECT_EQ(detectBytes(junk, "broken.icns"), "ICNS");
    EXPECT_EQ(detectBytes(junk, "broken.txt"), "content scan");
    EXPECT_EQ(detectBytes({}, ""), "content scan");
    // "BM" alone is not a bitmap: the information header must be plausible too.
    EXPECT_EQ(detectBytes({'B', 'M', 0, 0}, "x.dat"), "content scan");
}

TEST(FormatRegistry, MissingFileIsRefusedWithItsCode) {
    TempDir dir;
    const auto r = ReadFileContent(dir.file("nothing.ico"));
    EXPECT_EQ(r.State(), ReadState::Refused);
    EXPECT_EQ(r.refusal.code, RefusalCode::FileMissing);
}

TEST(FormatRegistry, PictureUnderAnIconNameIsReadAsAPicture) {
    VORNIK_REQUIRE_CORPUS();
    TempDir dir;
    const auto png = CorpusFiles("ani", ".png");
    ASSERT_FALSE(png.empty());
    WriteAll(dir.file("looks.ico"), ReadAll(png.front()));
    auto r = ReadFileContent(dir.file("looks.ico"));
    ASSERT_EQ(r.State(), ReadState::Read) << static_cast<int>(r.refusal.code) << r.refusal.detail;
    EXPECT_EQ(r.value.kind, Yield::Picture);
    EXPECT_EQ(r.value.picture.GetBitCount(), 32);

    WriteAll(dir.file("bitmap.ico"), ReadAll(CorpusDir() / "bmp/good/imagers__Info_8_Bit.bmp"));
    r = ReadFileContent(dir.file("bitmap.ico"));
    ASSERT_EQ(r.State(), ReadState::Read);
    EXPECT_EQ(r.value.kind, Yield::Picture);
    EXPECT_GT(r.value.picture.Width(), 0);
}

TEST(FormatRegistry, XcursorFileReadsAsACursorSet) {
    TempDir dir;
    WriteAll(dir.file("left_ptr"), oneXcursor());
    const auto r = ReadFileContent(dir.file("left_ptr"));
    ASSERT_EQ(r.State(), ReadState::Read);
    EXPECT_EQ(r.value.kind, Yield::CursorSet);
    ASSERT_NE(r.value.icons, nullptr);
    EXPECT_EQ(r.value.icons->Count, 1);
}

// An Apple icon under any name reads as an icon set of its images. An image
// left out (here a PNG of another size than its type's) is a loss; a JPEG 2000
// image is kept for saving, so it is none; with no image shown it is refused.
TEST(FormatRegistry, AppleIconReadsAsAnIconSet) {
    TempDir dir;
    TQvDIB small;
    small.CreateDIB(16, 16, 0, 32);
    IcnsFile file = IcnsFromPictures({{16, small}, {32, ScaleArea(small, 32, 32)}});
    const IcnsElement jp2 = {IcnsType("ic09"), {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A}, 0};
    file.elements.push_back(jp2);
    WriteAll(dir.file("app.icon"), WriteIcns(file.elements));
    auto r = ReadFileContent(dir.file("app.icon"));
    ASSERT_EQ(r.State(), ReadState::Read) << r.refusal.detail;
    EXPECT_EQ(r.value.kind, Yield::IconSet);
    ASSERT_NE(r.value.icons, nullptr);
    EXPECT_EQ(r.value.icons->Count, 3);  // is32, il32, ic11

    // The ic11 (32 px) element holds the 16 px PNG of another file.
    for (auto& e : file.elements)
        if (e.type == IcnsType("ic11")) e.data = EncodeRgbaPng(small);
    WriteAll(dir.file("wrong.icns"), WriteIcns(file.elements));
    r = ReadFileContent(dir.file("wrong.icns"));
    ASSERT_EQ(r.State(), ReadState::ReadWithLosses);
    ASSERT_EQ(r.losses.size(), 1u);
    EXPECT_NE(r.losses[0].detail.find("ic11"), std::string::npos) << r.losses[0].detail;
    EXPECT_EQ(r.value.icons->Count, 2);

    WriteAll(dir.file("only.icns"), WriteIcns({jp2}));
    r = ReadFileContent(dir.file("only.icns"));
    ASSERT_TRUE(r.refused);
    EXPECT_EQ(r.refusal.code, RefusalCode::NoImages);
    EXPECT_NE(r.refusal.detail.find("JPEG 2000"), std::string::npos) << r.refusal.detail;
}

// Each real file goes to the format its folder holds, and good files read.
TEST(FormatRegistry, CorpusFilesGoToTheirFormat) {
    VORNIK_REQUIRE_CORPUS();
    struct Folder {
        const char* folder;
        const char* ext;
        std::set<std::string> formats;
    };
    const Folder folders[] = {
        {"ico", ".ico", {"ICO", "PNG"}},  {"cur", ".cur", {"CUR", "ICO", "ANI"}}, {"ani", ".ani", {"ANI"}},
        {"jpeg", "", {"JPEG"}},          {"pe", ".exe", {"PE/NE"}},               {"bmp/good", "", {"BMP"}},
    };
    for (const auto& f : folders) {
        for (const auto& path : CorpusFiles(f.folder, f.ext)) {
            if (path.extension() == ".png") continue;  // reference renderings beside the files
            const auto format = DetectFileFormat(path.string());
            ASSERT_FALSE(format.refused) << path;
            EXPECT_TRUE(f.formats.count(format.value->name)) << path << " -> " << format.value->name;
        }
    }
}

// No file, good or bad, crashes a reader or comes back refused without a code
// it can be told by; a refused result carries no document.
TEST(FormatRegistry, EveryCorpusFileReadsOrIsRefused) {
    VORNIK_REQUIRE_CORPUS();
    int refused = 0, read = 0;
    for (const char* folder : {"ico", "cur", "ani", "jpeg", "pe", "bad", "bmp/good", "bmp/bad", "bmp/questionable"}) {
        for (const auto& path : CorpusFiles(folder)) {
            const auto r = ReadFileContent(path.string());
            if (r.refused) {
                ++refused;
                EXPECT_EQ(r.value.Set(), nullptr) << path;
            } else {
                ++read;
                if (r.value.kind == Yield::Picture)
                    EXPECT_GT(r.value.picture.Width(), 0) << path;
                else
                    EXPECT_GT(r.value.Set()->Count, 0) << path;
            }
        }
    }
    EXPECT_GT(read, 100);
    EXPECT_GT(refused, 10);
}

}  // namespace
}  // namespace vornik
