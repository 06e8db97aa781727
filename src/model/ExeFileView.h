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

    // Reading is about to jump (a resource directory) or run through the file
    // (a scan): the system reads ahead accordingly.
    void ExpectRandomReads() const;
    void ExpectSequentialReads() const;
    // Bytes [offset, offset + length) are no longer needed: their pages leave
    // this process (they stay in the system's cache), so walking every image
    // of a large program keeps only the current one resident.
    void Release(std::size_t offset, std::size_t length) const;

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;
    Bytes copy_;
};

}  // namespace vornik
