#include "model/IcoContent.h"

#include "platform/Bytes.h"

namespace vornik {

int IcoContentType(const std::uint8_t* head, std::size_t headSize) {
    if (headSize < 6 || ReadU16LE(head) != 0 || ReadU16LE(head + 4) == 0) return 0;
    const std::uint16_t type = ReadU16LE(head + 2);
    return type == 1 || type == 2 ? type : 0;
}

bool IsExecutableContent(const std::uint8_t* head, std::size_t headSize) {
    return headSize >= 2 && head[0] == 'M' && head[1] == 'Z';
}

}  // namespace vornik
