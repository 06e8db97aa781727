// vornik-cli with SVG pictures: convert drawing each size, per-size sources,
// picture, and iconset, run as a program.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TestFiles.h"
#include "imaging/SvgRenderer.h"
#include "model/EntryConversion.h"
#include "model/TIconEx.h"

using namespace vornik;
namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun cli(const std::vector<std::string>& args) {
    test::TempDir dir;
    std::string command = quoted(VORNIK_CLI_PATH);
    for (const auto& a : args) command += " " + quoted(a);
    command += " >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err"));
    const int raw = std::system(command.c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const Bytes out = test::ReadAll(dir.path() / "out"), err = test::ReadAll(dir.path() / "err");
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A logo with soft edges and a thin line that only direct rendering keeps.
const char* const kLogo =
    "<svg xmlns='http://www.w3.org/2000/svg' width='128' height='128' viewBox='0 0 128 128'>"
    "<circle cx='64' cy='64' r='58' fill='#2a6' fill-opacity='0.85'/>"
    "<path d='M20 64 H108' stroke='#fff' stroke-width='9'/></svg>";

// libpng's own decode to BGRA, straight alpha.
Bytes decodePngBgra(const std::string& path, int& w, int& h) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) throw std::runtime_error(image.message);
    image.format = PNG_FORMAT_BGRA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    w = int(image.width);
    h = int(image.height);
    return pixels;
}

// The entry's 32-bit image rows as stored, turned top-down.
Bytes entryBgra(const TIconEx& set, int index) {
    const IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    const int bitCount = e.InfoHeader.size() >= 16 ? e.InfoHeader[14] | e.InfoHeader[15] << 8 : 0;
    EXPECT_EQ(bitCount, 32);
    const std::size_t row = static_cast<std::size_t>(e.Width == 0 ? 256 : e.Width) * 4;
    const std::size_t rows = row ? e.XorBits.size() / row : 0;
    Bytes out;
    for (std::size_t y = rows; y-- > 0;)
        out.insert(out.end(), e.XorBits.begin() + y * row, e.XorBits.begin() + (y + 1) * row);
    return out;
}

Bytes renderedBgra(const std::string& svgPath, int side) {
    const TQvDIB dib = RenderSvgHere(ReadSvgSource(svgPath), {{side, side}}).front();
    Bytes out;
    for (int y = 0; y < side; ++y) out.insert(out.end(), dib.ScanLine(y), dib.ScanLine(y) + 4 * side);
    return out;
}

}  // namespace

TEST(SvgCli, IconsetWritesTheWholeSetDrawnAtEachSize) {
    test::TempDir dir;
    const std::string svg = dir.file("logo.svg");
    test::WriteAll(svg, text(kLogo));
    const std::string out = dir.file("set");
    const CliRun r = cli({"iconset", svg, "-o", out, "--name", "org.example.Logo", "--platforms", "linux,windows"});
    ASSERT_EQ(r.status, 0) << r.err;

    std::vector<std::string> expected = {out + "/app.ico"};
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        expected.push_back(out + "/hicolor/" + std::to_string(n) + "x" + std::to_string(n) +
                           "/apps/org.example.Logo.png");
    expected.push_back(out + "/hicolor/scalable/apps/org.example.Logo.svg");
    std::string listed;
    for (const auto& f : expected) listed += f + "\n";
    EXPECT_EQ(r.out, listed);
    for (const auto& f : expected) EXPECT_TRUE(fs::exists(f)) << f;
    EXPECT_EQ(test::ReadAll(out + "/hicolor/scalable/apps/org.example.Logo.svg"), text(kLogo));

    // Every PNG equals librsvg's own drawing at that size, alpha included.
    for (int n : {16, 22, 48, 512}) {
        int w = 0, h = 0;
        const Bytes png = decodePngBgra(
            out + "/hicolor/" + std::to_string(n) + "x" + std::to_string(n) + "/apps/org.example.Logo.png", w,
            h);
        ASSERT_EQ(w, n);
        EXPECT_EQ(png, renderedBgra(svg, n)) << n;
    }
    // app.ico: the ten sizes, 32-bit, each entry drawn at its size.
    TIconCurEX app;
    app.LoadFromFile(out + "/app.ico");
    ASSERT_EQ(app.Count, 10);
    const int sides[] = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(app.Entries[i].Width, static_cast<std::uint8_t>(sides[i]));  // 256 is stored as 0
        EXPECT_EQ(entryBgra(app, i), renderedBgra(svg, sides[i])) << sides[i];
    }
}

TEST(SvgCli, PerSizeSourcesStandBesideTheSvg) {
    VORNIK_REQUIRE_CORPUS();
    test::TempDir dir;
    const std::string svg = dir.file("logo.svg"), small = dir.file("small.svg");
    test::WriteAll(svg, text(kLogo));
    test::WriteAll(small, text("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                               "<rect x='2' y='2' width='12' height='12' fill='#00f'/></svg>"));
    const std::string bmp = (test::CorpusDir() / "bmp/good/gdkpixbuf__valid.1.bmp").string();  // 48 x 48
    const CliRun r = cli({"iconset", svg, "-o", dir.file("set"), "--source", "16=" + small, "--source",
                          "24=" + small, "--source", "32=" + bmp});
    ASSERT_EQ(r.status, 0) << r.err;
    TIconCurEX app;
    app.LoadFromFile(dir.file("set/app.ico"));
    ASSERT_EQ(app.Count, 10);
    EXPECT_EQ(entryBgra(app, 0), renderedBgra(small, 16));
    EXPECT_EQ(entryBgra(app, 2), renderedBgra(small, 24));
    EXPECT_NE(entryBgra(app, 3), renderedBgra(svg, 32));  // the bitmap's
    EXPECT_EQ(entryBgra(app, 5), renderedBgra(svg, 48));

    // convert: the SVG drawn at each size, the small drawing at 16.
    const std::string ico = dir.file("c.ico");
    const CliRun c =
        cli({"convert", svg, "-o", ico, "--size", "16,32", "--colors", "true", "--source", "16=" + small});
    ASSERT_EQ(c.status, 0) << c.err;
    TIconCurEX converted;
    converted.LoadFromFile(ico);
    ASSERT_EQ(converted.Count, 2);
    TQvDIB image, mask;
    EntryToDIBs(converted, image, mask, 0);
    ASSERT_EQ(image.GetBitCount(), 24);
    const int top = image.IsTopDown() ? 8 : 7;   // row 8 from the top
    EXPECT_EQ(image.ScanLine(top)[3 * 8], 255);  // blue square of small.svg
    EXPECT_EQ(image.ScanLine(top)[3 * 8 + 2], 0);

    EXPECT_EQ(cli({"convert", svg, "-o", ico, "--size", "16", "--colors", "true", "--source", "17=" + small})
                  .status,
              2);
    EXPECT_EQ(cli({"iconset", svg, "-o", dir.file("x"), "--source", "16"}).status, 2);
    EXPECT_EQ(cli({"iconset", svg, "-o", dir.file("x"), "--source", "16=a", "--source", "16=b"}).status, 2);
}

TEST(SvgCli, PictureKeepsAlphaAndBadSvgsAreRefusedByName) {
    test::TempDir dir;
    const std::string svg = dir.file("logo.svgz");
    test::WriteAll(dir.file("logo.svg"), text(kLogo));
    ASSERT_EQ(std::system(("gzip -c " + quoted(dir.file("logo.svg")) + " > " + quoted(svg)).c_str()), 0);
    const CliRun r = cli({"picture", svg, "-o", dir.file("p.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    int w = 0, h = 0;
    EXPECT_EQ(decodePngBgra(dir.file("p.png"), w, h), renderedBgra(dir.file("logo.svg"), 128));

    test::WriteAll(dir.file("far.svg"), text("<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
                                             "<image href='http://example.com/x.png'/></svg>"));
    test::WriteAll(dir.file("sizeless.svg"), text("<svg xmlns='http://www.w3.org/2000/svg'/>"));
    test::WriteAll(dir.file("broken.svg"), text("<svg xmlns='http://www.w3.org/2000/svg' width='8'"));
    for (const std::string name : {"far.svg", "sizeless.svg", "broken.svg"})
        for (const std::string command : {"convert", "iconset"}) {
            std::vector<std::string> args = {command, dir.file(name), "-o", dir.file("o.ico")};
            if (command == "convert") args.insert(args.end(), {"--size", "16", "--colors", "true"});
            const CliRun bad = cli(args);
            EXPECT_EQ(bad.status, 1) << name << " " << command;
            EXPECT_NE(bad.err.find("\"" + dir.file(name) + "\""), std::string::npos) << bad.err;
        }
    EXPECT_FALSE(fs::exists(dir.file("o.ico")));
}
