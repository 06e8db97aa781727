#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/Bytes.h"

namespace vornik {

// An appending writer: every write goes to the end of its own byte block.
class ByteWriteStream {
public:
    ByteWriteStream() = default;

    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return bytes_.size(); }

    void WriteBuffer(const void* data, std::size_t n) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + n);
    }
    void WriteU16(std::uint16_t v) { AppendU16LE(bytes_, v); }
    void WriteU32(std::uint32_t v) { AppendU32LE(bytes_, v); }
    void Reserve(std::size_t n) { bytes_.reserve(n); }

    const Bytes& bytes() const { return bytes_; }
    // Hands the written block over; the stream is empty afterwards.
    Bytes Take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}  // namespace vornik
