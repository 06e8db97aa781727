#include "platform/MemorySettingsStore.h"

namespace vornik {

std::optional<std::string> MemorySettingsStore::read(const std::string& section,
                                                     const std::string& key) const {
    auto s = sections_.find(section);
    if (s == sections_.end()) return std::nullopt;
    auto v = s->second.find(key);
    if (v == s->second.end()) return std::nullopt;
    return v->second;
}

void MemorySettingsStore::write(const std::string& section, const std::string& key,
                                const std::string& value) {
    sections_[section][key] = value;
    ++writes_;
}

void MemorySettingsStore::remove(const std::string& section, const std::string& key) {
    auto s = sections_.find(section);
    if (s != sections_.end()) s->second.erase(key);
}

void MemorySettingsStore::eraseSection(const std::string& section) { sections_.erase(section); }

std::vector<std::string> MemorySettingsStore::keys(const std::string& section) const {
    std::vector<std::string> out;
    auto s = sections_.find(section);
    if (s == sections_.end()) return out;
    for (const auto& [k, v] : s->second) out.push_back(k);
    return out;
}

}  // namespace vornik
