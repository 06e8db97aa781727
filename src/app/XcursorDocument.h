#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "anim/TAniEX.h"
#include "model/TIconEx.h"

namespace vornik {

// Xcursor files in the editor: content decides (they start with "Xcur").
bool IsXcursorFile(const std::string& path);
// True when some size of the Xcursor file holds several frames; false for a
// still cursor or a file that is not Xcursor. Reads only header and table.
bool IsAnimatedXcursorFile(const std::string& path);

// The file as a cursor set (every size an entry) or as an animated cursor.
// Throws EVornikError naming the file when it is refused or of the other kind.
std::unique_ptr<TIconCurEX> LoadXcursorAsCursor(const std::string& path);
std::unique_ptr<TAniEX> LoadXcursorAsAnimation(const std::string& path, std::uint32_t defaultRate);

// Save As chooses Xcursor by its filter, Save by the name: a name that does
// not end in .ico, .cur or .ani (Xcursor files have no extension).
bool IsXcursorName(const std::string& path);

// Writes the set (cursor or icon entries, or an animation's steps) as an
// Xcursor file, replacing `path` only when all was written.
void SaveCursorSetAsXcursor(const TIconEx& set, const std::string& path);
void SaveAnimationAsXcursor(const TAniEX& set, const std::string& path);

}  // namespace vornik
