#pragma once

#include <string>

namespace vornik {

// Short label of a colour depth as the entry lists show it: "Mono", "  16",
// " 256", "High", "True", "Full", or "?" for any other bit count.
std::string ColorName(int bitCount);

}  // namespace vornik
