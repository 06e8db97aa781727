// The executable scan over a 256 MiB file of random bytes with icon images
// planted, file reading included, against a plain memchr pass for 0x28 over
// the same bytes already in memory.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "model/ExeScanner.h"
#include "model/TIconEx.h"
#include "platform/Bytes.h"
#include "platform/FileIO.h"

namespace {

constexpr std::size_t kFileBytes = 256u << 20;
constexpr int kPlanted = 900;

vornik::Bytes iconImage(int w, int bits) {
    vornik::Bytes out;
    vornik::AppendU32LE(out, 40);
    vornik::AppendU32LE(out, static_cast<std::uint32_t>(w));
    vornik::AppendU32LE(out, static_cast<std::uint32_t>(2 * w));
    vornik::AppendU16LE(out, 1);
    vornik::AppendU16LE(out, static_cast<std::uint16_t>(bits));
    for (int i = 0; i < 6; ++i) vornik::AppendU32LE(out, 0);
    const int colors = bits == 4 ? 16 : bits == 8 ? 256 : 0;
    out.resize(out.size() + 4 * colors +
                   static_cast<std::size_t>(((w * bits + 31) / 32) * 4 * w + ((w + 31) / 32) * 4 * w),
               0x55);
    return out;
}

struct ScanFile {
    std::string path;
    vornik::Bytes bytes;
    ScanFile() {
        path = (std::filesystem::temp_directory_path() / "vornik-bench-exescan.bin").string();
        bytes.resize(kFileBytes);
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            std::memcpy(bytes.data() + i, &x, 8);
        }
        const vornik::Bytes images[] = {iconImage(32, 4), iconImage(16, 8), iconImage(48, 32),
                                        iconImage(32, 32)};
        for (int i = 0; i < kPlanted; ++i) {
            const vornik::Bytes& im = images[i % 4];
            const std::size_t at = (kFileBytes / kPlanted) * static_cast<std::size_t>(i) + 1234;
            std::memcpy(bytes.data() + at, im.data(), im.size());
        }
        vornik::WriteFileReplacing(path, bytes);
    }
    ~ScanFile() { std::filesystem::remove(path); }
};

ScanFile& file() {
    static ScanFile f;
    return f;
}

void BM_LoadFromExe(benchmark::State& state) {
    ScanFile& f = file();
    auto set = std::make_unique<vornik::TExeEXsub>();
    for (auto _ : state) {
        const bool found = set->LoadFromExe(f.path);
        benchmark::DoNotOptimize(found);
        if (set->Count != kPlanted) state.SkipWithError("planted images not all found");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kFileBytes));
}

void BM_MemchrInMemory(benchmark::State& state) {
    ScanFile& f = file();
    for (auto _ : state) {
        std::size_t hits = 0;
        const std::uint8_t* p = f.bytes.data();
        const std::uint8_t* end = p + f.bytes.size();
        while (p < end) {
            const void* hit = std::memchr(p, 0x28, static_cast<std::size_t>(end - p));
            if (!hit) break;
            ++hits;
            p = static_cast<const std::uint8_t*>(hit) + 1;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kFileBytes));
}

// The same scan over a copy read with ReadFileBytes instead of a mapping.
void BM_ReadFileBytesThenScan(benchmark::State& state) {
    ScanFile& f = file();
    auto set = std::make_unique<vornik::TExeEXsub>();
    for (auto _ : state) {
        const vornik::Bytes data = vornik::ReadFileBytes(f.path);
        set->Clear();
        vornik::ScanExeImages(data.data(), data.size(), *set);
        if (set->Count != kPlanted) state.SkipWithError("planted images not all found");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kFileBytes));
}

BENCHMARK(BM_MemchrInMemory)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_LoadFromExe)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadFileBytesThenScan)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
