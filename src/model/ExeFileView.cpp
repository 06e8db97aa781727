#include "model/ExeFileView.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {
// Same cap as whole-file reads: a scan never takes more than this.
constexpr std::uint64_t kMaxScanBytes = 1ull << 31;
}  // namespace

ExeFileView::ExeFileView(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EInOutError("Cannot open file \"" + path + "\": " + std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EInOutError("Not a regular file \"" + path + "\"");
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxScanBytes) {
        ::close(fd);
        throw EInOutError("File too large \"" + path + "\"");
    }
    size_ = static_cast<std::size_t>(st.st_size);
    if (size_ == 0) {
        ::close(fd);
        return;
    }
    // Pages come in as the scan reaches them, read ahead and let go early: a
    // populated mapping of a 2 GB file would push everything else out.
    void* m = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (m != MAP_FAILED) {
        ::madvise(m, size_, MADV_SEQUENTIAL);
        mapping_ = m;
        data_ = static_cast<const std::uint8_t*>(m);
        return;
    }
    copy_ = ReadFileBytes(path, kMaxScanBytes);
    data_ = copy_.data();
    size_ = copy_.size();
}

ExeFileView::~ExeFileView() {
    if (mapping_) ::munmap(mapping_, size_);
}

}  // namespace vornik
