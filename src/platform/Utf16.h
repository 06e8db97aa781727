#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornik {

// UTF-8 text of `units` UTF-16 code units at p. Surrogate pairs are joined;
// a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(const std::uint8_t* p, std::size_t units, bool bigEndian = false);

}  // namespace vornik
