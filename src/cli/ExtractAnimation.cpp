#include "cli/ExtractAnimation.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "anim/AnimationScript.h"
#include "cli/EntryFileNames.h"
#include "cli/OutputGuard.h"
#include "model/EntryPixels.h"
#include "model/EntryStorage.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/ShiftJis.h"
#include "cli/CliCommand.h"

namespace vornik::cli {

namespace {

int scriptRate(std::int64_t rate) {
    return static_cast<int>(std::clamp<std::int64_t>(rate, 0, kMaxScriptRate));
}

std::string sideText(const IconEntry& e) {
    return std::to_string(e.PixelWidth()) + "x" + std::to_string(e.PixelHeight());
}

}  // namespace

int ExtractAnimationPng(const TAniEX& set, const std::string& path, const std::string& dir,
                        const std::string& stem, long long first, bool overwrite) {
    namespace fs = std::filesystem;
    struct Output {
        std::string name;
        IconEntry image;
    };
    std::vector<Output> outputs;
    AnimationScript script;
    const std::vector<std::string> bases = EntryFileNames(dir, stem, first, set.Count, "");
    for (int f = 0; f < set.Count; ++f) {
        const int n = set.FrameImageCount(f);
        std::vector<AnimationScript::Image> lines;
        for (int k = 0; k < n; ++k) {
            Output out;
            const std::string problem = set.DecodeFrameImage(f, k, out.image);
            if (!problem.empty())
                throw EVornikError("\"" + path + "\" frame " + std::to_string(f) + ", image " +
                                   std::to_string(k) + ": " + problem);
            out.name = bases[static_cast<std::size_t>(f)];
            if (n > 1) {
                // Two images of one size in a frame (say 4 and 32 bits) get a counter.
                out.name += "-" + sideText(out.image);
                int same = 0;
                for (const auto& o : outputs)
                    if (o.name.rfind(out.name, 0) == 0 && o.name.size() > out.name.size() &&
                        (o.name[out.name.size()] == '.' || o.name[out.name.size()] == '-'))
                        ++same;
                if (same > 0) out.name += "-" + std::to_string(same + 1);
            }
            out.name += ".png";
            lines.push_back({fs::path(out.name).filename().string(),
                             std::make_pair(+out.image.HotSpotX, +out.image.HotSpotY)});
            outputs.push_back(std::move(out));
        }
        script.frames.push_back(std::move(lines));
    }
    if (!set.Title.empty()) script.title = ShiftJisToUtf8(set.Title);
    if (!set.Creator.empty()) script.creator = ShiftJisToUtf8(set.Creator);
    script.rate = std::max(1, scriptRate(set.AnimHeader.DisplayRate));
    for (int i = 0; i < set.StepCount(); ++i) {
        const AniStep& s = set.Steps[static_cast<std::size_t>(i)];
        script.steps.push_back({s.Frame, scriptRate(s.Rate)});
    }
    const std::string scriptName = (fs::path(dir) / (stem + ".txt")).string();

    for (const auto& o : outputs) RefuseOutputOverInput(path, o.name);
    RefuseOutputOverInput(path, scriptName);
    if (!overwrite) {
        std::error_code ec;
        for (const auto& o : outputs)
            if (fs::exists(o.name, ec)) {
                std::fprintf(CliErr(),
                             "vornik-cli extract: \"%s\" exists; nothing written (--overwrite replaces it)\n",
                             o.name.c_str());
                return 1;
            }
        if (fs::exists(scriptName, ec)) {
            std::fprintf(CliErr(),
                         "vornik-cli extract: \"%s\" exists; nothing written (--overwrite replaces it)\n",
                         scriptName.c_str());
            return 1;
        }
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) {
        std::fprintf(CliErr(), "vornik-cli extract: cannot make the folder \"%s\"\n", dir.c_str());
        return 1;
    }
    for (const auto& o : outputs) {
        WriteFileReplacing(o.name, EntryPngBytes(o.image));
        std::fprintf(CliOut(), "%s\n", o.name.c_str());
        // A PNG has no way to say "invert the screen here".
        int inverted = 0;
        try {
            EntryToBgra(o.image, &inverted);
        } catch (const EVornikError&) {
        }
        if (inverted > 0)
            std::fprintf(
                CliErr(),
                "vornik-cli extract: %s: %d pixels that invert the screen are transparent in the PNG\n",
                o.name.c_str(), inverted);
    }
    const std::string text = FormatAnimationScript(
        script, "frames of " + fs::path(path).filename().string() + "; vornik-cli animate --script " +
                    fs::path(scriptName).filename().string() + " -o OUT.ani builds it again");
    WriteFileReplacing(scriptName, Bytes(text.begin(), text.end()));
    std::fprintf(CliOut(), "%s\n", scriptName.c_str());
    return 0;
}

}  // namespace vornik::cli
