// The resource directory of PE32 and PE32+ images: icons, cursors and their groups.
#include "model/ExeResources.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_set>

#include "platform/Bytes.h"
#include "platform/Utf16.h"

namespace vornik {

namespace {

constexpr std::size_t kDosHeaderSize = 0x40;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kResourceDataDirectory = 2;
constexpr std::uint32_t kHighBit = 0x80000000u;

std::string hex(std::uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(v));
    return text;
}

// UTF-16LE code units to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf8FromUtf16(const std::uint8_t* p, std::size_t units) { return Utf8FromUtf16(p, units); }

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawPointer = 0;
};

// The sections of a PE image and how an RVA maps to a file offset.
struct SectionMap {
    const std::uint8_t* data;
    std::size_t size;
    std::vector<Section> sections;

    // The section whose file bytes hold rva, or nullptr.
    const Section* find(std::uint32_t rva) const {
        for (const Section& s : sections)
            if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) return &s;
        return nullptr;
    }
    // File offset of len bytes at rva; an empty string, or why they are not in the file.
    std::string map(std::uint32_t rva, std::uint64_t len, std::size_t* offset) const {
        const Section* s = find(rva);
        if (!s) return "RVA " + hex(rva) + " lies outside every section";
        const std::uint64_t within = rva - s->virtualAddress;
        if (len > s->rawSize - within) return "data at RVA " + hex(rva) + " runs past the end of its section";
        const std::uint64_t at = std::uint64_t{s->rawPointer} + within;
        if (at > size || len > size - at) return "data at RVA " + hex(rva) + " runs past the end of the file";
        *offset = static_cast<std::size_t>(at);
        return {};
    }
};

struct DirectoryEntry {
    std::uint32_t name;
    std::uint32_t target;
};

// Walks the tables of the resource directory, bounded: every table lies
// inside the directory's bytes, no table is visited twice (that would be a
// loop, or one table shared to multiply the work), and the entries of all
// tables together stay under kMaxResourceEntries.
class DirectoryWalker {
public:
    DirectoryWalker(const std::uint8_t* base, std::size_t limit) : base_(base), limit_(limit) {}

    // The entries of the table at off; false with *damage set when it is unusable.
    bool table(std::uint32_t off, std::vector<DirectoryEntry>& out, std::string* damage) {
        out.clear();
        if (off > limit_ || limit_ - off < 16) {
            *damage = "a resource table at " + hex(off) + " lies outside the resource section";
            return false;
        }
        if (!visited_.insert(off).second) {
            *damage = "the resource directory loops (the table at " + hex(off) + " is reached twice)";
            return false;
        }
        const std::uint8_t* p = base_ + off;
        const std::size_t n = std::size_t{ReadU16LE(p + 12)} + ReadU16LE(p + 14);
        if (n > (limit_ - off - 16) / 8) {
            *damage = "the resource table at " + hex(off) + " declares " + std::to_string(n) +
                      " entries, more than the resource section holds";
            return false;
        }
        total_ += n;
        if (total_ > kMaxResourceEntries) {
            *damage = "the resource directory has more than " + std::to_string(kMaxResourceEntries) + " entries";
            return false;
        }
        for (std::size_t i = 0; i < n; ++i)
            out.push_back({ReadU32LE(p + 16 + 8 * i), ReadU32LE(p + 20 + 8 * i)});
        return true;
    }

    // A name or id field; false when the name string lies outside the directory.
    bool name(std::uint32_t field, ResourceName& out) const {
        out = {};
        if (!(field & kHighBit)) {
            out.id = static_cast<std::uint16_t>(field);
            return true;
        }
        const std::uint32_t off = field & ~kHighBit;
        if (off > limit_ || limit_ - off < 2) return false;
        const std::size_t units = ReadU16LE(base_ + off);
        if ((limit_ - off - 2) / 2 < units) return false;
        out.named = true;
        out.name = utf8FromUtf16(base_ + off + 2, units);
        return true;
    }

    bool dataEntry(std::uint32_t off, std::uint32_t* rva, std::uint32_t* size) const {
        if (off > limit_ || limit_ - off < 16) return false;
        *rva = ReadU32LE(base_ + off);
        *size = ReadU32LE(base_ + off + 4);
        return true;
    }

private:
    const std::uint8_t* base_;
    std::size_t limit_;
    std::unordered_set<std::uint32_t> visited_;
    std::size_t total_ = 0;
};

std::string typeName(std::uint16_t type) {
    switch (type) {
        case kRtCursor: return "RT_CURSOR";
        case kRtIcon: return "RT_ICON";
        case kRtGroupCursor: return "RT_GROUP_CURSOR";
        default: return "RT_GROUP_ICON";
    }
}

// Reads the directory from its root; false with out.damage set when it is unusable.
bool walkDirectory(const SectionMap& sections, DirectoryWalker& walker, ExeResources& out) {
    std::vector<DirectoryEntry> types, names, languages;
    if (!walker.table(0, types, &out.damage)) return false;
    for (const DirectoryEntry& t : types) {
        if (t.name & kHighBit) continue;  // a named type is nothing of ours
        const auto type = static_cast<std::uint16_t>(t.name);
        if (type != kRtCursor && type != kRtIcon && type != kRtGroupCursor && type != kRtGroupIcon) continue;
        if (!(t.target & kHighBit)) {
            out.problems.push_back(typeName(type) + ": the type entry points at data, not at a table; skipped");
            continue;
        }
        if (!walker.table(t.target & ~kHighBit, names, &out.damage)) return false;
        for (const DirectoryEntry& n : names) {
            ResourceName name;
            if (!walker.name(n.name, name)) {
                out.problems.push_back(typeName(type) + ": a name lies outside the resource section; skipped");
                continue;
            }
            const std::string what = typeName(type) + " " + name.Text();
            if (!(n.target & kHighBit)) {
                out.problems.push_back(what + ": the entry points at data, not at a language table; skipped");
                continue;
            }
            if (!walker.table(n.target & ~kHighBit, languages, &out.damage)) return false;
            for (const DirectoryEntry& l : languages) {
                std::uint32_t rva = 0, length = 0;
                if ((l.target & kHighBit) || !walker.dataEntry(l.target, &rva, &length)) {
                    out.problems.push_back(what + ": a language entry is no data entry inside the section; skipped");
                    continue;
                }
                const auto language = static_cast<std::uint16_t>(l.name);
                std::size_t offset = 0;
                const std::string why = sections.map(rva, length, &offset);
                if (!why.empty()) {
                    out.problems.push_back(what + ": " + why + "; skipped");
                    continue;
                }
                if (type == kRtIcon || type == kRtCursor) {
                    if (name.named) {
                        out.problems.push_back(what + ": images are known by number, not by name; skipped");
                        continue;
                    }
                    if (length == 0) {
                        out.problems.push_back(what + " is empty (0 bytes); skipped");
                        continue;
                    }
                    (type == kRtIcon ? out.icons : out.cursors).push_back({name.id, language, offset, length});
                    continue;
                }
                ResourceGroup group;
                group.kind = type == kRtGroupCursor ? 2 : 1;
                group.name = name;
                group.language = language;
                ParseGroupRecord(sections.data + offset, length, group, out.problems);
                out.groups.push_back(std::move(group));
            }
        }
    }
    return true;
}

void readPe(const std::uint8_t* data, std::size_t size, std::size_t pe, ExeResources& out) {
    const std::size_t coff = pe + 4;
    if (size - coff < kCoffHeaderSize) {
        out.damage = "the PE header runs past the end of the file";
        return;
    }
    const std::size_t sectionCount = ReadU16LE(data + coff + 2);
    const std::size_t optionalSize = ReadU16LE(data + coff + 16);
    const std::size_t optional = coff + kCoffHeaderSize;
    if (size - optional < optionalSize || optionalSize < 2) {
        out.damage = "the optional header runs past the end of the file";
        return;
    }
    const std::uint16_t magic = ReadU16LE(data + optional);
    std::size_t countAt = 0;
    if (magic == 0x10B) {
        out.format = ExeFormat::PE32;
        countAt = 92;
    } else if (magic == 0x20B) {
        out.format = ExeFormat::PE32Plus;
        countAt = 108;
    } else {
        out.damage = "unknown optional header magic " + hex(magic);
        return;
    }
    const std::size_t directories = countAt + 4;
    const std::size_t resourceEntryEnd = directories + 8 * (kResourceDataDirectory + 1);
    if (optionalSize < resourceEntryEnd || ReadU32LE(data + optional + countAt) <= kResourceDataDirectory)
        return;  // no resource directory at all
    const std::uint32_t resourceRva = ReadU32LE(data + optional + directories + 8 * kResourceDataDirectory);
    const std::uint32_t resourceSize = ReadU32LE(data + optional + directories + 8 * kResourceDataDirectory + 4);
    if (resourceRva == 0 || resourceSize == 0) return;

    SectionMap sections{data, size, {}};
    const std::size_t table = optional + optionalSize;
    if (sectionCount > (size - table) / kSectionHeaderSize) {
        out.damage = "the section table (" + std::to_string(sectionCount) + " sections at " + hex(table) +
                     ") runs past the end of the file";
        return;
    }
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t* s = data + table + kSectionHeaderSize * i;
        sections.sections.push_back({ReadU32LE(s + 12), ReadU32LE(s + 16), ReadU32LE(s + 20)});
    }
    const Section* home = sections.find(resourceRva);
    std::size_t root = 0;
    const std::string why = sections.map(resourceRva, 16, &root);
    if (!home || !why.empty()) {
        out.damage = "resource directory: " + why;
        return;
    }
    // Tables, names and data entries all lie in the section's bytes from the root on.
    const std::size_t sectionEnd = std::min<std::uint64_t>(std::uint64_t{home->rawPointer} + home->rawSize, size);
    DirectoryWalker walker(data + root, sectionEnd - root);
    if (walkDirectory(sections, walker, out)) out.present = true;
}

}  // namespace

void ParseGroupRecord(const std::uint8_t* data, std::size_t size, ResourceGroup& group,
                      std::vector<std::string>& problems) {
    const std::string what = GroupTitle(group, false);
    if (size < 6) {
        problems.push_back(what + ": the group record is shorter than its header; no images");
        return;
    }
    const std::size_t declared = ReadU16LE(data + 4);
    const std::size_t fit = (size - 6) / 14;
    if (declared > fit)
        problems.push_back(what + ": the group record declares " + std::to_string(declared) + " images but holds " +
                           std::to_string(fit) + "; the rest are skipped");
    const std::size_t n = std::min(declared, fit);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t* r = data + 6 + 14 * i;
        GroupMember m;
        if (group.kind == 2) {
            // Cursor records: 16-bit width and doubled height.
            m.width = static_cast<std::uint8_t>(ReadU16LE(r));
            m.height = static_cast<std::uint8_t>(ReadU16LE(r + 2) / 2);
        } else {
            m.width = r[0];
            m.height = r[1];
            m.colorCount = r[2];
            m.reserved = r[3];
        }
        m.planes = ReadU16LE(r + 4);
        m.bitCount = ReadU16LE(r + 6);
        m.bytesInRes = ReadU32LE(r + 8);
        m.id = ReadU16LE(r + 12);
        group.members.push_back(m);
    }
}

void LinkGroupMembers(ExeResources& out) {
    std::map<std::uint16_t, std::vector<int>> byId[2];
    for (int kind = 1; kind <= 2; ++kind) {
        const auto& images = out.ImagesOf(kind);
        for (std::size_t i = 0; i < images.size(); ++i) byId[kind - 1][images[i].id].push_back(static_cast<int>(i));
    }
    for (ResourceGroup& g : out.groups) {
        const auto& images = out.ImagesOf(g.kind);
        for (std::size_t k = 0; k < g.members.size(); ++k) {
            GroupMember& m = g.members[k];
            const auto it = byId[g.kind - 1].find(m.id);
            if (it == byId[g.kind - 1].end()) {
                out.problems.push_back(GroupTitle(g, false) + ": image #" + std::to_string(k + 1) + " names " +
                                       (g.kind == 2 ? "RT_CURSOR " : "RT_ICON ") + std::to_string(m.id) +
                                       ", which the file does not hold; skipped");
                continue;
            }
            m.image = it->second.front();
            for (int i : it->second)
                if (images[static_cast<std::size_t>(i)].language == g.language) {
                    m.image = i;
                    break;
                }
        }
    }
}

std::string GroupTitle(const ResourceGroup& group, bool withLanguage) {
    std::string t = (group.kind == 2 ? "cursor group " : "icon group ") + group.name.Text();
    if (withLanguage) t += ", language " + std::to_string(group.language);
    return t;
}

ExeResources ReadExeResources(const std::uint8_t* data, std::size_t size) {
    ExeResources out;
    if (size < kDosHeaderSize || data[0] != 'M' || data[1] != 'Z') return out;
    const std::size_t header = ReadU32LE(data + 0x3C);
    if (header > size || size - header < 4) return out;
    const std::uint8_t* h = data + header;
    if (h[0] == 'P' && h[1] == 'E' && h[2] == 0 && h[3] == 0) {
        readPe(data, size, header, out);
    } else if (h[0] == 'N' && h[1] == 'E') {
        out.format = ExeFormat::NE;
        ReadNeResources(data, size, header, out);
    } else {
        return out;
    }
    if (out.present) {
        LinkGroupMembers(out);
    } else {
        // Nothing half-read is handed on from a damaged directory.
        out.groups.clear();
        out.icons.clear();
        out.cursors.clear();
    }
    return out;
}

}  // namespace vornik
