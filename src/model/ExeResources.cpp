// The resource directory of PE32 and PE32+ images: icons, cursors and their groups.
#include "model/ExeResources.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "model/PeHeaders.h"
#include "model/ResourceDirectory.h"
#include "platform/Bytes.h"

namespace vornik {

namespace {

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
        if (t.name & kResourceHighBit) continue;  // a named type is nothing of ours
        const auto type = static_cast<std::uint16_t>(t.name);
        if (type != kRtCursor && type != kRtIcon && type != kRtGroupCursor && type != kRtGroupIcon) continue;
        if (!(t.target & kResourceHighBit)) {
            out.problems.push_back(typeName(type) + ": the type entry points at data, not at a table; skipped");
            continue;
        }
        if (!walker.table(t.target & ~kResourceHighBit, names, &out.damage)) return false;
        for (const DirectoryEntry& n : names) {
            ResourceName name;
            if (!walker.name(n.name, name)) {
                out.problems.push_back(typeName(type) + ": a name lies outside the resource section; skipped");
                continue;
            }
            const std::string what = typeName(type) + " " + name.Text();
            if (!(n.target & kResourceHighBit)) {
                out.problems.push_back(what + ": the entry points at data, not at a language table; skipped");
                continue;
            }
            if (!walker.table(n.target & ~kResourceHighBit, languages, &out.damage)) return false;
            for (const DirectoryEntry& l : languages) {
                std::uint32_t rva = 0, length = 0;
                if ((l.target & kResourceHighBit) || !walker.dataEntry(l.target, &rva, &length)) {
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
    PeHeaders layout;
    out.damage = ReadPeHeaders(data, size, pe, layout);
    out.format = layout.format;
    if (!out.damage.empty()) return;
    const std::uint32_t resourceRva = layout.DirectoryRva(data, kPeResourceDirectory);
    const std::uint32_t resourceSize = layout.DirectorySize(data, kPeResourceDirectory);
    if (resourceRva == 0 || resourceSize == 0) return;  // no resource directory at all
    out.damage = ReadPeSections(data, size, layout);
    if (!out.damage.empty()) return;
    const SectionMap sections{data, size, layout.sections};
    const PeSection* home = sections.find(resourceRva);
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
    if (size < 0x40 || data[0] != 'M' || data[1] != 'Z') return out;
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
