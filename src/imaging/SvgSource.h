#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Bytes.h"

namespace vornik {

// An SVG document ready for librsvg: its XML (an SVGZ file already
// decompressed) and where it came from. Relative references are resolved
// against the folder of `path`; with an empty path only data: URLs load.
struct SvgSource {
    std::string path;
    Bytes text;
};

// Decompressed XML larger than this is refused (an SVGZ of a few kilobytes can
// expand to gigabytes).
constexpr std::size_t kMaxSvgTextBytes = 64u << 20;

// True for XML whose root element is an SVG one (a UTF-8 BOM, comments, the
// XML declaration and a DOCTYPE may come first), and for gzip data that
// decompresses to such XML. Reads at most the first few kilobytes.
bool LooksLikeSvg(const std::uint8_t* data, std::size_t size);
inline bool LooksLikeSvg(const Bytes& data) { return LooksLikeSvg(data.data(), data.size()); }
// The same for a file, from its head only, so a large raster is not read
// whole (EInOutError when it cannot be opened).
bool IsSvgFile(const std::string& path);

// Builds the source from a file's bytes: decompresses gzip, checks that it is
// SVG and that nothing in it points outside its folder. EVornikError with a
// message naming the file otherwise.
SvgSource MakeSvgSource(const Bytes& data, const std::string& path);
// The same from the file itself (EInOutError when it cannot be read).
SvgSource ReadSvgSource(const std::string& path);

}  // namespace vornik
