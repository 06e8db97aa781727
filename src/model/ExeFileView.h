#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Bytes.h"

namespace vornik {

// The bytes of a whole file, read-only: mapped where the system allows,
// read into memory otherwise. Throws EInOutError naming the file.
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
