#pragma once

#include <cstddef>
#include <cstdint>

namespace vornik {

// The content test for an ICO or CUR file: the 6-byte directory header with
// reserved 0, a type of 1 (icon) or 2 (cursor) and at least one entry.
// Returns the type, or 0 when the bytes are not such a header.
int IcoContentType(const std::uint8_t* head, std::size_t headSize);

// The content test for a program: the DOS header's "MZ". What follows (PE,
// NE or nothing) is the resource reader's to find out.
bool IsExecutableContent(const std::uint8_t* head, std::size_t headSize);

}  // namespace vornik
