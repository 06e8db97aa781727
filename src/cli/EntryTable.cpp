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

std::string caption(const EntryRow& e) {
    return std::to_string(e.width) + " x " + std::to_string(e.height) + " - " + ColorName(e.bitCount);
}

std::vector<EntryRow> rowsOf(const TIconEx& set) {
    std::vector<EntryRow> rows;
    rows.reserve(static_cast<std::size_t>(set.Count));
    for (int i = 0; i < set.Count; ++i) rows.push_back(RowOf(set.Entries[static_cast<std::size_t>(i)]));
    return rows;
}

}  // namespace

EntryRow RowOf(const IconEntry& e) {
    return {e.PixelWidth(), e.PixelHeight(), bitCountOf(e), e.ImageOffset, e.ImageSize, e.HotSpotX, e.HotSpotY};
}

std::string FormatEntryTable(const TIconEx& set) { return FormatEntryTable(rowsOf(set)); }

std::string FormatEntryTsv(const TIconEx& set) { return FormatEntryTsv(rowsOf(set)); }

std::string FormatEntryTable(const std::vector<EntryRow>& entries) {
    std::vector<std::vector<std::string>> rows = {{"#", "No", "X", "Y", "Color", "Offset", "Size", "HX", "HY"}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EntryRow& e = entries[i];
        rows.push_back({std::to_string(i), caption(e), std::to_string(e.width), std::to_string(e.height),
                        ColorName(e.bitCount), hex(e.offset), std::to_string(e.size), std::to_string(e.hotX),
                        std::to_string(e.hotY)});
    }
    // Caption and colour name read left to right; numbers line up on the right.
    return AlignedColumns(rows, {1, 4});
}

std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows, const std::set<std::size_t>& leftAligned) {
    if (rows.empty()) return {};
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const auto& r : rows)
        for (std::size_t c = 0; c < r.size(); ++c) widths[c] = std::max(widths[c], r[c].size());
    std::string out;
    for (const auto& r : rows) {
        std::string line;
        for (std::size_t c = 0; c < r.size(); ++c) {
            if (c > 0) line += "  ";
            const std::string pad(widths[c] - r[c].size(), ' ');
            line += leftAligned.count(c) ? r[c] + pad : pad + r[c];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + "\n";
    }
    return out;
}

std::string FormatEntryTsv(const std::vector<EntryRow>& entries) {
    std::string out = "No\tX\tY\tBitCount\tColor\tOffset\tSize\tHX\tHY\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const EntryRow& e = entries[i];
        out += std::to_string(i) + "\t" + std::to_string(e.width) + "\t" + std::to_string(e.height) + "\t" +
               std::to_string(e.bitCount) + "\t" + ColorName(e.bitCount) + "\t" + hex(e.offset) + "\t" +
               std::to_string(e.size) + "\t" + std::to_string(e.hotX) + "\t" + std::to_string(e.hotY) + "\n";
    }
    return out;
}

}  // namespace vornik::cli
