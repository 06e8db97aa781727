// vornik-cli convert PICTURE -o OUT.ico|OUT.cur --size LIST --colors LIST
//                    [--fixed-palette] [--halftone] [--transparent X,Y] [--hotspot X,Y]
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "cli/CliCommand.h"
#include "cli/OutputGuard.h"
#include "cli/PictureInput.h"
#include "cli/SizedSources.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegDIB.h"
#include "imaging/MaskOps.h"
#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"
#include "imaging/WorkingSize.h"
#include "model/EntryConversion.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik::cli {

namespace {

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) out.push_back(item);
    return out;
}

int parseNumber(const std::string& text, const std::string& option) {
    try {
        std::size_t used = 0;
        const long long n = std::stoll(text, &used);
        if (used == text.size() && n >= 0 && n <= 0x7FFF) return static_cast<int>(n);
    } catch (const std::exception&) {
    }
    throw UsageError(option + " needs numbers from 0, not \"" + text + "\"");
}

std::pair<int, int> parsePoint(const std::string& text, const std::string& option) {
    const std::vector<std::string> parts = splitList(text);
    if (parts.size() != 2) throw UsageError(option + " needs X,Y");
    return {parseNumber(parts[0], option), parseNumber(parts[1], option)};
}

// Conversion targets in output order: 2 colours first, then 16, 256, true.
std::vector<int> parseColours(const std::string& text) {
    std::set<int> rank;
    for (const std::string& item : splitList(text)) {
        if (item == "2") rank.insert(0);
        else if (item == "16") rank.insert(1);
        else if (item == "256") rank.insert(2);
        else if (item == "true") rank.insert(3);
        else throw UsageError("--colors takes 2, 16, 256 and true, not \"" + item + "\"");
    }
    if (rank.empty()) throw UsageError("--colors needs at least one of 2, 16, 256, true");
    std::vector<int> targets;
    for (int r : rank) targets.push_back(ColorIndexToTarget(r));
    return targets;
}

std::vector<int> parseSizes(const std::string& text) {
    std::set<int> sizes;
    for (const std::string& item : splitList(text)) {
        if (item == "16" || item == "32" || item == "48" || item == "64" || item == "128")
            sizes.insert(std::stoi(item));
        else
            throw UsageError("--size takes 16, 32, 48, 64 and 128, not \"" + item + "\"");
    }
    if (sizes.empty()) throw UsageError("--size needs at least one of 16, 32, 48, 64, 128");
    return {sizes.begin(), sizes.end()};
}

int runConvert(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, sizeText, colourText, transparentText, hotspotText;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool haveSize = TakeOption(args, "--size", sizeText);
    const bool haveColours = TakeOption(args, "--colors", colourText);
    const bool haveTransparent = TakeOption(args, "--transparent", transparentText);
    const bool haveHotspot = TakeOption(args, "--hotspot", hotspotText);
    const bool fixedPalette = TakeFlag(args, "--fixed-palette");
    const int stretchMode = TakeFlag(args, "--halftone") ? 1 : 0;
    const std::map<int, std::string> perSide = TakeSourceOptions(args, 256);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one PICTURE");
    if (!haveOut) throw UsageError("missing -o OUT.ico or OUT.cur");
    if (!haveSize) throw UsageError("missing --size LIST");
    if (!haveColours) throw UsageError("missing --colors LIST");
    std::string ext = std::filesystem::path(out).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (ext != ".ico" && ext != ".cur") throw UsageError("OUT must end in .ico or .cur");
    const int type = ext == ".cur" ? 2 : 1;
    const std::vector<int> sizes = parseSizes(sizeText);
    const std::vector<int> targets = parseColours(colourText);
    std::pair<int, int> transparent{0, 0}, hotspot{0, 0};
    if (haveTransparent) transparent = parsePoint(transparentText, "--transparent");
    if (haveHotspot) hotspot = parsePoint(hotspotText, "--hotspot");
    if (haveHotspot && type != 2) throw UsageError("--hotspot needs a .cur OUT");
    const std::string& path = args[0];
    if (!FileExists(path)) {
        std::fprintf(stderr, "vornik-cli convert: no such file \"%s\"\n", path.c_str());
        return 1;
    }
    RefuseOutputOverInput(path, out);

    for (const auto& [side, file] : perSide)
        if (std::find(sizes.begin(), sizes.end(), side) == sizes.end())
            throw UsageError("--source " + std::to_string(side) + " names a size that --size does not ask for");
    const SizedSources sources(path, perSide, sizes);
    TQvDIB imageView = sources.Main().image, maskView = sources.Main().mask;
    const int width = imageView.Width(), height = imageView.Height();
    if (haveTransparent) {
        const RasterColor k = PickedColor(imageView, transparent.first, transparent.second);
        if (k == 0xFFFFFFFFu) {
            std::fprintf(stderr, "vornik-cli convert: --transparent %d,%d lies outside the %d x %d picture\n",
                         transparent.first, transparent.second, width, height);
            return 1;
        }
        AutoMask(imageView, maskView, k, true);
    }
    if (haveHotspot && (hotspot.first >= width || hotspot.second >= height)) {
        std::fprintf(stderr, "vornik-cli convert: --hotspot %d,%d lies outside the %d x %d picture\n", hotspot.first,
                     hotspot.second, width, height);
        return 1;
    }

    // A picture far larger than any entry is shrunk to a working size first,
    // and each depth's reduction is made once, not once per entry.
    const TQvDIB image = ShrunkToWorkingSize(ViewToDIB(imageView), stretchMode);
    TQvDIB mask = ShrunkToWorkingSize(ViewToDIB(maskView), stretchMode);
    mask.ConvertToMono();
    TIconCurEX set;
    for (int target : targets) {
        TQvDIB reduced = image;
        ConvertDIBFormat(reduced, target, reduced.Width(), reduced.Height(), fixedPalette, stretchMode);
        for (int size : sizes) {
            // An SVG, or the picture given for this size, is drawn for it;
            // the main raster picture is scaled.
            const SizedSources::Picture& own = sources.For(size);
            TQvDIB entryImage = &own == &sources.Main() ? reduced : ViewToDIB(own.image);
            TQvDIB entryMask = mask;
            if (&own != &sources.Main()) {
                entryMask = ViewToDIB(own.mask);
                entryMask.ConvertToMono();
            }
            ConvertDIBFormat(entryImage, target, size, size, fixedPalette, stretchMode);
            ConvertDIBFormat(entryMask, 1, size, size, fixedPalette, stretchMode);
            const int index = set.AddSlot(-1);
            if (index < 0) return 1;
            set.InitEntry(index, type, size, size, entryImage.GetBitCount());
            // The hot spot is given in the picture's pixels and scales with each entry.
            set.Entries[static_cast<std::size_t>(index)].HotSpotX =
                static_cast<std::uint16_t>(static_cast<long long>(hotspot.first) * size / width);
            set.Entries[static_cast<std::size_t>(index)].HotSpotY =
                static_cast<std::uint16_t>(static_cast<long long>(hotspot.second) * size / height);
            DIBsToEntry(set, entryImage, entryMask, index);
        }
    }
    set.Reserved = 0;
    set.ResourceType = static_cast<std::uint16_t>(type);
    set.SaveToFile(out);
    return 0;
}

const CommandRegistration registration(
    {"convert",
     "  convert PICTURE -o OUT.ico|OUT.cur --size LIST --colors LIST\n"
     "          [--fixed-palette] [--halftone] [--transparent X,Y] [--hotspot X,Y] [--source N=FILE]...\n"
     "                       a BMP, JPEG, PNG or SVG/SVGZ picture (a PNG's alpha 0 is transparent;\n"
     "                       an SVG is drawn at each size, alpha below 128 transparent);\n"
     "                       --source N=FILE: FILE (any of these) is the picture for size N\n"
     "                       as one entry per size (16,32,48,64,128) and colour depth\n"
     "                       (2,16,256,true), ordered by depth, then size; --transparent\n"
     "                       makes the colour of that pixel transparent; --hotspot (a\n"
     "                       cursor's, in the picture's pixels) scales with each size",
     runConvert});

}  // namespace

}  // namespace vornik::cli
