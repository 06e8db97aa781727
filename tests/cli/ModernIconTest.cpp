// vornik-cli with 32-bit alpha, 256-pixel PNG entries and faithful scaling.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/EntryStorage.h"
#include "model/IconImageReader.h"
#include "model/TIconEx.h"

using namespace vornik;
using test::RunVornikCli;

namespace {

// A w x h RGBA PNG: an opaque orange disc with a soft edge on transparent
// black, so alpha runs through every value at its rim.
Bytes discPng(int w, int h) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep d, png_size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), d, d + n);
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 4);
    const double r = std::min(w, h) / 2.0 - 2;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x + 0.5 - w / 2.0, y + 0.5 - h / 2.0);
            const double a = std::clamp((r - d) / 4 + 0.5, 0.0, 1.0);
            std::uint8_t* p = row.data() + 4 * x;
            p[0] = a > 0 ? 255 : 0;
            p[1] = a > 0 ? 128 : 0;
            p[2] = 0;
            p[3] = static_cast<std::uint8_t>(std::lround(a * 255));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

int bitCountOf(const IconEntry& e) { return ReadU16LE(e.InfoHeader.data() + bih::kBitCount); }

// Pixel (x, y from the top) of a 32-bit entry: blue, green, red, alpha.
const std::uint8_t* pixel(const IconEntry& e, int x, int y) {
    const int w = e.PixelWidth(), h = e.PixelHeight();
    return e.XorBits.data() + (static_cast<std::size_t>(h - 1 - y) * w + x) * 4;
}

}  // namespace

TEST(CliModern, DefaultsMakeAWindowsApplicationIcon) {
    test::TempDir dir;
    test::WriteAll(dir.path() / "in.png", discPng(256, 256));
    auto r = RunVornikCli({"convert", dir.file("in.png"), "-o", dir.file("out.ico")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes file = test::ReadAll(dir.path() / "out.ico");
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromBytes(file, "out.ico"));
    ASSERT_EQ(set.Count, 5);
    const int sides[] = {16, 24, 32, 48, 256};
    for (int i = 0; i < 5; ++i) {
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.PixelWidth(), sides[i]);
        EXPECT_EQ(bitCountOf(e), 32);
        // Only the 256-pixel entry is a PNG.
        EXPECT_EQ(IsPngImage(file.data(), file.size(), e.ImageOffset), i == 4) << i;
    }
    // The rim keeps soft alpha and its colour: no dark fringe.
    const IconEntry& small = set.Entries[2];
    int soft = 0;
    for (int x = 0; x < 32; ++x) {
        const std::uint8_t* p = pixel(small, x, 16);
        if (p[3] > 0 && p[3] < 255) {
            ++soft;
            EXPECT_GE(p[2], 250);  // red
            EXPECT_GE(p[1], 120);
        }
    }
    EXPECT_GE(soft, 2);
    r = RunVornikCli({"list", dir.file("out.ico")});
    EXPECT_NE(r.out.find("256 x 256 - Full"), std::string::npos) << r.out;
}

TEST(CliModern, LowerDepthsSplitAlphaAtHalf) {
    test::TempDir dir;
    test::WriteAll(dir.path() / "in.png", discPng(64, 64));
    auto r = RunVornikCli({"convert", dir.file("in.png"), "-o", dir.file("out.ico"), "--size", "64", "--colors",
                           "true"});
    ASSERT_EQ(r.status, 0) << r.err;
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("out.ico")));
    const IconEntry& e = set.Entries[0];
    ASSERT_EQ(bitCountOf(e), 24);
    // Along the middle row: every opaque pixel is orange, never a dark speck.
    for (int x = 0; x < 64; ++x) {
        const std::uint8_t* m = e.AndBits.data() + static_cast<std::size_t>(63 - 32) * 8;
        const bool transparent = (m[x / 8] >> (7 - x % 8)) & 1;
        const std::uint8_t* p = e.XorBits.data() + static_cast<std::size_t>(63 - 32) * 192 + 3 * x;
        if (transparent) {
            EXPECT_EQ(p[0] | p[1] | p[2], 0) << x;
        } else {
            EXPECT_EQ(p[2], 255) << x;
        }
    }
}

TEST(CliModern, NonSquarePicturesArePaddedUnlessStretched) {
    test::TempDir dir;
    test::WriteAll(dir.path() / "wide.png", discPng(64, 32));
    auto r = RunVornikCli({"convert", dir.file("wide.png"), "-o", dir.file("pad.ico"), "--size", "32"});
    ASSERT_EQ(r.status, 0) << r.err;
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("pad.ico")));
    // 64 x 32 fits as 32 x 16 in rows 8..23; rows above and below are clear.
    EXPECT_EQ(pixel(set.Entries[0], 16, 2)[3], 0);
    EXPECT_EQ(pixel(set.Entries[0], 16, 29)[3], 0);
    EXPECT_EQ(pixel(set.Entries[0], 16, 16)[3], 255);

    r = RunVornikCli({"convert", dir.file("wide.png"), "-o", dir.file("st.ico"), "--size", "32", "--stretch",
                      "--nearest"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(set.LoadFromFile(dir.file("st.ico")));
    EXPECT_EQ(pixel(set.Entries[0], 16, 4)[3], 255);  // the disc now fills the height
}

TEST(CliModern, ResaveKeepsPngAndStorageFlags) {
    VORNIK_REQUIRE_CORPUS();
    const std::string favicon = (test::CorpusDir() / "ico" / "webamp__public__favicon.ico").string();
    test::TempDir dir;
    ASSERT_EQ(RunVornikCli({"resave", favicon, dir.file("same.ico")}).status, 0);
    EXPECT_LE(std::filesystem::file_size(dir.file("same.ico")), 25931u);
    ASSERT_EQ(RunVornikCli({"resave", "--bmp", favicon, dir.file("bmp.ico")}).status, 0);
    EXPECT_GT(std::filesystem::file_size(dir.file("bmp.ico")), 200000u);
    ASSERT_EQ(RunVornikCli({"resave", "--png", favicon, dir.file("png.ico")}).status, 0);
    const Bytes png = test::ReadAll(dir.path() / "png.ico");
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromBytes(png, "png.ico"));
    for (int i = 0; i < set.Count; ++i)
        EXPECT_TRUE(IsPngImage(png.data(), png.size(), set.Entries[static_cast<std::size_t>(i)].ImageOffset));
}

TEST(CliModern, ExportAndExtractKeepFullAlpha) {
    test::TempDir dir;
    test::WriteAll(dir.path() / "in.png", discPng(48, 48));
    ASSERT_EQ(RunVornikCli({"convert", dir.file("in.png"), "-o", dir.file("a.ico"), "--size", "48"}).status, 0);
    TIconCurEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("a.ico")));
    const IconEntry& e = set.Entries[0];

    ASSERT_EQ(RunVornikCli({"export", dir.file("a.ico"), "--entry", "0", "-o", dir.file("a.png")}).status, 0);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, dir.file("a.png").c_str()));
    image.format = PNG_FORMAT_BGRA;
    Bytes bgra(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, bgra.data(), 0, nullptr));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const std::uint8_t* p = pixel(e, x, y);
            const std::uint8_t* q = bgra.data() + (static_cast<std::size_t>(y) * 48 + x) * 4;
            ASSERT_EQ(p[3], q[3]) << x << "," << y;
            if (p[3] != 0) {
                ASSERT_TRUE(std::equal(p, p + 3, q)) << x << "," << y;
            }
        }

    ASSERT_EQ(RunVornikCli({"export", dir.file("a.ico"), "--entry", "0", "-o", dir.file("a.bmp")}).status, 0);
    const Bytes bmp = test::ReadAll(dir.path() / "a.bmp");
    ASSERT_GE(bmp.size(), 138u);
    EXPECT_EQ(ReadU32LE(bmp.data() + 14), 124u);        // BITMAPV5HEADER
    EXPECT_EQ(ReadU16LE(bmp.data() + 28), 32);          // bit count
    EXPECT_EQ(ReadU32LE(bmp.data() + 14 + 52), 0xFF000000u);  // alpha mask
    EXPECT_TRUE(std::equal(e.XorBits.begin(), e.XorBits.end(), bmp.begin() + 138));

    auto r = RunVornikCli({"extract", dir.file("a.ico"), "-o", dir.path().string(), "--png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(".png"), std::string::npos) << r.out;
}
