#include "app/THistoryMenu.h"

#include <algorithm>

namespace vornik {

void THistoryMenu::Activate(const SettingsStore& store) {
    History.LoadFrom(store, SectionName);
    active_ = true;
    rebuild();
}

void THistoryMenu::Deactivate(SettingsStore& store) {
    if (!active_) return;
    History.SaveTo(store, SectionName);
    active_ = false;
    captions_.clear();
}

void THistoryMenu::Add(const std::string& path) {
    History.Add(path);
    rebuild();
}

std::string THistoryMenu::PathAt(int index) const {
    if (index < 0 || index >= static_cast<int>(captions_.size())) return {};
    return History.Items()[index];
}

void THistoryMenu::rebuild() {
    captions_.clear();
    if (!active_) return;
    int shown = std::min(History.Count(), std::max(HistoryNum, 0));
    for (int n = 0; n < shown; ++n) captions_.push_back("&" + std::to_string(n) + " " + History.Items()[n]);
}

}  // namespace vornik
