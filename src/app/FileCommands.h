#pragma once

#include "app/MainState.h"

namespace vornik {

// Command tbopen: the open chooser OpenPictureDialog2 with the open
// filter at the pair last chosen (1 at start); an answer is opened. False
// when cancelled.
bool ChooseAndOpenDocument(MainState& s);

// A recent-file entry chosen from the File menu: it is opened and moves to
// the front of the list. Nothing happens for an index without an entry.
void OpenRecentFile(MainState& s, int index);

}  // namespace vornik
