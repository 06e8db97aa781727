// Stretch copies of the raster engine: a 1024 x 1024 picture shrunk to
// 128 x 128, averaging (HALFTONE) against nearest pixel (COLORONCOLOR).
#include <benchmark/benchmark.h>

#include "imaging/TQvDIB.h"
#include "imaging/TQvDIBCanvas.h"

namespace {

using namespace vornik;

TQvDIB makeSource(int bitCount) {
    TQvDIB dib;
    dib.CreateDIB(1024, 1024, bitCount == 8 ? 256 : 0, bitCount);
    if (bitCount == 8) {
        RgbQuad table[256];
        for (int i = 0; i < 256; ++i)
            table[i] = MakeRgbQuad(std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2));
        dib.SetColorTable(table, 256);
    }
    std::uint8_t* p = dib.MutablePixels();
    for (int i = 0; i < dib.DataSize(); ++i) p[i] = std::uint8_t((i * 2654435761u) >> 13);
    return dib;
}

void stretch(benchmark::State& state, StretchMode mode, int srcBits, int dstBits) {
    const TQvDIB source = makeSource(srcBits);
    TQvDIB target;
    target.CreateDIB(128, 128, dstBits == 8 ? 256 : 0, dstBits);
    if (dstBits == 8) target.SetColorTable(source.ColorTable(), 256);
    for (auto _ : state) {
        TQvDIBCanvas canvas(target);
        canvas.SetStretchBltMode(mode);
        canvas.StretchDraw(0, 0, 128, 128, source);
        benchmark::DoNotOptimize(target.Pixels());
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 1024);
}

void BM_Halftone24To24(benchmark::State& s) { stretch(s, StretchMode::Halftone, 24, 24); }
void BM_ColorOnColor24To24(benchmark::State& s) { stretch(s, StretchMode::ColorOnColor, 24, 24); }
void BM_Halftone8To8(benchmark::State& s) { stretch(s, StretchMode::Halftone, 8, 8); }
void BM_ColorOnColor8To8(benchmark::State& s) { stretch(s, StretchMode::ColorOnColor, 8, 8); }

BENCHMARK(BM_Halftone24To24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorOnColor24To24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Halftone8To8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorOnColor8To8)->Unit(benchmark::kMillisecond);

}  // namespace
