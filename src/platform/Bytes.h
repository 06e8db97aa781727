#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Little-endian field access for file formats. Callers check bounds first.
namespace vornik {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t ReadU16LE(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadU32LE(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t ReadI32LE(const std::uint8_t* p) {
    return static_cast<std::int32_t>(ReadU32LE(p));
}
inline void WriteU16LE(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteU32LE(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}
inline void WriteI32LE(std::uint8_t* p, std::int32_t v) { WriteU32LE(p, static_cast<std::uint32_t>(v)); }

inline void AppendU16LE(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void AppendU32LE(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void AppendBytes(Bytes& out, const std::uint8_t* p, std::size_t n) {
    out.insert(out.end(), p, p + n);
}

}  // namespace vornik
