#pragma once

#include <string>
#include <vector>

namespace vornik::cli {

// The names extract writes: DIR/STEM-NN.ext for count entries numbered from
// first, with as many digits as the last number needs (at least two), so a
// listing sorts in entry order.
std::vector<std::string> EntryFileNames(const std::string& dir, const std::string& stem, long long first,
                                        int count, const std::string& ext);

}  // namespace vornik::cli
