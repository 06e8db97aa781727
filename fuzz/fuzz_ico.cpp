// ICO/CUR reader: any input is either refused with a reason or read; a set
// that was read writes out bytes that read back and write out identically.
// Entries read (PNG-compressed ones included) also go through the picture
// conversions and rendering, which take their headers as they stand.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/EntryConversion.h"
#include "model/RenderEntry.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornik::Bytes bytes(data, data + size);
    vornik::TIconCurEX set;
    if (!set.LoadFromBytes(bytes, "fuzz.ico")) {
        if (set.LoadError().empty() || set.Count != 0) std::abort();
        return 0;
    }
    // Read without decoding PNG images (as list and resave do), the set has
    // the same entries, sides and depths as read in full, and writes back the
    // same bytes. Compared before either is written: writing sets the
    // directory from each image's header.
    vornik::TIconCurEX heads;
    if (!heads.LoadFromBytes(bytes, "fuzz.ico", false) || heads.Count != set.Count) std::abort();
    for (int i = 0; i < set.Count; ++i) {
        const vornik::IconEntry &a = set.Entries[static_cast<std::size_t>(i)],
                                &b = heads.Entries[static_cast<std::size_t>(i)];
        if (a.PixelWidth() != b.PixelWidth() || a.PixelHeight() != b.PixelHeight() ||
            vornik::ReadU16LE(a.InfoHeader.data() + 14) != vornik::ReadU16LE(b.InfoHeader.data() + 14))
            std::abort();
    }

    const vornik::Bytes first = set.SaveToBytes();
    vornik::TIconCurEX again;
    if (!again.LoadFromBytes(first, "first.ico")) std::abort();
    if (again.SaveToBytes() != first) std::abort();
    if (heads.SaveToBytes() != first) std::abort();
    if (set.Count > 0) (void)set.SaveEntryToBytes(set.Count - 1, 2);

    for (int i = 0; i < set.Count && i < 3; ++i) {
        try {
            vornik::RenderEntry(set, i);
            vornik::TQvDIB image, mask;
            vornik::EntryToDIBs(set, image, mask, i);
            vornik::IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
            const int bits = vornik::ReadU16LE(e.InfoHeader.data() + 14);
            const vornik::Bytes xorBits = e.XorBits, andBits = e.AndBits;
            vornik::DIBsToEntry(set, image, mask, i);
            // Palette and 24-bit rows come back byte for byte (16 and 32 bits
            // are read as 24 by the DIB); the mask always does.
            if (e.AndBits != andBits) std::abort();
            if ((bits == 1 || bits == 4 || bits == 8 || bits == 24) && e.XorBits != xorBits) std::abort();
        } catch (const vornik::EVornikError&) {
            // A header that forms no picture is refused with a message.
        }
    }
    return 0;
}
