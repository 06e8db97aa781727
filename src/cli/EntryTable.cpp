#include "cli/EntryTable.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "imaging/BitmapInfoHeader.h"
#include "model/ColorName.h"

namespace vornik::cli {

namespace {

int bitCountOf(const IconEntry& e) {
    return e.InfoHeader.size() >= BitmapInfoHeader::kSize ? ReadU16LE(e.InfoHeader.data() + bih::kBitCount)
                                                          : 0;
}

std::string hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%x", v);
    return buf;
}

std::string caption(const IconEntry& e) {
    return std::to_string(e.PixelWidth()) + " x " + std::to_string(e.PixelHeight()) + " - " + ColorName(bitCountOf(e));
}

}  // namespace

std::string FormatEntryTable(const TIconEx& set) {
    std::vector<std::vector<std::string>> rows = {{"#", "No", "X", "Y", "Color", "Offset", "Size", "HX", "HY"}};
    for (int i = 0; i < set.Count; ++i) {
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        rows.push_back({std::to_string(i), caption(e), std::to_string(e.PixelWidth()), std::to_string(e.PixelHeight()),
                        ColorName(bitCountOf(e)), hex(e.ImageOffset), std::to_string(e.ImageSize),
                        std::to_string(e.HotSpotX), std::to_string(e.HotSpotY)});
    }
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const auto& r : rows)
        for (std::size_t c = 0; c < r.size(); ++c) widths[c] = std::max(widths[c], r[c].size());
    std::string out;
    for (const auto& r : rows) {
        std::string line;
        for (std::size_t c = 0; c < r.size(); ++c) {
            if (c > 0) line += "  ";
            const std::string pad(widths[c] - r[c].size(), ' ');
            // Caption and colour name read left to right; numbers line up on the right.
            line += c == 1 || c == 4 ? r[c] + pad : pad + r[c];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    return out;
}

std::string FormatEntryTsv(const TIconEx& set) {
    std::string out = "No\tX\tY\tBitCount\tColor\tOffset\tSize\tHX\tHY\n";
    for (int i = 0; i < set.Count; ++i) {
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        out += std::to_string(i) + "\t" + std::to_string(e.PixelWidth()) + "\t" + std::to_string(e.PixelHeight()) + "\t" +
               std::to_string(bitCountOf(e)) + "\t" + ColorName(bitCountOf(e)) + "\t" + hex(e.ImageOffset) +
               "\t" + std::to_string(e.ImageSize) + "\t" + std::to_string(e.HotSpotX) + "\t" +
               std::to_string(e.HotSpotY) + "\n";
    }
    return out;
}

}  // namespace vornik::cli
