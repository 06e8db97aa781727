// vornik-cli picture, run as a program, and the PNG writer behind it.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdlib>

#include "TestFiles.h"
#include "imaging/JpegDIB.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"

using namespace vornik;

namespace {

struct PictureRun {
    int status = -1;
    std::string err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

PictureRun picture(const std::vector<std::string>& args) {
    test::TempDir dir;
    std::string command = quoted(VORNIK_CLI_PATH) + " picture";
    for (const auto& a : args) command += " " + quoted(a);
    command += " >/dev/null 2>" + quoted(dir.file("err"));
    const int raw = std::system(command.c_str());
    PictureRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes err = test::ReadAll(dir.path() / "err");
    r.err.assign(err.begin(), err.end());
    return r;
}

// libpng's own decode to RGBA.
struct Rgba {
    int width = 0, height = 0;
    Bytes pixels;
    const std::uint8_t* at(int x, int y) const { return pixels.data() + (std::size_t(y) * width + x) * 4; }
};
Rgba decodePng(const Bytes& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size()))
        throw std::runtime_error(image.message);
    image.format = PNG_FORMAT_RGBA;
    Rgba out;
    out.width = int(image.width);
    out.height = int(image.height);
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    return out;
}

// 3 x 2, 4 bits: top row red, green, blue; bottom row white, black, red.
TQvDIB smallPicture() {
    TQvDIB dib;
    dib.CreateDIB(3, 2, 0, 4);
    const RgbQuad table[] = {MakeRgbQuad(0, 0, 0), MakeRgbQuad(255, 0, 0), MakeRgbQuad(0, 255, 0),
                             MakeRgbQuad(0, 0, 255), MakeRgbQuad(255, 255, 255)};
    dib.SetColorTable(table, 5);
    TQvDIBCanvas c(dib);
    c.SetPixel(0, 0, RgbColor(255, 0, 0));
    c.SetPixel(1, 0, RgbColor(0, 255, 0));
    c.SetPixel(2, 0, RgbColor(0, 0, 255));
    c.SetPixel(0, 1, kRasterWhite);
    c.SetPixel(2, 1, RgbColor(255, 0, 0));
    return dib;
}

void expectRgb(const Rgba& png, int x, int y, int r, int g, int b) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    EXPECT_EQ(png.at(x, y)[0], r);
    EXPECT_EQ(png.at(x, y)[1], g);
    EXPECT_EQ(png.at(x, y)[2], b);
}

TEST(CliPicture, BitmapToPngKeepsEveryPixel) {
    test::TempDir dir;
    smallPicture().SaveToFile(dir.file("in.bmp"));
    const PictureRun r = picture({dir.file("in.bmp"), "-o", dir.file("out.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Rgba png = decodePng(test::ReadAll(dir.path() / "out.png"));
    ASSERT_EQ(png.width, 3);
    ASSERT_EQ(png.height, 2);
    expectRgb(png, 0, 0, 255, 0, 0);
    expectRgb(png, 1, 0, 0, 255, 0);
    expectRgb(png, 2, 0, 0, 0, 255);
    expectRgb(png, 0, 1, 255, 255, 255);
    expectRgb(png, 1, 1, 0, 0, 0);
    EXPECT_EQ(png.at(1, 1)[3], 255);
}

TEST(CliPicture, ColourOptionsPickTheConversion) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    const std::string jpeg = (test::CorpusDir() / "jpeg" / "pillow__hopper.jpg").string();
    const std::vector<std::pair<std::string, int>> cases = {
        {"2", 1}, {"16", 4}, {"16fixed", 4}, {"256", 8}, {"true", 24}};
    for (const auto& [colors, bits] : cases) {
        SCOPED_TRACE(colors);
        const std::string out = dir.file("h" + colors + ".dib");
        const PictureRun r = picture({jpeg, "--colors", colors, "-o", out});
        ASSERT_EQ(r.status, 0) << r.err;
        TQvDIB dib;
        dib.LoadFromFile(out);
        EXPECT_EQ(dib.GetBitCount(), bits);
        EXPECT_EQ(dib.Width(), 128);
        EXPECT_EQ(dib.Height(), 128);
    }
    // Without --colors a JPEG stays true colour; a bitmap goes back out as JPEG by content.
    ASSERT_EQ(picture({jpeg, "-o", dir.file("plain.BMP")}).status, 0);
    TQvDIB plain;
    plain.LoadFromFile(dir.file("plain.BMP"));
    EXPECT_EQ(plain.GetBitCount(), 24);
    std::filesystem::copy_file(dir.file("plain.BMP"), dir.file("disguised.jpg"));
    ASSERT_EQ(picture({dir.file("disguised.jpg"), "-o", dir.file("again.jpeg")}).status, 0);
    TQvDIB again;
    LoadJpegFile(dir.file("again.jpeg"), again);
    EXPECT_EQ(again.Width(), 128);
}

TEST(CliPicture, RefusedInputsExitOneWithTheReason) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    const std::string bad = (test::CorpusDir() / "bad" / "gdkpixbuf__issue205.jpg").string();
    PictureRun r = picture({bad, "-o", dir.file("out.png")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vornik-cli picture: \"" + bad +
                         "\": the file is damaged (JPEG image too large: 64250 x 64250 pixels (at most 33554432 allowed))\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.png")));

    test::WriteAll(dir.path() / "text.bmp", Bytes{'h', 'e', 'l', 'l', 'o'});
    r = picture({dir.file("text.bmp"), "-o", dir.file("out.png")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vornik-cli picture: \"" + dir.file("text.bmp") + "\" is not a BMP, JPEG, PNG or SVG picture\n");

    r = picture({dir.file("missing.bmp"), "-o", dir.file("out.png")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("missing.bmp"), std::string::npos) << r.err;
}

TEST(CliPicture, UsageErrorsExitTwo) {
    test::TempDir dir;
    smallPicture().SaveToFile(dir.file("in.bmp"));
    const std::string in = dir.file("in.bmp");
    EXPECT_EQ(picture({in}).status, 2);
    EXPECT_EQ(picture({in, "-o", dir.file("out.gif")}).status, 2);
    EXPECT_EQ(picture({in, "-o", dir.file("out.png"), "--colors", "8"}).status, 2);
    EXPECT_EQ(picture({in, "-o", dir.file("out.png"), "--dither"}).status, 2);
    EXPECT_EQ(picture({in, in, "-o", dir.file("out.png")}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.png")));
}

TEST(PngWrite, MaskBecomesAlphaAtTheMonoThreshold) {
    TQvDIB image = smallPicture();
    TQvDIB mask;
    mask.CreateDIB(3, 2, 0, 24);
    {
        TQvDIBCanvas c(mask);
        c.SetPixel(0, 0, kRasterWhite);
        c.SetPixel(1, 0, RgbColor(129, 129, 129));  // cut like ConvertToMono: transparent
        c.SetPixel(2, 0, RgbColor(128, 128, 128));  // opaque
    }
    const Rgba png = decodePng(EncodePng(image, &mask));
    EXPECT_EQ(png.at(0, 0)[3], 0);
    EXPECT_EQ(png.at(1, 0)[3], 0);
    EXPECT_EQ(png.at(2, 0)[3], 255);
    EXPECT_EQ(png.at(0, 1)[3], 255);
    expectRgb(png, 2, 0, 0, 0, 255);
    // A 1-bit entry mask works the same (bit 1 = white = transparent).
    TQvDIB mono(mask);
    mono.ConvertToMono();
    ASSERT_EQ(mono.GetBitCount(), 1);
    const Rgba png2 = decodePng(EncodePng(image, &mono));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(png2.pixels[i * 4 + 3], png.pixels[i * 4 + 3]);

    TQvDIB wrongSize;
    wrongSize.CreateDIB(2, 2, 0, 24);
    EXPECT_THROW(EncodePng(image, &wrongSize), EPngWriteError);
}

}  // namespace
