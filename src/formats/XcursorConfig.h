#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/XcursorFile.h"
#include "platform/Errors.h"

namespace vornik {

// A cursor description that is refused; the message names the file and the
// line ("arrow.in: line 3: ...").
class ECursorSourceError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// One image line of an xcursorgen config: "SIZE XHOT YHOT FILE [DELAY]".
struct XcursorConfigLine {
    int line = 0;  // from 1
    std::uint32_t size = 0;
    std::uint32_t xhot = 0;
    std::uint32_t yhot = 0;
    std::string file;
    std::uint32_t delay = 50;  // ms, when the column is missing
};

// The image lines of a config in their order. Lines starting with '#' and
// empty lines are skipped; fields after the delay are ignored, as xcursorgen
// does. `name` is the config's name in messages.
std::vector<XcursorConfigLine> ParseXcursorConfig(const std::string& text, const std::string& name);

// The images xcursorgen makes from a config: one per line, in line order,
// each at its own size (a PNG as it is, an SVG drawn with its longer side at
// the line's size), with the line's nominal size, hot spot and delay. Files
// are found in `folder` unless their path is absolute. Pictures used by
// several lines are drawn once per file.
std::vector<XcursorPicture> XcursorFromConfig(const std::vector<XcursorConfigLine>& lines,
                                              const std::string& folder, const std::string& configName);

// Reads and builds a config file; files relative to its folder, or to
// `prefix` when that is not empty.
std::vector<XcursorPicture> XcursorFromConfigFile(const std::string& path, const std::string& prefix = {});

}  // namespace vornik
