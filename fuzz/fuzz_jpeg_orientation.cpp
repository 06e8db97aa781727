// libFuzzer target for the EXIF orientation parser: any bytes give a value
// from 1 to 8 without reading outside them, and turning a small picture by
// that value keeps or swaps its sides as the value says.
#include <cstddef>
#include <cstdint>

#include "imaging/JpegOrientation.h"
#include "imaging/TQvDIB.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int orientation = vornik::JpegExifOrientation(data, size);
    if (orientation < 1 || orientation > 8) __builtin_trap();
    vornik::TQvDIB picture;
    picture.CreateDIB(3, 2, 0, 24);
    const vornik::TQvDIB upright = vornik::ApplyExifOrientation(picture, orientation);
    const bool swapped = orientation >= 5;
    if (upright.Width() != (swapped ? 2 : 3) || upright.Height() != (swapped ? 3 : 2)) __builtin_trap();
    return 0;
}
