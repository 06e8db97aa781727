// Clipboard block (packed DIB): any block is either refused with one of our
// exceptions or read; a block that was read converts and writes back a block
// that reads to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/TQvDIB.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vornik::Bytes block(data, data + size);
    vornik::TQvDIB dib;
    try {
        dib.LoadFromClipboardFormat(vornik::CF_DIB, &block, nullptr);
    } catch (const vornik::EVornikError&) {
        return 0;
    }
    const bool compressed = dib.IsCompressed();
    try {
        dib.ConvertToTrueColor();
    } catch (const vornik::EQvDIBInvalidDIB&) {
        if (!compressed) std::abort();
        return 0;
    }
    const vornik::TQvClipboardData out = dib.SaveToClipboardFormat();
    if (out.format != vornik::CF_DIB || out.palette) std::abort();
    vornik::TQvDIB again;
    again.LoadFromClipboardFormat(out.format, &out.data, nullptr);
    if (again.SaveToClipboardFormat().data != out.data) std::abort();
    if (static_cast<long long>(dib.Width()) * dib.Height() <= 4096) {
        vornik::TQvDIB reduced = dib;
        reduced.ConvertTo16Colors();
        if (reduced.GetBitCount() != 4 || reduced.ColorCount() > 16) std::abort();
    }
    return 0;
}
