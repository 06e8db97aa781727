// Walking the resource directory of PE images: tables, names, data entries.
#include "model/ResourceDirectory.h"

#include <algorithm>

#include "platform/Bytes.h"
#include "platform/Utf16.h"

namespace vornik {

const PeSection* SectionMap::find(std::uint32_t rva) const {
    for (const PeSection& s : sections)
        if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) return &s;
    return nullptr;
}

std::string SectionMap::map(std::uint32_t rva, std::uint64_t len, std::size_t* offset) const {
    const PeSection* s = find(rva);
    if (!s) return "RVA " + HexText(rva) + " lies outside every section";
    const std::uint64_t within = rva - s->virtualAddress;
    if (len > s->rawSize - within) return "data at RVA " + HexText(rva) + " runs past the end of its section";
    const std::uint64_t at = std::uint64_t{s->rawPointer} + within;
    if (at > size || len > size - at) return "data at RVA " + HexText(rva) + " runs past the end of the file";
    *offset = static_cast<std::size_t>(at);
    return {};
}

bool DirectoryWalker::table(std::uint32_t off, std::vector<DirectoryEntry>& out, std::string* damage) {
    out.clear();
    if (off > limit_ || limit_ - off < 16) {
        *damage = "a resource table at " + HexText(off) + " lies outside the resource section";
        return false;
    }
    if (!visited_.insert(off).second) {
        *damage = "the resource directory loops (the table at " + HexText(off) + " is reached twice)";
        return false;
    }
    const std::uint8_t* p = base_ + off;
    const std::size_t n = std::size_t{ReadU16LE(p + 12)} + ReadU16LE(p + 14);
    if (n > (limit_ - off - 16) / 8) {
        *damage = "the resource table at " + HexText(off) + " declares " + std::to_string(n) +
                  " entries, more than the resource section holds";
        return false;
    }
    total_ += n;
    if (total_ > kMaxResourceEntries) {
        *damage = "the resource directory has more than " + std::to_string(kMaxResourceEntries) + " entries";
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) out.push_back({ReadU32LE(p + 16 + 8 * i), ReadU32LE(p + 20 + 8 * i)});
    return true;
}

bool DirectoryWalker::name(std::uint32_t field, ResourceName& out) const {
    out = {};
    if (!(field & kResourceHighBit)) {
        out.id = static_cast<std::uint16_t>(field);
        return true;
    }
    const std::uint32_t off = field & ~kResourceHighBit;
    if (off > limit_ || limit_ - off < 2) return false;
    const std::size_t units = ReadU16LE(base_ + off);
    if ((limit_ - off - 2) / 2 < units) return false;
    out.named = true;
    out.name = Utf8FromUtf16(base_ + off + 2, units);
    return true;
}

bool DirectoryWalker::nameUnits(std::uint32_t field, std::u16string& out) const {
    out.clear();
    if (!(field & kResourceHighBit)) return true;
    const std::uint32_t off = field & ~kResourceHighBit;
    if (off > limit_ || limit_ - off < 2) return false;
    const std::size_t units = ReadU16LE(base_ + off);
    if ((limit_ - off - 2) / 2 < units) return false;
    for (std::size_t i = 0; i < units; ++i) out.push_back(static_cast<char16_t>(ReadU16LE(base_ + off + 2 + 2 * i)));
    return true;
}

bool DirectoryWalker::dataEntry(std::uint32_t off, std::uint32_t* rva, std::uint32_t* size,
                                std::uint32_t* codePage) const {
    if (off > limit_ || limit_ - off < 16) return false;
    *rva = ReadU32LE(base_ + off);
    *size = ReadU32LE(base_ + off + 4);
    if (codePage) *codePage = ReadU32LE(base_ + off + 8);
    return true;
}

bool ResourceKeyLess(const ResourceKey& a, const ResourceKey& b) {
    if (a.named != b.named) return a.named;
    return a.named ? a.units < b.units : a.id < b.id;
}

namespace {

bool keyOf(const DirectoryWalker& walker, std::uint32_t field, ResourceKey& key) {
    key = {};
    key.named = (field & kResourceHighBit) != 0;
    if (!key.named) key.id = static_cast<std::uint16_t>(field);
    return walker.nameUnits(field, key.units);
}

std::string keyText(const ResourceKey& key) {
    if (!key.named) return std::to_string(key.id);
    std::string t;
    for (char16_t c : key.units) t += c < 0x80 ? static_cast<char>(c) : '?';
    return "\"" + t + "\"";
}

}  // namespace

std::string ReadResourceTree(const std::uint8_t* data, std::size_t size, const PeHeaders& layout, ResourceTree& out) {
    out = {};
    const std::uint32_t rva = layout.DirectoryRva(data, kPeResourceDirectory);
    if (rva == 0 || layout.DirectorySize(data, kPeResourceDirectory) == 0) return {};
    const SectionMap sections{data, size, layout.sections};
    const PeSection* home = sections.find(rva);
    std::size_t root = 0;
    std::string why = sections.map(rva, 16, &root);
    if (!home || !why.empty()) return "resource directory: " + why;
    const std::size_t sectionEnd = std::min<std::uint64_t>(std::uint64_t{home->rawPointer} + home->rawSize, size);
    DirectoryWalker walker(data + root, sectionEnd - root);
    std::vector<DirectoryEntry> types, names, languages;
    std::string damage;
    if (!walker.table(0, types, &damage)) return damage;
    std::copy(data + root, data + root + 12, out.rootHead);
    for (const DirectoryEntry& t : types) {
        ResourceLeaf leaf;
        if (!keyOf(walker, t.name, leaf.type)) return "a type name lies outside the resource section";
        const std::string typeText = "type " + keyText(leaf.type);
        if (!(t.target & kResourceHighBit)) return typeText + " points at data, not at a table";
        if (!walker.table(t.target & ~kResourceHighBit, names, &damage)) return damage;
        for (const DirectoryEntry& n : names) {
            if (!keyOf(walker, n.name, leaf.name)) return typeText + ": a name lies outside the resource section";
            const std::string what = typeText + " resource " + keyText(leaf.name);
            if (!(n.target & kResourceHighBit)) return what + " points at data, not at a language table";
            if (!walker.table(n.target & ~kResourceHighBit, languages, &damage)) return damage;
            for (const DirectoryEntry& l : languages) {
                if ((l.name & kResourceHighBit) || (l.target & kResourceHighBit) ||
                    !walker.dataEntry(l.target, &leaf.rva, &leaf.size, &leaf.codePage))
                    return what + ": a language entry is no data entry inside the section";
                leaf.language = static_cast<std::uint16_t>(l.name);
                why = sections.map(leaf.rva, leaf.size, &leaf.offset);
                if (!why.empty()) return what + ": " + why;
                out.leaves.push_back(leaf);
            }
        }
    }
    return {};
}

}  // namespace vornik
