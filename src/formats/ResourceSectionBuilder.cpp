// A resource section written from scratch: directory tables, names, data.
#include "formats/ResourceSectionBuilder.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace vornik {

namespace {

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

std::size_t align(std::size_t v, std::size_t a) { return (v + a - 1) / a * a; }

struct KeyOrder {
    bool operator()(const ResourceKey& a, const ResourceKey& b) const { return ResourceKeyBefore(a, b); }
};

}  // namespace

bool ResourceKeyBefore(const ResourceKey& a, const ResourceKey& b) {
    if (a.named != b.named) return a.named;
    if (!a.named) return a.id < b.id;
    const std::size_t n = std::min(a.units.size(), b.units.size());
    for (std::size_t i = 0; i < n; ++i)
        if (upper(a.units[i]) != upper(b.units[i])) return upper(a.units[i]) < upper(b.units[i]);
    if (a.units.size() != b.units.size()) return a.units.size() < b.units.size();
    return a.units < b.units;
}

Bytes BuildResourceSection(std::vector<SectionResource> resources, std::uint32_t sectionRva,
                           const std::uint8_t rootHead[12]) {
    // type -> name -> language -> resource index
    std::map<ResourceKey, std::map<ResourceKey, std::map<std::uint16_t, std::size_t>, KeyOrder>, KeyOrder> tree;
    for (std::size_t i = 0; i < resources.size(); ++i)
        tree[resources[i].type][resources[i].name].emplace(resources[i].language, i);

    // Offsets: tables, then data entries, then strings, then data.
    std::size_t at = 16 + 8 * tree.size();
    std::size_t leaves = 0;
    for (const auto& [type, names] : tree) {
        at += 16 + 8 * names.size();
        for (const auto& [name, languages] : names) {
            at += 16 + 8 * languages.size();
            leaves += languages.size();
        }
    }
    const std::size_t entriesAt = at;
    at += 16 * leaves;
    std::map<std::u16string, std::size_t> strings;
    std::vector<const ResourceKey*> named;
    for (const auto& [type, names] : tree) {
        if (type.named) named.push_back(&type);
        for (const auto& [name, languages] : names)
            if (name.named) named.push_back(&name);
    }
    for (const ResourceKey* k : named)
        if (strings.emplace(k->units, at).second) at += 2 + 2 * k->units.size();
    at = align(at, 8);
    std::vector<std::size_t> dataAt(resources.size(), 0);
    for (const auto& [type, names] : tree)
        for (const auto& [name, languages] : names)
            for (const auto& [language, index] : languages) {
                dataAt[index] = at;
                at = align(at + resources[index].size, 8);
            }
    Bytes out(at, 0);
    // The last resource need not be padded.
    std::size_t used = 0;
    auto table = [&](std::size_t off, std::size_t namedCount, std::size_t idCount) {
        std::memcpy(out.data() + off, rootHead, 12);
        WriteU16LE(out.data() + off + 12, static_cast<std::uint16_t>(namedCount));
        WriteU16LE(out.data() + off + 14, static_cast<std::uint16_t>(idCount));
    };
    auto field = [&](const ResourceKey& k) -> std::uint32_t {
        return k.named ? kResourceHighBit | static_cast<std::uint32_t>(strings[k.units]) : k.id;
    };
    auto counts = [](const auto& m, std::size_t* n, std::size_t* ids) {
        *n = *ids = 0;
        for (const auto& [k, v] : m) ++(k.named ? *n : *ids);
    };

    std::size_t next = 16 + 8 * tree.size();
    std::size_t entry = entriesAt;
    std::size_t n = 0, ids = 0;
    counts(tree, &n, &ids);
    table(0, n, ids);
    std::size_t slot = 16;
    // Name tables directly after the root, then the language tables.
    std::vector<std::size_t> nameTables;
    for (const auto& [type, names] : tree) {
        WriteU32LE(out.data() + slot, field(type));
        WriteU32LE(out.data() + slot + 4, kResourceHighBit | static_cast<std::uint32_t>(next));
        nameTables.push_back(next);
        next += 16 + 8 * names.size();
        slot += 8;
    }
    std::size_t t = 0;
    for (const auto& [type, names] : tree) {
        const std::size_t nameTable = nameTables[t++];
        counts(names, &n, &ids);
        table(nameTable, n, ids);
        std::size_t s = nameTable + 16;
        for (const auto& [name, languages] : names) {
            WriteU32LE(out.data() + s, field(name));
            WriteU32LE(out.data() + s + 4, kResourceHighBit | static_cast<std::uint32_t>(next));
            table(next, 0, languages.size());
            std::size_t ls = next + 16;
            next += 16 + 8 * languages.size();
            s += 8;
            for (const auto& [language, index] : languages) {
                WriteU32LE(out.data() + ls, language);
                WriteU32LE(out.data() + ls + 4, static_cast<std::uint32_t>(entry));
                ls += 8;
                const SectionResource& r = resources[index];
                WriteU32LE(out.data() + entry, static_cast<std::uint32_t>(sectionRva + dataAt[index]));
                WriteU32LE(out.data() + entry + 4, static_cast<std::uint32_t>(r.size));
                WriteU32LE(out.data() + entry + 8, r.codePage);
                entry += 16;
                if (r.size) std::memcpy(out.data() + dataAt[index], r.data, r.size);
                used = std::max(used, dataAt[index] + r.size);
            }
        }
    }
    for (const auto& [units, off] : strings) {
        WriteU16LE(out.data() + off, static_cast<std::uint16_t>(units.size()));
        for (std::size_t i = 0; i < units.size(); ++i) WriteU16LE(out.data() + off + 2 + 2 * i, units[i]);
        used = std::max(used, off + 2 + 2 * units.size());
    }
    used = std::max(used, entry);
    out.resize(std::max(used, std::size_t{16}));
    return out;
}

}  // namespace vornik
