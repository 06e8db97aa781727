#pragma once

#include "app/MainState.h"
#include "model/TIconEx.h"

namespace vornik {

inline constexpr const char* kReplaceNeedsSelection =
    VORNIK_TRANSLATE_NOOP("Editor", "Select what to replace");

// The classic formats 0..19 (five sizes at 1, 4, 8 and 24 bits); 20..25 are
// 32 bits with alpha at 16, 32, 48, 64, 128 and 256 pixels.
inline constexpr int kClassicFormats = 20;
// The size and bit count of standard format n of auto-completion.
int FormatSize(int n);
int FormatBitCount(int n);
// Whether entry index of the set has format n (its width in pixels and the
// image header's bit count; height and colour count are not compared).
bool EntryHasFormat(const TIconEx& set, int index, int n);

// The entry auto-completion makes a format of targetSize from: the deepest
// entry, or the widest when it differs and targetSize exceeds the deepest's
// width (lowest index among equals). -1 for an empty set.
int PickSourceEntry(const TIconEx& set, int targetSize);

// Command tbiconauto: every enabled format the icon/cursor set lacks
// is made from PickSourceEntry and put in front, largest and deepest first.
void AddMissingFormats(MainState& s);

// Command mnu_iconrep: the image pair with the hot spot into the
// selected entry (Icon page: LVIcon's selection) or frame (Animation page:
// selectedFrame). Without a selection kReplaceNeedsSelection is shown.
void ReplaceEntryFromViews(MainState& s, int selectedFrame);

// Command mnu_iconadd: the image pair as a new first entry of the
// icon/cursor set, or as a new last frame (with a step) of the animation.
void AddEntryFromViews(MainState& s);

}  // namespace vornik
