#pragma once

// An animated cursor of several frames that each hold several sizes, for
// tests of the frame commands.
#include "AniBuilder.h"

namespace vornik::test {

// Frame f's image of side w is filled with 16 * f + w / 16 (distinct bytes).
inline std::uint8_t MultiSizeFill(int frame, int side) { return static_cast<std::uint8_t>(16 * frame + side / 16); }

inline Bytes MultiSizeAni(int frames, const std::vector<int>& sides, const std::vector<std::int32_t>& seq = {},
                          const std::vector<std::int32_t>& rates = {}) {
    std::vector<Bytes> icons;
    for (int f = 0; f < frames; ++f) {
        std::vector<Bytes> images;
        // 8 bits: the directory's colour count is 0 as the reader holds it.
        for (int w : sides) images.push_back(CursorImage(w, 8, MultiSizeFill(f, w)));
        icons.push_back(Chunk("icon", CursorFile(images, 1, 2)));
    }
    const auto steps = static_cast<std::uint32_t>(seq.empty() ? frames : static_cast<int>(seq.size()));
    std::vector<Bytes> chunks = {Anih(static_cast<std::uint32_t>(frames), steps, 6, seq.empty() ? 1 : 3)};
    if (!rates.empty()) chunks.push_back(Chunk("rate", Values(rates)));
    if (!seq.empty()) chunks.push_back(Chunk("seq ", Values(seq)));
    chunks.push_back(List("fram", icons));
    return Ani(chunks);
}

// The data of each "icon" chunk of an ANI file, in order.
inline std::vector<Bytes> IconChunks(const Bytes& ani) {
    std::vector<Bytes> out;
    for (std::size_t i = 12; i + 8 <= ani.size();) {
        const std::string tag(reinterpret_cast<const char*>(ani.data() + i), 4);
        const std::uint32_t size = ReadU32LE(ani.data() + i + 4);
        if (tag == "LIST") {
            i += 12;
            continue;
        }
        if (tag == "icon") out.emplace_back(ani.begin() + static_cast<std::ptrdiff_t>(i + 8),
                                            ani.begin() + static_cast<std::ptrdiff_t>(i + 8 + size));
        i += 8 + size + size % 2;
    }
    return out;
}

// The 32-bit values of a chunk ("seq " or "rate") of an ANI file.
inline std::vector<std::int32_t> ChunkValues(const Bytes& ani, const std::string& want) {
    for (std::size_t i = 12; i + 8 <= ani.size();) {
        const std::string tag(reinterpret_cast<const char*>(ani.data() + i), 4);
        const std::uint32_t size = ReadU32LE(ani.data() + i + 4);
        if (tag == "LIST") {
            i += 12;
            continue;
        }
        if (tag == want) {
            std::vector<std::int32_t> v;
            for (std::uint32_t k = 0; k + 4 <= size; k += 4)
                v.push_back(static_cast<std::int32_t>(ReadU32LE(ani.data() + i + 8 + k)));
            return v;
        }
        i += 8 + size + size % 2;
    }
    return {};
}

}  // namespace vornik::test
