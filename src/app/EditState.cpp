#include "app/EditState.h"

#include <algorithm>

#include "app/StoredValues.h"

namespace vornik {

namespace {
constexpr int kSides[kCmbSizeCount] = {32, 16, 32, 48, 64, 128, 256, 20, 24, 40, 96};
// Item indices in the order the selector shows them.
constexpr int kRows[kCmbSizeCount] = {0, 1, 7, 8, 2, 9, 3, 4, 10, 5, 6};
}  // namespace

int SizeRowOfIndex(int cmbsize) {
    for (int row = 0; row < kCmbSizeCount; ++row)
        if (kRows[row] == cmbsize) return row;
    return -1;
}

int SizeIndexOfRow(int row) { return row >= 0 && row < kCmbSizeCount ? kRows[row] : -1; }

int SizeOfIndex(int cmbsize) { return cmbsize >= 0 && cmbsize < kCmbSizeCount ? kSides[cmbsize] : 32; }

int IndexOfSize(int side) {
    for (int i = 1; i < kCmbSizeCount; ++i)
        if (kSides[i] == side) return i;
    return 0;
}

int BitCountOfIndex(int cmbcolor) {
    switch (cmbcolor) {
        case 0:
            return 1;
        case 1:
            return 4;
        case 2:
            return 8;
        case kColorAlpha:
            return 32;
        default:
            return 24;
    }
}

int ClampHotSpot(int value, int pictureSide) {
    return std::clamp(value, kHotSpotMin, std::max(kHotSpotMax, pictureSide - 1));
}

int ReadRangeField(const std::string& text, int min, int max) {
    int v = 0;
    if (!ParseStoredInt(text, v)) return min;
    return std::clamp(v, min, max);
}

int ReadFreeField(const std::string& text) {
    int v = 0;
    return ParseStoredInt(text, v) ? v : 0;
}

}  // namespace vornik
