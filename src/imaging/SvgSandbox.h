#pragma once

#include <cstdint>
#include <vector>

#include "imaging/SvgRenderer.h"

namespace vornik {

// What one SVG may cost. The document is parsed and rendered in a child
// process that is killed when it runs past `seconds` of wall-clock time, and
// whose address space is capped at `memoryBytes` (not under AddressSanitizer,
// which reserves terabytes of address space for itself).
struct SvgBudget {
    int seconds = 10;
    std::uint64_t memoryBytes = 1ull << 30;
};

// RenderSvgHere in a child process within the budget, so a hostile document
// (deeply nested groups, enormous filters, entity bombs) costs at most that
// and cannot take this process down. Same results and exceptions as
// RenderSvgHere; a document that runs out of time or memory is refused with
// EVornikError naming the file and the budget.
std::vector<TQvDIB> RenderSvg(const SvgSource& source, const std::vector<SvgBox>& boxes,
                              const SvgBudget& budget = {}, SvgUserSize* userSize = nullptr);

// The same for one box.
TQvDIB RenderSvg(const SvgSource& source, SvgBox box, const SvgBudget& budget = {});

}  // namespace vornik
