// vornik-cli animate, run as a program; the cursor it writes is read back.
#include <gtest/gtest.h>

#include <filesystem>

#include "AniCliRun.h"
#include "TestFiles.h"
#include "anim/TAniEX.h"
#include "imaging/JpegDIB.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/EntryConversion.h"

using namespace vornik;

namespace {

test::AniCliRun animate(std::vector<std::string> args) {
    args.insert(args.begin(), "animate");
    return test::RunVornikCli(args);
}

// A w x h picture: a white border of `border` pixels around a red field with
// a blue top-left pixel of the field.
TQvDIB picture(int w, int h, int border = 0) {
    TQvDIB dib;
    dib.CreateDIB(w, h, 0, 24);
    TQvDIBCanvas c(dib);
    c.FillRect(0, 0, w, h, kRasterWhite);
    c.FillRect(border, border, w - border, h - border, RgbColor(200, 0, 0));
    c.SetPixel(border, border, RgbColor(0, 0, 200));
    return dib;
}

struct Frame {
    TQvDIB image, mask;
    RasterColor imageAt(int x, int y) {
        TQvDIBCanvas c(image);
        return c.GetPixel(x, y);
    }
    bool opaqueAt(int x, int y) {
        TQvDIBCanvas c(mask);
        return c.GetPixel(x, y) == kRasterBlack;
    }
    int opaqueCount() {
        int n = 0;
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x) n += opaqueAt(x, y);
        return n;
    }
};

Frame frameOf(const TAniEX& set, int i) {
    Frame f;
    EntryToDIBs(set, f.image, f.mask, i);
    return f;
}

struct Written {
    TAniEX set;
    bool read = false;
};
std::unique_ptr<Written> readBack(const std::string& path) {
    auto w = std::make_unique<Written>();
    w->read = w->set.LoadFromFile(path);
    return w;
}

TEST(CliAnimate, MoveWritesTheFramesOfTheMove) {
    test::TempDir dir;
    picture(32, 32).SaveToFile(dir.file("p.bmp"));
    const auto r = animate({dir.file("p.bmp"), "-o", dir.file("m.ani"), "--move", "8"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto w = readBack(dir.file("m.ani"));
    ASSERT_TRUE(w->read);
    ASSERT_EQ(w->set.Count, 7);
    ASSERT_EQ(w->set.StepCount(), 7);
    EXPECT_EQ(w->set.AnimHeader.DisplayRate, 10u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(w->set.Steps[i].Frame, i);
        EXPECT_EQ(w->set.Steps[i].Rate, 10);
    }
    // x = 0, 8, 16, 24, then -24, -16, -8: the opaque width and where the
    // picture's blue corner went.
    const int opaqueWidths[] = {32, 24, 16, 8, 8, 16, 24};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(frameOf(w->set, i).opaqueCount(), opaqueWidths[i] * 32) << i;
    auto second = frameOf(w->set, 1);
    EXPECT_EQ(second.imageAt(8, 0), RgbColor(0, 0, 200));
    EXPECT_FALSE(second.opaqueAt(7, 0));
    EXPECT_EQ(second.imageAt(7, 0), kRasterBlack);
    auto entering = frameOf(w->set, 4);
    EXPECT_TRUE(entering.opaqueAt(7, 0));
    EXPECT_FALSE(entering.opaqueAt(8, 0));
}

TEST(CliAnimate, ZoomRotateAndRate) {
    test::TempDir dir;
    picture(32, 32).SaveToFile(dir.file("p.bmp"));
    auto r =
        animate({dir.file("p.bmp"), "-o", dir.file("z.ani"), "--zoom", "4", "--mode", "2", "--rate", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto w = readBack(dir.file("z.ani"));
    ASSERT_EQ(w->set.Count, 9);
    EXPECT_EQ(w->set.AnimHeader.DisplayRate, 3u);
    EXPECT_EQ(w->set.Steps[8].Rate, 3);
    const int sides[] = {0, 8, 16, 24, 32, 32, 24, 16, 8};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(frameOf(w->set, i).opaqueCount(), sides[i] * sides[i]) << i;

    TQvDIB marked = picture(32, 32);
    {
        TQvDIBCanvas c(marked);
        c.SetPixel(1, 1, RgbColor(0, 200, 0));
    }
    marked.SaveToFile(dir.file("g.bmp"));
    r = animate(
        {dir.file("g.bmp"), "-o", dir.file("r.ani"), "--rotate", "90", "--direction", "1", "--rate", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    w = readBack(dir.file("r.ani"));
    ASSERT_EQ(w->set.Count, 4);
    EXPECT_EQ(w->set.Steps[0].Rate, 0);
    // Turned left by 90 about (16, 16): (1, 1) goes to the bottom left.
    auto turned = frameOf(w->set, 1);
    EXPECT_EQ(turned.imageAt(1, 31), RgbColor(0, 200, 0));
}

TEST(CliAnimate, TransparentPixelAndPngAlphaMakeTheMask) {
    test::TempDir dir;
    picture(16, 16, 4).SaveToFile(dir.file("b.bmp"));
    auto r = animate({dir.file("b.bmp"), "-o", dir.file("t.ani"), "--rotate", "360", "--transparent", "0,0"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto w = readBack(dir.file("t.ani"));
    ASSERT_EQ(w->set.Count, 1);
    auto f = frameOf(w->set, 0);
    EXPECT_EQ(f.opaqueCount(), 8 * 8);
    EXPECT_FALSE(f.opaqueAt(0, 0));
    EXPECT_EQ(f.imageAt(0, 0), kRasterBlack);  // the image is blackened under the mask
    EXPECT_TRUE(f.opaqueAt(4, 4));

    // A PNG with alpha: the transparent border stays transparent.
    TQvDIB image = picture(16, 16, 4), mask = picture(16, 16, 4);
    {
        TQvDIBCanvas c(mask);
        c.FillRect(4, 4, 12, 12, kRasterBlack);
    }
    SavePngFile(dir.file("a.png"), image, &mask);
    r = animate({dir.file("a.png"), "-o", dir.file("a.ani"), "--move", "8", "--direction", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    w = readBack(dir.file("a.ani"));
    ASSERT_EQ(w->set.Count, 3);  // y = 0, 8, then -24
    EXPECT_EQ(frameOf(w->set, 0).opaqueCount(), 64);
    EXPECT_EQ(frameOf(w->set, 1).opaqueCount(), 32);  // rows 12 .. 15 of the field remain

    SaveDIBAsJpegFile(picture(16, 16), dir.file("j.jpg"));
    r = animate({dir.file("j.jpg"), "-o", dir.file("j.ani"), "--zoom", "16", "--mode", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    w = readBack(dir.file("j.ani"));
    EXPECT_EQ(w->set.Count, 1);
    EXPECT_EQ(frameOf(w->set, 0).opaqueCount(), 256);
}

TEST(CliAnimate, FrameLimitIsToldOnceAndTheFirstHundredAreWritten) {
    test::TempDir dir;
    picture(8, 8).SaveToFile(dir.file("p.bmp"));
    const auto r = animate({dir.file("p.bmp"), "-o", dir.file("l.ani"), "--rotate", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("the set is full (1000 images); nothing more can be added (20 times)"),
              std::string::npos)
        << r.err;
    const auto w = readBack(dir.file("l.ani"));
    EXPECT_EQ(w->set.Count, 100);
    EXPECT_EQ(w->set.StepCount(), 100);
}

TEST(CliAnimate, RefusedCommandLinesAndPictures) {
    test::TempDir dir;
    picture(32, 32).SaveToFile(dir.file("p.bmp"));
    const std::string in = dir.file("p.bmp"), out = dir.file("o.ani");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {in, "-o", out},
             {in, "-o", out, "--rotate", "90", "--zoom", "4"},
             {in, "--rotate", "90"},
             {in, "-o", dir.file("o.cur"), "--rotate", "90"},
             {in, "-o", out, "--rotate", "0"},
             {in, "-o", out, "--rotate", "361"},
             {in, "-o", out, "--rotate", "9x"},
             {in, "-o", out, "--zoom", "129"},
             {in, "-o", out, "--move", "8", "--direction", "4"},
             {in, "-o", out, "--rotate", "90", "--direction", "6"},
             {in, "-o", out, "--zoom", "4", "--direction", "1"},
             {in, "-o", out, "--move", "4", "--mode", "1"},
             {in, "-o", out, "--move", "4", "--rate", "101"},
             {in, "-o", out, "--move", "4", "--transparent", "3"},
             {in, "-o", out, "--move", "4", "--bogus"},
         }) {
        std::string line;
        for (const auto& a : args) line += a + " ";
        const auto r = animate(args);
        EXPECT_EQ(r.status, 2) << line << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << line;
    }

    // Well-formed, but nothing to write.
    picture(300, 10).SaveToFile(dir.file("wide.bmp"));
    test::WriteAll(dir.path() / "text.bmp", Bytes{'h', 'e', 'l', 'l', 'o'});
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {in, "-o", out, "--zoom", "40"},
             {in, "-o", out, "--move", "33", "--direction", "2"},
             {in, "-o", out, "--move", "8", "--transparent", "32,0"},
             {dir.file("wide.bmp"), "-o", out, "--move", "8"},
             {dir.file("text.bmp"), "-o", out, "--move", "8"},
             {dir.file("missing.bmp"), "-o", out, "--move", "8"},
         }) {
        const auto r = animate(args);
        EXPECT_EQ(r.status, 1) << args[0] << " " << args[3] << r.err;
        EXPECT_NE(r.err, "") << args[0];
        EXPECT_FALSE(std::filesystem::exists(out)) << args[0] << " " << args[3];
    }
}

}  // namespace
