// vornik-cli iconset PICTURE -o DIR [--name NAME] [--source N=FILE]...
#include <cstdio>
#include <filesystem>
#include <set>

#include "cli/CliCommand.h"
#include "cli/SizedSources.h"
#include "imaging/AlphaSplit.h"
#include "imaging/PngWriteRgba.h"
#include "model/EntryConversion.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

namespace fs = std::filesystem;

// What an application needs: Windows' own sizes, the favicon's, and the
// freedesktop theme's fixed sizes.
const std::vector<int> kAppSides = {16, 20, 24, 32, 40, 48, 64, 96, 128, 256};
const std::vector<int> kFaviconSides = {16, 32, 48};
const std::vector<int> kThemeSides = {16, 22, 24, 32, 48, 64, 128, 256, 512};

// A 32-bit icon: alpha in the image, and the mask opaque from half coverage
// for programs that read only the mask.
void writeIcon(const std::string& path, const std::vector<int>& sides, const std::map<int, TQvDIB>& squares) {
    TIconCurEX set;
    for (int side : sides) {
        const TQvDIB& rgba = squares.at(side);
        TQvDIB image, mask;
        SplitAlpha(rgba, image, mask);
        mask.ConvertToMono();
        const int index = set.AddSlot(-1);
        if (index < 0) throw EVornikError("too many entries for \"" + path + "\"");
        set.InitEntry(index, 1, side, side, 32);
        DIBsToEntry(set, rgba, mask, index);
    }
    set.Reserved = 0;
    set.ResourceType = 1;
    set.SaveToFile(path);
}

bool validName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

int runIconset(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, name;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool haveName = TakeOption(args, "--name", name);
    const std::map<int, std::string> perSide = TakeSourceOptions(args, 512);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one PICTURE");
    if (!haveOut) throw UsageError("missing -o DIR");
    const std::string& path = args[0];
    if (!haveName) name = fs::path(path).stem().string();
    if (!validName(name)) throw UsageError("--name needs a file name without '/', not \"" + name + "\"");
    std::set<int> all(kAppSides.begin(), kAppSides.end());
    all.insert(kThemeSides.begin(), kThemeSides.end());
    for (const auto& [side, file] : perSide)
        if (!all.count(side))
            throw UsageError("--source " + std::to_string(side) + " is not a size of the set");
    if (!FileExists(path)) {
        std::fprintf(CliErr(), "vornik-cli iconset: no such file \"%s\"\n", path.c_str());
        return 1;
    }

    const SizedSources sources(path, perSide, {all.begin(), all.end()});
    std::map<int, TQvDIB> squares;
    for (int side : all) squares[side] = SquareRgba(sources.For(side), side);

    std::vector<std::string> written;
    const fs::path dir(out);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw EInOutError("Cannot create folder \"" + out + "\"");
    writeIcon((dir / "app.ico").string(), kAppSides, squares);
    written.push_back((dir / "app.ico").string());
    writeIcon((dir / "favicon.ico").string(), kFaviconSides, squares);
    written.push_back((dir / "favicon.ico").string());
    for (int side : kThemeSides) {
        const fs::path folder =
            dir / "hicolor" / (std::to_string(side) + "x" + std::to_string(side)) / "apps";
        fs::create_directories(folder, ec);
        if (ec) throw EInOutError("Cannot create folder \"" + folder.string() + "\"");
        const std::string file = (folder / (name + ".png")).string();
        SaveRgbaPngFile(file, squares.at(side));
        written.push_back(file);
    }
    if (const SvgSource* svg = sources.MainSvg()) {
        const fs::path folder = dir / "hicolor" / "scalable" / "apps";
        fs::create_directories(folder, ec);
        if (ec) throw EInOutError("Cannot create folder \"" + folder.string() + "\"");
        const std::string file = (folder / (name + ".svg")).string();
        WriteFileReplacing(file, svg->text);  // an SVGZ goes in decompressed, as themes expect .svg
        written.push_back(file);
    }
    for (const std::string& file : written) std::fprintf(CliOut(), "%s\n", file.c_str());
    return 0;
}

const CommandRegistration registration(
    {"iconset",
     "  iconset PICTURE -o DIR [--name NAME] [--source N=FILE]...\n"
     "                       an application's icons from one picture (best an SVG, drawn at each size):\n"
     "                       DIR/app.ico (16,20,24,32,40,48,64,96,128,256; 32-bit with alpha),\n"
     "                       DIR/favicon.ico (16,32,48) and DIR/hicolor/NxN/apps/NAME.png (16,22,24,32,\n"
     "                       48,64,128,256,512) plus hicolor/scalable/apps/NAME.svg for an SVG;\n"
     "                       NAME defaults to PICTURE's name; --source N=FILE: FILE is the picture\n"
     "                       for size N; prints each file written",
     runIconset});

}  // namespace

}  // namespace vornik::cli
