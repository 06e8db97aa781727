#pragma once

#include <cstdint>

namespace vornik {

// One row of the step list: which frame is shown, and for how many play ticks.
struct AniStep {
    std::int32_t Rate = 0;
    std::int32_t Frame = 0;
    bool operator==(const AniStep&) const = default;
};

}  // namespace vornik
