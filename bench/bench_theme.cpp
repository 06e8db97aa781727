// Converting a 17-role cursor pack to a Linux theme and back, against the
// baseline of copying the same files (read and write, no conversion).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "formats/CursorFiles.h"
#include "formats/CursorRoles.h"
#include "formats/CursorTheme.h"
#include "model/XcursorFile.h"
#include "platform/FileIO.h"

using namespace vornik;
namespace fs = std::filesystem;

namespace {

XcursorPicture picture(std::uint32_t side, std::uint32_t delay, std::uint32_t seed) {
    XcursorPicture p;
    p.nominalSize = p.width = p.height = side;
    p.delay = delay;
    p.xhot = side / 4;
    for (std::uint32_t i = 0; i < side * side; ++i) {
        const std::uint32_t a = (i * 7 + seed) % 3 == 0 ? 0 : 255;
        p.pixels.push_back(a << 24 | (a ? ((i * 2654435761u + seed) & 0xFFFFFF) : 0));
    }
    return p;
}

// A pack of 17 files as modern packs ship them: every cursor at 24, 32, 48,
// 64 and 96 px; the two busy ones animated with 20 frames (one size kept per
// frame in the animated cursor).
const fs::path& pack() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / "vornik-bench-pack";
        fs::remove_all(d);
        fs::create_directories(d);
        const auto& roles = CursorRoles();
        for (int r = 0; r < kCursorRoleCount; ++r) {
            std::vector<XcursorPicture> images;
            const bool animated = r == 2 || r == 3;
            for (std::uint32_t size : {24u, 32u, 48u, 64u, 96u})
                for (int f = 0; f < (animated ? 20 : 1); ++f)
                    if (!animated || size == 32) images.push_back(picture(size, 50, static_cast<std::uint32_t>(r * 31 + f)));
            CursorDocument doc = ReadCursorDocument(WriteXcursor(images), "bench");
            WriteWindowsCursor(doc, (d / (std::string(roles[static_cast<std::size_t>(r)].role) +
                                          WindowsCursorExtension(doc)))
                                        .string());
        }
        return d;
    }();
    return dir;
}

void BM_CopyPackFiles(benchmark::State& state) {
    const fs::path out = fs::temp_directory_path() / "vornik-bench-copy";
    fs::create_directories(out);
    for (auto _ : state)
        for (const auto& e : fs::directory_iterator(pack()))
            WriteFileReplacing((out / e.path().filename()).string(), ReadFileBytes(e.path().string()));
    fs::remove_all(out);
}
BENCHMARK(BM_CopyPackFiles)->Unit(benchmark::kMillisecond);

void BM_PackToTheme(benchmark::State& state) {
    const fs::path out = fs::temp_directory_path() / "vornik-bench-theme";
    for (auto _ : state) benchmark::DoNotOptimize(WindowsPackToTheme(pack().string(), out.string()).converted);
    fs::remove_all(out);
}
BENCHMARK(BM_PackToTheme)->Unit(benchmark::kMillisecond);

void BM_ThemeToPack(benchmark::State& state) {
    const fs::path theme = fs::temp_directory_path() / "vornik-bench-theme2";
    WindowsPackToTheme(pack().string(), theme.string());
    const fs::path out = fs::temp_directory_path() / "vornik-bench-pack2";
    for (auto _ : state) benchmark::DoNotOptimize(ThemeToWindowsPack(theme.string(), out.string()).converted);
    fs::remove_all(out);
    fs::remove_all(theme);
}
BENCHMARK(BM_ThemeToPack)->Unit(benchmark::kMillisecond);

}  // namespace
