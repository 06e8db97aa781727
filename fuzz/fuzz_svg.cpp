// libFuzzer target for SVG input: sniffing, SVGZ decompression, the scan for
// outside references, and librsvg's parse and render at a small size. Any
// input must render or raise EVornikError.
#include <cstddef>
#include <cstdint>

#include "imaging/SvgRenderer.h"
#include "imaging/SvgSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 16)) return 0;  // keeps each run fast; the limits are the same
    try {
        const vornik::Bytes bytes(data, data + size);
        (void)vornik::LooksLikeSvg(bytes);
        const vornik::SvgSource source = vornik::MakeSvgSource(bytes, "");
        const auto pictures = vornik::RenderSvgHere(source, {{16, 16}, {5, 9}});
        if (pictures.size() != 2 || pictures[1].Width() != 5 || pictures[1].GetBitCount() != 32)
            __builtin_trap();
    } catch (const vornik::EVornikError&) {
    }
    return 0;
}
