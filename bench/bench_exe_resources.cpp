// Listing the icon groups of a 15 MB DLL (1,656 images in 184 groups, as
// many as Wine's shell32 holds) from its resource directory, against the
// content scan of the same bytes, both in memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "PeBuilder.h"
#include "model/ExeResourceSet.h"
#include "model/ExeResources.h"
#include "model/ExeScanner.h"
#include "model/TIconEx.h"

namespace {

using namespace vornik;

constexpr int kGroups = 184;
constexpr int kPerGroup = 9;
constexpr std::size_t kFileBytes = 15u << 20;

const Bytes& dll() {
    static const Bytes bytes = [] {
        const Bytes images[] = {test::DibIconImage(16, 16, 4, 0x11), test::DibIconImage(24, 24, 8, 0x22),
                                test::DibIconImage(32, 32, 32, 0x33), test::DibIconImage(48, 48, 32, 0x44)};
        test::PeBuilder b;
        std::uint16_t id = 1;
        std::size_t imageBytes = 0;
        for (int g = 0; g < kGroups; ++g) {
            std::vector<test::GroupRecordEntry> members;
            for (int k = 0; k < kPerGroup; ++k, ++id) {
                const Bytes& im = images[k % 4];
                b.Add(kRtIcon, id, im);
                imageBytes += im.size();
                members.push_back({0, 0, 0, 1, 32, static_cast<std::uint32_t>(im.size()), id});
            }
            b.Add(kRtGroupIcon, static_cast<std::uint16_t>(100 + g), test::GroupRecord(1, members));
        }
        // The rest of the file is code: bytes that are no images.
        b.codeBytes = kFileBytes - imageBytes;
        b.fill = 0x90;
        Bytes out = b.Build();
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        for (std::size_t i = 0x200; i + 8 <= 0x200 + b.codeBytes; i += 8) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            std::memcpy(out.data() + i, &x, 8);
        }
        return out;
    }();
    return bytes;
}

void BM_ListGroupsFromDirectory(benchmark::State& state) {
    const Bytes& file = dll();
    for (auto _ : state) {
        const ExeResources r = ReadExeResources(file.data(), file.size());
        if (r.groups.size() != kGroups) state.SkipWithError("groups not all found");
        benchmark::DoNotOptimize(r.groups.data());
    }
    state.SetLabel(std::to_string(file.size() >> 20) + " MiB");
}

void BM_ContentScan(benchmark::State& state) {
    const Bytes& file = dll();
    auto set = std::make_unique<TExeEXsub>();
    for (auto _ : state) {
        set->Clear();
        const ExeScanResult r = ScanExeImages(file.data(), file.size(), *set);
        // The scan cannot see the 24 x 24 images; it finds the other three sizes.
        state.SetLabel(std::to_string(set->Count + r.leftOut) + " images found");
    }
}

// What opening it in the editor costs: the directory, then every image decoded into the set.
void BM_EditorSetFromDirectory(benchmark::State& state) {
    const Bytes& file = dll();
    auto set = std::make_unique<TExeEXsub>();
    for (auto _ : state) {
        set->Clear();
        LoadFromExeResources(file.data(), file.size(), *set);
        if (set->Count != TIconEx::kMaxEntries) state.SkipWithError("table not filled");
    }
}

BENCHMARK(BM_ListGroupsFromDirectory)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ContentScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EditorSetFromDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
