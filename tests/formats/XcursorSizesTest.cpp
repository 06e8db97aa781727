// Animated cursors whose frames hold several sizes, through Xcursor and back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "TestFiles.h"
#include "anim/XcursorConvert.h"
#include "formats/CursorFiles.h"
#include "model/EntryPixels.h"
#include "model/XcursorFile.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

// Every image of a frame by side: pixels as shown (premultiplied, as Xcursor
// keeps them) and hot spot. Empty when the frame holds two images of one
// side, which Xcursor cannot hold both of.
std::map<int, std::pair<Bytes, std::pair<int, int>>> imagesBySide(const TAniEX& a, int frame) {
    std::map<int, std::pair<Bytes, std::pair<int, int>>> out;
    for (int k = 0; k < a.FrameImageCount(frame); ++k) {
        IconEntry e;
        EXPECT_EQ(a.DecodeFrameImage(frame, k, e), "");
        Bytes px = EntryToBgra(e).bgra;
        for (std::size_t i = 0; i < px.size(); i += 4)
            for (int c = 0; c < 3; ++c)
                px[i + c] = static_cast<std::uint8_t>((px[i + c] * px[i + 3] + 127) / 255);
        if (!out.emplace(e.PixelWidth(), std::make_pair(px, std::make_pair(+e.HotSpotX, +e.HotSpotY))).second)
            return {};
    }
    return out;
}

TEST(XcursorSizes, CorpusAnimationsKeepEverySizeOfEveryFrame) {
    VORNIK_REQUIRE_CORPUS();
    int multiSize = 0;
    for (const fs::path& f : test::CorpusFiles("ani")) {
        const Bytes data = test::ReadAll(f);
        CursorDocument doc;
        try {
            doc = ReadCursorDocument(data, f.string());
        } catch (const EVornikError&) {
            continue;
        }
        if (!doc.animation || doc.animation->StepCount() < 2) continue;
        SCOPED_TRACE(f.filename().string());
        const TAniEX& a = *doc.animation;
        const CursorDocument back =
            ReadCursorDocument(WriteXcursor(CursorDocumentToXcursor(doc, nullptr)), "back");
        ASSERT_TRUE(back.animation);
        const TAniEX& b = *back.animation;
        ASSERT_EQ(b.StepCount(), a.StepCount());
        bool several = false;
        for (int i = 0; i < a.StepCount(); ++i) {
            const int fa = a.Steps[static_cast<std::size_t>(i)].Frame,
                      fb = b.Steps[static_cast<std::size_t>(i)].Frame;
            several = several || a.FrameImageCount(fa) > 1;
            const auto want = imagesBySide(a, fa);
            if (want.empty()) continue;
            EXPECT_TRUE(imagesBySide(b, fb) == want) << "step " << i;
            EXPECT_EQ(b.Steps[static_cast<std::size_t>(i)].Rate,
                      std::max(a.Steps[static_cast<std::size_t>(i)].Rate, 1));
        }
        multiSize += several;
    }
    EXPECT_GE(multiSize, 1);  // the corpus has packs with multi-size frames
}

TEST(XcursorSizes, ThemeSizesAreScaledByArea) {
    // A 64 px image of two halves, opaque red and fully transparent, scaled
    // to 32 px: the edge column is half covered, its colour stays pure red.
    XcursorPicture p;
    p.nominalSize = p.width = p.height = 64;
    p.xhot = 33;
    p.yhot = 63;
    p.pixels.assign(64 * 64, 0);
    for (std::uint32_t y = 0; y < 64; ++y)
        for (std::uint32_t x = 0; x < 33; ++x) p.pixels[y * 64 + x] = 0xFFFF0000u;
    const auto scaled = XcursorAtSizes({p}, {32, 64});
    ASSERT_EQ(scaled.size(), 2u);
    const XcursorPicture& s = scaled[0];
    EXPECT_EQ(s.width, 32u);
    EXPECT_EQ(s.nominalSize, 32u);
    EXPECT_EQ(s.xhot, 16u);
    EXPECT_EQ(s.yhot, 31u);
    EXPECT_EQ(s.pixels[0], 0xFFFF0000u);
    EXPECT_EQ(s.pixels[16], 0x80800000u);  // half alpha, premultiplied red
    EXPECT_EQ(s.pixels[17], 0u);
    EXPECT_EQ(scaled[1].pixels, p.pixels);
}

}  // namespace
}  // namespace vornik
