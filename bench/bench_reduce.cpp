// Colour reduction and BMP reading speed, against ImageMagick's quantiser on
// the same picture (run as a separate process, as a user would run it).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/resource.h>

#include "imaging/TQvDIB.h"

namespace {

using vornik::TQvDIB;

// A deterministic photo-like picture: smooth lighting, a few soft shapes and
// fine noise, so that it fills many colour cells unevenly.
TQvDIB PhotoLike(int width, int height) {
    TQvDIB dib;
    dib.CreateDIB(width, height, 0, 24);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dib.MutableScanLine(y);
        const double fy = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x) {
            const double fx = static_cast<double>(x) / width;
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 24) % 17) - 8;
            const double sky = 0.5 + 0.5 * std::sin(fx * 3.1 + fy * 1.7);
            const double blob = std::exp(-((fx - 0.6) * (fx - 0.6) + (fy - 0.4) * (fy - 0.4)) * 12.0);
            const double ring = 0.5 + 0.5 * std::cos(std::hypot(fx - 0.3, fy - 0.7) * 40.0);
            auto clamp = [](double v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
            row[3 * x + 2] = clamp(40 + 180 * sky * (1 - blob) + 200 * blob + noise);
            row[3 * x + 1] = clamp(60 + 120 * fy + 60 * ring * blob + noise);
            row[3 * x] = clamp(200 * (1 - fy) * sky + 30 * ring + noise);
        }
    }
    return dib;
}

const TQvDIB& Photo1024() {
    static const TQvDIB picture = PhotoLike(1024, 1024);
    return picture;
}

std::filesystem::path TempFile(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("vornik-bench-" + name);
}

void ReduceBench(benchmark::State& state, void (TQvDIB::*convert)()) {
    const TQvDIB& source = Photo1024();
    for (auto _ : state) {
        state.PauseTiming();
        TQvDIB dib = source;
        dib.MutablePixels();  // the private copy is not part of the reduction
        state.ResumeTiming();
        (dib.*convert)();
        benchmark::DoNotOptimize(dib.Pixels());
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 1024);
}

void BM_ConvertTo256Colors_1024(benchmark::State& state) { ReduceBench(state, &TQvDIB::ConvertTo256Colors); }
void BM_ConvertTo16Colors_1024(benchmark::State& state) { ReduceBench(state, &TQvDIB::ConvertTo16Colors); }

// File in, 256 colours, file out: the same job as the ImageMagick command.
void BM_File256Colors_1024(benchmark::State& state) {
    const std::string in = TempFile("photo1024.bmp").string();
    const std::string out = TempFile("ours256.bmp").string();
    Photo1024().SaveToFile(in);
    for (auto _ : state) {
        TQvDIB dib;
        dib.LoadFromFile(in);
        dib.ConvertTo256Colors();
        dib.SaveToFile(out);
    }
    std::filesystem::remove(out);
}

void BM_ImageMagick256Colors_1024(benchmark::State& state) {
    const std::string in = TempFile("photo1024.bmp").string();
    const std::string out = TempFile("magick256.bmp").string();
    Photo1024().SaveToFile(in);
    const std::string command = "convert '" + in + "' +dither -colors 256 '" + out + "'";
    auto childCpuMs = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
               (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    };
    const double before = childCpuMs();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("ImageMagick convert failed or is not installed");
            break;
        }
    }
    // The child's own processor time: comparable with our CPU column even
    // when the machine is busy.
    state.counters["child_cpu_ms"] = (childCpuMs() - before) / static_cast<double>(state.iterations());
    std::filesystem::remove(out);
}

void BM_LoadBmp24_4096(benchmark::State& state) {
    vornik::Bytes file;
    {
        TQvDIB big = PhotoLike(4096, 4096);
        file = big.SaveToBytes();
    }
    for (auto _ : state) {
        TQvDIB dib;
        dib.LoadFromBytes(file);
        benchmark::DoNotOptimize(dib.Pixels());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

}  // namespace

BENCHMARK(BM_ConvertTo256Colors_1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertTo16Colors_1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_File256Colors_1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageMagick256Colors_1024)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadBmp24_4096)->Unit(benchmark::kMillisecond);
