// Reading and writing an ICO file of 1000 icons of 32 x 32 pixels.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "model/TIconEx.h"

using namespace vornik;

namespace {

// 1000 entries: 32-bit, 8-bit and 4-bit images in turn, with varied pixels.
void fillSet(TIconEx& set) {
    static constexpr int kBits[3] = {32, 8, 4};
    for (int i = 0; i < TIconEx::kMaxEntries; ++i) {
        set.AddSlot(-1);
        set.InitEntry(i, 1, 32, 32, kBits[i % 3]);
        IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        for (std::size_t k = 0; k < e.XorBits.size(); ++k)
            e.XorBits[k] = static_cast<std::uint8_t>(k * 13 + i);
    }
}

std::string benchFile(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_SaveToFile(benchmark::State& state) {
    TIconCurEX set;
    fillSet(set);
    const std::string path = benchFile("vornik-bench-save.ico");
    for (auto _ : state) set.SaveToFile(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state) {
    const std::string path = benchFile("vornik-bench-load.ico");
    {
        TIconCurEX set;
        fillSet(set);
        set.SaveToFile(path);
    }
    TIconCurEX set;
    for (auto _ : state) {
        if (!set.LoadFromFile(path)) state.SkipWithError(set.LoadError().c_str());
        benchmark::DoNotOptimize(set.Count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

void BM_SaveToBytes(benchmark::State& state) {
    TIconCurEX set;
    fillSet(set);
    std::size_t size = 0;
    for (auto _ : state) {
        const Bytes b = set.SaveToBytes();
        size = b.size();
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_SaveToBytes)->Unit(benchmark::kMillisecond);

void BM_LoadFromBytes(benchmark::State& state) {
    TIconCurEX source;
    fillSet(source);
    const Bytes data = source.SaveToBytes();
    TIconCurEX set;
    for (auto _ : state) {
        if (!set.LoadFromBytes(data, "bench.ico")) state.SkipWithError(set.LoadError().c_str());
        benchmark::DoNotOptimize(set.Count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_LoadFromBytes)->Unit(benchmark::kMillisecond);

}  // namespace
