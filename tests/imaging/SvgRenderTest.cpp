// SVG rendering through librsvg: pixels against rsvg-convert, fitting into the
// square, and documents that must be refused.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "PngTestDecode.h"
#include "TestFiles.h"
#include "imaging/SvgRenderer.h"
#include "imaging/SvgSandbox.h"
#include "imaging/SvgSource.h"

namespace vornik {
namespace {

using test::TempDir;

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

SvgSource source(const std::string& xml, const std::string& path = "test.svg") {
    return MakeSvgSource(text(xml), path);
}

const std::uint8_t* pixel(const TQvDIB& dib, int x, int y) { return dib.ScanLine(y) + 4 * x; }

// Documents of the kinds real icons come in: size plus viewBox, size only,
// viewBox only, soft alpha and gradients.
const char* const kSizedViewBox =
    R"x(<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 100 100">)x"
    R"x(<defs><linearGradient id="g" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#f80"/>)x"
    R"x(<stop offset="1" stop-color="#08f" stop-opacity="0.3"/></linearGradient></defs>)x"
    R"x(<circle cx="50" cy="50" r="44" fill="url(#g)"/><rect x="12" y="15" width="31" height="19" fill="#103" )x"
    R"x(fill-opacity="0.6" transform="rotate(12 30 25)"/></svg>)x";
const char* const kSizeOnly =
    R"x(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="40"><path d="M4 36 L20 3 L36 36 Z" )x"
    R"x(fill="green" stroke="#000" stroke-width="1.5"/></svg>)x";
const char* const kViewBoxOnly =
    R"x(<?xml version="1.0"?><!-- made by hand --><svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 64 64">)x"
    R"x(<ellipse cx="32" cy="30" rx="27" ry="20" fill="#c03" opacity="0.8"/></svg>)x";

bool haveRsvgConvert() { return std::system("rsvg-convert --version >/dev/null 2>&1") == 0; }

TEST(SvgRender, PixelsEqualRsvgConvertAtEverySize) {
    if (!haveRsvgConvert()) GTEST_SKIP() << "rsvg-convert is not installed (tools/setup --dev)";
    TempDir dir;
    for (const char* xml : {kSizedViewBox, kSizeOnly, kViewBoxOnly}) {
        const std::string svg = dir.file("in.svg");
        test::WriteAll(svg, text(xml));
        const SvgSource src = ReadSvgSource(svg);
        for (int n : {16, 20, 24, 32, 48, 256}) {
            SCOPED_TRACE(std::string(xml).substr(0, 90) + " at " + std::to_string(n));
            const std::string png = dir.file("ref.png");
            const std::string cmd = "rsvg-convert -w " + std::to_string(n) + " -h " + std::to_string(n) +
                                    " '" + svg + "' -o '" + png + "'";
            ASSERT_EQ(std::system(cmd.c_str()), 0);
            const test::RgbaImage ref = test::DecodePngFile(png);
            const TQvDIB ours = RenderSvgHere(src, {{n, n}}).front();
            ASSERT_EQ(ours.GetBitCount(), 32);
            ASSERT_EQ(ours.Width(), ref.width);
            ASSERT_EQ(ours.Height(), ref.height);
            int worst = 0;
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) {
                    const std::uint8_t* o = pixel(ours, x, y);
                    const std::uint8_t* r = ref.At(x, y);
                    worst =
                        std::max({worst, std::abs(o[3] - r[3]), std::abs(o[2] - r[0]) * r[3] / 255,
                                  std::abs(o[1] - r[1]) * r[3] / 255, std::abs(o[0] - r[2]) * r[3] / 255});
                }
            EXPECT_LE(worst, 1);
        }
    }
}

TEST(SvgRender, FitsIntoTheSquareWithTransparentPaddingAndKeepsOwnSize) {
    // 2:1, opaque over its whole viewBox.
    const SvgSource wide = source(R"x(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 100">)x"
                                  R"x(<rect width="200" height="100" fill="#0000ff"/></svg>)x");
    const auto pictures = RenderSvgHere(wide, {{32, 32}, {0, 0}, {7, 3}});
    const TQvDIB& square = pictures[0];
    ASSERT_EQ(square.Width(), 32);
    ASSERT_EQ(square.Height(), 32);
    EXPECT_EQ(pixel(square, 16, 0)[3], 0);   // padding above
    EXPECT_EQ(pixel(square, 16, 31)[3], 0);  // and below
    EXPECT_EQ(pixel(square, 0, 8)[3], 255);  // the art spans the width, rows 8..23
    EXPECT_EQ(pixel(square, 31, 23)[3], 255);
    EXPECT_EQ(pixel(square, 5, 16)[0], 255);  // blue, straight alpha
    EXPECT_EQ(pixel(square, 5, 16)[2], 0);
    EXPECT_EQ(pictures[1].Width(), 200);  // its own size
    EXPECT_EQ(pictures[1].Height(), 100);
    EXPECT_EQ(pictures[2].Width(), 7);
    EXPECT_EQ(pictures[2].Height(), 3);

    // Half-covered pixels keep their colour at half alpha: no dark fringe.
    const SvgSource half =
        source(R"x(<svg xmlns="http://www.w3.org/2000/svg" width="4" height="4">)x"
               R"x(<rect width="4" height="4" fill="#ff8000" fill-opacity="0.5"/></svg>)x");
    const TQvDIB soft = RenderSvgHere(half, {{4, 4}}).front();
    const std::uint8_t* p = pixel(soft, 1, 1);
    EXPECT_NEAR(p[3], 128, 1);
    EXPECT_EQ(p[2], 255);
    EXPECT_NEAR(p[1], 128, 1);
    EXPECT_EQ(p[0], 0);
}

TEST(SvgRender, ALongerSideBoxKeepsTheProportionAndTheUserUnitsAreReported) {
    // 100 x 200 user units shown at 10 x 20 pixels: hot spots are given in user units.
    const SvgSource tall = source(R"x(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 200")x"
                                  R"x( width="10" height="20"><rect width="100" height="200" fill="#00ff00"/></svg>)x");
    SvgUserSize here, there;
    const auto pictures = RenderSvgHere(tall, {{48, 0}, {25, 0}, {1, 0}}, &here);
    EXPECT_EQ(here.width, 100);
    EXPECT_EQ(here.height, 200);
    ASSERT_EQ(pictures[0].Width(), 24);
    ASSERT_EQ(pictures[0].Height(), 48);
    EXPECT_EQ(pixel(pictures[0], 0, 0)[3], 255);  // no padding: the art fills the picture
    EXPECT_EQ(pixel(pictures[0], 23, 47)[3], 255);
    EXPECT_EQ(pictures[1].Width(), 13);  // 12.5 rounds up
    EXPECT_EQ(pictures[1].Height(), 25);
    EXPECT_EQ(pictures[2].Width(), 1);  // never below one pixel
    const auto sandboxed = RenderSvg(tall, {{48, 0}}, {}, &there);
    EXPECT_EQ(there.width, 100);
    EXPECT_EQ(there.height, 200);
    EXPECT_EQ(sandboxed.front().Height(), 48);
    // Without a viewBox the user units are the pixels.
    SvgUserSize plain;
    RenderSvgHere(source("<svg xmlns='http://www.w3.org/2000/svg' width='30' height='12'/>"), {{6, 0}}, &plain);
    EXPECT_EQ(plain.width, 30);
    EXPECT_EQ(plain.height, 12);
}

TEST(SvgRender, SvgzIsDecompressedAndSniffed) {
    TempDir dir;
    const std::string svg = dir.file("a.svg");
    test::WriteAll(svg, text(kSizeOnly));
    ASSERT_EQ(std::system(("gzip -k -S z '" + svg + "'").c_str()), 0);  // a.svgz
    const Bytes packed = test::ReadAll(dir.file("a.svgz"));
    EXPECT_TRUE(LooksLikeSvg(packed));
    const SvgSource src = ReadSvgSource(dir.file("a.svgz"));
    EXPECT_EQ(src.text, text(kSizeOnly));
    EXPECT_EQ(RenderSvgHere(src, {{16, 16}}).front().Width(), 16);

    EXPECT_TRUE(LooksLikeSvg(
        text("\xEF\xBB\xBF<?xml version='1.0'?>\n<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
             "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n<svg/>")));
    EXPECT_TRUE(LooksLikeSvg(text("<svg:svg xmlns:svg='http://www.w3.org/2000/svg'/>")));
    EXPECT_FALSE(LooksLikeSvg(text("<html><svg/></html>")));
    EXPECT_FALSE(LooksLikeSvg(text("BM")));
    EXPECT_FALSE(LooksLikeSvg(Bytes{0x1F, 0x8B, 0x08}));
}

// Refusals name the file and give the reason.
void expectRefused(const std::string& xml, const std::string& reason) {
    SCOPED_TRACE(xml);
    try {
        RenderSvgHere(source(xml, "bad.svg"), {{16, 16}});
        ADD_FAILURE() << "accepted";
    } catch (const EVornikError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("\"bad.svg\""), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
}

TEST(SvgRender, BadDocumentsAreRefusedWithTheReason) {
    expectRefused("<svg xmlns='http://www.w3.org/2000/svg'><rect></svg>", "bad.svg");  // malformed XML
    expectRefused("<svg xmlns='http://www.w3.org/2000/svg'><rect width='3' height='3'/></svg>",
                  "has no size and no viewBox");
    expectRefused("<svg xmlns='http://www.w3.org/2000/svg' width='50%' height='50%'/>",
                  "has no size and no viewBox");
    expectRefused("<svg xmlns='http://www.w3.org/2000/svg' width='1e9' height='10'/>", "absurd size");
    expectRefused("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 0 10'/>", "bad.svg");
    expectRefused("<p>not svg</p>", "is not an SVG picture");
    // Its own size beyond what a picture may be.
    EXPECT_THROW(
        RenderSvgHere(source("<svg xmlns='http://www.w3.org/2000/svg' width='5000' height='10'/>"), {{0, 0}}),
        EVornikError);
    EXPECT_THROW(RenderSvgHere(source(kSizeOnly), {{0, 5}}), EQvDIBInvalidDIBPara);
    EXPECT_THROW(RenderSvgHere(source(kSizeOnly), {{kMaxSvgSide + 1, 4}}), EQvDIBInvalidDIBPara);
}

TEST(SvgRender, ReferencesOutsideTheFolderAreRefused) {
    const std::string head =
        "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
        "width='8' height='8'>";
    for (const std::string body :
         {"<image href='http://example.com/a.png' width='8' height='8'/>",
          "<image xlink:href = \"https://example.com/a.png\"/>", "<image href='file:///etc/passwd'/>",
          "<image href='/etc/hosts'/>", "<image href='../secret.png'/>", "<image href='img/../../x.png'/>",
          "<rect style='fill:url( \"http://x/y.svg#p\" )'/>", "<style>@import 'http://x/s.css';</style>",
          "<style>@import url(/tmp/s.css);</style>", "<rect fill='url(ftp://x/p)'/>"}) {
        SCOPED_TRACE(body);
        try {
            source(head + body + "</svg>", "art/bad.svg");
            ADD_FAILURE() << "accepted";
        } catch (const EVornikError& e) {
            EXPECT_NE(std::string(e.what()).find("\"art/bad.svg\": refers to"), std::string::npos)
                << e.what();
        }
    }
    EXPECT_THROW(source("<!DOCTYPE svg [<!ENTITY x SYSTEM 'file:///etc/passwd'>]><svg/>"), EVornikError);
    // Fragments, data: URLs, names in the folder, internal entities and the usual DOCTYPE pass.
    for (const std::string body :
         {"<use href='#a'/><rect id='a' fill='url(#g)'/>", "<image href='data:image/png;base64,iVBO'/>",
          "<image xlink:href='pics/logo.png'/>", "<text>see http://example.com or ../x</text>"})
        EXPECT_NO_THROW(source(head + body + "</svg>")) << body;
    EXPECT_NO_THROW(
        source("<!DOCTYPE svg PUBLIC '-//W3C//DTD SVG 1.1//EN' "
               "'http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd' [<!ENTITY systemc 'red'>]><svg/>"));
}

// A 2 x 2 opaque red PNG, made by rsvg-convert.
void writeRedPng(const std::string& path) {
    test::WriteAll(path + ".svg", text("<svg xmlns='http://www.w3.org/2000/svg' width='2' height='2'>"
                                       "<rect width='2' height='2' fill='red'/></svg>"));
    ASSERT_EQ(std::system(("rsvg-convert '" + path + ".svg' -o '" + path + "'").c_str()), 0);
}

TEST(SvgRender, LibrsvgLoadsOnlyFromTheSvgsFolder) {
    if (!haveRsvgConvert()) GTEST_SKIP() << "rsvg-convert is not installed (tools/setup --dev)";
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "art" / "pics");
    writeRedPng(dir.file("art/pics/inside.png"));
    writeRedPng(dir.file("outside.png"));
    // A link in the folder that leads out of it: librsvg resolves it and refuses.
    std::filesystem::create_symlink(dir.path() / "outside.png", dir.path() / "art" / "link.png");
    const std::string svg = dir.file("art/logo.svg");
    test::WriteAll(svg, text("<svg xmlns='http://www.w3.org/2000/svg' width='8' height='4'>"
                             "<image href='pics/inside.png' x='0' width='4' height='4'/>"
                             "<image href='link.png' x='4' width='4' height='4'/></svg>"));
    const TQvDIB dib = RenderSvg(ReadSvgSource(svg), {0, 0});
    EXPECT_EQ(pixel(dib, 1, 1)[3], 255);  // the picture beside it
    EXPECT_EQ(pixel(dib, 1, 1)[2], 255);
    EXPECT_EQ(pixel(dib, 6, 1)[3], 0);  // not the one outside
    // Without a location nothing but data: loads.
    SvgSource unnamed = ReadSvgSource(svg);
    unnamed.path.clear();
    EXPECT_EQ(pixel(RenderSvgHere(unnamed, {{0, 0}}).front(), 1, 1)[3], 0);
}

TEST(SvgSandbox, SameResultAsInProcessAndRefusalsPassThrough) {
    const SvgSource src = source(kSizedViewBox);
    const auto here = RenderSvgHere(src, {{24, 24}, {0, 0}});
    const auto there = RenderSvg(src, {{24, 24}, {0, 0}});
    ASSERT_EQ(there.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(there[i].Width(), here[i].Width());
        ASSERT_EQ(there[i].Height(), here[i].Height());
        for (int y = 0; y < here[i].Height(); ++y)
            EXPECT_EQ(std::memcmp(there[i].ScanLine(y), here[i].ScanLine(y), 4u * here[i].Width()), 0);
    }
    try {
        RenderSvg(source("<svg xmlns='http://www.w3.org/2000/svg'/>", "x.svg"), {16, 16});
        ADD_FAILURE();
    } catch (const EVornikError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "\"x.svg\": has no size and no viewBox, so it cannot be fitted to a size");
    }
    EXPECT_THROW(RenderSvg(src, {-1, -1}), EQvDIBInvalidDIBPara);
}

TEST(SvgSandbox, ABombStopsAtTheTimeBudget) {
    // Hundreds of full-size turbulence filters: minutes of work at this size.
    std::string xml =
        "<svg xmlns='http://www.w3.org/2000/svg' width='2000' height='2000'><defs>"
        "<filter id='f' x='0' y='0' width='1' height='1'><feTurbulence baseFrequency='0.9' "
        "numOctaves='10'/><feGaussianBlur stdDeviation='30'/></filter></defs>";
    for (int i = 0; i < 400; ++i) xml += "<rect width='2000' height='2000' filter='url(#f)'/>";
    xml += "</svg>";
    SvgBudget budget;
    budget.seconds = 1;
    const auto start = std::chrono::steady_clock::now();
    try {
        RenderSvg(source(xml, "bomb.svg"), {1024, 1024}, budget);
        ADD_FAILURE() << "rendered";
    } catch (const EVornikError& e) {
        EXPECT_NE(std::string(e.what()).find("\"bomb.svg\": rendering took longer than the budget of 1 s"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

#if defined(__SANITIZE_ADDRESS__)
#define SVG_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SVG_TEST_ASAN 1
#endif
#endif

TEST(SvgSandbox, MoreThanTheMemoryBudgetIsRefused) {
#if defined(SVG_TEST_ASAN)
    GTEST_SKIP() << "no address-space cap under AddressSanitizer";
#else
    SvgBudget budget;
    budget.memoryBytes = 300u << 20;
    const SvgSource src = source(kSizeOnly, "big.svg");
    try {
        RenderSvg(src, {{4096, 4096}, {4096, 4096}, {4096, 4096}, {4096, 4096}},
                  budget);  // 256 MB of pixels twice
        ADD_FAILURE() << "rendered";
    } catch (const EVornikError& e) {
        EXPECT_NE(
            std::string(e.what()).find("\"big.svg\": rendering needs more than the memory budget of 300 MB"),
            std::string::npos)
            << e.what();
    }
    EXPECT_EQ(RenderSvg(src, {4096, 4096}, budget).Width(), 4096);
#endif
}

// The renderer is a program of its own: one that crashes, or is not there,
// gives a refusal naming the file, never a crash of the caller.
TEST(SvgSandbox, ACrashingOrMissingRendererIsARefusal) {
    test::TempDir dir;
    const std::string crashing = dir.file("crashing-render");
    {
        const std::string script = "#!/bin/sh\nkill -SEGV $$\n";
        test::WriteAll(crashing, Bytes(script.begin(), script.end()));
    }
    ::chmod(crashing.c_str(), 0755);
    struct Chosen {
        explicit Chosen(const std::string& path) { ::setenv("VORNIK_SVG_RENDER", path.c_str(), 1); }
        ~Chosen() { ::unsetenv("VORNIK_SVG_RENDER"); }
    };
    const SvgSource src = source(kSizedViewBox, "crash.svg");
    {
        Chosen chosen(crashing);
        try {
            RenderSvg(src, {16, 16});
            ADD_FAILURE() << "rendered";
        } catch (const EVornikError& e) {
            EXPECT_NE(std::string(e.what()).find("\"crash.svg\": librsvg gave up on it"), std::string::npos)
                << e.what();
        }
    }
    {
        Chosen chosen(dir.file("nowhere"));
        try {
            RenderSvg(src, {16, 16});
            ADD_FAILURE() << "rendered";
        } catch (const EVornikError& e) {
            EXPECT_NE(std::string(e.what()).find("could not be started"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(RenderSvg(src, {16, 16}).Width(), 16);  // the real one again
}

// Installed, the renderer sits in libexec/vornik beside the programs' bin;
// in a build tree it may sit beside the program itself.
TEST(SvgSandbox, TheRendererIsFoundRelativeToTheProgram) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    auto executable = [](const fs::path& p) {
        fs::create_directories(p.parent_path());
        test::WriteAll(p.string(), Bytes{'#', '!'});
        ::chmod(p.c_str(), 0755);
    };
    const fs::path root(dir.file("usr"));
    executable(root / "bin" / "vornik");
    EXPECT_EQ(FindSvgRenderHelperFor((root / "bin" / "vornik").string()), "");
    // Not executable: not taken.
    fs::create_directories(root / "libexec" / "vornik");
    test::WriteAll((root / "libexec" / "vornik" / "vornik-svg-render").string(), Bytes{'#', '!'});
    EXPECT_EQ(FindSvgRenderHelperFor((root / "bin" / "vornik").string()), "");
    executable(root / "libexec" / "vornik" / "vornik-svg-render");
    EXPECT_EQ(FindSvgRenderHelperFor((root / "bin" / "vornik-cli").string()),
              (root / "libexec" / "vornik" / "vornik-svg-render").string());
    const fs::path tree(dir.file("build"));
    executable(tree / "vornik-svg-render");
    EXPECT_EQ(FindSvgRenderHelperFor((tree / "vornik").string()), (tree / "vornik-svg-render").string());
    // This test program finds the one of its build tree.
    EXPECT_FALSE(SvgRenderHelperPath().empty());
}

}  // namespace
}  // namespace vornik
