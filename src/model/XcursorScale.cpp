#include "model/XcursorScale.h"

#include <algorithm>
#include <cmath>

#include "imaging/ScaleArea.h"
#include "model/XcursorPixels.h"

namespace vornik {

XcursorPicture ScaleXcursorPicture(const XcursorPicture& p, std::uint32_t nominalSize) {
    const double factor = static_cast<double>(nominalSize) / std::max<std::uint32_t>(p.nominalSize, 1);
    const int w = std::max(1, static_cast<int>(std::lround(p.width * factor)));
    const int h = std::max(1, static_cast<int>(std::lround(p.height * factor)));
    const BgraPicture from = XcursorToBgra(p);
    BgraPicture to;
    to.width = w;
    to.height = h;
    to.bgra.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    if (from.width > 0 && from.height > 0)
        ScaleAreaBgra(from.bgra.data(), from.width, from.height, static_cast<std::size_t>(from.width) * 4,
                      to.bgra.data(), w, h, static_cast<std::size_t>(w) * 4);
    XcursorPicture out = BgraToXcursor(to, static_cast<std::uint32_t>(p.xhot * factor),
                                       static_cast<std::uint32_t>(p.yhot * factor), p.delay);
    out.nominalSize = nominalSize;
    return out;
}

}  // namespace vornik
