// libFuzzer target for the JPEG reader: any input must either decode into a
// DIB or raise EJpegError, without memory errors or runaway allocation.
#include <cstddef>
#include <cstdint>

#include "imaging/JpegDIB.h"
#include "imaging/JpegError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornik::JpegLimits limits;
    limits.maxPixels = 1u << 22;  // keeps each run fast; the checks are the same
    try {
        vornik::TQvDIB dib;
        vornik::LoadJpegIntoDIB(data, size, dib, limits);
        if (dib.GetBitCount() != 24 || dib.Width() <= 0) __builtin_trap();
    } catch (const vornik::EJpegError&) {
    }
    return 0;
}
