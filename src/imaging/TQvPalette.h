#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/RgbQuad.h"

namespace vornik {

// One logical palette entry: red, green, blue, flags (as a platform palette
// holds them).
struct PaletteEntry {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;

    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A logical palette of up to 256 entries: what the platform's palette handle
// was. It is a plain value; whoever hands one on passes a copy.
class TQvPalette {
public:
    static constexpr int kMaxEntries = 256;

    TQvPalette() = default;
    // Entries beyond 256 are dropped.
    explicit TQvPalette(std::vector<PaletteEntry> entries);
    // A palette from the first `count` entries of a DIB colour table (flags 0).
    static TQvPalette FromColorTable(const RgbQuad* table, int count);

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    const PaletteEntry& Entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    const std::vector<PaletteEntry>& Entries() const { return entries_; }

    // Appends an entry; false (and nothing added) when the palette is full.
    bool Add(const PaletteEntry& entry);
    void Set(int index, const PaletteEntry& entry) { entries_.at(static_cast<std::size_t>(index)) = entry; }

    // The entry as a DIB colour-table entry (reserved 0).
    RgbQuad Quad(int index) const;

    friend bool operator==(const TQvPalette&, const TQvPalette&) = default;

private:
    std::vector<PaletteEntry> entries_;
};

}  // namespace vornik
