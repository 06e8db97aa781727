#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/SvgRenderer.h"

namespace vornik {

// What one SVG may cost. The document is parsed and rendered by the program
// vornik-svg-render, started for it (posix_spawn, not a fork of this possibly
// multithreaded process), which caps its own CPU time at `seconds` and its
// address space at `memoryBytes` (not under AddressSanitizer, which reserves
// terabytes of address space for itself) and is killed when it runs past
// `seconds` of wall-clock time.
struct SvgBudget {
    int seconds = 10;
    std::uint64_t memoryBytes = 1ull << 30;
};

// RenderSvgHere in the renderer's process within the budget, so a hostile document
// (deeply nested groups, enormous filters, entity bombs) costs at most that
// and cannot take this process down. Same results and exceptions as
// RenderSvgHere; a document that runs out of time or memory is refused with
// EVornikError naming the file and the budget.
std::vector<TQvDIB> RenderSvg(const SvgSource& source, const std::vector<SvgBox>& boxes,
                              const SvgBudget& budget = {}, SvgUserSize* userSize = nullptr);

// The same for one box.
TQvDIB RenderSvg(const SvgSource& source, SvgBox box, const SvgBudget& budget = {});

// Where the renderer is: $VORNIK_SVG_RENDER when set, else found relative to
// the running program (FindSvgRenderHelperFor), else the one of the build
// tree this was built in. Empty when there is none; RenderSvg then refuses
// every document with EVornikError.
std::string SvgRenderHelperPath();
// The renderer for a program at programPath: ../libexec/vornik/vornik-svg-render
// (installed) or vornik-svg-render beside it; empty when neither is an
// executable file.
std::string FindSvgRenderHelperFor(const std::string& programPath);

}  // namespace vornik
