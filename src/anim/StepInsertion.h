#pragma once

#include "anim/TAniEX.h"
#include "platform/Message.h"

namespace vornik {

inline Message InsertAfterQuestion() {
    return Message("Animation", VORNIK_TRANSLATE_NOOP("Animation", "Insert after the selected position?"));
}

// Where the sbaniadd button inserts a step, given the selected step (-1 for none)
// and the number of steps: -1 (append) without a selection or with the last
// step selected, after the selected step otherwise; with the first step
// selected the user is asked InsertAfterQuestion(): yes puts the new
// step second (or appends to a single step), no puts it first.
int StepInsertPosition(int selectedStep, int stepCount);

// The sbaniadd button: with a set and a selected frame, inserts a step showing that
// frame at the rate given, at StepInsertPosition. True when a step was
// inserted (the caller then refills the step list).
bool InsertStepAtSelection(TAniEX* set, int selectedFrame, int selectedStep, int rate);

}  // namespace vornik
