#include "imaging/SvgSandbox.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "platform/Errors.h"

#if defined(__SANITIZE_ADDRESS__)
#define VORNIK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORNIK_ASAN 1
#endif
#endif

namespace vornik {

namespace {

// Messages from the child: one tag byte, then for 'E' a length and the text
// of the exception (kind 'M' out of memory, 'P' parameter, 'V' other), for 'K' the
// document's user-unit extent (two doubles), then each picture as width, height
// and its 32-bit top-down rows.
constexpr std::size_t kMaxReply = 512u << 20;

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void writeError(int fd, char kind, const std::string& message) {
    const char tag = 'E';
    const auto len = static_cast<std::uint32_t>(message.size());
    writeAll(fd, &tag, 1);
    writeAll(fd, &kind, 1);
    writeAll(fd, &len, 4);
    writeAll(fd, message.data(), message.size());
}

[[noreturn]] void runChild(int fd, const SvgSource& source, const std::vector<SvgBox>& boxes,
                           const SvgBudget& budget) {
    // Only local files through GIO: no GVfs daemons, no remote mounts.
    setenv("GIO_USE_VFS", "local", 1);
    rlimit cpu{static_cast<rlim_t>(budget.seconds), static_cast<rlim_t>(budget.seconds) + 1};
    setrlimit(RLIMIT_CPU, &cpu);
    rlimit core{0, 0};
    setrlimit(RLIMIT_CORE, &core);
#ifndef VORNIK_ASAN
    rlimit as{budget.memoryBytes, budget.memoryBytes};
    setrlimit(RLIMIT_AS, &as);
#endif
    try {
        SvgUserSize userSize;
        const std::vector<TQvDIB> pictures = RenderSvgHere(source, boxes, &userSize);
        const char tag = 'K';
        const double extent[2] = {userSize.width, userSize.height};
        bool ok = writeAll(fd, &tag, 1) && writeAll(fd, extent, sizeof extent);
        for (const TQvDIB& dib : pictures) {
            const std::uint32_t size[2] = {static_cast<std::uint32_t>(dib.Width()),
                                           static_cast<std::uint32_t>(dib.Height())};
            ok = ok && writeAll(fd, size, sizeof size);
            for (int y = 0; ok && y < dib.Height(); ++y)
                ok = writeAll(fd, dib.ScanLine(y), static_cast<std::size_t>(dib.Width()) * 4);
        }
        ::_exit(ok ? 0 : 3);
    } catch (const EOutOfResources&) {
        writeError(fd, 'M', "");  // under the address-space cap this is the budget speaking
    } catch (const EQvDIBInvalidDIBPara& e) {
        writeError(fd, 'P', e.what());
    } catch (const std::bad_alloc&) {
        writeError(fd, 'M', "");
    } catch (const std::exception& e) {
        writeError(fd, 'V', e.what());
    }
    ::_exit(0);
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string budgetText(const SvgBudget& budget) {
    std::string text = std::to_string(budget.seconds) + " s";
#ifndef VORNIK_ASAN
    text += " and " + std::to_string(budget.memoryBytes >> 20) + " MB";
#endif
    return text;
}

// Reads the child's whole reply, or stops at the deadline (returns false).
bool readReply(int fd, std::chrono::steady_clock::time_point deadline, Bytes& reply) {
    std::uint8_t chunk[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left.count()));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return r < 0 ? true : false;
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return true;
        if (reply.size() + static_cast<std::size_t>(n) > kMaxReply) return true;  // judged as malformed below
        reply.insert(reply.end(), chunk, chunk + n);
    }
}

class ReplyReader {
public:
    explicit ReplyReader(const Bytes& b) : bytes_(b) {}
    bool take(void* out, std::size_t n) {
        if (bytes_.size() - at_ < n) return false;
        std::memcpy(out, bytes_.data() + at_, n);
        at_ += n;
        return true;
    }
    const std::uint8_t* span(std::size_t n) {
        if (bytes_.size() - at_ < n) return nullptr;
        const std::uint8_t* p = bytes_.data() + at_;
        at_ += n;
        return p;
    }
    std::size_t left() const { return bytes_.size() - at_; }

private:
    const Bytes& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::vector<TQvDIB> RenderSvg(const SvgSource& source, const std::vector<SvgBox>& boxes,
                              const SvgBudget& budget, SvgUserSize* userSize) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw EOutOfResources("no pipe for the SVG renderer");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(budget.seconds);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw EOutOfResources("no process for the SVG renderer");
    }
    if (pid == 0) {
        ::close(fds[0]);
        runChild(fds[1], source, boxes, budget);
    }
    ::close(fds[1]);
    Bytes reply;
    const bool inTime = readReply(fds[0], deadline, reply);
    ::close(fds[0]);
    if (!inTime) ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const bool killedForTime = !inTime || (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU);
    if (killedForTime)
        throw EVornikError(quoted(source.path) + ": rendering took longer than the budget of " +
                           budgetText(budget));

    ReplyReader in(reply);
    char tag = 0;
    if (!in.take(&tag, 1) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw EVornikError(quoted(source.path) + ": librsvg gave up on it (more than the budget of " +
                           budgetText(budget) + ", or a fault)");
    if (tag == 'E') {
        char kind = 0;
        std::uint32_t len = 0;
        const std::uint8_t* text = nullptr;
        if (!in.take(&kind, 1) || !in.take(&len, 4) || !(text = in.span(len)))
            throw EVornikError(quoted(source.path) + ": the SVG renderer broke off");
        const std::string message(reinterpret_cast<const char*>(text), len);
        if (kind == 'P') throw EQvDIBInvalidDIBPara(message);
        if (kind == 'M')
            throw EVornikError(quoted(source.path) + ": rendering needs more than the memory budget of " +
                               std::to_string(budget.memoryBytes >> 20) + " MB");
        throw EVornikError(message);
    }
    double extent[2] = {0, 0};
    if (!in.take(extent, sizeof extent)) throw EVornikError(quoted(source.path) + ": the SVG renderer broke off");
    if (userSize) *userSize = {extent[0], extent[1]};
    std::vector<TQvDIB> out;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        std::uint32_t size[2] = {0, 0};
        if (!in.take(size, sizeof size) || size[0] == 0 || size[1] == 0 || size[0] > kMaxSvgSide ||
            size[1] > kMaxSvgSide || in.left() < std::size_t{size[0]} * size[1] * 4)
            throw EVornikError(quoted(source.path) + ": the SVG renderer broke off");
        TQvDIB dib;
        dib.CreateDIB(static_cast<int>(size[0]), -static_cast<int>(size[1]), 0, 32);
        for (int y = 0; y < dib.Height(); ++y)
            std::memcpy(dib.MutableScanLine(y), in.span(std::size_t{size[0]} * 4), std::size_t{size[0]} * 4);
        out.push_back(dib);
    }
    return out;
}

TQvDIB RenderSvg(const SvgSource& source, SvgBox box, const SvgBudget& budget) {
    return RenderSvg(source, std::vector<SvgBox>{box}, budget).front();
}

}  // namespace vornik
