#pragma once

#include "app/MainState.h"

namespace vornik {

// Auto-completion on the Animation page: every frame gets the enabled
// formats it lacks, each made as auto-completion makes it for an icon set
// (from the frame's deepest or widest image), with the hot spot scaled to the
// new size. The new images are added after the frame's own, which stay byte
// for byte. A frame whose images cannot be decoded here (PNG) is left as it
// is. Returns the number of images added.
int AutoCompleteFrames(MainState& s);

// Command tbiconauto on the page shown: the icon set's formats, or
// every frame's on the Animation page.
void AutoCompleteShown(MainState& s);

}  // namespace vornik
