#pragma once

#include <string>
#include <vector>

namespace vornik::cli {

// vornik-cli animate --frames FILE... | --script FILE: an animated cursor
// made from pictures and cursor files, one frame each. Returns the exit status.
int RunAnimateFrames(const std::vector<std::string>& arguments);

// Takes "--frames A B C" out of args: the values up to the next option.
// False when the option is absent.
bool TakeFrameList(std::vector<std::string>& args, std::vector<std::string>& files);

// "X,Y" with both from 0 to 32767, else UsageError naming the option.
std::pair<int, int> ParseHotspot(const std::string& text, const std::string& option);

}  // namespace vornik::cli
