// vornik-cli export and convert, run as a program.
#include <gtest/gtest.h>
#include <png.h>

#include "AniCliRun.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"
#include "model/TIconEx.h"

using namespace vornik;
using test::RunVornikCli;

namespace {

int bitCountOf(const IconEntry& e) { return ReadU16LE(e.InfoHeader.data() + bih::kBitCount); }

bool maskBit(const IconEntry& e, int x, int yFromTop) {
    const int w = ReadI32LE(e.InfoHeader.data() + bih::kWidth), h = ReadI32LE(e.InfoHeader.data() + bih::kHeight);
    const std::uint8_t b = e.AndBits[static_cast<std::size_t>((h - 1 - yFromTop) * RowBytes(w) + x / 8)];
    return (b >> (7 - x % 8)) & 1;
}

// A 32 x 32, 16-colour cursor with hot spot (5, 7): the left half transparent.
std::string writeCursor(const test::TempDir& dir) {
    TIconCurEX set;
    set.AddSlot(-1);
    set.InitEntry(0, 2, 32, 32, 4);
    IconEntry& e = set.Entries[0];
    e.HotSpotX = 5;
    e.HotSpotY = 7;
    for (std::size_t i = 0; i < e.XorBits.size(); ++i) e.XorBits[i] = static_cast<std::uint8_t>(i % 4 < 2 ? 0 : 0x9C);
    for (std::size_t i = 0; i < e.AndBits.size(); ++i) e.AndBits[i] = i % 4 < 2 ? 0xFF : 0;
    const std::string path = dir.file("one.cur");
    set.SaveToFile(path);
    return path;
}

TEST(CliExport, EveryOutputKind) {
    test::TempDir dir;
    const std::string cur = writeCursor(dir);
    TIconCurEX source;
    ASSERT_TRUE(source.LoadFromFile(cur));

    auto r = RunVornikCli({"export", cur, "--entry", "0", "-o", dir.file("out.cur")});
    ASSERT_EQ(r.status, 0) << r.err;
    TIconCurEX back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("out.cur")));
    EXPECT_EQ(back.ResourceType, 2);
    ASSERT_EQ(back.Count, 1);
    EXPECT_EQ(back.Entries[0].HotSpotX, 5);
    EXPECT_EQ(back.Entries[0].HotSpotY, 7);
    EXPECT_EQ(back.Entries[0].XorBits, source.Entries[0].XorBits);
    EXPECT_EQ(back.Entries[0].AndBits, source.Entries[0].AndBits);

    r = RunVornikCli({"export", cur, "--entry", "0", "-o", dir.file("out.ICO")});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(back.LoadFromFile(dir.file("out.ICO")));
    EXPECT_EQ(back.ResourceType, 1);
    EXPECT_EQ(back.Entries[0].HotSpotX, 0);

    r = RunVornikCli({"export", cur, "--entry", "0", "-o", dir.file("out.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    TQvDIB bmp;
    bmp.LoadFromFile(dir.file("out.bmp"));
    EXPECT_EQ(bmp.Width(), 32);
    EXPECT_EQ(bmp.GetBitCount(), 4);

    r = RunVornikCli({"export", cur, "--entry", "0", "-o", dir.file("out.jpg")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes jpg = test::ReadAll(dir.path() / "out.jpg");
    ASSERT_GE(jpg.size(), 2u);
    EXPECT_EQ(jpg[0], 0xFF);
    EXPECT_EQ(jpg[1], 0xD8);

    r = RunVornikCli({"export", cur, "--entry", "0", "-o", dir.file("out.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, dir.file("out.png").c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
    ASSERT_EQ(image.width, 32u);
    EXPECT_EQ(rgba[3], 0);              // (0, 0): mask bit 1, transparent
    EXPECT_EQ(rgba[4 * 20 + 3], 255);   // (20, 0): opaque
}

TEST(CliExport, ThirtyTwoBitEntryKeepsItsAlpha) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    const std::string in = (test::CorpusDir() / "ico" / "imagers__png-32bpp-alpha.ico").string();
    TIconCurEX source;
    ASSERT_TRUE(source.LoadFromFile(in)) << source.LoadError();
    for (const char* name : {"a.ico", "a.cur"}) {
        auto r = RunVornikCli({"export", in, "--entry", "0", "-o", dir.file(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        TIconCurEX back;
        ASSERT_TRUE(back.LoadFromFile(dir.file(name)));
        EXPECT_EQ(back.Entries[0].XorBits, source.Entries[0].XorBits) << name;
        EXPECT_EQ(back.Entries[0].AndBits, source.Entries[0].AndBits) << name;
        EXPECT_EQ(bitCountOf(back.Entries[0]), 32);
        EXPECT_EQ(back.Entries[0].HotSpotX, std::string(name) == "a.ico" ? 0 : source.Entries[0].HotSpotX);
    }
}

TEST(CliExport, RefusalsAndUsage) {
    test::TempDir dir;
    const std::string cur = writeCursor(dir);
    auto r = RunVornikCli({"export", cur, "--entry", "1", "-o", dir.file("x.ico")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("there is no entry 1"), std::string::npos) << r.err;
    r = RunVornikCli({"export", cur, "--entry", "0", "-o", dir.file("x.gif")});
    EXPECT_EQ(r.status, 2);
    r = RunVornikCli({"export", cur, "--entry", "-3", "-o", dir.file("x.ico")});
    EXPECT_EQ(r.status, 2);
    r = RunVornikCli({"export", dir.file("missing.ico"), "--entry", "0", "-o", dir.file("x.ico")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.ico")));
}

// A 64 x 64 picture: red with a blue right half and a white top-left 8 x 8 square.
TQvDIB picture() {
    TQvDIB dib;
    dib.CreateDIB(64, 64, 0, 24);
    TQvDIBCanvas canvas(dib);
    canvas.FillRect(0, 0, 32, 64, RgbColor(255, 0, 0));
    canvas.FillRect(32, 0, 64, 64, RgbColor(0, 0, 255));
    canvas.FillRect(0, 0, 8, 8, kRasterWhite);
    return dib;
}

TEST(CliConvert, EntriesInDepthThenSizeOrder) {
    test::TempDir dir;
    picture().SaveToFile(dir.file("in.bmp"));
    auto r = RunVornikCli({"convert", dir.file("in.bmp"), "-o", dir.file("out.ico"), "--size", "32,16",
                           "--colors", "true,2,256"});
    ASSERT_EQ(r.status, 0) << r.err;
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("out.ico")));
    ASSERT_EQ(set.Count, 6);
    const int bits[] = {1, 1, 8, 8, 24, 24};
    const int sizes[] = {16, 32, 16, 32, 16, 32};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(bitCountOf(set.Entries[i]), bits[i]) << i;
        EXPECT_EQ(set.Entries[i].Width, sizes[i]) << i;
        EXPECT_FALSE(maskBit(set.Entries[i], 0, 0)) << i;  // no transparency asked for
    }
    // True colour at 16: the picture shrunk by four; pixel (20, 10) of 32 is blue.
    const IconEntry& t = set.Entries[5];
    const std::size_t row = static_cast<std::size_t>(31 - 10) * 96;
    EXPECT_EQ(t.XorBits[row + 3 * 20], 255);
    EXPECT_EQ(t.XorBits[row + 3 * 20 + 2], 0);
}

TEST(CliConvert, TransparentColourHotSpotAndPngAlpha) {
    test::TempDir dir;
    picture().SaveToFile(dir.file("in.bmp"));
    auto r = RunVornikCli({"convert", dir.file("in.bmp"), "-o", dir.file("out.cur"), "--size", "32", "--colors",
                           "16", "--transparent", "1,1", "--hotspot", "10,20", "--fixed-palette"});
    ASSERT_EQ(r.status, 0) << r.err;
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("out.cur")));
    ASSERT_EQ(set.Count, 1);
    EXPECT_EQ(set.ResourceType, 2);
    const IconEntry& e = set.Entries[0];
    EXPECT_EQ(e.HotSpotX, 5);  // scaled from 64 to 32
    EXPECT_EQ(e.HotSpotY, 10);
    EXPECT_TRUE(maskBit(e, 0, 0));
    EXPECT_TRUE(maskBit(e, 3, 3));
    EXPECT_FALSE(maskBit(e, 4, 4));
    // Under the transparent part the image is black (index 0 of the fixed palette).
    EXPECT_EQ(e.XorBits[static_cast<std::size_t>(31 * 16)] >> 4, 0);

    // A PNG's alpha becomes the mask.
    TQvDIB mask;
    mask.CreateDIB(64, 64, 0, 24);
    TQvDIBCanvas(mask).FillRect(32, 0, 64, 64, kRasterWhite);
    SavePngFile(dir.file("in.png"), picture(), &mask);
    r = RunVornikCli({"convert", dir.file("in.png"), "-o", dir.file("png.ico"), "--size", "16", "--colors", "true",
                      "--halftone"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(set.LoadFromFile(dir.file("png.ico")));
    EXPECT_FALSE(maskBit(set.Entries[0], 2, 5));
    EXPECT_TRUE(maskBit(set.Entries[0], 12, 5));
}

TEST(CliConvert, RefusalsAndUsage) {
    test::TempDir dir;
    picture().SaveToFile(dir.file("in.bmp"));
    const std::string in = dir.file("in.bmp"), out = dir.file("o.ico");
    EXPECT_EQ(RunVornikCli({"convert", in, "-o", out, "--size", "257", "--colors", "2"}).status, 2);
    EXPECT_EQ(RunVornikCli({"convert", in, "-o", out, "--size", "0,16", "--colors", "2"}).status, 2);
    EXPECT_EQ(RunVornikCli({"convert", in, "-o", out, "--png", "--bmp"}).status, 2);
    EXPECT_EQ(RunVornikCli({"convert", in, "-o", out, "--size", "16", "--colors", "4"}).status, 2);
    EXPECT_EQ(RunVornikCli({"convert", in, "-o", dir.file("o.png"), "--size", "16", "--colors", "2"}).status, 2);
    EXPECT_EQ(RunVornikCli({"convert", in, "-o", out, "--size", "16", "--colors", "2", "--transparent", "1"}).status, 2);
    auto r = RunVornikCli({"convert", in, "-o", out, "--size", "16", "--colors", "2", "--transparent", "64,0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("outside"), std::string::npos);
    test::WriteAll(dir.path() / "junk.bmp", Bytes{'B', 'M', 1, 2, 3});
    r = RunVornikCli({"convert", dir.file("junk.bmp"), "-o", out, "--size", "16", "--colors", "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
