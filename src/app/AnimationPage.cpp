#include "app/AnimationPage.h"

#include <algorithm>

#include "anim/AniPlayer.h"
#include "anim/InfoText.h"
#include "platform/Notice.h"

namespace vornik {

std::string RateNote(std::int64_t rate) {
    return "= " + std::to_string(AniPlayer::RateMilliseconds(rate)) + " ms";
}

RateFieldShow RateFieldFor(const TAniEX& set, int step) {
    RateFieldShow show;
    if (step < 0 || step >= set.StepCount()) return show;
    const std::int32_t rate = set.Steps[static_cast<std::size_t>(step)].Rate;
    show.value = std::clamp(rate, 0, kRateFieldMax);
    show.beyond = rate != show.value;
    show.note = show.beyond ? "(" + std::to_string(rate) + " " + RateNote(rate) + ")" : RateNote(rate);
    return show;
}

void SetInfoText(TAniEX& set, bool creator, const std::string& typed) {
    std::string& held = creator ? set.Creator : set.Title;
    held = InfoTextBytesForEdit(held, typed);
}

std::string InfoFieldText(const TAniEX& set, bool creator) {
    return InfoTextToUtf8(creator ? set.Creator : set.Title);
}

void SettleInfoEncoding(TAniEX& set) {
    if (set.KeepInfoUtf8) return;
    const std::vector<std::string> chars = InfoCharsOutsideShiftJis(set.Title, set.Creator);
    if (chars.empty()) return;
    std::string list;
    for (const std::string& c : chars) list += (list.empty() ? "" : " ") + c;
    if (AskYesNo(Message("Editor", kInfoNotShiftJisQuestion, {list}))) {
        set.KeepInfoUtf8 = true;
        return;
    }
    set.Title = InfoTextAsShiftJis(set.Title);
    set.Creator = InfoTextAsShiftJis(set.Creator);
}

}  // namespace vornik
