#include "model/ExeFileView.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/FileMessages.h"

namespace vornik {

namespace {
// Same cap as whole-file reads: a scan never takes more than this.
constexpr std::uint64_t kMaxScanBytes = 1ull << 31;
}  // namespace

ExeFileView::ExeFileView(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EInOutError(FileProblem(filemsg::kCannotOpen, path, errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EInOutError(FileProblem(filemsg::kNotRegular, path));
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxScanBytes) {
        ::close(fd);
        throw EInOutError(FileProblem(filemsg::kTooLarge, path));
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

void ExeFileView::ExpectRandomReads() const {
    if (mapping_) ::madvise(mapping_, size_, MADV_RANDOM);
}

void ExeFileView::ExpectSequentialReads() const {
    if (mapping_) ::madvise(mapping_, size_, MADV_SEQUENTIAL);
}

void ExeFileView::Release(std::size_t offset, std::size_t length) const {
    if (!mapping_ || offset >= size_ || length == 0) return;
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    // Only whole pages inside the range: a page shared with the next image stays.
    const std::size_t end = std::min(size_, offset + std::min(length, size_ - offset));
    const std::size_t first = (offset + page - 1) / page * page;
    const std::size_t last = end / page * page;
    if (first >= last) return;
    ::madvise(static_cast<std::uint8_t*>(mapping_) + first, last - first, MADV_DONTNEED);
}

ExeFileView::~ExeFileView() {
    if (mapping_) ::munmap(mapping_, size_);
}

}  // namespace vornik
