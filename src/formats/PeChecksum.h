#pragma once

#include <cstddef>
#include <cstdint>

namespace vornik {

// The optional header's CheckSum of a PE image as the Windows image helper
// computes it: 16-bit words summed with end-around carry, the checksum
// field itself counted as zero, plus the file's length. An odd last byte
// counts as a word of its own.
std::uint32_t PeChecksum(const std::uint8_t* data, std::size_t size, std::size_t checksumOffset);

}  // namespace vornik
