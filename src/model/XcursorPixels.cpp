#include "model/XcursorPixels.h"

#include <algorithm>
#include <cstring>

namespace vornik {

BgraPicture XcursorToBgra(const XcursorPicture& p) {
    BgraPicture out;
    out.width = static_cast<int>(p.width);
    out.height = static_cast<int>(p.height);
    out.bgra.resize(p.pixels.size() * 4);
    std::uint8_t* o = out.bgra.data();
    for (std::uint32_t v : p.pixels) {
        const std::uint32_t a = v >> 24;
        if (a == 0) {
            std::memset(o, 0, 4);
        } else {
            for (int c = 0; c < 3; ++c) {
                const std::uint32_t pc = (v >> (8 * c)) & 0xFFu;
                o[c] = static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (pc * 255 + a / 2) / a));
            }
            o[3] = static_cast<std::uint8_t>(a);
        }
        o += 4;
    }
    return out;
}

XcursorPicture BgraToXcursor(const BgraPicture& b, std::uint32_t xhot, std::uint32_t yhot,
                             std::uint32_t delay) {
    XcursorPicture p;
    p.width = static_cast<std::uint32_t>(b.width);
    p.height = static_cast<std::uint32_t>(b.height);
    p.nominalSize = std::max(p.width, p.height);
    p.xhot = std::min(xhot, p.width - 1);
    p.yhot = std::min(yhot, p.height - 1);
    p.delay = delay;
    p.pixels.resize(static_cast<std::size_t>(b.width) * static_cast<std::size_t>(b.height));
    const std::uint8_t* in = b.bgra.data();
    for (auto& v : p.pixels) {
        const std::uint32_t a = in[3];
        std::uint32_t out = a << 24;
        for (int c = 0; c < 3; ++c) out |= ((in[c] * a + 127) / 255) << (8 * c);
        v = out;
        in += 4;
    }
    return p;
}

}  // namespace vornik
