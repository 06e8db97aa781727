// Animation script reader and writer: any text is either refused with a
// message naming a line, or read; a script read writes out text that reads
// back to the same script and writes out identically.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "anim/AnimationScript.h"
#include "platform/Errors.h"

namespace {

bool same(const vornik::AnimationScript& a, const vornik::AnimationScript& b) {
    if (a.title != b.title || a.creator != b.creator || a.rate != b.rate) return false;
    if (a.frames.size() != b.frames.size() || a.steps.size() != b.steps.size()) return false;
    for (std::size_t i = 0; i < a.frames.size(); ++i) {
        if (a.frames[i].size() != b.frames[i].size()) return false;
        for (std::size_t k = 0; k < a.frames[i].size(); ++k)
            if (a.frames[i][k].file != b.frames[i][k].file || a.frames[i][k].hotspot != b.frames[i][k].hotspot)
                return false;
    }
    for (std::size_t i = 0; i < a.steps.size(); ++i)
        if (a.steps[i].frame != b.steps[i].frame || a.steps[i].rate != b.steps[i].rate) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    vornik::AnimationScript script;
    try {
        script = vornik::ParseAnimationScript(text, "fuzz.txt");
    } catch (const vornik::EVornikError& e) {
        if (std::string(e.what()).empty()) std::abort();
        return 0;
    }
    const std::string written = vornik::FormatAnimationScript(script);
    const vornik::AnimationScript again = vornik::ParseAnimationScript(written, "again.txt");
    if (!same(script, again)) std::abort();
    if (vornik::FormatAnimationScript(again) != written) std::abort();
    return 0;
}
