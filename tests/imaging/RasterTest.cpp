// The raster engine on plain surfaces, checked against straightforward
// reference computations.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "imaging/RasterStretch.h"
#include "imaging/RasterSurface.h"

namespace vornik {
namespace {

struct OwnedSurface {
    std::vector<std::uint8_t> bits;
    std::vector<std::uint8_t> table;
    RasterSurface s;
    OwnedSurface(int w, int h, int bitCount, int colours = 0, bool topDown = false) {
        s.width = w;
        s.height = h;
        s.bitCount = bitCount;
        s.stride = std::size_t(((w * bitCount + 31) / 32) * 4);
        s.topDown = topDown;
        bits.assign(s.stride * std::size_t(h), 0);
        table.assign(std::size_t(colours) * 4, 0);
        s.bits = bits.data();
        s.colorTable = table.data();
        s.colorCount = colours;
    }
};

TEST(RasterEncoder, CachedNearestEntriesMatchTheFullSearch) {
    std::mt19937 rng(7);
    OwnedSurface pal(1, 1, 8, 256);
    for (auto& b : pal.table) b = std::uint8_t(rng());
    RasterColorEncoder encoder(pal.s);
    for (int i = 0; i < 20000; ++i) {
        // A small set of colours asked again and again, plus fresh ones, so
        // cache slots are both hit and overwritten.
        const RasterColor c = (i % 3) ? RasterColor(rng() % 64) * 0x030507u & 0xFFFFFF : rng() & 0xFFFFFF;
        ASSERT_EQ(encoder.encode(c), NearestTableIndex(pal.table.data(), 256, c)) << std::hex << c;
    }
}

TEST(RasterEncoder, IndexMapKeepsAgreeingEntriesAndMatchesTheRest) {
    OwnedSurface src(1, 1, 8, 3), dst(1, 1, 4, 2);
    const std::uint8_t srcTable[] = {0, 0, 255, 0, 0, 0, 255, 0, 255, 255, 255, 0};  // red, red, white
    const std::uint8_t dstTable[] = {0, 0, 0, 0, 0, 0, 255, 0};                      // black, red
    std::copy(std::begin(srcTable), std::end(srcTable), src.table.begin());
    std::copy(std::begin(dstTable), std::end(dstTable), dst.table.begin());
    const auto map = BuildIndexMap(src.s, dst.s);
    EXPECT_EQ(map[0], 1u);    // red moves to the destination's red
    EXPECT_EQ(map[1], 1u);    // same colour at the same place: kept
    EXPECT_EQ(map[2], 1u);    // white: red is nearer than black
    EXPECT_EQ(map[200], 0u);  // past the source table: black
}

// Reference sampling in floating point, straight from the rule in RasterStretch.h.
struct Walk {
    int start, step, len;
    int at(int i) const { return start + step * i; }
};
Walk walkOf(int x, int w) { return {x, w < 0 ? -1 : 1, std::abs(w)}; }

TEST(RasterStretch, MatchesTheReferenceSamplingOnRandomRectangles) {
    std::mt19937 rng(99);
    OwnedSurface src(13, 11, 24);
    for (auto& b : src.bits) b = std::uint8_t(rng());
    for (int round = 0; round < 400; ++round) {
        const bool halftone = round % 2 == 1;
        OwnedSurface dst(9, 7, 24, 0, round % 3 == 0);
        auto pick = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
        int sw = pick(1, 15), sh = pick(1, 13), dw = pick(1, 12), dh = pick(1, 10);
        if (rng() % 2) sw = -sw;
        if (rng() % 2) sh = -sh;
        if (rng() % 3 == 0) dw = -dw;
        const int sx = pick(-3, 15), sy = pick(-3, 13), dx = pick(-3, 11), dy = pick(-3, 9);
        StretchCopy(dst.s, dx, dy, dw, dh, src.s, sx, sy, sw, sh,
                    halftone ? StretchMode::Halftone : StretchMode::ColorOnColor);
        const Walk wx = walkOf(dx, dw), wy = walkOf(dy, dh), vx = walkOf(sx, sw), vy = walkOf(sy, sh);
        for (int j = 0; j < wy.len; ++j)
            for (int i = 0; i < wx.len; ++i) {
                const int x = wx.at(i), y = wy.at(j);
                if (!dst.s.contains(x, y)) continue;
                SCOPED_TRACE(testing::Message() << "round " << round << " pixel " << x << "," << y);
                const RasterColor got = ReadPixelColor(dst.s, x, y);
                if (!halftone) {
                    const int k = int(std::floor((i + 0.5) * vx.len / wx.len));
                    const int l = int(std::floor((j + 0.5) * vy.len / wy.len));
                    const bool inside = src.s.contains(vx.at(k), vy.at(l));
                    ASSERT_EQ(got, inside ? ReadPixelColor(src.s, vx.at(k), vy.at(l)) : kRasterBlack);
                    continue;
                }
                double sum[3] = {0, 0, 0}, weight = 0;
                const double fx = double(vx.len) / wx.len, fy = double(vy.len) / wy.len;
                for (int l = 0; l < vy.len; ++l)
                    for (int k = 0; k < vx.len; ++k) {
                        const double ox = std::min(k + 1.0, (i + 1) * fx) - std::max(double(k), i * fx);
                        const double oy = std::min(l + 1.0, (j + 1) * fy) - std::max(double(l), j * fy);
                        if (ox <= 0 || oy <= 0 || !src.s.contains(vx.at(k), vy.at(l))) continue;
                        const RasterColor c = ReadPixelColor(src.s, vx.at(k), vy.at(l));
                        sum[0] += ox * oy * RedOf(c);
                        sum[1] += ox * oy * GreenOf(c);
                        sum[2] += ox * oy * BlueOf(c);
                        weight += ox * oy;
                    }
                if (weight < 1e-9) {
                    ASSERT_EQ(got, kRasterBlack);
                    continue;
                }
                ASSERT_NEAR(RedOf(got), sum[0] / weight, 0.51 + 1e-3);
                ASSERT_NEAR(GreenOf(got), sum[1] / weight, 0.51 + 1e-3);
                ASSERT_NEAR(BlueOf(got), sum[2] / weight, 0.51 + 1e-3);
            }
    }
}

}  // namespace
}  // namespace vornik
