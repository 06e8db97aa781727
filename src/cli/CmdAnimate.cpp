// vornik-cli animate PICTURE -o OUT.ani (--rotate DEG [--direction 0-5] | --zoom RATE [--mode 0-2] |
//                    --move UNIT [--direction 0-3]) [--rate N] [--transparent X,Y] [--nearest] [--hotspot X,Y]
// and, from pictures given one a frame, animate --frames / --script (CmdAnimateFrames.cpp).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "anim/GenerateFrames.h"
#include "anim/TAniEX.h"
#include "cli/AnimateFrames.h"
#include "cli/CliCommand.h"
#include "cli/OutputGuard.h"
#include "cli/PictureInput.h"
#include "imaging/MaskOps.h"
#include "imaging/TQvDIB.h"
#include "platform/FileIO.h"
#include "platform/Notice.h"

namespace vornik::cli {

namespace {

// A cursor's directory holds width and height in one byte each (0 = 256).
constexpr int kMaxFrameSide = 256;

int parseInt(const std::string& text, const std::string& option, int low, int high) {
    try {
        std::size_t used = 0;
        const long long n = std::stoll(text, &used);
        if (used == text.size() && n >= low && n <= high) return static_cast<int>(n);
    } catch (const std::exception&) {
    }
    throw UsageError(option + " takes " + std::to_string(low) + " to " + std::to_string(high) + ", not \"" +
                     text + "\"");
}

std::pair<int, int> parsePoint(const std::string& text, const std::string& option) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) parts.push_back(item);
    if (parts.size() != 2) throw UsageError(option + " needs X,Y");
    return {parseInt(parts[0], option, 0, 0x7FFF), parseInt(parts[1], option, 0, 0x7FFF)};
}

// Repeated limit messages of the set are counted and told once.
class NoticeCounter : public NoticeHandler {
public:
    void message(const Message& text) override { count(EnglishText(text)); }
    void warning(const Message& text) override { count(EnglishText(text)); }
    bool askYesNo(const Message& text) override {
        count(EnglishText(text));
        return false;
    }
    void print() const {
        for (const auto& [text, times] : texts_)
            if (times == 1)
                std::fprintf(CliErr(), "vornik-cli animate: %s\n", text.c_str());
            else
                std::fprintf(CliErr(), "vornik-cli animate: %s (%d times)\n", text.c_str(), times);
    }

private:
    void count(const std::string& text) {
        for (auto& entry : texts_)
            if (entry.first == text) {
                ++entry.second;
                return;
            }
        texts_.emplace_back(text, 1);
    }
    std::vector<std::pair<std::string, int>> texts_;
};

int runAnimate(const std::vector<std::string>& arguments) {
    for (const auto& a : arguments)
        if (a == "--frames" || a == "--script") return RunAnimateFrames(arguments);
    std::vector<std::string> args = arguments;
    std::string out, rotateText, zoomText, moveText, directionText, modeText, rateText, transparentText,
        hotspotText;
    const bool haveOut = TakeOption(args, "-o", out);
    const bool rotate = TakeOption(args, "--rotate", rotateText);
    const bool zoom = TakeOption(args, "--zoom", zoomText);
    const bool move = TakeOption(args, "--move", moveText);
    const bool haveDirection = TakeOption(args, "--direction", directionText);
    const bool haveMode = TakeOption(args, "--mode", modeText);
    const bool haveRate = TakeOption(args, "--rate", rateText);
    const bool haveTransparent = TakeOption(args, "--transparent", transparentText);
    const bool haveHotspot = TakeOption(args, "--hotspot", hotspotText);
    TakeFlag(args, "--halftone");  // averaging is the default now; kept for old scripts
    const int stretchMode = TakeFlag(args, "--nearest") ? 0 : 1;
    RejectUnknownOptions(args);
    if (args.size() != 1) throw UsageError("expected one PICTURE");
    if (!haveOut) throw UsageError("missing -o OUT.ani");
    RefuseOutputOverInput(args[0], out);
    std::string ext = std::filesystem::path(out).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext != ".ani") throw UsageError("OUT must end in .ani");
    if (int(rotate) + int(zoom) + int(move) != 1) throw UsageError("give one of --rotate, --zoom and --move");
    if (haveMode && !zoom) throw UsageError("--mode goes with --zoom");
    if (haveDirection && zoom) throw UsageError("--direction goes with --rotate or --move");

    // The ranges of the effect dialog's fields and choices.
    int parameter = 0, choice = 0;
    if (rotate) {
        parameter = parseInt(rotateText, "--rotate", 1, 360);
        if (haveDirection) choice = parseInt(directionText, "--direction", 0, 5);
    } else if (zoom) {
        parameter = parseInt(zoomText, "--zoom", 1, 128);
        if (haveMode) choice = parseInt(modeText, "--mode", 0, 2);
    } else {
        parameter = parseInt(moveText, "--move", 1, 128);
        if (haveDirection) choice = parseInt(directionText, "--direction", 0, 3);
    }
    TAniEX set;
    if (haveRate)
        set.AnimHeader.DisplayRate = static_cast<std::uint32_t>(parseInt(rateText, "--rate", 0, 100));
    std::pair<int, int> transparent{0, 0};
    if (haveTransparent) transparent = parsePoint(transparentText, "--transparent");
    std::pair<int, int> hotspot{0, 0};
    if (haveHotspot) hotspot = ParseHotspot(hotspotText, "--hotspot");

    const std::string& path = args[0];
    if (!FileExists(path)) {
        std::fprintf(CliErr(), "vornik-cli animate: no such file \"%s\"\n", path.c_str());
        return 1;
    }
    TQvDIB imageView, maskView;
    LoadPictureViews(path, imageView, maskView);
    const int width = imageView.Width(), height = imageView.Height();
    if (width > kMaxFrameSide || height > kMaxFrameSide) {
        std::fprintf(
            CliErr(),
            "vornik-cli animate: the %d x %d picture is larger than a cursor frame (at most %d x %d)\n",
            width, height, kMaxFrameSide, kMaxFrameSide);
        return 1;
    }
    if (haveTransparent) {
        const RasterColor k = PickedColor(imageView, transparent.first, transparent.second);
        if (k == 0xFFFFFFFFu) {
            std::fprintf(CliErr(), "vornik-cli animate: --transparent %d,%d lies outside the %d x %d picture\n",
                         transparent.first, transparent.second, width, height);
            return 1;
        }
        AutoMask(imageView, maskView, k, true);  // and CompleteImage
    }
    if (haveHotspot && (hotspot.first >= width || hotspot.second >= height)) {
        std::fprintf(CliErr(), "vornik-cli animate: --hotspot %d,%d lies outside the %d x %d picture\n",
                     hotspot.first, hotspot.second, width, height);
        return 1;
    }

    NoticeCounter notices;
    int frames = 0;
    {
        ScopedNoticeHandler scope(&notices);
        if (rotate)
            frames = GenerateRotation(set, imageView, maskView, parameter, choice, stretchMode);
        else if (zoom)
            frames = GenerateZoom(set, imageView, maskView, parameter, choice, stretchMode);
        else
            frames = GenerateMove(set, imageView, maskView, parameter, choice);
    }
    notices.print();
    if (frames == 0) {
        // An animated cursor without frames is of no use; nothing is written.
        std::fprintf(CliErr(),
                     "vornik-cli animate: no frames: the parameter %d is too large for the %d x %d picture\n",
                     parameter, width, height);
        return 1;
    }
    // Every generated frame has the picture's size, so one hot spot serves all.
    if (haveHotspot)
        for (int i = 0; i < set.Count; ++i) {
            set.Entries[static_cast<std::size_t>(i)].HotSpotX = static_cast<std::uint16_t>(hotspot.first);
            set.Entries[static_cast<std::size_t>(i)].HotSpotY = static_cast<std::uint16_t>(hotspot.second);
        }
    set.SaveToFile(out);
    return 0;
}

const CommandRegistration registration(
    {"animate",
     "  animate PICTURE -o OUT.ani (--rotate DEG [--direction 0-5] | --zoom RATE [--mode 0-2] |\n"
     "          --move UNIT [--direction 0-3]) [--rate N] [--transparent X,Y] [--nearest]\n"
     "                       an animated cursor generated from a BMP, JPEG or PNG picture (at most\n"
     "                       256 x 256; a PNG's alpha below half is transparent): turned in steps of DEG\n"
     "                       (1-360; direction 0 right, 1 left, 2/3 about the horizontal and 4/5\n"
     "                       about the vertical centre line), zoomed in steps of width/RATE\n"
     "                       (1-128; mode 0 shrink, 1 grow, 2 both) or moved out and back in by\n"
     "                       UNIT pixels (1-128; direction 0 right, 1 left, 2 up, 3 down); --rate\n"
     "                       is each step's display time in play ticks (0-100, default 10);\n"
     "                       --transparent makes the colour of that pixel transparent; scaling\n"
     "                       averages (--nearest: nearest pixel, for pixel art); --hotspot sets every\n"
     "                       frame's hot spot (default 0,0)\n"
     "  animate --frames FILE... -o OUT.ani [--rate N] [--rates R,R,...] [--sequence F,F,...]\n"
     "          [--hotspot X,Y] [--size N|WxH] [--title TEXT] [--creator TEXT] [--script FILE]\n"
     "                       an animated cursor of one frame per file: PNG (with alpha), BMP, JPEG,\n"
     "                       SVG, or ICO/CUR (all its images become one frame of several sizes; a\n"
     "                       cursor's hot spot is kept); --rate is every step's display time in\n"
     "                       ticks of 1/60 s (default 10), --rates one per step, --sequence the\n"
     "                       frames shown in order (numbered from 0); frames must be the size of\n"
     "                       the first unless --size scales them to one size; --script reads the\n"
     "                       frames, steps, rates and hot spots from a file written by extract --png\n"
     "                       (options given as well take the script's place)",
     runAnimate});

}  // namespace

}  // namespace vornik::cli
