#pragma once

#include <map>
#include <string>
#include <vector>

#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"

namespace vornik::test {

// A zero-filled DIB; `colours` becomes its colour table (palette formats).
inline TQvDIB MakeDib(int width, int height, int bitCount, const std::vector<RasterColor>& colours = {}) {
    TQvDIB dib;
    dib.CreateDIB(width, height, static_cast<int>(colours.size()), bitCount);
    std::vector<RgbQuad> table;
    for (RasterColor c : colours) table.push_back(MakeRgbQuad(RedOf(c), GreenOf(c), BlueOf(c)));
    if (!table.empty()) dib.SetColorTable(table.data(), static_cast<int>(table.size()));
    return dib;
}

// The picture as rows of characters, one per pixel, top row first: each
// colour is shown by its character in `legend`, unknown colours as '?'.
inline std::vector<std::string> Picture(TQvDIB& dib, const std::map<RasterColor, char>& legend) {
    TQvDIBCanvas canvas(dib);
    std::vector<std::string> rows;
    for (int y = 0; y < dib.Height(); ++y) {
        std::string row;
        for (int x = 0; x < dib.Width(); ++x) {
            auto it = legend.find(canvas.GetPixel(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

// Paints rows of characters into the DIB (the inverse of Picture).
inline void Paint(TQvDIB& dib, const std::vector<std::string>& rows,
                  const std::map<char, RasterColor>& colours) {
    TQvDIBCanvas canvas(dib);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            canvas.SetPixel(x, y, colours.at(rows[y][x]));
}

// The raw stored value (index or packed colour) of every pixel, top row first.
inline std::vector<std::vector<unsigned>> RawPixels(TQvDIB& dib) {
    TQvDIBCanvas canvas(dib);
    const RasterSurface s = canvas.Surface();
    std::vector<std::vector<unsigned>> out(dib.Height(), std::vector<unsigned>(dib.Width()));
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) out[y][x] = ReadRawPixel(s, x, y);
    return out;
}

constexpr RasterColor kRed = RgbColor(255, 0, 0);
constexpr RasterColor kGreen = RgbColor(0, 255, 0);
constexpr RasterColor kBlue = RgbColor(0, 0, 255);

inline const std::map<RasterColor, char> kBw = {{kRasterBlack, '.'}, {kRasterWhite, '#'}};
inline const std::map<char, RasterColor> kBwPaint = {{'.', kRasterBlack}, {'#', kRasterWhite}};

}  // namespace vornik::test
