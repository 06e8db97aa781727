#include "imaging/ExactPalette.h"

#include <unordered_map>
#include <vector>

#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik {

bool ReduceToOwnColours(TQvDIB& dib, int bitCount) {
    if (bitCount != 4 && bitCount != 8) return false;
    const int limit = bitCount == 4 ? 16 : 256;
    const TQvDIB pixels = DrawableSource(dib);
    const TQvDIBSourceSurface source(pixels);
    const RasterSurface& s = source.Surface();
    std::unordered_map<RasterColor, std::uint32_t> index;
    std::vector<RasterColor> colours;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height));
    std::size_t n = 0;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x, ++n) {
            const RasterColor c = ReadPixelColor(s, x, y);
            auto [it, added] = index.try_emplace(c, static_cast<std::uint32_t>(colours.size()));
            if (added) {
                if (static_cast<int>(colours.size()) == limit) return false;
                colours.push_back(c);
            }
            indices[n] = static_cast<std::uint8_t>(it->second);
        }
    TQvDIB out;
    out.CreateDIB(s.width, s.height, 0, bitCount);
    std::vector<RgbQuad> table;
    table.reserve(colours.size());
    for (RasterColor c : colours) table.push_back(MakeRgbQuad(RedOf(c), GreenOf(c), BlueOf(c)));
    out.SetColorTable(table.data(), static_cast<int>(table.size()));
    {
        TQvDIBCanvas canvas(out);
        const RasterSurface o = canvas.Surface();
        n = 0;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x, ++n) WriteRawPixel(o, x, y, indices[n]);
    }
    dib = out;
    return true;
}

}  // namespace vornik
