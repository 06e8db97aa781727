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
    // Small pictures also go through one of the reductions (each costs a pass
    // over the whole colour grid, so one per input keeps the fuzzer fast).
    if (static_cast<long long>(dib.Width()) * dib.Height() <= 4096) {
        vornik::TQvDIB reduced = dib;
        switch (data[size - 1] % 4) {
            case 0:
                reduced.ConvertTo256Colors();
                if (reduced.ColorCount() > 256 || reduced.GetBitCount() != 8) std::abort();
                break;
            case 1:
                reduced.ConvertTo16FixedColors();
                if (reduced.ColorCount() != 16 || reduced.GetBitCount() != 4) std::abort();
                break;
            case 2:
                reduced.ConvertTo16Colors();
                if (reduced.ColorCount() > 16 || reduced.GetBitCount() != 4) std::abort();
                break;
            default:
                reduced.ConvertToMono();
                if (reduced.ColorCount() != 2 || reduced.GetBitCount() != 1) std::abort();
                break;
        }
    }
    return 0;
}
