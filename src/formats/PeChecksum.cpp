#include "formats/PeChecksum.h"

namespace vornik {

std::uint32_t PeChecksum(const std::uint8_t* data, std::size_t size, std::size_t checksumOffset) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < size; i += 2) {
        // The four checksum bytes count as zero (checksumOffset is 4-aligned in every PE header).
        if (i >= checksumOffset && i < checksumOffset + 4) continue;
        std::uint32_t word = data[i];
        if (i + 1 < size) word |= std::uint32_t{data[i + 1]} << 8;
        sum += word;
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + size);
}

}  // namespace vornik
