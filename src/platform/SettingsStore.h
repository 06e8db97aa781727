#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vornik {

// Per-user settings: named sections of named string values, as the registry
// subkeys under the program's settings root hold them. The editor supplies a
// QSettings-backed store; tests use MemorySettingsStore so they never touch a
// user's real settings.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // nullopt when the section or the value is missing.
    virtual std::optional<std::string> read(const std::string& section, const std::string& key) const = 0;
    // Creates the section when it is missing.
    virtual void write(const std::string& section, const std::string& key, const std::string& value) = 0;
    // Removing what is not there is no error.
    virtual void remove(const std::string& section, const std::string& key) = 0;
    virtual void eraseSection(const std::string& section) = 0;
    // Value names of a section, in no particular order; empty when missing.
    virtual std::vector<std::string> keys(const std::string& section) const = 0;
};

}  // namespace vornik
