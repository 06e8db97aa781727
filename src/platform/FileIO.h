#pragma once

#include <cstdint>
#include <string>

#include "platform/Bytes.h"

namespace vornik {

bool FileExists(const std::string& path);

// Size of a regular file; throws EInOutError naming the file when it cannot be
// examined.
std::uint64_t FileSizeOf(const std::string& path);

// Reads the whole file. Refuses (EInOutError) files larger than maxBytes so a
// hostile or mistaken path never makes us allocate without bound.
Bytes ReadFileBytes(const std::string& path, std::uint64_t maxBytes = 1ull << 31);

// Writes data to a temporary file in the target's folder and renames it over
// the target only when everything was written, so a failure leaves the old
// file intact. Throws EInOutError naming the file.
void WriteFileReplacing(const std::string& path, const std::uint8_t* data, std::size_t size);
inline void WriteFileReplacing(const std::string& path, const Bytes& data) {
    WriteFileReplacing(path, data.data(), data.size());
}

}  // namespace vornik
