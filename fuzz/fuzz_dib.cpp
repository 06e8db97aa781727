// BMP reader: any input is either refused with one of our exceptions or read;
// a picture that was read converts to true colour (or refuses its RLE data)
// and writes out a BMP that reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/TQvDIB.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornik::ByteReadStream stream(data, size);
    vornik::TQvDIB dib;
    try {
        dib.LoadFromStream(stream);
    } catch (const vornik::EVornikError&) {
        return 0;
    }
    if (stream.Position() > size) std::abort();
    const bool compressed = dib.IsCompressed();
    try {
        dib.ConvertToTrueColor();
    } catch (const vornik::EQvDIBInvalidDIB&) {
        if (!compressed) std::abort();  // only RLE data may be refused here
        return 0;
    }
    if (dib.GetBitCount() != 24 || dib.DataSize() < dib.Stride() * dib.Height()) std::abort();
    const vornik::Bytes saved = dib.SaveToBytes();
    vornik::TQvDIB again;
    again.LoadFromBytes(saved);
    if (again.SaveToBytes() != saved) std::abort();
    // Small pictures also go through the reductions.
    if (static_cast<long long>(dib.Width()) * dib.Height() <= 4096) {
        vornik::TQvDIB reduced = dib;
        reduced.ConvertTo256Colors();
        vornik::TQvDIB fixed = dib;
        fixed.ConvertTo16FixedColors();
        vornik::TQvDIB mono = dib;
        mono.ConvertToMono();
        if (reduced.ColorCount() > 256 || fixed.ColorCount() != 16 || mono.ColorCount() != 2) std::abort();
    }
    return 0;
}
