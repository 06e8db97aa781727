#pragma once

#include <vector>

#include "anim/TAniEX.h"

namespace vornik {

// Reordering and group operations on the two lists of an animation. A
// selection is a list of item numbers in any order; numbers outside the list
// and repeats are ignored. Every function returns the numbers the selected
// items have afterwards (ascending), so the caller can keep them selected.

// The order of n items after moving the selected ones: the new order as old
// numbers (result[i] = old number of the item now at i).
// By one place (delta -1 up, +1 down): a selected item swaps with its
// unselected neighbour; a block already at the edge stays.
std::vector<int> OrderAfterStep(int n, const std::vector<int>& selected, int delta);
// Dropped before item `before` (n: at the end), keeping their order.
std::vector<int> OrderAfterDrop(int n, const std::vector<int>& selected, int before);

// Frames: the entries and their images move; every step follows its frame,
// so the animation still shows the same pictures in the same order.
std::vector<int> MoveFrames(TAniEX& set, const std::vector<int>& frames, int delta);
std::vector<int> DropFrames(TAniEX& set, const std::vector<int>& frames, int before);
// Steps move with their rates.
std::vector<int> MoveSteps(TAniEX& set, const std::vector<int>& steps, int delta);
std::vector<int> DropSteps(TAniEX& set, const std::vector<int>& steps, int before);

// Deletes the frames (and the steps that show them; later steps renumbered).
// The number of frames deleted.
int DeleteFrames(TAniEX& set, const std::vector<int>& frames);
// Deletes the steps; the number deleted.
int DeleteSteps(TAniEX& set, const std::vector<int>& steps);
// Gives the steps one rate; the number changed.
int SetStepsRate(TAniEX& set, const std::vector<int>& steps, int rate);

// The selection cleaned: in range, ascending, without repeats.
std::vector<int> CleanSelection(const std::vector<int>& selected, int n);

}  // namespace vornik
