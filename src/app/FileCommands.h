#pragma once

#include <functional>

#include "app/MainState.h"

namespace vornik {

// Open1Click / tbopen: the open chooser OpenPictureDialog2 with the open
// filter at the pair last chosen (1 at start); an answer is opened. False
// when cancelled.
bool Open1Click(MainState& s);

// New1Click / tbnew: a new document on the active page; chooseKind is
// Tfrmiconcursel, asked on the Icon page only.
void New1Click(MainState& s, const std::function<int()>& chooseKind);

// A recent-file entry chosen from the File menu: it is opened and moves to
// the front of the list. Nothing happens for an index without an entry.
void HistoryMenu1HistorySelected(MainState& s, int index);

}  // namespace vornik
