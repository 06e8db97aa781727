#pragma once

#include <string>

#include "app/MainState.h"

namespace vornik {

// Before the page's document is replaced (open, drop, recent file, New):
// when it has unsaved changes, asks whether to save them. False when the
// user cancelled or the save did not happen: the document must stay.
bool ConfirmLeave(MainState& s, int page);
// Before the window closes: both documents, the shown page's first.
bool ConfirmClose(MainState& s);

// The question, naming the document.
Message SaveChangesQuestion(const MainState& s, int page);

// After a document was opened, started or saved: nothing to ask about, and
// no undo step may reach back into what it replaced.
void DocumentReplaced(MainState& s, int page);

}  // namespace vornik
