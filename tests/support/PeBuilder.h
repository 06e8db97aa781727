#pragma once

// Small PE images with a resource section, made in memory so that tests,
// fuzz seeds and benchmarks can have every shape of resource directory,
// well-formed or not. Header-only: the benchmarks include it too.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace vornik::test {

struct PeResourceSpec {
    std::uint16_t type = 0;
    bool named = false;
    std::string name;  // ASCII, written as UTF-16
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    Bytes data;
};

// Where the builder put things, for tests that damage them afterwards.
struct PeLayout {
    std::size_t peHeader = 0;        // "PE\0\0"
    std::size_t optionalHeader = 0;  // magic
    std::size_t sectionTable = 0;
    std::size_t resourceSection = 0;  // file offset of the resource root
    std::uint32_t resourceRva = 0;
    // File offsets of the tables: root, then per type its name table, then
    // per name its language table, in the order written.
    std::vector<std::size_t> tables;
    // File offsets of the data entries (RVA, size, code page, reserved), one per resource in order.
    std::vector<std::size_t> dataEntries;
    // File offsets of each resource's data.
    std::vector<std::size_t> data;
};

class PeBuilder {
public:
    bool pe32plus = false;
    std::uint32_t sectionRva = 0x1000;
    // Bytes before the resource section (as a stand-in .text), filled with `fill`.
    std::size_t codeBytes = 0;
    std::uint8_t fill = 0;

    PeBuilder& Add(std::uint16_t type, std::uint16_t id, Bytes data, std::uint16_t language = 1033) {
        resources_.push_back({type, false, "", id, language, std::move(data)});
        return *this;
    }
    PeBuilder& AddNamed(std::uint16_t type, const std::string& name, Bytes data, std::uint16_t language = 1033) {
        resources_.push_back({type, true, name, 0, language, std::move(data)});
        return *this;
    }

    Bytes Build(PeLayout* layoutOut = nullptr) const {
        PeLayout layout;
        // Tree: type -> name key -> resources (languages), in order of first use.
        std::vector<std::uint16_t> types;
        std::map<std::uint16_t, std::vector<std::string>> names;
        std::map<std::pair<std::uint16_t, std::string>, std::vector<std::size_t>> langs;
        for (std::size_t i = 0; i < resources_.size(); ++i) {
            const PeResourceSpec& r = resources_[i];
            if (!names.count(r.type)) types.push_back(r.type);
            const std::string key = keyOf(r);
            auto& n = names[r.type];
            if (langs.find({r.type, key}) == langs.end()) n.push_back(key);
            langs[{r.type, key}].push_back(i);
        }
        // Sizes: tables, then data entries, then name strings, then data.
        std::size_t at = 16 + 8 * types.size();
        std::map<std::uint16_t, std::size_t> typeTable;
        std::map<std::pair<std::uint16_t, std::string>, std::size_t> nameTable;
        for (std::uint16_t t : types) {
            typeTable[t] = at;
            at += 16 + 8 * names[t].size();
        }
        for (std::uint16_t t : types)
            for (const std::string& k : names[t]) {
                nameTable[{t, k}] = at;
                at += 16 + 8 * langs[{t, k}].size();
            }
        std::vector<std::size_t> entryAt(resources_.size());
        for (std::uint16_t t : types)
            for (const std::string& k : names[t])
                for (std::size_t i : langs[{t, k}]) {
                    entryAt[i] = at;
                    at += 16;
                }
        std::map<std::string, std::size_t> stringAt;
        for (const PeResourceSpec& r : resources_)
            if (r.named && !stringAt.count(r.name)) {
                stringAt[r.name] = at;
                at += 2 + 2 * r.name.size();
            }
        std::vector<std::size_t> dataAt(resources_.size());
        for (std::size_t i = 0; i < resources_.size(); ++i) {
            at = (at + 3) & ~std::size_t{3};
            dataAt[i] = at;
            at += resources_[i].data.size();
        }
        const std::size_t sectionSize = (at + 511) & ~std::size_t{511};

        Bytes rsrc(sectionSize, 0);
        auto table = [&](std::size_t off, std::size_t namedCount, std::size_t idCount) {
            WriteU16LE(rsrc.data() + off + 12, static_cast<std::uint16_t>(namedCount));
            WriteU16LE(rsrc.data() + off + 14, static_cast<std::uint16_t>(idCount));
        };
        table(0, 0, types.size());
        for (std::size_t i = 0; i < types.size(); ++i) {
            WriteU32LE(rsrc.data() + 16 + 8 * i, types[i]);
            WriteU32LE(rsrc.data() + 20 + 8 * i, 0x80000000u | static_cast<std::uint32_t>(typeTable[types[i]]));
        }
        for (std::uint16_t t : types) {
            const auto& n = names[t];
            std::size_t namedCount = 0;
            for (std::size_t j = 0; j < n.size(); ++j) {
                const PeResourceSpec& first = resources_[langs[{t, n[j]}].front()];
                namedCount += first.named;
                const std::size_t e = typeTable[t] + 16 + 8 * j;
                WriteU32LE(rsrc.data() + e, first.named ? 0x80000000u | static_cast<std::uint32_t>(stringAt[first.name])
                                                        : first.id);
                WriteU32LE(rsrc.data() + e + 4, 0x80000000u | static_cast<std::uint32_t>(nameTable[{t, n[j]}]));
            }
            table(typeTable[t], namedCount, n.size() - namedCount);
            for (const std::string& k : n) {
                const auto& l = langs[{t, k}];
                table(nameTable[{t, k}], 0, l.size());
                for (std::size_t j = 0; j < l.size(); ++j) {
                    const std::size_t e = nameTable[{t, k}] + 16 + 8 * j;
                    WriteU32LE(rsrc.data() + e, resources_[l[j]].language);
                    WriteU32LE(rsrc.data() + e + 4, static_cast<std::uint32_t>(entryAt[l[j]]));
                }
            }
        }
        for (const auto& [name, off] : stringAt) {
            WriteU16LE(rsrc.data() + off, static_cast<std::uint16_t>(name.size()));
            for (std::size_t c = 0; c < name.size(); ++c)
                WriteU16LE(rsrc.data() + off + 2 + 2 * c, static_cast<std::uint8_t>(name[c]));
        }
        for (std::size_t i = 0; i < resources_.size(); ++i) {
            WriteU32LE(rsrc.data() + entryAt[i], sectionRva + static_cast<std::uint32_t>(dataAt[i]));
            WriteU32LE(rsrc.data() + entryAt[i] + 4, static_cast<std::uint32_t>(resources_[i].data.size()));
            std::copy(resources_[i].data.begin(), resources_[i].data.end(), rsrc.begin() + static_cast<long>(dataAt[i]));
        }

        // Headers: DOS stub header, PE signature, COFF, optional header, one section.
        const std::size_t optionalSize = pe32plus ? 240 : 224;
        Bytes out(0x40, 0);
        out[0] = 'M';
        out[1] = 'Z';
        WriteU32LE(out.data() + 0x3C, 0x40);
        layout.peHeader = out.size();
        AppendU32LE(out, 0x4550);  // "PE\0\0"
        AppendU16LE(out, pe32plus ? 0x8664 : 0x14C);
        AppendU16LE(out, 1);  // sections
        AppendU32LE(out, 0);
        AppendU32LE(out, 0);
        AppendU32LE(out, 0);
        AppendU16LE(out, static_cast<std::uint16_t>(optionalSize));
        AppendU16LE(out, 0x2102);  // executable, DLL
        layout.optionalHeader = out.size();
        Bytes optional(optionalSize, 0);
        WriteU16LE(optional.data(), pe32plus ? 0x20B : 0x10B);
        const std::size_t countAt = pe32plus ? 108 : 92;
        WriteU32LE(optional.data() + countAt, 16);
        WriteU32LE(optional.data() + countAt + 4 + 16, sectionRva);
        WriteU32LE(optional.data() + countAt + 4 + 20, static_cast<std::uint32_t>(at));
        out.insert(out.end(), optional.begin(), optional.end());
        layout.sectionTable = out.size();
        const std::size_t headersEnd = (out.size() + 40 + 511) & ~std::size_t{511};
        const std::size_t rawPointer = headersEnd + ((codeBytes + 511) & ~std::size_t{511});
        Bytes section(40, 0);
        const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
        std::copy(name, name + 8, section.begin());
        WriteU32LE(section.data() + 8, static_cast<std::uint32_t>(at));
        WriteU32LE(section.data() + 12, sectionRva);
        WriteU32LE(section.data() + 16, static_cast<std::uint32_t>(sectionSize));
        WriteU32LE(section.data() + 20, static_cast<std::uint32_t>(rawPointer));
        out.insert(out.end(), section.begin(), section.end());
        out.resize(headersEnd, 0);
        out.resize(rawPointer, fill);
        out.insert(out.end(), rsrc.begin(), rsrc.end());

        layout.resourceSection = rawPointer;
        layout.resourceRva = sectionRva;
        layout.tables.push_back(rawPointer);
        for (std::uint16_t t : types) layout.tables.push_back(rawPointer + typeTable[t]);
        for (std::uint16_t t : types)
            for (const std::string& k : names[t]) layout.tables.push_back(rawPointer + nameTable[{t, k}]);
        for (std::size_t i = 0; i < resources_.size(); ++i) {
            layout.dataEntries.push_back(rawPointer + entryAt[i]);
            layout.data.push_back(rawPointer + dataAt[i]);
        }
        if (layoutOut) *layoutOut = layout;
        return out;
    }

private:
    static std::string keyOf(const PeResourceSpec& r) { return r.named ? "$" + r.name : "#" + std::to_string(r.id); }
    std::vector<PeResourceSpec> resources_;
};

// An icon image as RT_ICON holds it: header with doubled height, palette,
// XOR rows of `fill`, AND rows of `mask`.
inline Bytes DibIconImage(int w, int h, int bits, std::uint8_t fill, std::uint8_t mask = 0) {
    Bytes out;
    AppendU32LE(out, 40);
    AppendU32LE(out, static_cast<std::uint32_t>(w));
    AppendU32LE(out, static_cast<std::uint32_t>(2 * h));
    AppendU16LE(out, 1);
    AppendU16LE(out, static_cast<std::uint16_t>(bits));
    for (int i = 0; i < 6; ++i) AppendU32LE(out, 0);
    const int colors = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    for (int i = 0; i < colors; ++i) AppendU32LE(out, 0x00010203u * static_cast<std::uint32_t>(i));
    const int xorRow = ((w * bits + 31) / 32) * 4, andRow = ((w + 31) / 32) * 4;
    out.insert(out.end(), static_cast<std::size_t>(xorRow * h), fill);
    out.insert(out.end(), static_cast<std::size_t>(andRow * h), mask);
    return out;
}

// RT_CURSOR data: the hot spot, then the image.
inline Bytes CursorResource(std::uint16_t x, std::uint16_t y, const Bytes& image) {
    Bytes out;
    AppendU16LE(out, x);
    AppendU16LE(out, y);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

struct GroupRecordEntry {
    int width, height, colorCount, planes, bitCount;
    std::uint32_t bytes;
    std::uint16_t id;
};

// RT_GROUP_ICON (kind 1) or RT_GROUP_CURSOR (kind 2) data. Cursor records
// hold 16-bit width and doubled height.
inline Bytes GroupRecord(int kind, const std::vector<GroupRecordEntry>& entries) {
    Bytes out;
    AppendU16LE(out, 0);
    AppendU16LE(out, static_cast<std::uint16_t>(kind));
    AppendU16LE(out, static_cast<std::uint16_t>(entries.size()));
    for (const GroupRecordEntry& e : entries) {
        if (kind == 2) {
            AppendU16LE(out, static_cast<std::uint16_t>(e.width));
            AppendU16LE(out, static_cast<std::uint16_t>(2 * e.height));
        } else {
            out.push_back(static_cast<std::uint8_t>(e.width));
            out.push_back(static_cast<std::uint8_t>(e.height));
            out.push_back(static_cast<std::uint8_t>(e.colorCount));
            out.push_back(0);
        }
        AppendU16LE(out, static_cast<std::uint16_t>(e.planes));
        AppendU16LE(out, static_cast<std::uint16_t>(e.bitCount));
        AppendU32LE(out, e.bytes);
        AppendU16LE(out, e.id);
    }
    return out;
}

}  // namespace vornik::test
