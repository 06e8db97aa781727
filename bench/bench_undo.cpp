// Undo of one edit step on a 256 x 256 32-bit picture, against the baseline
// of copying that picture once (both measured in the same run).
#include <benchmark/benchmark.h>

#include "app/UndoCommands.h"
#include "imaging/TQvDIBCanvas.h"

using namespace vornik;

namespace {

MainState WithViews() {
    MainState s;
    TQvDIB image, mask;
    image.CreateDIB(256, 256, 0, 32);
    mask.CreateDIB(256, 256, 0, 24);
    s.edit.imgxor = image;
    s.edit.imgand = mask;
    return s;
}

void BM_CopyPicture(benchmark::State& state) {
    MainState s = WithViews();
    for (auto _ : state) {
        TQvDIB copy = *s.edit.imgxor;
        TQvDIBCanvas(copy).SetPixel(1, 1, kRasterWhite);  // forces the copy
        benchmark::DoNotOptimize(copy);
    }
}

void BM_EditUndoRedo(benchmark::State& state) {
    MainState s = WithViews();
    int i = 0;
    for (auto _ : state) {
        RunUndoable(s, kUndoViews, "paint", [&] { TQvDIBCanvas(*s.edit.imgxor).SetPixel(i % 256, 0, i); });
        Undo1Click(s);
        Redo1Click(s);
        ++i;
    }
}

void BM_UndoOnly(benchmark::State& state) {
    MainState s = WithViews();
    for (int i = 0; i < 50; ++i)
        RunUndoable(s, kUndoViews, "paint", [&] { TQvDIBCanvas(*s.edit.imgxor).SetPixel(i, 0, i + 1); });
    for (auto _ : state) {
        Undo1Click(s);
        state.PauseTiming();
        Redo1Click(s);
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_CopyPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditUndoRedo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoOnly)->Unit(benchmark::kMicrosecond);
