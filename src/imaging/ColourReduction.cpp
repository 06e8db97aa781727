#include "imaging/ColourReduction.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace vornik {

namespace {

// One histogram cell. After the split, `count` holds the cell's palette index.
// The sums are 64-bit so that even a picture of billions of pixels of one
// colour cannot overflow them; the means are the same as with 32 bits.
struct ColourCell {
    std::int64_t red;
    std::int64_t green;
    std::int64_t blue;
    std::int64_t count;
    std::int32_t index;
};

class Splitter {
public:
    Splitter(std::vector<ColourCell>& cells, int depth, std::vector<RgbQuad>& palette)
        : cells_(cells), finalDepth_(depth), palette_(palette) {}

    void Split(std::size_t lo, std::size_t hi, int depth) {
        if (lo >= hi) return;
        long double weight = 0, sr = 0, sg = 0, sb = 0, qr = 0, qg = 0, qb = 0;
        for (std::size_t k = lo; k < hi; ++k) {
            const ColourCell& c = cells_[k];
            const auto n = static_cast<long double>(c.count);
            weight += n;
            sr += n * c.red;
            sg += n * c.green;
            sb += n * c.blue;
            qr += n * c.red * c.red;
            qg += n * c.green * c.green;
            qb += n * c.blue * c.blue;
        }
        const long double mr = sr / weight, mg = sg / weight, mb = sb / weight;
        if (depth >= finalDepth_) {
            const auto index = static_cast<std::int64_t>(palette_.size());
            palette_.push_back(MakeRgbQuad(Round(mr), Round(mg), Round(mb)));
            for (std::size_t k = lo; k < hi; ++k) cells_[k].count = index;
            return;
        }
        const long double vr = qr / weight - mr * mr;
        const long double vg = qg / weight - mg * mg;
        const long double vb = qb / weight - mb * mb;
        int axis;
        long double mean;
        if (3 * vr >= 4 * vg && 3 * vr >= 2 * vb) {
            axis = 0;
            mean = mr;
        } else if (4 * vg >= 3 * vr && 3 * vg >= 2 * vb) {
            axis = 1;
            mean = mg;
        } else {
            axis = 2;
            mean = mb;
        }
        auto value = [&](std::size_t k) -> long double {
            const ColourCell& c = cells_[k];
            return static_cast<long double>(axis == 0 ? c.red : axis == 1 ? c.green : c.blue);
        };
        std::size_t i = lo, j = hi;
        for (;;) {
            while (i < j && value(i) <= mean) ++i;
            while (j > i && value(j - 1) > mean) --j;
            if (i >= j) break;
            std::swap(cells_[i], cells_[j - 1]);
        }
        Split(lo, i, depth + 1);
        Split(i, hi, depth + 1);
    }

private:
    // Nearest integer, halves to even.
    static std::uint8_t Round(long double v) {
        long double r = std::nearbyint(v);
        if (r < 0) r = 0;
        if (r > 255) r = 255;
        return static_cast<std::uint8_t>(r);
    }

    std::vector<ColourCell>& cells_;
    int finalDepth_;
    std::vector<RgbQuad>& palette_;
};

}  // namespace

AdaptivePalette BuildAdaptivePalette(const std::uint8_t* rows, int width, int height, std::size_t stride,
                                     int depth) {
    std::vector<ColourCell> cells(kColourCells);
    for (int k = 0; k < kColourCells; ++k) cells[static_cast<std::size_t>(k)] = ColourCell{0, 0, 0, 0, k};

    // 1. Histogram: count and the low bits the cell does not resolve.
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = rows + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x, p += 3) {
            const int b = p[0], g = p[1], r = p[2];
            ColourCell& c = cells[static_cast<std::size_t>(ColourCellIndex(r, g, b))];
            ++c.count;
            c.red += r & 7;
            c.green += g & 3;
            c.blue += b & 7;
        }
    }

    // 2-3. Means of the occupied cells, moved to the front in cell order.
    std::size_t n = 0;
    for (int k = 0; k < kColourCells; ++k) {
        ColourCell c = cells[static_cast<std::size_t>(k)];
        if (c.count <= 0) continue;
        c.red = c.red / c.count + 8 * (k >> 11);
        c.green = c.green / c.count + 4 * ((k >> 5) & 63);
        c.blue = c.blue / c.count + 8 * (k & 31);
        cells[n++] = c;
    }

    // 4. Recursive split.
    AdaptivePalette result;
    result.colours.reserve(std::size_t{1} << depth);
    Splitter(cells, depth, result.colours).Split(0, n, 0);

    // 5. Cell index -> palette index.
    result.map.assign(kColourCells, 0);
    for (std::size_t k = 0; k < n; ++k)
        result.map[static_cast<std::size_t>(cells[k].index)] = static_cast<std::uint8_t>(cells[k].count);
    return result;
}

const std::array<RgbQuad, 16>& FixedPalette16() {
    static const std::array<RgbQuad, 16> palette = {
        MakeRgbQuad(0, 0, 0),       MakeRgbQuad(191, 0, 0),     MakeRgbQuad(0, 191, 0),
        MakeRgbQuad(191, 191, 0),   MakeRgbQuad(0, 0, 191),     MakeRgbQuad(191, 0, 191),
        MakeRgbQuad(0, 191, 191),   MakeRgbQuad(192, 192, 192), MakeRgbQuad(128, 128, 128),
        MakeRgbQuad(255, 0, 0),     MakeRgbQuad(0, 255, 0),     MakeRgbQuad(255, 255, 0),
        MakeRgbQuad(0, 0, 255),     MakeRgbQuad(255, 0, 255),   MakeRgbQuad(0, 255, 255),
        MakeRgbQuad(255, 255, 255),
    };
    return palette;
}

int NearestFixedIndex(int red, int green, int blue) {
    int best = 768, bestIndex = 0;
    const auto& fixed = FixedPalette16();
    for (int i = 0; i < 16; ++i) {
        const RgbQuad& q = fixed[static_cast<std::size_t>(i)];
        const int d = std::abs(red - q.rgbRed) + std::abs(green - q.rgbGreen) + std::abs(blue - q.rgbBlue);
        if (d < best) {
            best = d;
            bestIndex = i;
        }
    }
    return bestIndex;
}

}  // namespace vornik
