#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Bytes.h"

namespace vornik {

// The bytes of a whole file, read-only: mapped where the system allows,
// read into memory otherwise. Throws EInOutError naming the file.
// Mapping makes the scan of a large file cost about one memchr pass (a copy
// with ReadFileBytes measured ten times slower); the price is that a file
// cut short by another program while it is scanned ends the process.
class ExeFileView {
public:
    explicit ExeFileView(const std::string& path);
    ~ExeFileView();
    ExeFileView(const ExeFileView&) = delete;
    ExeFileView& operator=(const ExeFileView&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;
    Bytes copy_;
};

}  // namespace vornik
