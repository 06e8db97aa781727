#pragma once

#include <string>

namespace vornik::cli {

// vornik-cli extract of an executable or any other file: every icon image
// (through the resource directory, else a content scan), however many, as
// DIR/STEM-NN.ico or .png. Images are decoded and written one at a time.
// Returns the exit status.
int ExtractExeImages(const std::string& path, const std::string& dir, const std::string& stem, long long first,
                     bool overwrite, bool asPng);

}  // namespace vornik::cli
