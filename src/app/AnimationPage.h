#pragma once

#include <cstdint>
#include <string>

#include "anim/TAniEX.h"
#include "platform/Message.h"

namespace vornik {

// The rate field (sprate) counts in the file's unit, 1/60 s.
inline constexpr int kRateFieldMax = 999;

// What the rate field shows for a step: its rate, or for a rate beyond the
// field's range the nearest value the field holds, flagged; showing never
// changes the step.
struct RateFieldShow {
    int value = 0;
    bool beyond = false;      // the step keeps its stored rate until the user types one
    std::string note;         // beside the field: "= 167 ms", or the stored rate when beyond
};
RateFieldShow RateFieldFor(const TAniEX& set, int step);
// The text beside the field for a rate typed in.
std::string RateNote(std::int64_t rate);

// The title or creator field edited: the text (UTF-8) the user typed is held
// in the encoding InfoTextBytesForEdit chooses.
void SetInfoText(TAniEX& set, bool creator, const std::string& typed);
// The field's text of the held title or creator.
std::string InfoFieldText(const TAniEX& set, bool creator);

inline constexpr const char* kInfoNotShiftJisQuestion = VORNIK_TRANSLATE_NOOP(
    "Editor",
    "The title or creator holds characters that Shift-JIS cannot represent: %1\nSave as UTF-8?\n(No: save as "
    "Shift-JIS, and these characters become ?)");
// Before an ANI file is written: when the title or creator holds characters
// that Shift-JIS cannot, names them and asks whether to save as UTF-8 (yes:
// kept as they are, and not asked again) or as Shift-JIS with "?" for them.
void SettleInfoEncoding(TAniEX& set);

}  // namespace vornik
