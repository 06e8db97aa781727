// vornik-cli animate --frames A.png B.cur C.bmp ... -o OUT.ani, or --script FILE.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "anim/AnimationScript.h"
#include "anim/FramesToAnimation.h"
#include "anim/TAniEX.h"
#include "cli/AnimateFrames.h"
#include "cli/CliCommand.h"
#include "cli/OutputGuard.h"
#include "cli/PictureInput.h"
#include "model/EntryPixels.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/ShiftJis.h"
#include "formats/CursorFiles.h"

namespace vornik::cli {

namespace {

// A cursor's directory holds width and height in one byte each (0 = 256).
constexpr int kMaxFrameSide = 256;
constexpr std::uint64_t kMaxFrameFileBytes = 256ull << 20;
constexpr std::uint64_t kMaxScriptBytes = 1ull << 20;

int parseNumber(const std::string& text, const std::string& option, int low, int high) {
    bool digits = !text.empty() && text.size() <= 9;
    for (char c : text) digits = digits && std::isdigit(static_cast<unsigned char>(c));
    const long n = digits ? std::stol(text) : -1;
    if (!digits || n < low || n > high)
        throw UsageError(option + " takes " + std::to_string(low) + " to " + std::to_string(high) +
                         ", not \"" + text + "\"");
    return static_cast<int>(n);
}

std::vector<int> parseList(const std::string& text, const std::string& option, int low, int high) {
    std::vector<int> values;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        values.push_back(parseNumber(item, option, low, high));
    if (values.empty()) throw UsageError(option + " needs a list like 1,2,3");
    return values;
}

std::pair<int, int> parseSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) {
        const int side = parseNumber(text, "--size", 1, kMaxFrameSide);
        return {side, side};
    }
    return {parseNumber(text.substr(0, x), "--size", 1, kMaxFrameSide),
            parseNumber(text.substr(x + 1), "--size", 1, kMaxFrameSide)};
}

// The images one file gives a frame: every image of an icon or cursor file
// (a cursor's hot spots kept; an icon's directory holds planes and bit count
// there, so its hot spot is 0,0), or the picture as one 32-bit image with its
// alpha.
std::vector<IconEntry> loadFrameImages(const std::string& path) {
    const Bytes data = ReadFileBytes(path, kMaxFrameFileBytes);
    std::vector<IconEntry> images;
    const CursorFileKind kind = SniffCursorFile(data);
    if (kind == CursorFileKind::Animated)
        throw EVornikError(
            "\"" + path + "\" is an animated cursor; take it apart with extract --png and give its pictures");
    if (kind == CursorFileKind::IconOrCursor) {
        TIconCurEX set;
        if (!set.LoadFromBytes(data, path)) throw EVornikError(set.LoadError());
        for (int i = 0; i < set.Count; ++i) {
            IconEntry e = set.Entries[static_cast<std::size_t>(i)];
            if (set.ResourceType != 2) e.HotSpotX = e.HotSpotY = 0;
            images.push_back(std::move(e));
        }
        if (images.empty()) throw EVornikError("\"" + path + "\" holds no image");
        return images;
    }
    const TQvDIB picture = LoadPictureWithAlpha(path);
    const int w = picture.Width(), h = picture.Height();
    if (w > kMaxFrameSide || h > kMaxFrameSide)
        throw EVornikError("\"" + path + "\" is " + std::to_string(w) + " x " + std::to_string(h) +
                           ", larger than a cursor frame (at most " + std::to_string(kMaxFrameSide) + " x " +
                           std::to_string(kMaxFrameSide) + ")");
    BgraPicture bgra;
    bgra.width = w;
    bgra.height = h;
    bgra.bgra.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    for (int y = 0; y < h; ++y) {
        const int stored = picture.IsTopDown() ? y : h - 1 - y;
        std::copy_n(picture.ScanLine(stored), static_cast<std::size_t>(w) * 4,
                    bgra.bgra.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 4);
    }
    IconEntry e;
    BgraToEntry(bgra, e);
    images.push_back(std::move(e));
    return images;
}

// A text from the command line or a script (UTF-8) as the file holds it.
std::string storedText(const std::string& utf8, const char* what) {
    std::string sjis = Utf8ToShiftJis(utf8);
    if (ShiftJisToUtf8(sjis) != utf8)
        std::fprintf(CliErr(),
                     "vornik-cli animate: the %s has characters an animated cursor cannot hold; they "
                     "are written as ?\n",
                     what);
    return sjis;
}

}  // namespace

bool TakeFrameList(std::vector<std::string>& args, std::vector<std::string>& files) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--frames") continue;
        std::size_t end = i + 1;
        while (end < args.size() && !(args[end].size() > 1 && args[end][0] == '-')) ++end;
        files.assign(args.begin() + static_cast<long>(i) + 1, args.begin() + static_cast<long>(end));
        if (files.empty()) throw UsageError("--frames needs one or more files");
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(end));
        return true;
    }
    return false;
}

std::pair<int, int> ParseHotspot(const std::string& text, const std::string& option) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) throw UsageError(option + " needs X,Y");
    return {parseNumber(text.substr(0, comma), option, 0, 0x7FFF),
            parseNumber(text.substr(comma + 1), option, 0, 0x7FFF)};
}

int RunAnimateFrames(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    std::vector<std::string> files;
    std::string out, scriptPath, rateText, ratesText, sequenceText, hotspotText, title, creator, sizeText;
    const bool haveFrames = TakeFrameList(args, files);
    const bool haveOut = TakeOption(args, "-o", out);
    const bool haveScript = TakeOption(args, "--script", scriptPath);
    const bool haveRate = TakeOption(args, "--rate", rateText);
    const bool haveRates = TakeOption(args, "--rates", ratesText);
    const bool haveSequence = TakeOption(args, "--sequence", sequenceText);
    const bool haveHotspot = TakeOption(args, "--hotspot", hotspotText);
    const bool haveTitle = TakeOption(args, "--title", title);
    const bool haveCreator = TakeOption(args, "--creator", creator);
    const bool haveSize = TakeOption(args, "--size", sizeText);
    RejectUnknownOptions(args);
    if (!args.empty()) throw UsageError("unexpected \"" + args.front() + "\" (frames go after --frames)");
    if (!haveFrames && !haveScript) throw UsageError("give --frames FILE... or --script FILE");
    if (!haveOut) throw UsageError("missing -o OUT.ani");
    std::string ext = std::filesystem::path(out).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".ani") throw UsageError("OUT must end in .ani");

    FramesToAnimation plan;
    std::vector<std::vector<AnimationScript::Image>> images;  // per frame
    AnimationScript script;
    if (haveScript) {
        if (!FileExists(scriptPath)) {
            std::fprintf(CliErr(), "vornik-cli animate: no such file \"%s\"\n", scriptPath.c_str());
            return 1;
        }
        const Bytes text = ReadFileBytes(scriptPath, kMaxScriptBytes);
        script = ParseAnimationScript(std::string(text.begin(), text.end()), scriptPath);
        const std::filesystem::path folder = std::filesystem::path(scriptPath).parent_path();
        for (auto& frame : script.frames)
            for (auto& image : frame)
                if (std::filesystem::path(image.file).is_relative())
                    image.file = (folder / image.file).string();
        images = script.frames;
        if (script.rate) plan.rate = static_cast<std::uint32_t>(*script.rate);
        if (script.title) plan.title = storedText(*script.title, "title");
        if (script.creator) plan.creator = storedText(*script.creator, "creator");
    }
    if (haveFrames) {
        // Pictures named on the command line take the place of the script's.
        images.clear();
        for (const auto& f : files) images.push_back({{f, std::nullopt}});
    }
    if (images.empty()) throw UsageError("the script names no frames");
    if (haveRate) plan.rate = static_cast<std::uint32_t>(parseNumber(rateText, "--rate", 1, kMaxScriptRate));
    if (haveTitle) plan.title = storedText(title, "title");
    if (haveCreator) plan.creator = storedText(creator, "creator");
    if (haveHotspot) plan.hotspot = ParseHotspot(hotspotText, "--hotspot");
    if (haveSize) plan.size = parseSize(sizeText);
    // Frames listed by hand must agree in size; a script made by extract
    // describes an existing animation, whose frames may differ.
    plan.oneSize = haveFrames;

    // Steps: the script's, then --sequence and --rates over them. A rate of
    // -1 is the display rate.
    std::vector<int> sequence, rates;
    for (const auto& step : script.steps) {
        sequence.push_back(step.frame);
        rates.push_back(step.rate ? *step.rate : -1);
    }
    if (haveSequence) {
        sequence = parseList(sequenceText, "--sequence", 0, static_cast<int>(images.size()) - 1);
        rates.assign(sequence.size(), -1);
    }
    if (sequence.empty())
        for (std::size_t f = 0; f < images.size(); ++f) sequence.push_back(static_cast<int>(f));
    if (sequence.size() > static_cast<std::size_t>(TAniEX::kMaxSteps))
        throw UsageError(std::to_string(sequence.size()) + " steps: an animated cursor holds at most " +
                         std::to_string(TAniEX::kMaxSteps) + " (give --sequence to show some frames only)");
    if (haveRates) {
        rates = parseList(ratesText, "--rates", 1, kMaxScriptRate);
        if (rates.size() != sequence.size())
            throw UsageError("--rates gives " + std::to_string(rates.size()) + " rates for " +
                             std::to_string(sequence.size()) + " steps");
    }
    rates.resize(sequence.size(), -1);
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (sequence[i] >= static_cast<int>(images.size()))
            throw UsageError("a step shows frame " + std::to_string(sequence[i]) + ", but there are " +
                             std::to_string(images.size()) + " frames (numbered from 0)");
        const int rate = rates[i] >= 0 ? rates[i] : static_cast<int>(plan.rate);
        plan.steps.push_back({rate, sequence[i]});
        if (rate != static_cast<int>(plan.rate)) plan.writeRates = true;
        if (sequence[i] != static_cast<int>(i)) plan.writeSequence = true;
    }
    // A sequence that is not every frame once in order needs its chunk.
    if (sequence.size() != images.size()) plan.writeSequence = true;
    if (haveSequence) plan.writeSequence = true;
    if (haveRates) plan.writeRates = true;

    for (const auto& frame : images) {
        FramesToAnimation::Frame built;
        for (const auto& image : frame) {
            RefuseOutputOverInput(image.file, out);
            if (!FileExists(image.file)) {
                std::fprintf(CliErr(), "vornik-cli animate: no such file \"%s\"\n", image.file.c_str());
                return 1;
            }
            std::vector<IconEntry> got = loadFrameImages(image.file);
            // As the script says, even outside the image: frames taken from
            // icons carry their planes and bit count there, and keep them.
            if (image.hotspot)
                for (IconEntry& e : got) {
                    e.HotSpotX = static_cast<std::uint16_t>(image.hotspot->first);
                    e.HotSpotY = static_cast<std::uint16_t>(image.hotspot->second);
                }
            built.name += (built.name.empty() ? "" : ", ") + image.file;
            for (auto& e : got) built.images.push_back(std::move(e));
        }
        if (built.images.size() > static_cast<std::size_t>(kMaxScriptImagesPerFrame))
            throw EVornikError("\"" + built.name + "\": more than " +
                               std::to_string(kMaxScriptImagesPerFrame) + " images in one frame");
        plan.frames.push_back(std::move(built));
    }
    TAniEX set(plan.rate);
    BuildAnimation(plan, set);
    set.SaveToFile(out);
    return 0;
}

}  // namespace vornik::cli
