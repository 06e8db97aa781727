#pragma once

#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace vornik {

// Recently opened files, most recent first, at most kMaxItems.
class THistoryList {
public:
    static constexpr int kMaxItems = 32;

    // Moves path to the front when it is listed already (compared without
    // regard to ASCII case; the new spelling wins), else inserts it there and
    // drops what lies beyond kMaxItems.
    void Add(const std::string& path);
    void Clear() { items_.clear(); }

    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }

    // Empties the list, then reads "Count" and "H<n>" for n = Count-1 down to
    // 0, adding each (a missing value adds "BUG"), so "H0" ends at the front.
    void LoadFrom(const SettingsStore& store, const std::string& section);
    // Replaces the section by "Count" and "H0".. in list order.
    void SaveTo(SettingsStore& store, const std::string& section) const;

private:
    std::vector<std::string> items_;
};

}  // namespace vornik
