// 32-bit BMP files and clipboard blocks with alpha: any input is either left
// to the DIB reader (nullopt) or read; a picture that was read writes a V5
// file and block that read back to the same pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imaging/BmpAlpha.h"

namespace {

void roundTrip(const vornik::TQvDIB& dib) {
    for (bool packed : {false, true}) {
        const auto again = vornik::DecodeBmpAlpha(vornik::EncodeBmpAlpha(dib, packed), packed);
        if (!again || again->Width() != dib.Width() || again->Height() != dib.Height()) std::abort();
        if (std::memcmp(again->Pixels(), dib.Pixels(), static_cast<std::size_t>(dib.DataSize())) != 0)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (bool packed : {false, true}) {
        const auto dib = vornik::DecodeBmpAlpha(data, size, packed);
        if (!dib) continue;
        if (dib->GetBitCount() != 32 || dib->IsTopDown()) std::abort();
        if (static_cast<long long>(dib->Width()) * dib->Height() <= 1 << 16) roundTrip(*dib);
    }
    return 0;
}
