#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Bytes.h"

namespace vornik {

// The run-length code of the classic 24-bit ICNS images (is32, il32, ih32,
// it32) and of the ARGB ones: each channel packed on its own, a control
// byte below 0x80 copying the next (byte + 1) bytes, one from 0x80 repeating
// the next byte (byte - 125) times.

// Unpacks one channel of `count` bytes from data[*pos] onwards into
// out[0], out[step], out[2 * step] ... and advances *pos. A run that passes
// the channel's end is cut there (writers of old round the last run up).
// False when the data ends before the channel is complete.
bool UnpackIcnsChannel(const std::uint8_t* data, std::size_t size, std::size_t* pos, std::uint8_t* out,
                       std::size_t count, std::size_t step);

// Packs in[0], in[step] ... (`count` bytes) onto the end of out.
void PackIcnsChannel(const std::uint8_t* in, std::size_t count, std::size_t step, Bytes& out);

}  // namespace vornik
