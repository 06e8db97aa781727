// vornik-cli with Apple icons, against the files other tools write and read:
// icnsutils (png2icns, icns2png) and Pillow, when they are installed.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iterator>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "model/IcnsFile.h"

using namespace vornik;
namespace fs = std::filesystem;

namespace {

using ToolRun = test::AniCliRun;

ToolRun shell(const std::string& command) { return test::RunShell(command); }
ToolRun cli(const std::vector<std::string>& args) { return test::RunVornikCli(args); }

bool have(const char* program) { return fs::exists(std::string("/usr/bin/") + program); }
bool havePillow() { return have("python3") && shell("/usr/bin/python3 -c 'import PIL'").status == 0; }

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// libpng's decode to RGBA, straight alpha.
Bytes pngPixels(const std::string& path, int* side = nullptr) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw std::runtime_error(path + ": " + image.message);
    image.format = PNG_FORMAT_RGBA;
    Bytes pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        throw std::runtime_error(image.message);
    if (side) *side = static_cast<int>(image.width);
    return pixels;
}

// Soft edges, a thin line and transparency, so every coding has work to do.
const char* const kLogo =
    "<svg xmlns='http://www.w3.org/2000/svg' width='128' height='128' viewBox='0 0 128 128'>"
    "<circle cx='64' cy='64' r='58' fill='#2a6' fill-opacity='0.85'/>"
    "<path d='M20 64 H108' stroke='#fff' stroke-width='9'/></svg>";

// The types `list --tsv` shows, in order.
std::vector<std::string> listedTypes(const std::string& path) {
    const ToolRun r = cli({"list", "--tsv", path});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> types;
    std::size_t pos = r.out.find('\n');
    while (pos != std::string::npos && pos + 1 < r.out.size()) {
        const std::size_t end = r.out.find('\n', pos + 1);
        const std::string line = r.out.substr(pos + 1, end - pos - 1);
        types.push_back(line.substr(line.rfind('\t') + 1));
        pos = end;
    }
    return types;
}

}  // namespace

TEST(IcnsCli, OurFileListsInIcns2pngWithEveryTypeAndTheSamePixels) {
    test::TempDir dir;
    test::WriteAll(dir.file("logo.svg"), text(kLogo));
    const std::string icns = dir.file("app.icns");
    const ToolRun made = cli({"convert", dir.file("logo.svg"), "-o", icns});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(listedTypes(icns), (std::vector<std::string>{"is32", "il32", "ic11", "ic12", "ic07", "ic08",
                                                           "ic13", "ic09", "ic14", "ic10"}));
    const ToolRun png = cli({"extract", "--png", icns, "-o", dir.file("ours")});
    ASSERT_EQ(png.status, 0) << png.err;
    // Each PNG is the SVG drawn at that size: 16 is not the 1024 shrunk.
    int side = 0;
    EXPECT_EQ(pngPixels(dir.file("ours/app-00.png"), &side).size(), 16u * 16 * 4);
    EXPECT_EQ(side, 16);
    EXPECT_EQ(pngPixels(dir.file("ours/app-09.png"), &side).size(), 1024u * 1024 * 4);

    if (!have("icns2png")) GTEST_SKIP() << "icnsutils is not installed";
    const ToolRun listed = shell("icns2png -l " + test::ShellQuoted(icns));
    for (const char* type :
         {"is32", "s8mk", "il32", "l8mk", "ic11", "ic12", "ic07", "ic08", "ic13", "ic09", "ic14", "ic10"})
        EXPECT_NE(listed.out.find(std::string("'") + type + "'"), std::string::npos) << type << "\n"
                                                                                     << listed.out;
    // icns2png decodes the run-length images with their masks and the
    // large PNG ones: the same pixels as ours.
    fs::create_directories(dir.file("theirs"));
    ASSERT_EQ(shell("icns2png -x -o " + test::ShellQuoted(dir.file("theirs")) + " " + test::ShellQuoted(icns)).status, 0);
    const std::pair<const char*, const char*> pairs[] = {{"app_16x16x32.png", "app-00.png"},
                                                         {"app_32x32x32.png", "app-01.png"},
                                                         {"app_256x256x32.png", "app-05.png"},
                                                         {"app_512x512x32.png", "app-07.png"},
                                                         {"app_1024x1024x32.png", "app-09.png"}};
    for (const auto& [theirs, ours] : pairs)
        EXPECT_EQ(pngPixels(dir.file(std::string("theirs/") + theirs)),
                  pngPixels(dir.file(std::string("ours/") + ours)))
            << theirs;
}

TEST(IcnsCli, Png2icnsFilesListResaveAndExtractWithTheirJpeg2000Kept) {
    if (!have("png2icns") || !have("rsvg-convert"))
        GTEST_SKIP() << "icnsutils or rsvg-convert is not installed";
    test::TempDir dir;
    test::WriteAll(dir.file("logo.svg"), text(kLogo));
    std::string pngs;
    for (int side : {16, 32, 48, 128, 256}) {
        const std::string png = dir.file("l" + std::to_string(side) + ".png");
        ASSERT_EQ(shell("rsvg-convert -w " + std::to_string(side) + " -h " + std::to_string(side) + " " +
                        test::ShellQuoted(dir.file("logo.svg")) + " -o " + test::ShellQuoted(png))
                      .status,
                  0);
        pngs += " " + test::ShellQuoted(png);
    }
    const std::string icns = dir.file("theirs.icns");
    ASSERT_EQ(shell("png2icns " + test::ShellQuoted(icns) + pngs).status, 0);

    const ToolRun table = cli({"list", icns});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("256 x 256 - ic08"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("JPEG 2000"), std::string::npos) << table.out;
    const std::vector<std::string> types = {"is32", "il32", "ih32", "it32", "ic08"};
    EXPECT_EQ(listedTypes(icns), types);

    // Resaved: the same entries, every element byte for byte.
    const std::string again = dir.file("again.icns");
    const ToolRun resave = cli({"resave", icns, again});
    ASSERT_EQ(resave.status, 0) << resave.err;
    EXPECT_EQ(listedTypes(again), types);
    const IcnsFile a = ReadIcnsFile(icns), b = ReadIcnsFile(again);
    ASSERT_EQ(a.elements.size(), b.elements.size());
    for (std::size_t i = 0; i < a.elements.size(); ++i) {
        EXPECT_EQ(a.elements[i].type, b.elements[i].type);
        EXPECT_EQ(a.elements[i].data, b.elements[i].data) << IcnsTypeText(a.elements[i].type);
    }
    ASSERT_EQ(shell("icns2png -l " + test::ShellQuoted(again)).status, 0);

    // extract --png: our decoding equals icns2png's; the JPEG 2000 one is skipped, saying so.
    const ToolRun png = cli({"extract", "--png", icns, "-o", dir.file("ours")});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_NE(png.err.find("entry 4 (ic08) is JPEG 2000"), std::string::npos) << png.err;
    EXPECT_FALSE(fs::exists(dir.file("ours/theirs-04.png")));
    fs::create_directories(dir.file("x"));
    ASSERT_EQ(shell("icns2png -x -o " + test::ShellQuoted(dir.file("x")) + " " + test::ShellQuoted(icns)).status, 0);
    EXPECT_EQ(pngPixels(dir.file("ours/theirs-00.png")), pngPixels(dir.file("x/theirs_16x16x32.png")));
    EXPECT_EQ(pngPixels(dir.file("ours/theirs-03.png")), pngPixels(dir.file("x/theirs_128x128x32.png")));
    // Without --png each image is a one-image ICNS, the JPEG 2000 one included.
    ASSERT_EQ(cli({"extract", icns, "-o", dir.file("one")}).status, 0);
    EXPECT_EQ(listedTypes(dir.file("one/theirs-04.icns")), (std::vector<std::string>{"ic08"}));
    // As a picture source, the largest image that decodes serves.
    const ToolRun picture = cli({"picture", icns, "-o", dir.file("largest.png")});
    ASSERT_EQ(picture.status, 0) << picture.err;
    int side = 0;
    EXPECT_EQ(pngPixels(dir.file("largest.png"), &side), pngPixels(dir.file("ours/theirs-03.png")));
}

TEST(IcnsCli, PillowFilesKeepTheirPngBytesAndExportTakesAnEntry) {
    if (!havePillow()) GTEST_SKIP() << "python3-pil is not installed";
    test::TempDir dir;
    const std::string icns = dir.file("pil.icns");
    ASSERT_EQ(shell("/usr/bin/python3 -c \"from PIL import Image, ImageDraw\n"
                    "im = Image.new('RGBA', (1024, 1024), (0, 0, 0, 0))\n"
                    "ImageDraw.Draw(im).ellipse((100, 100, 900, 900), fill=(200, 40, 40, 180))\n"
                    "im.save('" +
                    icns + "')\"")
                  .status,
              0);
    const std::vector<std::string> types = listedTypes(icns);
    ASSERT_FALSE(types.empty());
    const ToolRun resave = cli({"resave", icns, dir.file("again.icns")});
    ASSERT_EQ(resave.status, 0) << resave.err;
    EXPECT_EQ(listedTypes(dir.file("again.icns")), types);
    const IcnsFile a = ReadIcnsFile(icns), b = ReadIcnsFile(dir.file("again.icns"));
    ASSERT_EQ(a.elements.size(), b.elements.size());
    for (std::size_t i = 0; i < a.elements.size(); ++i) EXPECT_EQ(a.elements[i].data, b.elements[i].data);
    // Pillow reads our file back.
    EXPECT_EQ(shell("/usr/bin/python3 -c \"from PIL import Image\nim = Image.open('" +
                    dir.file("again.icns") + "')\nim.load()\nassert im.size == (1024, 1024), im.size\"")
                  .status,
              0);
    // export: a PNG image as it is; any image as a one-entry icon.
    const std::size_t last = types.size() - 1;
    ASSERT_EQ(cli({"export", icns, "--entry", std::to_string(last), "-o", dir.file("e.png")}).status, 0);
    const ToolRun ico = cli({"export", icns, "--entry", "0", "-o", dir.file("e.ico")});
    ASSERT_EQ(ico.status, 0) << ico.err;
    EXPECT_EQ(cli({"list", dir.file("e.ico")}).status, 0);
    const ToolRun none = cli({"export", icns, "--entry", "99", "-o", dir.file("n.png")});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("no entry 99"), std::string::npos) << none.err;
}

TEST(IcnsCli, MalformedFilesAreRefusedQuicklyWithTheReason) {
    test::TempDir dir;
    // A header that promises far more than the file holds, and an element
    // that claims four gigabytes.
    test::WriteAll(dir.file("cut.icns"),
                   Bytes{'i', 'c', 'n', 's', 0, 0x10, 0, 0, 'i', 's', '3', '2', 0, 0, 0, 9, 1});
    test::WriteAll(dir.file("huge.icns"),
                   Bytes{'i', 'c', 'n', 's', 0, 0, 0, 17, 'i', 'c', '1', '0', 0xFF, 0xFF, 0xFF, 0xFF, 1});
    for (const char* name : {"cut.icns", "huge.icns"})
        for (const char* command : {"list", "extract"}) {
            const auto start = std::chrono::steady_clock::now();
            std::vector<std::string> args = {command, dir.file(name)};
            if (std::string(command) == "extract") args.insert(args.end(), {"-o", dir.file("out")});
            const ToolRun r = cli(args);
            // A second in a release build; sanitized builds start slowly on a busy machine.
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3))
                << name << " " << command;
            EXPECT_EQ(r.status, 1) << name << " " << command;
            EXPECT_NE(r.err.find("\"" + dir.file(name) + "\""), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(std::string(name) == "cut.icns" ? "cut short" : "only 9 remain"),
                      std::string::npos)
                << r.err;
        }
    EXPECT_FALSE(fs::exists(dir.file("out")));
    // A PNG element of the wrong size is named and left out.
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                 'I',  'H', 'D', 'R', 0,    0,    0,    64,   0, 0, 0, 64};
    // Sized first: GCC 12 warns wrongly (-Warray-bounds) when a braced vector grows.
    const std::uint8_t head[] = {'i', 'c', 'n', 's', 0, 0, 0, static_cast<std::uint8_t>(16 + png.size()),
                                 'i', 'c', '0', '7', 0, 0, 0, static_cast<std::uint8_t>(8 + png.size())};
    Bytes file(sizeof head + png.size());
    std::copy(std::begin(head), std::end(head), file.begin());
    std::copy(png.begin(), png.end(), file.begin() + sizeof head);
    test::WriteAll(dir.file("wrong.icns"), file);
    const ToolRun r = cli({"list", dir.file("wrong.icns")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\"ic07\" at 0x8: a 64 x 64 PNG where 128 x 128 belongs; left out"),
              std::string::npos)
        << r.err;
}
