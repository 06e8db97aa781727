#include "imaging/ScaleArea.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/QvDIBErrors.h"

namespace vornik {

namespace {

// Source pixels covering one target pixel along an axis, with their weights
// (the covered share of each source pixel; the weights of a target pixel sum
// to 1).
struct Span {
    int first = 0;
    int count = 0;
    std::size_t weights = 0;  // offset into the axis's weight table
};

struct Axis {
    std::vector<Span> spans;
    std::vector<float> weights;
};

Axis coverage(int from, int to) {
    Axis axis;
    axis.spans.resize(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double lo = i * scale, hi = (i + 1) * scale;
        const int first = std::min(from - 1, static_cast<int>(std::floor(lo)));
        const int last = std::max(first, std::min(from - 1, static_cast<int>(std::ceil(hi)) - 1));
        Span& s = axis.spans[static_cast<std::size_t>(i)];
        s.first = first;
        s.count = last - first + 1;
        s.weights = axis.weights.size();
        double total = 0;
        for (int j = first; j <= last; ++j) {
            const double w = std::max(0.0, std::min<double>(hi, j + 1) - std::max<double>(lo, j));
            axis.weights.push_back(static_cast<float>(w));
            total += w;
        }
        if (total <= 0) total = 1;
        for (int j = 0; j < s.count; ++j) axis.weights[s.weights + static_cast<std::size_t>(j)] /= static_cast<float>(total);
    }
    return axis;
}

inline std::uint8_t toByte(float v) { return static_cast<std::uint8_t>(std::clamp(v + 0.5f, 0.0f, 255.0f)); }

void checkPicture(const TQvDIB& picture, int width, int height, const char* where) {
    if (picture.GetBitCount() != 32 || picture.IsCompressed() || width <= 0 || height <= 0)
        throw EQvDIBInvalidDIBPara(std::string(where) + ": Invalid Parameters");
}

}  // namespace

void ScaleAreaBgra(const std::uint8_t* src, int srcWidth, int srcHeight, std::size_t srcStride, std::uint8_t* dst,
                   int dstWidth, int dstHeight, std::size_t dstStride) {
    const Axis across = coverage(srcWidth, dstWidth);
    const Axis down = coverage(srcHeight, dstHeight);
    // Horizontal pass into premultiplied float rows, then the vertical pass.
    const std::size_t rowFloats = 4 * static_cast<std::size_t>(dstWidth);
    std::vector<float> mid(rowFloats * static_cast<std::size_t>(srcHeight));
    for (int y = 0; y < srcHeight; ++y) {
        const std::uint8_t* in = src + srcStride * static_cast<std::size_t>(y);
        float* out = mid.data() + rowFloats * static_cast<std::size_t>(y);
        for (int x = 0; x < dstWidth; ++x) {
            const Span& s = across.spans[static_cast<std::size_t>(x)];
            float b = 0, g = 0, r = 0, a = 0;
            for (int k = 0; k < s.count; ++k) {
                const std::uint8_t* p = in + 4 * static_cast<std::size_t>(s.first + k);
                const float wa = across.weights[s.weights + static_cast<std::size_t>(k)] * p[3];
                b += wa * p[0];
                g += wa * p[1];
                r += wa * p[2];
                a += wa;
            }
            float* o = out + 4 * static_cast<std::size_t>(x);
            o[0] = b;
            o[1] = g;
            o[2] = r;
            o[3] = a;
        }
    }
    std::vector<float> acc(rowFloats);
    for (int y = 0; y < dstHeight; ++y) {
        const Span& s = down.spans[static_cast<std::size_t>(y)];
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (int k = 0; k < s.count; ++k) {
            const float w = down.weights[s.weights + static_cast<std::size_t>(k)];
            const float* row = mid.data() + rowFloats * static_cast<std::size_t>(s.first + k);
            for (std::size_t i = 0; i < rowFloats; ++i) acc[i] += w * row[i];
        }
        std::uint8_t* out = dst + dstStride * static_cast<std::size_t>(y);
        for (int x = 0; x < dstWidth; ++x) {
            const float* p = acc.data() + 4 * static_cast<std::size_t>(x);
            std::uint8_t* o = out + 4 * static_cast<std::size_t>(x);
            const std::uint8_t alpha = toByte(p[3]);
            if (alpha == 0) {
                o[0] = o[1] = o[2] = o[3] = 0;
                continue;
            }
            o[0] = toByte(p[0] / p[3]);
            o[1] = toByte(p[1] / p[3]);
            o[2] = toByte(p[2] / p[3]);
            o[3] = alpha;
        }
    }
}

void ScaleNearestBgra(const std::uint8_t* src, int srcWidth, int srcHeight, std::size_t srcStride, std::uint8_t* dst,
                      int dstWidth, int dstHeight, std::size_t dstStride) {
    for (int y = 0; y < dstHeight; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * srcHeight / (2LL * dstHeight));
        const std::uint8_t* in = src + srcStride * static_cast<std::size_t>(sy);
        std::uint8_t* out = dst + dstStride * static_cast<std::size_t>(y);
        for (int x = 0; x < dstWidth; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * srcWidth / (2LL * dstWidth));
            std::copy_n(in + 4 * static_cast<std::size_t>(sx), 4, out + 4 * static_cast<std::size_t>(x));
        }
    }
}

TQvDIB ScaleArea(const TQvDIB& picture, int width, int height) {
    checkPicture(picture, width, height, "ScaleArea");
    TQvDIB out;
    out.CreateDIB(width, picture.IsTopDown() ? -height : height, 0, 32);
    ScaleAreaBgra(picture.Pixels(), picture.Width(), picture.Height(), static_cast<std::size_t>(picture.Stride()),
                  out.MutablePixels(), width, height, static_cast<std::size_t>(out.Stride()));
    return out;
}

TQvDIB ScaleNearest(const TQvDIB& picture, int width, int height) {
    checkPicture(picture, width, height, "ScaleNearest");
    TQvDIB out;
    out.CreateDIB(width, picture.IsTopDown() ? -height : height, 0, 32);
    ScaleNearestBgra(picture.Pixels(), picture.Width(), picture.Height(), static_cast<std::size_t>(picture.Stride()),
                     out.MutablePixels(), width, height, static_cast<std::size_t>(out.Stride()));
    return out;
}

}  // namespace vornik
