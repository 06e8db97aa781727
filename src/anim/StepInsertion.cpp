#include "anim/StepInsertion.h"

#include "platform/Notice.h"

namespace vornik {

int StepInsertPosition(int selectedStep, int stepCount) {
    if (selectedStep < 0 || selectedStep >= stepCount) return -1;
    if (selectedStep > 0) return selectedStep == stepCount - 1 ? -1 : selectedStep + 1;
    if (AskYesNo(InsertAfterQuestion())) return stepCount == 1 ? -1 : 1;
    return 0;
}

bool InsertStepAtSelection(TAniEX* set, int selectedFrame, int selectedStep, int rate) {
    if (!set || selectedFrame < 0 || selectedFrame >= set->Count) return false;
    const int position = StepInsertPosition(selectedStep, set->StepCount());
    return set->InsertStep(selectedFrame, position, rate) != -1;
}

}  // namespace vornik
