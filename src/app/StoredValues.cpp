#include "app/StoredValues.h"

#include <cstdint>
#include <limits>

namespace vornik {

namespace {

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

}  // namespace

bool ParseStoredInt(const std::string& text, int& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string_view s(text.data() + b, e - b);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    std::uint64_t acc = 0;
    for (char c : s) {
        int d = digitValue(c, base);
        if (d < 0) return false;
        acc = acc * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (acc > 0xFFFFFFFFull) return false;
    }
    std::int64_t v;
    if (base == 16) {
        // Hexadecimal spells the 32 bits: 0xFFFFFFFF is -1.
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
    } else {
        v = static_cast<std::int64_t>(acc);
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
}

int ReadStoredInt(const SettingsStore& store, const std::string& section, const std::string& key, int def) {
    auto text = store.read(section, key);
    int v = 0;
    if (!text || !ParseStoredInt(*text, v)) return def;
    return v;
}

bool ReadStoredBool(const SettingsStore& store, const std::string& section, const std::string& key,
                    bool def) {
    return ReadStoredInt(store, section, key, def ? 1 : 0) != 0;
}

std::string ReadStoredString(const SettingsStore& store, const std::string& section, const std::string& key,
                             const std::string& def) {
    auto text = store.read(section, key);
    return text ? *text : def;
}

void WriteStoredInt(SettingsStore& store, const std::string& section, const std::string& key, int value) {
    store.write(section, key, std::to_string(value));
}

void WriteStoredBool(SettingsStore& store, const std::string& section, const std::string& key, bool value) {
    store.write(section, key, value ? "1" : "0");
}

}  // namespace vornik
