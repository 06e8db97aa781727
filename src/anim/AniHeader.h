#pragma once

#include <cstdint>

#include "platform/Bytes.h"

namespace vornik {

// The "anih" chunk: nine unsigned 32-bit little-endian fields, 36 bytes.
struct AniHeader {
    static constexpr std::uint32_t kSize = 36;
    static constexpr std::uint32_t kFlagIcon = 1;      // frames are icon/cursor images
    static constexpr std::uint32_t kFlagSequence = 2;  // a "seq " chunk orders the frames

    std::uint32_t HeaderSize = 0;      // 36
    std::uint32_t FrameCount = 0;      // physical images
    std::uint32_t StepCount = 0;       // displayed images, in order (at most 100 held)
    std::uint32_t CursorWidth = 0;     // carried as read
    std::uint32_t CursorHeight = 0;    // carried as read
    std::uint32_t CursorBitCount = 0;  // carried as read
    std::uint32_t CursorPlanes = 0;    // carried as read
    std::uint32_t DisplayRate = 0;     // default time of a step, in play ticks
    std::uint32_t Flags = 0;

    // p must hold 36 bytes.
    static AniHeader Read(const std::uint8_t* p) {
        AniHeader h;
        std::uint32_t* f[9] = {&h.HeaderSize,   &h.FrameCount,   &h.StepCount,
                               &h.CursorWidth,  &h.CursorHeight, &h.CursorBitCount,
                               &h.CursorPlanes, &h.DisplayRate,  &h.Flags};
        for (int i = 0; i < 9; ++i) *f[i] = ReadU32LE(p + 4 * i);
        return h;
    }
    void Append(Bytes& out) const {
        for (std::uint32_t v : {HeaderSize, FrameCount, StepCount, CursorWidth, CursorHeight, CursorBitCount,
                                CursorPlanes, DisplayRate, Flags})
            AppendU32LE(out, v);
    }
    bool operator==(const AniHeader&) const = default;
};

}  // namespace vornik
