// vornik-cli iconset PICTURE -o DIR [--name NAME] [--source N=FILE]... [--platforms LIST]
//                    [--background COLOUR] [--overwrite]
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/CliCommand.h"
#include "cli/IconSetDrawing.h"
#include "cli/SizedSources.h"
#include "formats/IconSet.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

namespace fs = std::filesystem;

bool validName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

int runIconset(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, name, platformText, backgroundText;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool haveName = TakeOption(args, "--name", name);
    const bool havePlatforms = TakeOption(args, "--platforms", platformText);
    const bool haveBackground = TakeOption(args, "--background", backgroundText);
    const bool overwrite = TakeFlag(args, "--overwrite");
    const std::map<int, std::string> perSide = TakeSourceOptions(args, 1024);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one PICTURE");
    if (!haveOut) throw UsageError("missing -o DIR");
    const std::string& path = args[0];
    IconSetOptions options;
    if (!haveName) name = fs::path(path).stem().string();
    if (!validName(name)) throw UsageError("--name needs a file name without '/', not \"" + name + "\"");
    options.name = name;
    try {
        if (havePlatforms) options.platforms = ParseIconPlatforms(platformText);
        if (haveBackground) options.background = ParseBackgroundColour(backgroundText);
    } catch (const EVornikError& e) {
        throw UsageError(e.what());
    }
    const std::vector<int> sides = IconSetSides(options.platforms);
    for (const auto& [side, file] : perSide)
        if (std::find(sides.begin(), sides.end(), side) == sides.end())
            throw UsageError("--source " + std::to_string(side) + " is not a size of the set");
    if (!FileExists(path)) {
        std::fprintf(CliErr(), "vornik-cli iconset: no such file \"%s\"\n", path.c_str());
        return 1;
    }

    IconSetDrawing drawing(path, perSide);
    const std::vector<IconSetFile> files = BuildIconSet(drawing, options);
    std::vector<std::string> written;
    try {
        written = WriteIconSet(out, files, overwrite);
    } catch (const EIconSetFileExists& e) {
        std::fprintf(CliErr(), "vornik-cli iconset: %s\n", e.what());
        return 1;
    }
    for (const std::string& file : written) std::fprintf(CliOut(), "%s\n", file.c_str());
    return 0;
}

const CommandRegistration registration(
    {"iconset",
     "  iconset PICTURE -o DIR [--name NAME] [--source N=FILE]... [--platforms LIST]\n"
     "          [--background COLOUR] [--overwrite]\n"
     "                       an application's icons for every platform from one picture (best\n"
     "                       an SVG, drawn afresh at each size; a raster is shrunk from its\n"
     "                       largest form): windows DIR/app.ico (16,20,24,32,40,48,64,96,128,256);\n"
     "                       macos app.icns (16-1024 with the @2x types) and app.iconset/;\n"
     "                       linux hicolor/NxN/apps/NAME.png and scalable/apps/NAME.svg; web\n"
     "                       favicon.ico, favicon.svg, apple-touch-icon.png, icon-192.png,\n"
     "                       icon-512.png, icon-maskable-512.png, site.webmanifest, head.html;\n"
     "                       ios AppIcon.appiconset/ with Contents.json; android android/mipmap-*/\n"
     "                       with an adaptive icon. --platforms windows,macos,linux,web,ios,android\n"
     "                       chooses (default all); --background (#RRGGBB, default white) is\n"
     "                       behind the icons that must be opaque; NAME defaults to PICTURE's\n"
     "                       name; --source N=FILE: FILE is the picture for size N. A file that\n"
     "                       exists stops the run before anything is written, unless --overwrite;\n"
     "                       prints each file written",
     runIconset});

}  // namespace

}  // namespace vornik::cli
