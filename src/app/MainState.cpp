#include "app/MainState.h"

namespace vornik {

void SetCaptionFile(MainState& s, const std::string& name) {
    s.Caption = name.empty() ? std::string(kAppTitle) : name + " - " + kAppTitle;
}

}  // namespace vornik
