// 32-bit entries drawn by their alpha: DrawEntry, thumbnails, the icon check.
#include <gtest/gtest.h>

#include "imaging/AlphaBlend.h"
#include "imaging/AlphaMask.h"
#include "imaging/TQvDIBCanvas.h"
#include "model/ListView.h"
#include "model/RenderEntry.h"

using namespace vornik;

namespace {

// A 4 x 1 entry over an all-opaque mask: red at alpha 255, 128 and 0, and a
// black "shadow" pixel at alpha 64.
void shadowEntry(TIconEx& set, bool alphaInUse) {
    set.InitEntry(0, 1, 4, 1, 32);
    set.Count = 1;
    IconEntry& e = set.Entries[0];
    const std::uint8_t bgra[16] = {0, 0, 255, 255, 0, 0, 255, 128, 0, 0, 255, 0, 0, 0, 0, 64};
    std::copy_n(bgra, 16, e.XorBits.begin());
    if (!alphaInUse)
        for (int i = 3; i < 16; i += 4) e.XorBits[static_cast<std::size_t>(i)] = 0;
    std::fill(e.AndBits.begin(), e.AndBits.end(), 0);  // every pixel opaque by the mask
}

TQvDIB White(int w, int h) {
    TQvDIB dib;
    dib.CreateDIB(w, h, 0, 24);
    TQvDIBCanvas(dib).FillRect(0, 0, w, h, kRasterWhite);
    return dib;
}

RasterColor At(TQvDIB& dib, int x, int y) { return TQvDIBCanvas(dib).GetPixel(x, y); }

}  // namespace

TEST(AlphaDraw, DrawEntryBlendsThirtyTwoBitEntriesByTheirAlpha) {
    TIconCurEX set;
    shadowEntry(set, true);
    TQvDIB view = White(6, 2);
    {
        TQvDIBCanvas canvas(view);
        DrawEntry(set, canvas, 0, 1);
    }
    EXPECT_EQ(At(view, 0, 0), kRasterWhite);
    EXPECT_EQ(At(view, 1, 0), RgbColor(255, 0, 0));
    EXPECT_EQ(At(view, 2, 0), RgbColor(255, 127, 127));
    EXPECT_EQ(At(view, 3, 0), kRasterWhite);               // alpha 0 leaves the background
    EXPECT_EQ(At(view, 4, 0), RgbColor(191, 191, 191));    // a soft shadow, not solid black
    EXPECT_EQ(At(view, 1, 1), kRasterWhite);

    // Alpha 0 everywhere: an older icon drawn by its mask (opaque here).
    shadowEntry(set, false);
    view = White(6, 2);
    {
        TQvDIBCanvas canvas(view);
        DrawEntry(set, canvas, 0, 1);
    }
    EXPECT_EQ(At(view, 3, 0), RgbColor(255, 0, 0));
    EXPECT_EQ(At(view, 4, 0), kRasterBlack);
}

TEST(AlphaDraw, ThumbnailsCarryAlphaOnlyForPicturesDrawnByIt) {
    TIconCurEX set;
    shadowEntry(set, true);
    const RenderCache& cache = RenderEntry(set, 0);
    ASSERT_EQ(cache.RenderedImage.GetBitCount(), 32);
    const ImagePair pair = ScaleImagePair(cache.RenderedImage, cache.RenderedMask, 16, 0);
    ASSERT_EQ(pair.alpha.GetBitCount(), 32);
    EXPECT_EQ(pair.alpha.Width(), 16);
    shadowEntry(set, false);
    const RenderCache& flat = RenderEntry(set, 0);
    EXPECT_FALSE(AlphaInUse(ScaleImagePair(flat.RenderedImage, flat.RenderedMask, 16, 0).alpha));
}

TEST(AlphaDraw, StretchedBlendKeepsEnlargedPixelsSharpAndClips) {
    TQvDIB rgba;
    rgba.CreateDIB(2, 1, 0, 32);
    std::uint8_t* row = rgba.MutableScanLine(0);
    const std::uint8_t px[8] = {0, 0, 255, 255, 255, 0, 0, 0};  // red opaque, blue transparent
    std::copy_n(px, 8, row);
    TQvDIB view = White(5, 3);
    {
        TQvDIBCanvas canvas(view);
        AlphaBlendStretched(canvas, 1, 0, 8, 4, rgba);  // reaches past the right and bottom edges
    }
    EXPECT_EQ(At(view, 0, 0), kRasterWhite);
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(At(view, x, 2), x <= 4 ? RgbColor(255, 0, 0) : kRasterWhite) << x;
    TQvDIB view2 = White(10, 4);
    {
        TQvDIBCanvas canvas(view2);
        AlphaBlendStretched(canvas, 1, 0, 8, 4, rgba);
    }
    EXPECT_EQ(At(view2, 6, 1), kRasterWhite);  // the transparent half
}
