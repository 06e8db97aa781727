// ICO/CUR reader: any input is either refused with a reason or read; a set
// that was read writes out bytes that read back and write out identically.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/TIconEx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornik::Bytes bytes(data, data + size);
    vornik::TIconCurEX set;
    if (!set.LoadFromBytes(bytes, "fuzz.ico")) {
        if (set.LoadError().empty() || set.Count != 0) std::abort();
        return 0;
    }
    const vornik::Bytes first = set.SaveToBytes();
    vornik::TIconCurEX again;
    if (!again.LoadFromBytes(first, "first.ico")) std::abort();
    if (again.SaveToBytes() != first) std::abort();
    if (set.Count > 0) (void)set.SaveEntryToBytes(set.Count - 1, 2);
    return 0;
}
