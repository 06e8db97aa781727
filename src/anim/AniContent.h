#pragma once

#include <cstddef>
#include <cstdint>

namespace vornik {

// The one content test for an animated cursor under any name: "RIFF", a
// length, then the form "ACON". head holds the file's first bytes.
bool IsAniContent(const std::uint8_t* head, std::size_t headSize);

}  // namespace vornik
