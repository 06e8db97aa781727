#include "app/EditState.h"

#include <algorithm>

#include "app/StoredValues.h"

namespace vornik {

int SizeOfIndex(int cmbsize) {
    switch (cmbsize) {
        case 1:
            return 16;
        case 3:
            return 48;
        case 4:
            return 64;
        case 5:
            return 128;
        case 6:
            return 256;
        default:
            return 32;
    }
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
