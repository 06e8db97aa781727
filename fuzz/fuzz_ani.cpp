// ANI reader: any input is refused, read, or stops with the file layer's
// error, never more; a set that was read writes bytes that read back to the
// same frames, and write out identically when every step names a frame.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anim/TAniEX.h"
#include "platform/Errors.h"
#include "platform/Notice.h"

namespace {

class Silent : public vornik::NoticeHandler {
public:
    void message(const std::string&) override {}
    void warning(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
};

bool stepsNameFrames(const vornik::TAniEX& a) {
    for (int i = 0; i < a.StepCount(); ++i)
        if (a.Steps[i].Frame < 0 || a.Steps[i].Frame >= a.Count) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Silent silent;
    static vornik::ScopedNoticeHandler scope(&silent);
    static vornik::TAniEX set, again;
    try {
        if (!set.LoadFromMemory(data, size, "fuzz.ani")) {
            if (set.Count != 0) std::abort();
            return 0;
        }
    } catch (const vornik::EVornikError&) {
        if (set.Count != 0) std::abort();
        return 0;
    }
    if (set.Count > vornik::TIconEx::kMaxEntries || set.AnimHeader.StepCount > vornik::TAniEX::kMaxSteps)
        std::abort();
    if (set.Count == 0) return 0;
    const bool exact = stepsNameFrames(set);
    const vornik::Bytes first = set.SaveToBytes();
    if (!again.LoadFromMemory(first.data(), first.size(), "first.ani") || !again.LoadError().empty())
        std::abort();
    if (again.Count != set.Count) std::abort();
    for (int i = 0; i < set.Count; ++i)
        if (again.Entries[i].XorBits != set.Entries[i].XorBits ||
            again.Entries[i].AndBits != set.Entries[i].AndBits)
            std::abort();
    if (exact && again.SaveToBytes() != first) std::abort();
    return 0;
}
