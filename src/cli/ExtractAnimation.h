#pragma once

#include <string>

#include "anim/TAniEX.h"

namespace vornik::cli {

// extract FILE.ani --png: every image of every frame as a PNG with its alpha
// (DIR/STEM-NN.png; a frame of several sizes gives DIR/STEM-NN-WxH.png for
// each), and DIR/STEM.txt, the script `animate --script` builds the same
// animation from: title, creator, rates, steps and hot spots. Without
// overwrite, a name already taken stops the run before anything is written.
// Prints each file written; returns the exit status.
int ExtractAnimationPng(const TAniEX& set, const std::string& path, const std::string& dir,
                        const std::string& stem, long long first, bool overwrite);

}  // namespace vornik::cli
