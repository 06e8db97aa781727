#include "model/XcursorScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vornik {

namespace {

// For one axis: which source pixels each target pixel covers, and how much.
struct Span {
    int first;
    std::vector<double> weights;  // sum to 1
};

std::vector<Span> spans(int from, int to) {
    std::vector<Span> out(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        double a = t * scale, b = (t + 1) * scale;
        Span& s = out[static_cast<std::size_t>(t)];
        s.first = static_cast<int>(std::floor(a));
        const int last = std::min(from - 1, static_cast<int>(std::ceil(b)) - 1);
        for (int i = s.first; i <= last; ++i) {
            const double cover = std::min<double>(b, i + 1) - std::max<double>(a, i);
            s.weights.push_back(cover / scale);
        }
    }
    return out;
}

}  // namespace

XcursorPicture ScaleXcursorPicture(const XcursorPicture& p, std::uint32_t nominalSize) {
    const double factor = static_cast<double>(nominalSize) / std::max<std::uint32_t>(p.nominalSize, 1);
    const int w = std::max(1, static_cast<int>(std::lround(p.width * factor)));
    const int h = std::max(1, static_cast<int>(std::lround(p.height * factor)));
    XcursorPicture out;
    out.nominalSize = nominalSize;
    out.width = static_cast<std::uint32_t>(w);
    out.height = static_cast<std::uint32_t>(h);
    out.xhot = std::min<std::uint32_t>(static_cast<std::uint32_t>(p.xhot * factor), out.width - 1);
    out.yhot = std::min<std::uint32_t>(static_cast<std::uint32_t>(p.yhot * factor), out.height - 1);
    out.delay = p.delay;
    out.pixels.resize(static_cast<std::size_t>(w) * h);
    const auto xs = spans(static_cast<int>(p.width), w);
    const auto ys = spans(static_cast<int>(p.height), h);
    for (int y = 0; y < h; ++y) {
        const Span& sy = ys[static_cast<std::size_t>(y)];
        for (int x = 0; x < w; ++x) {
            const Span& sx = xs[static_cast<std::size_t>(x)];
            double acc[4] = {0, 0, 0, 0};
            for (std::size_t j = 0; j < sy.weights.size(); ++j) {
                const std::size_t row = static_cast<std::size_t>(sy.first) + j;
                for (std::size_t i = 0; i < sx.weights.size(); ++i) {
                    const std::uint32_t v = p.pixels[row * p.width + static_cast<std::size_t>(sx.first) + i];
                    const double wgt = sy.weights[j] * sx.weights[i];
                    for (int c = 0; c < 4; ++c) acc[c] += wgt * ((v >> (8 * c)) & 0xFF);
                }
            }
            std::uint32_t v = 0;
            for (int c = 0; c < 4; ++c)
                v |= static_cast<std::uint32_t>(std::clamp(std::lround(acc[c]), 0l, 255l)) << (8 * c);
            // Rounding must not leave a colour above its alpha.
            const std::uint32_t a = v >> 24;
            for (int c = 0; c < 3; ++c)
                if (((v >> (8 * c)) & 0xFF) > a) v = (v & ~(0xFFu << (8 * c))) | (a << (8 * c));
            out.pixels[static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)] = v;
        }
    }
    return out;
}

}  // namespace vornik
