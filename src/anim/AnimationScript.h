#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vornik {

// A small text file that describes an animated cursor by its frame pictures:
// written by `vornik-cli extract FILE.ani --png`, read by `vornik-cli animate
// --script`. One statement a line; blank lines and lines starting with # are
// ignored; texts and file names are in double quotes (\" and \\ inside).
//
//   title "Busy"                     the animation's title (UTF-8)
//   creator "Someone"                its creator
//   rate 10                          display time of a step, ticks of 1/60 s
//   frame 0 "busy-00.png" hotspot 5,7
//   frame 0 "busy-00-48x48.png" hotspot 8,10
//                                    an image of frame 0; a frame of several
//                                    sizes has one line per image; frames are
//                                    numbered from 0 without gaps
//   step 0 rate 12                   a step showing frame 0 (rate optional,
//                                    0 allowed as files may hold it)
//
// Without step lines every frame is one step, in order. File names are
// relative to the script's folder.
struct AnimationScript {
    struct Image {
        std::string file;
        std::optional<std::pair<int, int>> hotspot;
    };
    struct Step {
        int frame = 0;
        std::optional<int> rate;
    };
    std::optional<std::string> title, creator;
    std::optional<int> rate;
    std::vector<std::vector<Image>> frames;
    std::vector<Step> steps;
};

// Limits of the numbers a script holds.
constexpr int kMaxScriptRate = 100000;
constexpr int kMaxScriptFrames = 1000;
constexpr int kMaxScriptSteps = 100;
constexpr int kMaxScriptImagesPerFrame = 64;

// Reads a script; EVornikError names the line and what is wrong with it.
AnimationScript ParseAnimationScript(const std::string& text, const std::string& name);

// The text of a script (the reverse of ParseAnimationScript).
std::string FormatAnimationScript(const AnimationScript& script, const std::string& comment = {});

}  // namespace vornik
