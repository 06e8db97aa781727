#include "model/ColorName.h"

namespace vornik {

std::string ColorName(int bitCount) {
    switch (bitCount) {
        case 1:
            return "Mono";
        case 4:
            return "  16";
        case 8:
            return " 256";
        case 15:
        case 16:
            return "High";
        case 24:
            return "True";
        case 32:
            return "Full";
        default:
            return "?";
    }
}

}  // namespace vornik
