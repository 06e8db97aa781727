#pragma once

#include <string>
#include <vector>

#include "app/THistoryList.h"

namespace vornik {

// The recent-file entries at the end of the File menu. The window shows
// MenuCaptions() behind a separator of their own (none when empty) and calls
// Select when one is chosen.
class THistoryMenu {
public:
    std::string KeyName;  // settings root, for the record
    std::string SectionName = "recent";
    int HistoryNum = 8;  // entries shown

    THistoryList History;

    // "&0 path", "&1 path" ... for the first HistoryNum paths; empty when
    // inactive.
    const std::vector<std::string>& MenuCaptions() const { return captions_; }
    bool Active() const { return active_; }

    // Loads the list and builds the menu.
    void Activate(const SettingsStore& store);
    // Saves the list and removes the menu entries.
    void Deactivate(SettingsStore& store);

    void Add(const std::string& path);
    // The path behind menu entry index, or empty when there is none. The
    // caller opens it and then calls Add with it.
    std::string PathAt(int index) const;

private:
    void rebuild();

    std::vector<std::string> captions_;
    bool active_ = false;
};

}  // namespace vornik
