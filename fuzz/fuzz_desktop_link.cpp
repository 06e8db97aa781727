// Link-file reader of dropped shortcuts: any text is either no link, a link
// without a local target, or a path without NUL bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Shortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto target = vornik::DesktopLinkTarget(std::string_view(reinterpret_cast<const char*>(data), size));
    if (target && !target->empty() && (target->front() != '/' || target->find('\0') != std::string::npos))
        std::abort();
    return 0;
}
