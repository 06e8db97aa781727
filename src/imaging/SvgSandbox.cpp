#include "imaging/SvgSandbox.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "imaging/QvDIBErrors.h"
#include "imaging/SvgRenderProtocol.h"
#include "platform/Errors.h"

extern char** environ;

namespace vornik {

namespace {

// A reply larger than the largest the renderer can send is malformed.
constexpr std::size_t kMaxReply = 512u << 20;

constexpr const char* kHelperName = "vornik-svg-render";

bool isExecutableFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

// Starts the renderer with the request on its standard input and its
// standard output on `out`; its signals as a fresh process has them, whatever
// this (multithreaded) one blocks or ignores. The error number, 0 when started.
int spawnHelper(const std::string& helper, int in, int out, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    posix_spawn_file_actions_adddup2(&actions, in, 0);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGXCPU, SIGXFSZ, SIGHUP, SIGINT, SIGTERM, SIGCHLD}) sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(helper.c_str()), nullptr};
    const int err = ::posix_spawn(&pid, helper.c_str(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    return err;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string budgetText(const SvgBudget& budget) {
    std::string text = std::to_string(budget.seconds) + " s";
#ifndef VORNIK_ASAN  // the renderer sets no address-space cap then
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

std::string FindSvgRenderHelperFor(const std::string& programPath) {
    const std::filesystem::path dir = std::filesystem::path(programPath).parent_path();
    for (const std::filesystem::path& candidate :
         {dir / ".." / "libexec" / "vornik" / kHelperName, dir / kHelperName})
        if (isExecutableFile(candidate)) return candidate.lexically_normal().string();
    return {};
}

std::string SvgRenderHelperPath() {
    if (const char* chosen = std::getenv("VORNIK_SVG_RENDER"); chosen && *chosen) return chosen;
    static const std::string found = [] {
        std::error_code ec;
        std::string beside = FindSvgRenderHelperFor(std::filesystem::read_symlink("/proc/self/exe", ec).string());
#ifdef VORNIK_SVG_RENDER_BUILD_PATH
        // Programs and tests run from the build tree.
        if (beside.empty() && isExecutableFile(VORNIK_SVG_RENDER_BUILD_PATH)) beside = VORNIK_SVG_RENDER_BUILD_PATH;
#endif
        return beside;
    }();
    return found;
}

std::vector<TQvDIB> RenderSvg(const SvgSource& source, const std::vector<SvgBox>& boxes,
                              const SvgBudget& budget, SvgUserSize* userSize) {
    const std::string helper = SvgRenderHelperPath();
    if (helper.empty())
        throw EVornikError(quoted(source.path) + ": the SVG renderer " + kHelperName + " is not installed");
    // The request waits in memory for the renderer to read: writing it never blocks on the renderer.
    const int requestFd = ::memfd_create("vornik-svg-request", MFD_CLOEXEC);
    if (requestFd < 0) throw EOutOfResources("no memory file for the SVG renderer");
    const Bytes request = SvgRenderRequestBytes({budget.seconds, budget.memoryBytes, source, boxes});
    if (!WriteAllTo(requestFd, request.data(), request.size()) || ::lseek(requestFd, 0, SEEK_SET) != 0) {
        ::close(requestFd);
        throw EOutOfResources("no memory file for the SVG renderer");
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        ::close(requestFd);
        throw EOutOfResources("no pipe for the SVG renderer");
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(budget.seconds);
    pid_t pid = 0;
    const int err = spawnHelper(helper, requestFd, fds[1], pid);
    ::close(requestFd);
    ::close(fds[1]);
    if (err != 0) {
        ::close(fds[0]);
        throw EVornikError(quoted(source.path) + ": the SVG renderer " + helper + " could not be started (" +
                           std::strerror(err) + ")");
    }
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
