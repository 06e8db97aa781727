#pragma once

#include <string>

#include "app/MainState.h"

namespace vornik {

inline constexpr const char* kStoreViewsQuestion = VORNIK_TRANSLATE_NOOP(
    "Editor",
    "The image and mask being edited are not stored in a resource yet. Store them in the resource?");

// The views now are what the documents hold: nothing pending. entry is the
// Icon page entry they show, or -1.
void MarkViewsClean(MainState& s, int entry);

// True when the image or mask view changed since then (a stroke, a take-in,
// a transform, a paste ...): closing or leaving would lose it.
bool ViewsPending(const MainState& s);

// Before the views are replaced or the window closes: when they are pending,
// asks (kStoreViewsQuestion) to store them - into the entry they came from,
// else as a new first entry of the icon/cursor set - to discard them, or to
// cancel. False on cancel, or when storing was asked for but could not
// happen (no set to store into): the caller must stop.
bool ConfirmPendingViews(MainState& s);

}  // namespace vornik
