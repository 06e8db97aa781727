#pragma once

#include <string>

#include "app/MainState.h"

namespace vornik {

// "Replace This Group with the Current Icon and Save": in an executable's listing, a
// copy of the program whose group of the selected entry holds the picture
// under edit (as an icon, or as a cursor with the hot spot when the group is
// a cursor group) instead of its images. The copy goes under a name the user
// chooses; the open program is never written. A signed program is written
// only when the user agrees to drop its signature. True when a copy was saved.
bool ReplaceGroupAndSaveProgram(MainState& s);

// The same with the copy's name given (what the command does once the user
// has chosen it). Notices tell why nothing was written.
bool SaveProgramWithGroupReplaced(MainState& s, const std::string& path);

}  // namespace vornik
