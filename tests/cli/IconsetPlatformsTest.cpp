// vornik-cli iconset for every platform, run as a program: the files listed
// and present, the web manifest valid JSON naming icons of their stated
// sizes, small sizes drawn afresh rather than shrunk, files kept unless
// --overwrite.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <sstream>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "imaging/ScaleArea.h"
#include "imaging/SvgRenderer.h"

using namespace vornik;
namespace fs = std::filesystem;

namespace {

using SetRun = test::AniCliRun;

SetRun shell(const std::string& command) { return test::RunShell(command); }
SetRun cli(const std::vector<std::string>& args) { return test::RunVornikCli(args); }

const char* const kLogo =
    "<svg xmlns='http://www.w3.org/2000/svg' width='128' height='128' viewBox='0 0 128 128'>"
    "<circle cx='64' cy='64' r='58' fill='#2a6' fill-opacity='0.85'/>"
    "<path d='M20 64 H108' stroke='#fff' stroke-width='9'/></svg>";

// BGRA, rows top-down, straight alpha.
Bytes pngBgra(const std::string& path, int* side) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw std::runtime_error(path + ": " + image.message);
    image.format = PNG_FORMAT_BGRA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    *side = static_cast<int>(image.width);
    EXPECT_EQ(image.width, image.height) << path;
    return pixels;
}

Bytes rendered(const std::string& svg, int side) {
    const TQvDIB dib = RenderSvgHere(ReadSvgSource(svg), {{side, side}}).front();
    Bytes out;
    for (int y = 0; y < side; ++y) out.insert(out.end(), dib.ScanLine(y), dib.ScanLine(y) + 4 * side);
    return out;
}

long difference(const Bytes& a, const Bytes& b) {
    long sum = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
    return sum;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

}  // namespace

TEST(IconsetPlatforms, AnSvgMakesEveryPlatformsFilesWithAValidManifest) {
    test::TempDir dir;
    const std::string svg = dir.file("logo.svg");
    test::WriteAll(svg, Bytes(kLogo, kLogo + std::strlen(kLogo)));
    const std::string out = dir.file("set");
    const SetRun r = cli({"iconset", svg, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> listed = lines(r.out);
    for (const auto& file : listed) EXPECT_TRUE(fs::is_regular_file(file)) << file;
    std::size_t present = 0;
    for (const auto& entry : fs::recursive_directory_iterator(out)) present += entry.is_regular_file();
    EXPECT_EQ(present, listed.size());
    for (const char* file :
         {"app.ico", "app.icns", "app.iconset/icon_512x512@2x.png", "hicolor/48x48/apps/logo.png",
          "hicolor/scalable/apps/logo.svg", "favicon.ico", "favicon.svg", "apple-touch-icon.png",
          "site.webmanifest", "head.html", "AppIcon.appiconset/Contents.json",
          "android/mipmap-xxhdpi/ic_launcher_foreground.png", "android/mipmap-anydpi-v26/ic_launcher.xml"})
        EXPECT_TRUE(fs::is_regular_file(out + "/" + file)) << file;
    const Bytes head = test::ReadAll(out + "/head.html");
    for (const char* name : {"favicon.ico", "favicon.svg", "apple-touch-icon.png", "site.webmanifest"})
        EXPECT_NE(std::string(head.begin(), head.end()).find(name), std::string::npos) << name;

    // The manifest parses as JSON; each icon exists at its stated size.
    if (fs::exists("/usr/bin/python3")) {
        const SetRun json =
            shell("cd " + test::ShellQuoted(out) +
                  " && /usr/bin/python3 -c \"import json\n"
                  "m = json.load(open('site.webmanifest'))\n"
                  "for i in m['icons']: print(i['src'], i['sizes'], i['type'], i['purpose'])\"");
        ASSERT_EQ(json.status, 0) << json.err;
        const std::vector<std::string> icons = lines(json.out);
        ASSERT_EQ(icons.size(), 3u);
        EXPECT_EQ(icons[2], "icon-maskable-512.png 512x512 image/png maskable");
        for (const auto& icon : icons) {
            std::stringstream fields(icon);
            std::string src, sizes;
            fields >> src >> sizes;
            int side = 0;
            pngBgra(out + "/" + src, &side);
            EXPECT_EQ(std::to_string(side) + "x" + std::to_string(side), sizes) << src;
        }
    }

    // 16 px drawn at 16: exactly librsvg's rendering there, closer to it
    // than the 1024 px icon shrunk.
    int side = 0;
    const Bytes small = pngBgra(out + "/app.iconset/icon_16x16.png", &side);
    ASSERT_EQ(side, 16);
    const Bytes big = pngBgra(out + "/app.iconset/icon_512x512@2x.png", &side);
    ASSERT_EQ(side, 1024);
    Bytes shrunk(16 * 16 * 4);
    ScaleAreaBgra(big.data(), 1024, 1024, 1024 * 4, shrunk.data(), 16, 16, 16 * 4);
    const Bytes at16 = rendered(svg, 16);
    EXPECT_EQ(difference(small, at16), 0);
    EXPECT_GT(difference(shrunk, at16), 100);
}

TEST(IconsetPlatforms, PlatformsChooseBackgroundFillsAndFilesAreKeptWithoutOverwrite) {
    test::TempDir dir;
    const std::string svg = dir.file("logo.svg");
    test::WriteAll(svg, Bytes(kLogo, kLogo + std::strlen(kLogo)));
    const std::string out = dir.file("web");
    const SetRun r = cli({"iconset", svg, "-o", out, "--platforms", "web", "--background", "#000080"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out).size(), 8u) << r.out;
    EXPECT_FALSE(fs::exists(out + "/app.ico"));
    int side = 0;
    const Bytes touch = pngBgra(out + "/apple-touch-icon.png", &side);
    EXPECT_EQ(side, 180);
    EXPECT_EQ(Bytes(touch.begin(), touch.begin() + 4), (Bytes{0x80, 0, 0, 255}));  // the corner: navy, opaque

    const Bytes before = test::ReadAll(out + "/icon-192.png");
    const std::string other =
        "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
        "<rect width='8' height='8' fill='#f00'/></svg>";
    test::WriteAll(dir.file("other.svg"), Bytes(other.begin(), other.end()));
    const SetRun again = cli({"iconset", dir.file("other.svg"), "-o", out, "--platforms", "web"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("exists; nothing written"), std::string::npos) << again.err;
    EXPECT_EQ(test::ReadAll(out + "/icon-192.png"), before);
    EXPECT_EQ(cli({"iconset", dir.file("other.svg"), "-o", out, "--platforms", "web", "--overwrite"}).status,
              0);
    EXPECT_NE(test::ReadAll(out + "/icon-192.png"), before);

    EXPECT_EQ(cli({"iconset", svg, "-o", out, "--platforms", "tvos"}).status, 2);
    EXPECT_EQ(cli({"iconset", svg, "-o", out, "--background", "blue-ish"}).status, 2);
}
