#pragma once

// Small builders for hand-made ANI files in tests.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace vornik::test {

inline void Put(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
// Not inlined: GCC 12 at -O3 follows a 4-byte vector growing here and warns
// of an overflow in the copy it makes (-Warray-bounds, -Wstringop-overflow).
[[gnu::noinline]] inline void PutTag(Bytes& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// One image block of a cursor file: header with doubled height, palette,
// XOR rows filled with `fill`, AND rows all 0.
inline Bytes CursorImage(int w, int bits, std::uint8_t fill = 0x11) {
    Bytes out;
    const int colors = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    AppendU32LE(out, 40);
    AppendU32LE(out, static_cast<std::uint32_t>(w));
    AppendU32LE(out, static_cast<std::uint32_t>(2 * w));
    AppendU16LE(out, 1);
    AppendU16LE(out, static_cast<std::uint16_t>(bits));
    for (int i = 0; i < 6; ++i) AppendU32LE(out, 0);
    for (int i = 0; i < colors; ++i) AppendU32LE(out, static_cast<std::uint32_t>(i * 0x010101));
    const int xorRow = ((w * bits + 31) / 32) * 4, andRow = ((w + 31) / 32) * 4;
    out.insert(out.end(), static_cast<std::size_t>(xorRow * w), fill);
    out.insert(out.end(), static_cast<std::size_t>(andRow * w), 0);
    return out;
}

inline Bytes PngBlock() {
    Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    b.resize(64, 0x42);
    return b;
}

// Data of an "icon" chunk: a cursor file of the given images.
inline Bytes CursorFile(const std::vector<Bytes>& images, std::uint16_t hx = 3, std::uint16_t hy = 4,
                        std::uint16_t type = 2) {
    Bytes out;
    AppendU16LE(out, 0);
    AppendU16LE(out, type);
    AppendU16LE(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Bytes& im : images) {
        out.push_back(32);
        out.push_back(32);
        out.push_back(0);
        out.push_back(0);
        AppendU16LE(out, hx);
        AppendU16LE(out, hy);
        AppendU32LE(out, static_cast<std::uint32_t>(im.size()));
        AppendU32LE(out, offset);
        offset += static_cast<std::uint32_t>(im.size());
    }
    for (const Bytes& im : images) Put(out, im);
    return out;
}

inline Bytes Chunk(const char* tag, const Bytes& data, std::optional<std::uint32_t> size = {}) {
    Bytes out;
    PutTag(out, tag);
    AppendU32LE(out, size ? *size : static_cast<std::uint32_t>(data.size()));
    Put(out, data);
    return out;
}

inline Bytes List(const char* type, const std::vector<Bytes>& chunks, int sizeSlack = 0) {
    Bytes body;
    PutTag(body, type);
    for (const Bytes& c : chunks) Put(body, c);
    return Chunk("LIST", body, static_cast<std::uint32_t>(body.size() + sizeSlack));
}

inline Bytes Anih(std::uint32_t frames, std::uint32_t steps, std::uint32_t rate, std::uint32_t flags = 1) {
    Bytes d;
    for (std::uint32_t v : {36u, frames, steps, 0u, 0u, 0u, 0u, rate, flags}) AppendU32LE(d, v);
    return Chunk("anih", d);
}

inline Bytes Values(const std::vector<std::int32_t>& v) {
    Bytes d;
    for (auto x : v) AppendU32LE(d, static_cast<std::uint32_t>(x));
    return d;
}

// RIFF "ACON" around the chunks; riffSize defaults to the correct one.
inline Bytes Ani(const std::vector<Bytes>& chunks, std::optional<std::uint32_t> riffSize = {}) {
    Bytes out;
    PutTag(out, "RIFF");
    AppendU32LE(out, 0);
    PutTag(out, "ACON");
    for (const Bytes& c : chunks) Put(out, c);
    WriteU32LE(out.data() + 4, riffSize ? *riffSize : static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

inline Bytes Frames(int n, int w = 16, int bits = 4) {
    std::vector<Bytes> icons;
    for (int i = 0; i < n; ++i)
        icons.push_back(Chunk("icon", CursorFile({CursorImage(w, bits, static_cast<std::uint8_t>(i + 1))})));
    return List("fram", icons);
}

}  // namespace vornik::test
