// Content test that sends a file to the Bitmap page: reads only the 54 bytes
// it is given, whatever the file's stated length.
#include <cstddef>
#include <cstdint>

#include "imaging/BmpContent.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t head = size < 54 ? size : 54;
    (void)vornik::IsBmpContent(data, head, size);
    (void)vornik::IsBmpContent(data, head, size + 1000);
    return 0;
}
