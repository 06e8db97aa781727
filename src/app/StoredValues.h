#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace vornik {

// Integers as the settings hold them: decimal text, or hexadecimal after
// "0x"/"0X" (up to 32 bits, read as a signed 32-bit value). Surrounding
// blanks are allowed; anything else, and values out of range, are unreadable.
bool ParseStoredInt(const std::string& text, int& value);

// The stored integer, or def when the value is missing or unreadable.
int ReadStoredInt(const SettingsStore& store, const std::string& section, const std::string& key, int def);
// Booleans are integers: true when not 0.
bool ReadStoredBool(const SettingsStore& store, const std::string& section, const std::string& key, bool def);
std::string ReadStoredString(const SettingsStore& store, const std::string& section, const std::string& key,
                             const std::string& def);

// Decimal text; booleans as "0" and "1".
void WriteStoredInt(SettingsStore& store, const std::string& section, const std::string& key, int value);
void WriteStoredBool(SettingsStore& store, const std::string& section, const std::string& key, bool value);

}  // namespace vornik
