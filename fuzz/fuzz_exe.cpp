// Executable scan: the memchr-driven scan finds exactly the images that a
// byte-by-byte walk over the same bytes finds, and every entry lies inside
// the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/BitmapInfoHeader.h"
#include "model/ExeScanner.h"
#include "model/TIconEx.h"
#include "platform/Notice.h"

namespace {

// Every position in turn; the same rules as the scan.
std::vector<std::size_t> walk(const std::uint8_t* d, std::size_t size, bool* truncated) {
    std::vector<std::size_t> found;
    *truncated = false;
    std::size_t p = 0;
    while (size >= 40 && p <= size - 40) {
        if (!vornik::IsExeIconCandidate(d + p)) {
            ++p;
            continue;
        }
        const std::uint64_t w = vornik::ReadU32LE(d + p + 4);
        const int bits = vornik::ReadU16LE(d + p + 14);
        const std::uint64_t clr = vornik::ReadU32LE(d + p + 32);
        const std::uint64_t colors = clr ? clr : static_cast<std::uint64_t>(vornik::PaletteSize(bits));
        const std::uint64_t total =
            40 + 4 * colors + ((w * bits + 31) / 32) * 4 * w + ((w + 31) / 32) * 4 * w;
        if (colors > 256) {
            ++p;
            continue;
        }
        if (total > size - p) {
            *truncated = true;
            break;
        }
        // Beyond the table's limit images are passed over, not taken.
        if (found.size() < vornik::TIconEx::kMaxEntries) found.push_back(p);
        p += static_cast<std::size_t>(total);
    }
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vornik::TExeEXsub set;
    set.Clear();
    const vornik::ExeScanResult r = vornik::ScanExeImages(data, size, set);
    bool truncated = false;
    const std::vector<std::size_t> expected = walk(data, size, &truncated);
    if (r.truncated != truncated) std::abort();
    if (expected.size() != static_cast<std::size_t>(set.Count)) std::abort();
    for (int i = 0; i < set.Count; ++i) {
        const vornik::IconEntry& e = set.Entries[i];
        if (e.ImageOffset != expected[i] || static_cast<std::size_t>(e.SourcePos) != expected[i])
            std::abort();
        if (e.ImageSize > size - e.ImageOffset) std::abort();
        if (e.InfoHeader.size() + e.XorBits.size() + e.AndBits.size() != e.ImageSize) std::abort();
    }
    return 0;
}
