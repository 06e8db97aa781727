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

// Horizontal pass of one source row into premultiplied float pixels.
void spreadRow(const std::uint8_t* in, const Axis& across, float* out) {
    for (std::size_t x = 0; x < across.spans.size(); ++x) {
        const Span& s = across.spans[x];
        float b = 0, g = 0, r = 0, a = 0;
        for (int k = 0; k < s.count; ++k) {
            const std::uint8_t* p = in + 4 * static_cast<std::size_t>(s.first + k);
            const float wa = across.weights[s.weights + static_cast<std::size_t>(k)] * p[3];
            b += wa * p[0];
            g += wa * p[1];
            r += wa * p[2];
            a += wa;
        }
        float* o = out + 4 * x;
        o[0] = b;
        o[1] = g;
        o[2] = r;
        o[3] = a;
    }
}

// The last two spread rows: neighbouring target rows share a source row at
// their border when shrinking, and the same one or two rows when enlarging.
class SpreadRows {
public:
    SpreadRows(const BgraRowSource& source, const Axis& across)
        : source_(source), across_(across), floats_(4 * across.spans.size()) {
        for (Slot& s : slots_) s.row.resize(floats_);
    }
    const float* get(int y) {
        for (Slot& s : slots_)
            if (s.y == y) return s.row.data();
        Slot& s = slots_[0].y < slots_[1].y ? slots_[0] : slots_[1];
        spreadRow(source_(y), across_, s.row.data());
        s.y = y;
        return s.row.data();
    }
    std::size_t floats() const { return floats_; }

private:
    struct Slot {
        int y = -1;
        std::vector<float> row;
    };
    const BgraRowSource& source_;
    const Axis& across_;
    std::size_t floats_;
    Slot slots_[2];
};

}  // namespace

void ScaleAreaRows(const BgraRowSource& sourceRow, int srcWidth, int srcHeight, std::uint8_t* dst, int dstWidth,
                   int dstHeight, std::size_t dstStride) {
    const Axis across = coverage(srcWidth, dstWidth);
    const Axis down = coverage(srcHeight, dstHeight);
    SpreadRows spread(sourceRow, across);
    std::vector<float> acc(spread.floats());
    for (int y = 0; y < dstHeight; ++y) {
        const Span& s = down.spans[static_cast<std::size_t>(y)];
        std::fill(acc.begin(), acc.end(), 0.0f);
        for (int k = 0; k < s.count; ++k) {
            const float w = down.weights[s.weights + static_cast<std::size_t>(k)];
            const float* row = spread.get(s.first + k);
            for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += w * row[i];
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

void ScaleNearestRows(const BgraRowSource& sourceRow, int srcWidth, int srcHeight, std::uint8_t* dst, int dstWidth,
                      int dstHeight, std::size_t dstStride) {
    for (int y = 0; y < dstHeight; ++y) {
        const int sy = static_cast<int>((2LL * y + 1) * srcHeight / (2LL * dstHeight));
        const std::uint8_t* in = sourceRow(sy);
        std::uint8_t* out = dst + dstStride * static_cast<std::size_t>(y);
        for (int x = 0; x < dstWidth; ++x) {
            const int sx = static_cast<int>((2LL * x + 1) * srcWidth / (2LL * dstWidth));
            std::copy_n(in + 4 * static_cast<std::size_t>(sx), 4, out + 4 * static_cast<std::size_t>(x));
        }
    }
}

void ScaleAreaBgra(const std::uint8_t* src, int srcWidth, int srcHeight, std::size_t srcStride, std::uint8_t* dst,
                   int dstWidth, int dstHeight, std::size_t dstStride) {
    ScaleAreaRows([&](int y) { return src + srcStride * static_cast<std::size_t>(y); }, srcWidth, srcHeight, dst,
                  dstWidth, dstHeight, dstStride);
}

void ScaleNearestBgra(const std::uint8_t* src, int srcWidth, int srcHeight, std::size_t srcStride, std::uint8_t* dst,
                      int dstWidth, int dstHeight, std::size_t dstStride) {
    ScaleNearestRows([&](int y) { return src + srcStride * static_cast<std::size_t>(y); }, srcWidth, srcHeight, dst,
                     dstWidth, dstHeight, dstStride);
}

TQvDIB ScaleArea(const TQvDIB& picture, int width, int height) {
    checkPicture(picture, width, height, "ScaleArea");
    if (width == picture.Width() && height == picture.Height()) return picture;
    TQvDIB out;
    out.CreateDIB(width, picture.IsTopDown() ? -height : height, 0, 32);
    ScaleAreaBgra(picture.Pixels(), picture.Width(), picture.Height(), static_cast<std::size_t>(picture.Stride()),
                  out.MutablePixels(), width, height, static_cast<std::size_t>(out.Stride()));
    return out;
}

TQvDIB ScaleNearest(const TQvDIB& picture, int width, int height) {
    checkPicture(picture, width, height, "ScaleNearest");
    if (width == picture.Width() && height == picture.Height()) return picture;
    TQvDIB out;
    out.CreateDIB(width, picture.IsTopDown() ? -height : height, 0, 32);
    ScaleNearestBgra(picture.Pixels(), picture.Width(), picture.Height(), static_cast<std::size_t>(picture.Stride()),
                     out.MutablePixels(), width, height, static_cast<std::size_t>(out.Stride()));
    return out;
}

}  // namespace vornik
