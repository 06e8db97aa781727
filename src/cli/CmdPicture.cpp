// vornik-cli picture IN -o OUT [--colors 2|16|16fixed|256|true]
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "cli/CliCommand.h"
#include "cli/IcnsDocument.h"
#include "cli/PictureInput.h"
#include "imaging/AlphaMask.h"
#include "model/IcnsFile.h"
#include "cli/OutputGuard.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegDIB.h"
#include "imaging/PictureView.h"
#include "imaging/PngWriteRgba.h"
#include "imaging/SvgSandbox.h"
#include "imaging/PngWrite.h"
#include "imaging/TQvDIB.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

enum class OutputKind { Bitmap, Jpeg, Png };

OutputKind outputKindOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".bmp" || ext == ".dib") return OutputKind::Bitmap;
    if (ext == ".jpg" || ext == ".jpeg") return OutputKind::Jpeg;
    if (ext == ".png") return OutputKind::Png;
    throw UsageError("OUT must end in .bmp, .dib, .jpg, .jpeg or .png");
}

void convert(TQvDIB& dib, const std::string& colors) {
    if (colors == "2")
        dib.ConvertToMono();
    else if (colors == "16")
        dib.ConvertTo16Colors();
    else if (colors == "16fixed")
        dib.ConvertTo16FixedColors();
    else if (colors == "256")
        dib.ConvertTo256Colors();
    else if (colors == "true")
        dib.ConvertToTrueColor();
}

int runPicture(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, colors;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool haveColors = TakeOption(args, "--colors", colors);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one input file");
    if (!haveOut) throw UsageError("missing -o OUT");
    if (haveColors && colors != "2" && colors != "16" && colors != "16fixed" && colors != "256" &&
        colors != "true")
        throw UsageError("--colors takes 2, 16, 16fixed, 256 or true");
    const OutputKind kind = outputKindOf(out);
    const std::string& in = args[0];
    RefuseOutputOverInput(in, out);

    TQvDIB dib;
    try {
        // The editor's picture reader (PictureInput.h): refusals name the file.
        dib = LoadPicture(in);
    } catch (const EVornikError& e) {
        std::fprintf(CliErr(), "vornik-cli picture: %s\n", EnglishText(e.message()).c_str());
        return 1;
    }
    const bool alpha = HasAlphaChannel(dib);
    try {
        // Decoded here, so bad RLE data is refused with the file's name for
        // every output, never copied into a BMP unchecked.
        dib = Decompressed(dib);
        if (haveColors) convert(dib, colors);
    } catch (const EInOutError& e) {
        std::fprintf(CliErr(), "vornik-cli picture: %s\n", e.what());  // names the file already
        return 1;
    } catch (const EVornikError& e) {
        std::fprintf(CliErr(), "vornik-cli picture: %s: %s\n", in.c_str(), EnglishText(e.message()).c_str());
        return 1;
    }
    switch (kind) {
        case OutputKind::Bitmap:
            dib.SaveToFile(out);
            break;
        case OutputKind::Jpeg:
            SaveDIBAsJpegFile(dib, out);
            break;
        case OutputKind::Png:
            if (alpha && dib.GetBitCount() == 32)
                SaveRgbaPngFile(out, dib);  // an SVG's alpha, every level
            else
                SavePngFile(out, dib);
            break;
    }
    return 0;
}

const CommandRegistration registration(
    {"picture",
     "  picture IN -o OUT [--colors 2|16|16fixed|256|true]\n"
     "                       read a BMP/DIB, JPEG or SVG/SVGZ picture (an SVG at its own size),\n"
     "                       optionally reduce or expand its colours,\n"
     "                       and write it as .bmp/.dib, .jpg/.jpeg (libjpeg defaults) or .png (true colour)",
     runPicture});

}  // namespace

}  // namespace vornik::cli
