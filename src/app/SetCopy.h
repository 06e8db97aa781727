#pragma once

#include <cstddef>
#include <memory>

#include "anim/TAniEX.h"
#include "model/TIconEx.h"

namespace vornik {

// Resource sets are not copyable (they own a fixed table of entries); undo
// keeps whole copies of the entries in use.
std::unique_ptr<TIconCurEX> CopySet(const TIconCurEX& set);
std::unique_ptr<TAniEX> CopyAniSet(const TAniEX& set);

// Equal header and equal entries in use (and, for animations, equal steps,
// texts and header).
bool SameSet(const TIconEx& a, const TIconEx& b);
bool SameAniSet(const TAniEX& a, const TAniEX& b);

// Bytes the entries in use hold.
std::size_t SetBytes(const TIconEx& set);

}  // namespace vornik
