#include "app/THistoryList.h"

#include <algorithm>
#include <cctype>

#include "app/StoredValues.h"

namespace vornik {

namespace {

// A stored count beyond this is damage, not history: reading it all would
// only stall the start.
constexpr int kMaxStoredCount = 4096;

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

void THistoryList::Add(const std::string& path) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const std::string& p) { return sameIgnoringCase(p, path); });
    if (it != items_.end()) items_.erase(it);
    items_.insert(items_.begin(), path);
    if (items_.size() > static_cast<std::size_t>(kMaxItems)) items_.resize(kMaxItems);
}

void THistoryList::LoadFrom(const SettingsStore& store, const std::string& section) {
    items_.clear();
    int count = std::clamp(ReadStoredInt(store, section, "Count", 0), 0, kMaxStoredCount);
    for (int n = count - 1; n >= 0; --n)
        Add(ReadStoredString(store, section, "H" + std::to_string(n), "BUG"));
}

void THistoryList::SaveTo(SettingsStore& store, const std::string& section) const {
    store.eraseSection(section);
    WriteStoredInt(store, section, "Count", Count());
    for (int n = 0; n < Count(); ++n) store.write(section, "H" + std::to_string(n), items_[n]);
}

}  // namespace vornik
