// vornik-cli convert PICTURE -o OUT.ico|OUT.cur [--size LIST] [--colors LIST] [--fixed-palette]
//                    [--nearest] [--stretch] [--png|--bmp] [--transparent X,Y] [--hotspot X,Y]
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
#include "cli/StorageFlags.h"
#include "imaging/AlphaMask.h"
#include "imaging/AlphaSplit.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/ScaleArea.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegDIB.h"
#include "imaging/MaskOps.h"
#include "imaging/PictureRgba.h"
#include "imaging/PictureView.h"
#include "imaging/TQvDIBCanvas.h"
#include "imaging/WorkingSize.h"
#include "model/EntryConversion.h"
#include "model/IcnsImage.h"
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

// Conversion targets in output order: 2 colours first, then 16, 256, true
// colour and 32 bits with alpha.
std::vector<int> parseColours(const std::string& text) {
    std::set<int> rank;
    for (const std::string& item : splitList(text)) {
        if (item == "2") rank.insert(0);
        else if (item == "16") rank.insert(1);
        else if (item == "256") rank.insert(2);
        else if (item == "true") rank.insert(3);
        else if (item == "32") rank.insert(4);
        else throw UsageError("--colors takes 2, 16, 256, true and 32, not \"" + item + "\"");
    }
    if (rank.empty()) throw UsageError("--colors needs at least one of 2, 16, 256, true, 32");
    std::vector<int> targets;
    targets.reserve(rank.size());
    for (int r : rank) targets.push_back(r == 4 ? 32 : r == 3 ? 24 : ColorIndexToTarget(r));
    return targets;
}

std::vector<int> parseSizes(const std::string& text, int maxSide) {
    std::set<int> sizes;
    for (const std::string& item : splitList(text)) {
        int n = 0;
        try {
            n = parseNumber(item, "--size");
        } catch (const UsageError&) {
            n = 0;
        }
        if (n < 1 || n > maxSide)
            throw UsageError("--size takes sides from 1 to " + std::to_string(maxSide) + ", not \"" + item + "\"");
        sizes.insert(n);
    }
    if (sizes.empty()) throw UsageError("--size needs at least one side from 1 to " + std::to_string(maxSide));
    return {sizes.begin(), sizes.end()};
}

// Rows bottom-up, as the steps below and the entries take them.
TQvDIB bottomUp(const TQvDIB& picture) {
    if (!picture.IsTopDown()) return picture;
    TQvDIB out;
    const int h = picture.Height();
    out.CreateDIB(picture.Width(), h, 0, picture.GetBitCount());
    for (int y = 0; y < h; ++y)
        std::copy_n(picture.ScanLine(y), static_cast<std::size_t>(picture.Stride()), out.MutableScanLine(h - 1 - y));
    return out;
}

struct Scaling {
    bool nearest = false;  // nearest pixel instead of area averaging
    bool stretch = false;  // fill the square instead of keeping the aspect ratio
};

// The picture as a side x side square, 32 bits with alpha. A non-square
// picture is fitted inside and centred on transparent padding.
TQvDIB squareOf(const TQvDIB& picture, int side, Scaling how) {
    const int w = picture.Width(), h = picture.Height();
    int fw = side, fh = side;
    if (!how.stretch && w != h) {
        if (w > h)
            fh = std::max(1, static_cast<int>((static_cast<long long>(h) * side + w / 2) / w));
        else
            fw = std::max(1, static_cast<int>((static_cast<long long>(w) * side + h / 2) / h));
    }
    const TQvDIB fitted = how.nearest ? ScaleNearest(picture, fw, fh) : ScaleArea(picture, fw, fh);
    if (fw == side && fh == side) return fitted;
    TQvDIB square;
    square.CreateDIB(side, side, 0, 32);  // transparent
    const int left = (side - fw) / 2, bottom = (side - fh + 1) / 2;
    for (int y = 0; y < fh; ++y)
        std::copy_n(fitted.ScanLine(y), 4 * static_cast<std::size_t>(fw),
                    square.MutableScanLine(bottom + y) + 4 * static_cast<std::size_t>(left));
    return square;
}

// One entry's image and 1-bit mask at a depth from a square with alpha. A
// 32-bit image keeps its alpha and masks only what is fully transparent;
// lower depths lose alpha at half coverage and are reduced after scaling, so
// their colours come from the averaged picture.
void entryPictures(const TQvDIB& square, int target, bool fixedPalette, TQvDIB& image, TQvDIB& mask) {
    mask.CreateDIB(square.Width(), square.Height(), 0, 24);  // black: opaque
    if (target == 32) {
        for (int y = 0; y < square.Height(); ++y) {
            const std::uint8_t* in = square.ScanLine(y);
            std::uint8_t* m = mask.MutableScanLine(y);
            for (int x = 0; x < square.Width(); ++x)
                if (in[4 * x + 3] == 0) std::fill_n(m + 3 * x, 3, 255);
        }
        image = square;
    } else {
        FoldAlphaIntoMask(square, mask);
        image = FlattenAlpha(square);
        ConvertDIBFormat(image, target, image.Width(), image.Height(), fixedPalette, 0);
    }
    mask.ConvertToMono();
}

int runConvert(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::string out, sizeText = "16,24,32,48,256", colourText = "32", transparentText, hotspotText;
    const bool haveOut = TakeOption(args, "-o", out);
    std::string ext = std::filesystem::path(out).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    // An Apple icon holds 32-bit images of its own sizes up to 1024.
    const bool icns = ext == ".icns";
    if (icns) sizeText = "16,32,64,128,256,512,1024";
    TakeOption(args, "--size", sizeText);
    if (TakeOption(args, "--colors", colourText) && icns && colourText != "32")
        throw UsageError("an ICNS file holds 32-bit images only");
    const bool haveTransparent = TakeOption(args, "--transparent", transparentText);
    const bool haveHotspot = TakeOption(args, "--hotspot", hotspotText);
    const bool fixedPalette = TakeFlag(args, "--fixed-palette");
    TakeFlag(args, "--halftone");  // area averaging is the default now; kept for old scripts
    Scaling scaling;
    scaling.nearest = TakeFlag(args, "--nearest");
    scaling.stretch = TakeFlag(args, "--stretch");
    const EntryStorage storage = TakeStorageFlags(args);
    const std::map<int, std::string> perSide = TakeSourceOptions(args, icns ? 1024 : 256);
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one PICTURE");
    if (!haveOut) throw UsageError("missing -o OUT.ico, OUT.cur or OUT.icns");
    if (ext != ".ico" && ext != ".cur" && !icns) throw UsageError("OUT must end in .ico, .cur or .icns");
    const int type = ext == ".cur" ? 2 : 1;
    const std::vector<int> sizes = parseSizes(sizeText, icns ? 1024 : 256);
    for (int side : sizes)
        if (icns && IcnsTypesForSide(side).empty())
            throw UsageError("an ICNS file holds the sides 16, 32, 64, 128, 256, 512 and 1024, not " +
                             std::to_string(side));
    const std::vector<int> targets = parseColours(colourText);
    std::pair<int, int> transparent{0, 0}, hotspot{0, 0};
    if (haveTransparent) transparent = parsePoint(transparentText, "--transparent");
    if (haveHotspot) hotspot = parsePoint(hotspotText, "--hotspot");
    if (haveHotspot && type != 2) throw UsageError("--hotspot needs a .cur OUT");
    const std::string& path = args[0];
    if (!FileExists(path)) {
        std::fprintf(CliErr(), "vornik-cli convert: no such file \"%s\"\n", path.c_str());
        return 1;
    }
    RefuseOutputOverInput(path, out);

    for (const auto& [side, file] : perSide)
        if (std::find(sizes.begin(), sizes.end(), side) == sizes.end())
            throw UsageError("--source " + std::to_string(side) + " names a size that --size does not ask for");
    // The main raster picture is read here, not by SizedSources, so that it
    // is made 32-bit and shrunk to the working size in one pass: a picture
    // far larger than any entry never exists at full size in 32 bits, and each
    // entry's scaling costs the same whatever the picture's size.
    const SizedSources sources(path, perSide, sizes, false);
    const TQvDIB stored = sources.MainSvg() ? sources.Main().rgba : LoadPicture(path);
    const int width = stored.Width(), height = stored.Height();
    if (haveTransparent && (transparent.first >= width || transparent.second >= height)) {
        std::fprintf(CliErr(), "vornik-cli convert: --transparent %d,%d lies outside the %d x %d picture\n",
                     transparent.first, transparent.second, width, height);
        return 1;
    }
    if (haveHotspot && (hotspot.first >= width || hotspot.second >= height)) {
        std::fprintf(CliErr(), "vornik-cli convert: --hotspot %d,%d lies outside the %d x %d picture\n", hotspot.first,
                     hotspot.second, width, height);
        return 1;
    }
    PictureRgbaOptions working;
    working.maxSide = kWorkingSide;
    working.nearest = scaling.nearest;
    if (haveTransparent) working.clearColourAt = transparent;
    const TQvDIB picture = PictureRgba(stored, working);

    TIconCurEX set;
    std::map<int, TQvDIB> icnsPictures;
    // An ICNS file is written from 32-bit pictures alone. Both sides are named
    // vectors: a temporary made by the conditional (and its destructor)
    // misled GCC 12's -Wfree-nonheap-object in optimised builds.
    const std::vector<int> icnsTargets{32};
    for (int target : icns ? icnsTargets : targets)
        for (int size : sizes) {
            // An SVG is drawn for each size, and a picture given for a size
            // serves it; the main raster picture is scaled.
            const SizedSources::Picture& own = sources.For(size);
            TQvDIB square;
            if (own.vector && own.rgba.Width() == size && own.rgba.Height() == size)
                square = bottomUp(own.rgba);
            else if (&own == &sources.Main())
                square = squareOf(picture, size, scaling);
            else
                square = squareOf(bottomUp(JoinAlpha(own.image, own.mask)), size, scaling);
            if (icns) {
                icnsPictures[size] = square;
                continue;
            }
            TQvDIB image, mask;
            entryPictures(square, target, fixedPalette, image, mask);
            const int index = set.AddSlot(-1);
            if (index < 0) return 1;
            set.InitEntry(index, type, size, size, image.GetBitCount());
            // The hot spot is given in the picture's pixels and scales with each entry.
            set.Entries[static_cast<std::size_t>(index)].HotSpotX =
                static_cast<std::uint16_t>(static_cast<long long>(hotspot.first) * size / width);
            set.Entries[static_cast<std::size_t>(index)].HotSpotY =
                static_cast<std::uint16_t>(static_cast<long long>(hotspot.second) * size / height);
            DIBsToEntry(set, image, mask, index);
        }
    if (icns) {
        SaveIcnsFile(out, IcnsFromPictures(icnsPictures).elements);
        return 0;
    }
    set.Reserved = 0;
    set.ResourceType = static_cast<std::uint16_t>(type);
    set.Storage = storage;
    set.SaveToFile(out);
    return 0;
}

const CommandRegistration registration(
    {"convert",
     "  convert PICTURE -o OUT.ico|OUT.cur|OUT.icns [--size LIST] [--colors LIST] [--fixed-palette]\n"
     "          [--nearest] [--stretch] [--png|--bmp] [--transparent X,Y] [--hotspot X,Y]\n"
     "          [--source N=FILE]...\n"
     "                       a BMP, JPEG, PNG or SVG/SVGZ picture (a PNG keeps its alpha;\n"
     "                       an SVG is drawn at each size; --source N=FILE: FILE is the\n"
     "                       picture for size N) as one\n"
     "                       entry per size (1..256; default 16,24,32,48,256) and colour\n"
     "                       depth (2,16,256,true,32; default 32), ordered by depth, then\n"
     "                       size. Shrinking averages areas (--nearest: nearest pixel);\n"
     "                       a non-square picture is centred on transparent padding\n"
     "                       (--stretch fills the square). 256-pixel 32-bit entries are\n"
     "                       stored as PNG (--png: all, --bmp: none). --transparent makes\n"
     "                       the colour of that pixel transparent; --hotspot (a cursor's,\n"
     "                       in the picture's pixels) scales with each size. OUT.icns: an\n"
     "                       Apple icon of the sides 16,32,64,128,256,512,1024 (default all),\n"
     "                       16 and 32 run-length coded with 8-bit masks, the rest PNG, with\n"
     "                       the @2x types",
     runConvert});

}  // namespace

}  // namespace vornik::cli
