#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace vornik {

// A settings store that lives in memory only (tests, and a headless run that
// must leave no trace).
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& section, const std::string& key) const override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    void remove(const std::string& section, const std::string& key) override;
    void eraseSection(const std::string& section) override;
    std::vector<std::string> keys(const std::string& section) const override;

    bool hasSection(const std::string& section) const { return sections_.count(section) != 0; }
    // Number of write() calls so far: lets tests tell "wrote the same value"
    // from "wrote nothing".
    int writeCount() const { return writes_; }

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
    int writes_ = 0;
};

}  // namespace vornik
