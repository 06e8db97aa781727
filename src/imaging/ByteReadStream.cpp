#include "imaging/ByteReadStream.h"

#include <cstring>

#include "platform/FileMessages.h"

namespace vornik {

namespace {
[[noreturn]] void ThrowReadError() { throw EReadError(Message("Files", filemsg::kStreamReadError)); }
}  // namespace

void ByteReadStream::ReadBuffer(void* out, std::size_t n) {
    if (n > size_ - pos_) ThrowReadError();
    if (n > 0) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
}

const std::uint8_t* ByteReadStream::ReadSpan(std::size_t n) {
    if (n > size_ - pos_) ThrowReadError();
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
}

std::uint16_t ByteReadStream::ReadU16() { return ReadU16LE(ReadSpan(2)); }

std::uint32_t ByteReadStream::ReadU32() { return ReadU32LE(ReadSpan(4)); }

}  // namespace vornik
