#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Bytes.h"
#include "platform/Errors.h"

namespace vornik {

// A read that wanted more bytes than the stream still holds.
class EReadError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// A read cursor over bytes that the caller keeps alive. Reads advance the
// position; a read that cannot be satisfied in full throws EReadError
// "Stream read error" and leaves the position where it was.
class ByteReadStream {
public:
    ByteReadStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReadStream(const Bytes& bytes) : data_(bytes.data()), size_(bytes.size()) {}

    std::size_t Size() const { return size_; }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return size_ - pos_; }
    // Positions beyond the end are clamped to the end.
    void Seek(std::size_t position) { pos_ = position < size_ ? position : size_; }

    // Copies exactly n bytes to out.
    void ReadBuffer(void* out, std::size_t n);
    // The next n bytes in place, then skips them (bounds checked like ReadBuffer).
    const std::uint8_t* ReadSpan(std::size_t n);
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();

    const std::uint8_t* Data() const { return data_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace vornik
