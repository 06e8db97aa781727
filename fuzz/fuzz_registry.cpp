// The format registry: any bytes, under one of a few names, are given a format
// (the same from memory as from the file on disk), and that format's reader
// either refuses them with a code or reads them into the kind of document the
// format promises. Nothing throws out of a reader.
//
// The input's length picks the file's name, so the tie-breaks by extension
// are reached while every byte is the file's. SVG text is detected but not rendered
// here: rendering runs in a child process and is fuzz_svg's.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "formats/FormatRegistry.h"

namespace {

const char* const kNames[] = {"file",  "f.ico", "f.cur", "f.ani", "f.bmp", "f.dib",
                              "f.png", "f.jpg", "f.exe", "f.icns", "f.ICO", "f.txt"};

const std::filesystem::path& folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("vornik-fuzz-registry-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

bool fits(vornik::Yield promised, vornik::Yield got) {
    using vornik::Yield;
    switch (promised) {
        case Yield::IconSet:
        case Yield::CursorSet:
            // An ICO named file may hold cursors and the other way round; ICNS is icons.
            return got == Yield::IconSet || got == Yield::CursorSet;
        case Yield::Cursors:
            return got == Yield::CursorSet || got == Yield::Animation;
        default:
            return got == promised;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name = kNames[size % (sizeof kNames / sizeof kNames[0])];
    const std::string path = (folder() / name).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) std::abort();
    }

    const vornik::FormatHead head{data, size < vornik::kFormatHeadSize ? size : vornik::kFormatHeadSize, size};
    const vornik::FileFormat& format = vornik::DetectFormat(head, path);
    const auto onDisk = vornik::DetectFileFormat(path);
    if (onDisk.refused || onDisk.value != &format) std::abort();

    if (format.name != "SVG") {
        const vornik::ReadResult<vornik::FileContent> r = format.read(path, {});
        if (r.refused) {
            if (!r.losses.empty()) std::abort();
        } else {
            if (!fits(format.yields, r.value.kind)) std::abort();
            switch (r.value.kind) {
                case vornik::Yield::Picture:
                    if (r.value.picture.Width() < 1 || r.value.picture.Height() < 1) std::abort();
                    break;
                case vornik::Yield::Animation:
                    if (!r.value.animation || r.value.animation->Count < 1) std::abort();
                    break;
                case vornik::Yield::ProgramIcons:
                    if (!r.value.program) std::abort();
                    break;
                default:
                    if (!r.value.icons) std::abort();
                    break;
            }
        }
    }
    std::filesystem::remove(path);
    return 0;
}
