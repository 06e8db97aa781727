#pragma once

#include <map>
#include <string>
#include <string_view>

namespace vornik {

// Enabled states of the main window's commands and controls, keyed by
// control name (Save1, tbsave, spebx, cmbcolor ...). A name never set is
// enabled: every command starts enabled, and a table only touches its rows.
class CommandStates {
public:
    bool Enabled(std::string_view name) const {
        auto it = states_.find(name);
        return it == states_.end() || it->second;
    }
    void Set(std::string_view name, bool on) { states_.insert_or_assign(std::string(name), on); }
    const std::map<std::string, bool, std::less<>>& All() const { return states_; }

private:
    std::map<std::string, bool, std::less<>> states_;
};

}  // namespace vornik
