// ANI reader: any input is refused, read, or stops with the file layer's
// error, never more; a set that was read writes bytes that read back without
// a notice to the same frames with the same images (every image of a
// multi-image frame, byte for byte), and write out identically.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "anim/TAniEX.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
#include "CountingNotices.h"

namespace {

bool sameImages(const vornik::TAniEX& a, const vornik::TAniEX& b, int frame) {
    const int n = a.FrameImageCount(frame);
    if (n != b.FrameImageCount(frame)) return false;
    for (int k = 0; k < n; ++k) {
        vornik::IconEntry x, y;
        const std::string px = a.DecodeFrameImage(frame, k, x), py = b.DecodeFrameImage(frame, k, y);
        if (px != py) return false;
        if (!px.empty()) continue;  // kept as bytes, not decodable either time
        if (x.XorBits != y.XorBits || x.AndBits != y.AndBits || x.HotSpotX != y.HotSpotX ||
            x.HotSpotY != y.HotSpotY || x.PngStream != y.PngStream)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CountingNotices notices;
    static vornik::ScopedNoticeHandler scope(&notices);
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
    // Every step names a frame after reading.
    for (int i = 0; i < set.StepCount(); ++i)
        if (set.Steps[i].Frame < 0 || set.Steps[i].Frame >= set.Count) std::abort();
    const vornik::Bytes first = set.SaveToBytes();
    notices.count = 0;
    if (!again.LoadFromMemory(first.data(), first.size(), "first.ani") || !again.LoadError().empty())
        std::abort();
    if (notices.count != 0) std::abort();  // our own output reads back silently
    if (again.Count != set.Count || again.StepCount() != set.StepCount()) std::abort();
    for (int i = 0; i < set.Count; ++i)
        if (again.Entries[i].XorBits != set.Entries[i].XorBits ||
            again.Entries[i].AndBits != set.Entries[i].AndBits || !sameImages(set, again, i))
            std::abort();
    if (again.SaveToBytes() != first) std::abort();
    return 0;
}
