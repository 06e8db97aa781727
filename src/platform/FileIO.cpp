#include "platform/FileIO.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Errors.h"

namespace vornik {

namespace {

std::string describe(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

std::string tempNameBeside(const std::string& path) {
    std::filesystem::path target(path);
    std::random_device rd;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", rd());
    std::filesystem::path name = target.filename();
    name += suffix;
    return (target.parent_path() / ("." + name.string())).string();
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::uint64_t FileSizeOf(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) throw EInOutError(describe("Cannot open file", path, errno));
    if (!S_ISREG(st.st_mode)) throw EInOutError("Not a regular file \"" + path + "\"");
    return static_cast<std::uint64_t>(st.st_size);
}

Bytes ReadFileBytes(const std::string& path, std::uint64_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw EInOutError(describe("Cannot open file", path, errno));
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EInOutError("Not a regular file \"" + path + "\"");
    }
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        throw EInOutError("File too large \"" + path + "\"");
    }
    Bytes data(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            throw EInOutError(describe("Read error on file", path, err));
        }
        if (n == 0) break;  // shrank while reading: keep what is there
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    ::close(fd);
    return data;
}

void WriteFileReplacing(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const std::string temp = tempNameBeside(path);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw EInOutError(describe("Cannot create file", path, errno));
    // Keep the permissions of a file we replace.
    struct stat old{};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            throw EInOutError(describe("Write error on file", path, err));
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        throw EInOutError(describe("Write error on file", path, err));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        throw EInOutError(describe("Cannot replace file", path, err));
    }
}

}  // namespace vornik
