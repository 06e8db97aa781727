#include "anim/AniContent.h"

#include <cstring>

namespace vornik {

bool IsAniContent(const std::uint8_t* head, std::size_t headSize) {
    return headSize >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "ACON", 4) == 0;
}

}  // namespace vornik
