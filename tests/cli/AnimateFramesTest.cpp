// vornik-cli animate --frames / --script, and --hotspot on generated
// animations, run as a program; the cursor it writes is read back.
#include <gtest/gtest.h>

#include <filesystem>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "imaging/PngWriteRgba.h"
#include "imaging/TQvDIB.h"
#include "model/EntryPixels.h"
#include "model/TIconEx.h"

using namespace vornik;

namespace {

test::AniCliRun animate(std::vector<std::string> args) {
    args.insert(args.begin(), "animate");
    return test::RunVornikCli(args);
}

// A w x h picture of straight BGRA pixels: colour from x, y and seed, alpha
// falling from 255 on the left to 0 on the right.
BgraPicture gradient(int w, int h, int seed) {
    BgraPicture p;
    p.width = w;
    p.height = h;
    p.bgra.resize(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* px = p.bgra.data() + (static_cast<std::size_t>(y) * w + x) * 4;
            px[0] = static_cast<std::uint8_t>(x * 7 + seed);
            px[1] = static_cast<std::uint8_t>(y * 5 + seed);
            px[2] = static_cast<std::uint8_t>(seed * 40);
            px[3] = static_cast<std::uint8_t>(255 - 255 * x / std::max(w - 1, 1));
        }
    return p;
}

void savePng(const std::string& path, const BgraPicture& p) {
    TQvDIB dib;
    dib.CreateDIB(p.width, p.height, 0, 32);
    for (int y = 0; y < p.height; ++y)
        std::copy_n(p.bgra.data() + static_cast<std::size_t>(y) * p.width * 4, p.width * 4,
                    dib.MutableScanLine(p.height - 1 - y));
    SaveRgbaPngFile(path, dib);
}

// A cursor file with one 32-bit image per side, hot spot at a quarter of it.
void saveCursor(const std::string& path, const std::vector<int>& sides) {
    TIconCurEX set;
    set.ResourceType = 2;
    for (int side : sides) {
        IconEntry& e = set.Entries[set.Count++];
        BgraToEntry(gradient(side, side, side), e);
        e.HotSpotX = e.HotSpotY = static_cast<std::uint16_t>(side / 4);
    }
    set.SaveToFile(path);
}

// Visible pixels equal; under alpha 0 only the alpha counts.
bool samePixels(const BgraPicture& a, const BgraPicture& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (std::size_t i = 0; i < a.bgra.size(); i += 4) {
        if (a.bgra[i + 3] != b.bgra[i + 3]) return false;
        if (a.bgra[i + 3] != 0 && !std::equal(a.bgra.begin() + i, a.bgra.begin() + i + 3, b.bgra.begin() + i))
            return false;
    }
    return true;
}

}  // namespace

TEST(CliAnimateFrames, PicturesWithStepsRatesHotSpotAndTexts) {
    test::TempDir dir;
    for (int i = 0; i < 3; ++i) savePng(dir.file("f" + std::to_string(i) + ".png"), gradient(24, 24, i));
    const auto r = animate({"--frames", dir.file("f0.png"), dir.file("f1.png"), dir.file("f2.png"), "-o",
                            dir.file("a.ani"), "--sequence", "0,1,2,1", "--rates", "5,10,15,20", "--rate",
                            "7", "--hotspot", "3,4", "--title", "Busy", "--creator", "Me"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    TAniEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("a.ani")));
    ASSERT_EQ(set.Count, 3);
    ASSERT_EQ(set.StepCount(), 4);
    EXPECT_EQ(set.AnimHeader.DisplayRate, 7u);
    EXPECT_TRUE(set.HasRateChunk);
    EXPECT_TRUE(set.HasSeqChunk);
    const int frames[] = {0, 1, 2, 1}, rates[] = {5, 10, 15, 20};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.Steps[i].Frame, frames[i]);
        EXPECT_EQ(set.Steps[i].Rate, rates[i]);
    }
    EXPECT_EQ(set.Title, "Busy");
    EXPECT_EQ(set.Creator, "Me");
    for (int f = 0; f < 3; ++f) {
        const IconEntry& e = set.Entries[f];
        EXPECT_EQ(e.HotSpotX, 3);
        EXPECT_EQ(e.HotSpotY, 4);
        // every alpha level kept
        EXPECT_TRUE(samePixels(EntryToBgra(e), gradient(24, 24, f))) << f;
    }

    // Without --rates and --sequence: every frame once at --rate, no chunks.
    ASSERT_EQ(animate({"--frames", dir.file("f2.png"), dir.file("f0.png"), "-o", dir.file("b.ani")}).status,
              0);
    TAniEX plain;
    ASSERT_TRUE(plain.LoadFromFile(dir.file("b.ani")));
    EXPECT_EQ(plain.StepCount(), 2);
    EXPECT_FALSE(plain.HasRateChunk);
    EXPECT_FALSE(plain.HasSeqChunk);
    EXPECT_EQ(plain.Steps[1].Rate, 10);
    EXPECT_EQ(plain.Entries[0].HotSpotX, 0);
}

TEST(CliAnimateFrames, CursorFileBecomesOneFrameOfEverySize) {
    test::TempDir dir;
    saveCursor(dir.file("multi.cur"), {48, 32, 64});
    saveCursor(dir.file("one.cur"), {32});
    auto r = animate({"--frames", dir.file("multi.cur"), dir.file("one.cur"), "-o", dir.file("c.ani")});
    ASSERT_EQ(r.status, 0) << r.err;
    TAniEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("c.ani")));
    ASSERT_EQ(set.Count, 2);
    ASSERT_EQ(set.FrameImageCount(0), 3);
    EXPECT_EQ(set.FrameImageCount(1), 1);
    const int sides[] = {48, 32, 64};
    for (int k = 0; k < 3; ++k) {
        IconEntry e;
        ASSERT_EQ(set.DecodeFrameImage(0, k, e), "");
        EXPECT_EQ(e.PixelWidth(), sides[k]);
        EXPECT_EQ(e.HotSpotX, sides[k] / 4);  // the cursor's own hot spots
        EXPECT_TRUE(samePixels(EntryToBgra(e), gradient(sides[k], sides[k], sides[k]))) << k;
    }
    EXPECT_EQ(set.Entries[0].PixelWidth(), 32);  // the frame shows the 32 px image

    // --hotspot is given at the frame's size and scaled to the others.
    r = animate({"--frames", dir.file("multi.cur"), "-o", dir.file("h.ani"), "--hotspot", "8,16"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(set.LoadFromFile(dir.file("h.ani")));
    IconEntry big;
    ASSERT_EQ(set.DecodeFrameImage(0, 2, big), "");
    EXPECT_EQ(big.HotSpotX, 16);
    EXPECT_EQ(big.HotSpotY, 32);
}

TEST(CliAnimateFrames, SizesMustMatchUnlessScaled) {
    test::TempDir dir;
    savePng(dir.file("s32.png"), gradient(32, 32, 1));
    savePng(dir.file("s16.png"), gradient(16, 16, 2));
    saveCursor(dir.file("multi.cur"), {16, 24});
    auto r = animate({"--frames", dir.file("s32.png"), dir.file("s16.png"), "-o", dir.file("x.ani")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is 16 x 16, the first frame is 32 x 32 (give --size"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.ani")));

    r = animate(
        {"--frames", dir.file("s32.png"), dir.file("s16.png"), "-o", dir.file("x.ani"), "--size", "24"});
    ASSERT_EQ(r.status, 0) << r.err;
    TAniEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("x.ani")));
    EXPECT_EQ(set.Entries[0].PixelWidth(), 24);
    EXPECT_EQ(set.Entries[1].PixelHeight(), 24);

    // A multi-size frame is never scaled: it must hold the size.
    r = animate(
        {"--frames", dir.file("s32.png"), dir.file("multi.cur"), "-o", dir.file("y.ani"), "--size", "32"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("holds several sizes but none of 32 x 32"), std::string::npos) << r.err;
    r = animate(
        {"--frames", dir.file("s16.png"), dir.file("multi.cur"), "-o", dir.file("y.ani"), "--size", "16"});
    EXPECT_EQ(r.status, 0) << r.err;

    r = animate({"--frames", dir.file("s32.png"), "-o", dir.file("z.ani"), "--hotspot", "32,0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("lies outside the 32 x 32 frames"), std::string::npos) << r.err;
}

TEST(CliAnimateFrames, UsageErrors) {
    test::TempDir dir;
    savePng(dir.file("a.png"), gradient(8, 8, 1));
    const std::string a = dir.file("a.png"), out = dir.file("o.ani");
    EXPECT_EQ(animate({"--frames", a, a, "-o", out, "--rates", "1,2,3"}).status, 2);
    EXPECT_EQ(animate({"--frames", a, a, "-o", out, "--sequence", "0,2"}).status, 2);
    EXPECT_EQ(animate({"--frames", a, "-o", dir.file("o.cur")}).status, 2);
    EXPECT_EQ(animate({"--frames", "-o", out}).status, 2);
    EXPECT_EQ(animate({"--frames", a, "-o", out, "--hotspot", "1"}).status, 2);
    EXPECT_EQ(animate({"--frames", dir.file("missing.png"), "-o", out}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(CliAnimateFrames, ScriptGivesFramesStepsAndHotSpots) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "pics");
    savePng(dir.file("pics/a 0.png"), gradient(16, 16, 1));
    savePng(dir.file("pics/b.png"), gradient(16, 16, 2));
    savePng(dir.file("pics/b48.png"), gradient(48, 48, 3));
    const std::string script =
        "# made by hand\n"
        "title \"Say \\\"hi\\\"\"\n"
        "rate 6\n"
        "frame 0 \"a 0.png\" hotspot 1,2\n"
        "frame 1 \"b.png\" hotspot 3,4\n"
        "frame 1 \"b48.png\" hotspot 9,12\n"
        "step 1 rate 30\n"
        "step 0\n";
    test::WriteAll(dir.path() / "pics" / "s.txt", Bytes(script.begin(), script.end()));
    auto r = animate({"--script", dir.file("pics/s.txt"), "-o", dir.file("s.ani")});
    ASSERT_EQ(r.status, 0) << r.err;
    TAniEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("s.ani")));
    ASSERT_EQ(set.Count, 2);
    EXPECT_EQ(set.Title, "Say \"hi\"");
    ASSERT_EQ(set.StepCount(), 2);
    EXPECT_EQ(set.Steps[0].Frame, 1);
    EXPECT_EQ(set.Steps[0].Rate, 30);
    EXPECT_EQ(set.Steps[1].Frame, 0);
    EXPECT_EQ(set.Steps[1].Rate, 6);
    EXPECT_EQ(set.Entries[0].HotSpotY, 2);
    ASSERT_EQ(set.FrameImageCount(1), 2);
    IconEntry big;
    ASSERT_EQ(set.DecodeFrameImage(1, 1, big), "");
    EXPECT_EQ(big.HotSpotX, 9);
    EXPECT_EQ(big.HotSpotY, 12);

    // Options given as well take the script's place.
    r = animate(
        {"--script", dir.file("pics/s.txt"), "-o", dir.file("t.ani"), "--sequence", "0,0,1", "--rate", "4"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(set.LoadFromFile(dir.file("t.ani")));
    ASSERT_EQ(set.StepCount(), 3);
    EXPECT_EQ(set.Steps[2].Frame, 1);
    EXPECT_EQ(set.Steps[2].Rate, 4);

    const std::string bad = "frame 0 \"a 0.png\"\nframe 2 \"b.png\"\n";
    test::WriteAll(dir.path() / "pics" / "bad.txt", Bytes(bad.begin(), bad.end()));
    r = animate({"--script", dir.file("pics/bad.txt"), "-o", dir.file("u.ani")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("line 2: frame 2 comes before frame 1"), std::string::npos) << r.err;
}

TEST(CliAnimate, HotspotForGeneratedFrames) {
    test::TempDir dir;
    savePng(dir.file("p.png"), gradient(16, 16, 1));
    auto r = animate({dir.file("p.png"), "-o", dir.file("g.ani"), "--rotate", "90", "--hotspot", "5,6"});
    ASSERT_EQ(r.status, 0) << r.err;
    TAniEX set;
    ASSERT_TRUE(set.LoadFromFile(dir.file("g.ani")));
    ASSERT_EQ(set.Count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(set.Entries[i].HotSpotX, 5);
        EXPECT_EQ(set.Entries[i].HotSpotY, 6);
    }
    r = animate({dir.file("p.png"), "-o", dir.file("h.ani"), "--rotate", "90", "--hotspot", "16,0"});
    EXPECT_EQ(r.status, 1);
}

namespace {

// Frames, steps, rates, texts, and every image of every frame with its hot
// spot and pixels as shown, equal in both.
void expectSameAnimation(const TAniEX& a, const TAniEX& b) {
    ASSERT_EQ(a.Count, b.Count);
    ASSERT_EQ(a.StepCount(), b.StepCount());
    for (int i = 0; i < a.StepCount(); ++i) {
        EXPECT_EQ(a.Steps[i].Frame, b.Steps[i].Frame) << "step " << i;
        EXPECT_EQ(a.Steps[i].Rate, b.Steps[i].Rate) << "step " << i;
    }
    EXPECT_EQ(a.Title, b.Title);
    EXPECT_EQ(a.Creator, b.Creator);
    for (int f = 0; f < a.Count; ++f) {
        ASSERT_EQ(a.FrameImageCount(f), b.FrameImageCount(f)) << "frame " << f;
        for (int k = 0; k < a.FrameImageCount(f); ++k) {
            IconEntry x, y;
            ASSERT_EQ(a.DecodeFrameImage(f, k, x), "");
            ASSERT_EQ(b.DecodeFrameImage(f, k, y), "");
            EXPECT_EQ(x.HotSpotX, y.HotSpotX);
            EXPECT_EQ(x.HotSpotY, y.HotSpotY);
            int inverted = 0;
            const BgraPicture shown = EntryToBgra(x, &inverted);
            if (inverted == 0) {
                EXPECT_TRUE(samePixels(shown, EntryToBgra(y))) << "frame " << f << " image " << k;
            }
        }
    }
}

}  // namespace

TEST(CliAnimateFrames, ExtractedPicturesAndScriptBuildTheSameAnimation) {
    test::TempDir dir;
    saveCursor(dir.file("multi.cur"), {32, 48, 32});  // two images of one size in a frame
    savePng(dir.file("p.png"), gradient(32, 32, 5));
    auto r =
        animate({"--frames", dir.file("multi.cur"), dir.file("p.png"), "-o", dir.file("a.ani"), "--sequence",
                 "1,0,1", "--rates", "4,9,16", "--title", "Ring", "--creator", "Tester", "--rate", "8"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = test::RunVornikCli({"extract", dir.file("a.ani"), "--png", "-o", dir.file("out")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("out/a-00-32x32.png") + "\n" + dir.file("out/a-00-48x48.png") + "\n" +
                         dir.file("out/a-00-32x32-2.png") + "\n" + dir.file("out/a-01.png") + "\n" +
                         dir.file("out/a.txt") + "\n");
    r = animate({"--script", dir.file("out/a.txt"), "-o", dir.file("b.ani")});
    ASSERT_EQ(r.status, 0) << r.err;
    TAniEX a, b;
    ASSERT_TRUE(a.LoadFromFile(dir.file("a.ani")));
    ASSERT_TRUE(b.LoadFromFile(dir.file("b.ani")));
    expectSameAnimation(a, b);
    EXPECT_EQ(b.AnimHeader.DisplayRate, 8u);

    // A second run refuses to overwrite, and writes nothing.
    r = test::RunVornikCli({"extract", dir.file("a.ani"), "--png", "-o", dir.file("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("exists; nothing written"), std::string::npos) << r.err;
}

TEST(CliAnimateFrames, CorpusAnimationsRoundTripThroughPictures) {
    VORNIK_REQUIRE_CORPUS();
    int checked = 0;
    for (const auto& f : test::CorpusFiles("ani", ".ani")) {
        TAniEX a;
        if (!a.LoadFromFile(f.string()) || !a.LoadError().empty() || a.Count == 0) continue;
        if (f.filename().string().find("bibata__left_ptr_watch") != std::string::npos)
            continue;  // 1.6 MB: slow
        SCOPED_TRACE(f.filename().string());
        test::TempDir dir;
        auto r = test::RunVornikCli({"extract", f.string(), "--png", "-o", dir.file("x"), "--stem", "c"});
        ASSERT_EQ(r.status, 0) << r.err;
        r = animate({"--script", dir.file("x/c.txt"), "-o", dir.file("back.ani")});
        ASSERT_EQ(r.status, 0) << r.err;
        TAniEX b;
        ASSERT_TRUE(b.LoadFromFile(dir.file("back.ani")));
        expectSameAnimation(a, b);
        ++checked;
    }
    EXPECT_GE(checked, 5);
}
