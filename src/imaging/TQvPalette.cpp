#include "imaging/TQvPalette.h"

namespace vornik {

TQvPalette::TQvPalette(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) {
    if (entries_.size() > static_cast<std::size_t>(kMaxEntries)) entries_.resize(kMaxEntries);
}

TQvPalette TQvPalette::FromColorTable(const RgbQuad* table, int count) {
    TQvPalette palette;
    if (count > kMaxEntries) count = kMaxEntries;
    for (int i = 0; i < count; ++i)
        palette.entries_.push_back(PaletteEntry{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0});
    return palette;
}

bool TQvPalette::Add(const PaletteEntry& entry) {
    if (Count() >= kMaxEntries) return false;
    entries_.push_back(entry);
    return true;
}

RgbQuad TQvPalette::Quad(int index) const {
    const PaletteEntry& e = Entry(index);
    return MakeRgbQuad(e.peRed, e.peGreen, e.peBlue);
}

}  // namespace vornik
