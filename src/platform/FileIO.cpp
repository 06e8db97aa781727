#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/Errors.h"
#include "platform/FileMessages.h"

namespace vornik {

namespace {

constexpr int kMaxLinkHops = 40;

std::atomic<bool> g_replaceWriteProtected{false};

void writeAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EInOutError(FileProblem(filemsg::kWriteError, path, errno));
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) throw EInOutError(FileProblem(filemsg::kWriteError, path, errno));
}

// Closes the descriptor on every path out.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        const int f = fd;
        fd = -1;
        return f;
    }
};

std::string folderOf(const std::string& path) {
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? "." : parent;
}

// Permissions a new file takes: those of the file it replaces, or the usual
// 0666 less the umask.
void matchPermissions(int fd, const std::string& target) {
    struct stat old{};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

void closeChecked(Fd& file, const std::string& path) {
    if (::close(file.release()) != 0) throw EInOutError(FileProblem(filemsg::kWriteError, path, errno));
}

// Flushes the folder that holds target, so the name just linked in or
// renamed survives a power cut. A folder we may not open (write and search
// rights only) or a file system that cannot flush folders is left as it is.
void syncFolder(const std::string& target, const std::string& shown) {
    Fd folder{::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd < 0) return;
    if (::fsync(folder.fd) != 0 && errno != EINVAL && errno != EROFS)
        throw EInOutError(FileProblem(filemsg::kWriteError, shown, errno));
}

// Puts the complete file at temp in place of target.
void renameOver(const std::string& temp, const std::string& target, const std::string& shown) {
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw EInOutError(FileProblem(filemsg::kCannotReplace, shown, err));
    }
    syncFolder(target, shown);
}

// An existing target that is write-protected is refused, as cp refuses it:
// we lack write permission, or the file has no write bit at all (root could
// write it, but its owner said it is not to change).
void refuseWriteProtected(const std::string& target, const std::string& shown) {
    if (g_replaceWriteProtected) return;
    struct stat st{};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if ((st.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno == EACCES))
        throw EWriteProtected(FileProblem(filemsg::kWriteProtected, shown, EACCES));
}

// A symbolic link whose final target cannot be made (its folder is missing)
// says so, instead of a bare "No such file or directory" about a name that
// is there.
void refuseDanglingLink(const std::string& path, const std::string& target) {
    struct stat st{};
    if (target == path || ::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return;
    if (::stat(folderOf(target).c_str(), &st) == 0) return;
    if (errno != ENOENT && errno != ENOTDIR) return;
    throw EInOutError(Message("Files", filemsg::kLinkNowhere, {path, target}));
}

// Unnamed temporary file in the target's folder, linked in once complete.
// Returns false (nothing written) where the file system cannot do it.
bool writeUnnamed(const std::string& target, const std::string& shown, const std::uint8_t* data,
                  std::size_t size) {
#ifdef O_TMPFILE
    Fd file{::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)};
    if (file.fd < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return false;
        throw EInOutError(FileProblem(filemsg::kCannotCreate, shown, errno));
    }
    matchPermissions(file.fd, target);
    writeAll(file.fd, data, size, shown);
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    auto linkTo = [&](const std::string& name) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
        if (errno == ENOENT && ::linkat(file.fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
        return errno;
    };
    // A new target is linked in directly: all or nothing.
    int err = linkTo(target);
    if (err == 0) {
        closeChecked(file, shown);
        syncFolder(target, shown);
        return true;
    }
    if (err != EEXIST) {
        if (err == ENOENT || err == EPERM || err == EOPNOTSUPP) return false;  // no /proc, no privilege
        throw EInOutError(FileProblem(filemsg::kCannotCreate, shown, err));
    }
    // An existing one is swapped by rename; the file is complete before it
    // gets the (fixed) temporary name, which is held only for that moment.
    const std::string temp = SaveTempNameFor(target);
    ::unlink(temp.c_str());
    err = linkTo(temp);
    if (err != 0) throw EInOutError(FileProblem(filemsg::kCannotCreate, shown, err));
    closeChecked(file, shown);
    renameOver(temp, target, shown);
    return true;
#else
    (void)target, (void)shown, (void)data, (void)size;
    return false;
#endif
}

void writeNamed(const std::string& target, const std::string& shown, const std::uint8_t* data,
                std::size_t size) {
    const std::string temp = SaveTempNameFor(target);
    // A leftover of an earlier save that was killed is replaced, never kept.
    ::unlink(temp.c_str());
    Fd file{::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)};
    if (file.fd < 0) throw EInOutError(FileProblem(filemsg::kCannotCreate, shown, errno));
    try {
        matchPermissions(file.fd, target);
        writeAll(file.fd, data, size, shown);
        closeChecked(file, shown);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    renameOver(temp, target, shown);
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::uint64_t FileSizeOf(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) throw EInOutError(FileProblem(filemsg::kCannotOpen, path, errno));
    if (!S_ISREG(st.st_mode)) throw EInOutError(FileProblem(filemsg::kNotRegular, path));
    return static_cast<std::uint64_t>(st.st_size);
}

Bytes ReadFileBytes(const std::string& path, std::uint64_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EInOutError(FileProblem(filemsg::kCannotOpen, path, errno));
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EInOutError(FileProblem(filemsg::kNotRegular, path));
    }
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        throw EInOutError(FileProblem(filemsg::kTooLarge, path));
    }
    Bytes data(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw EInOutError(FileProblem(filemsg::kReadError, path, err));
        }
        if (n == 0) break;  // shrank while reading: keep what is there
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    ::close(fd);
    return data;
}

std::string FollowLinks(const std::string& path) {
    std::filesystem::path current(path);
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st{};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
        std::string dest(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), dest.data(), dest.size());
        if (n < 0) throw EInOutError(FileProblem(filemsg::kCannotOpen, path, errno));
        dest.resize(static_cast<std::size_t>(n));
        const std::filesystem::path next(dest);
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw EInOutError(FileProblem(filemsg::kCannotOpen, path, ELOOP));
}

std::string SaveTempNameFor(const std::string& path) {
    const std::filesystem::path target(FollowLinks(path));
    return (target.parent_path() / ("." + target.filename().string() + ".vornik-save")).string();
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa{}, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

void ReplaceWriteProtected(bool allowed) { g_replaceWriteProtected = allowed; }

void WriteFileReplacing(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const std::string target = FollowLinks(path);
    refuseDanglingLink(path, target);
    refuseWriteProtected(target, path);
    if (!writeUnnamed(target, path, data, size)) writeNamed(target, path, data, size);
}

namespace detail {
void WriteFileReplacingNamed(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const std::string target = FollowLinks(path);
    refuseDanglingLink(path, target);
    refuseWriteProtected(target, path);
    writeNamed(target, path, data, size);
}
}  // namespace detail

}  // namespace vornik
