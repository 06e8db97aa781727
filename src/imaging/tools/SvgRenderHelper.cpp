// vornik-svg-render: renders one SVG for the programs, in a process of its own
// so a hostile document costs at most the budget and cannot take the
// (multithreaded) editor down. Started by RenderSvg (SvgSandbox.cpp), which
// also kills it at the time budget.
//
// Standard input: the request (SvgRenderProtocol.h). Standard output: the
// reply. The limits are set before anything of the document is read.
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <vector>

#include "imaging/QvDIBErrors.h"
#include "imaging/SvgRenderProtocol.h"
#include "imaging/SvgRenderer.h"

using namespace vornik;

namespace {

bool readAll(int fd, Bytes& out) {
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        if (out.size() + static_cast<std::size_t>(n) > kMaxSvgRequest) return false;
        out.insert(out.end(), chunk, chunk + n);
    }
}

}  // namespace

int main(int argc, char**) {
    if (argc != 1) {
        std::fputs("vornik-svg-render is started by Vornik's programs, not by hand\n", stderr);
        return 2;
    }
    // Only local files through GIO: no GVfs daemons, no remote mounts.
    setenv("GIO_USE_VFS", "local", 1);
    rlimit core{0, 0};
    setrlimit(RLIMIT_CORE, &core);
    Bytes request;
    SvgRenderRequest r;
    if (!readAll(0, request) || !ParseSvgRenderRequest(request, r)) ::_exit(4);
    request = Bytes();
    rlimit cpu{static_cast<rlim_t>(r.seconds), static_cast<rlim_t>(r.seconds) + 1};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef VORNIK_ASAN
    // AddressSanitizer reserves terabytes of address space for itself.
    rlimit as{r.memoryBytes, r.memoryBytes};
    setrlimit(RLIMIT_AS, &as);
#endif
    try {
        SvgUserSize userSize;
        const std::vector<TQvDIB> pictures = RenderSvgHere(r.source, r.boxes, &userSize);
        // _exit: no destructors or leak report of librsvg's caches decide the status.
        ::_exit(WriteSvgRenderPictures(1, userSize, pictures) ? 0 : 3);
    } catch (const EOutOfResources&) {
        WriteSvgRenderError(1, 'M', "");  // under the address-space cap this is the budget speaking
    } catch (const EQvDIBInvalidDIBPara& e) {
        WriteSvgRenderError(1, 'P', e.what());
    } catch (const std::bad_alloc&) {
        WriteSvgRenderError(1, 'M', "");
    } catch (const std::exception& e) {
        WriteSvgRenderError(1, 'V', e.what());
    }
    ::_exit(0);
}
