// The resource table of 16-bit NE images: icons, cursors and their groups.
#include <algorithm>
#include <string>

#include "model/ExeResources.h"
#include "platform/Bytes.h"

namespace vornik {

namespace {

constexpr std::size_t kNeHeaderSize = 0x40;
constexpr std::uint16_t kIntegerId = 0x8000;
// Larger shifts put every resource beyond any file we would read.
constexpr unsigned kMaxAlignShift = 16;

}  // namespace

void ReadNeResources(const std::uint8_t* data, std::size_t size, std::size_t ne, ExeResources& out) {
    if (size - ne < kNeHeaderSize) {
        out.damage = "the NE header runs past the end of the file";
        return;
    }
    const std::size_t tableOffset = ReadU16LE(data + ne + 0x24);
    const std::size_t namesOffset = ReadU16LE(data + ne + 0x26);
    if (tableOffset == namesOffset) return;  // no resources
    const std::size_t begin = ne + tableOffset;
    // The resident-name table follows the resource table.
    const std::size_t end = std::min(size, ne + namesOffset);
    if (namesOffset < tableOffset || begin >= end || end - begin < 2) {
        out.damage = "the NE resource table lies outside the file";
        return;
    }
    const std::uint8_t* t = data + begin;
    const std::size_t limit = end - begin;
    const unsigned shift = ReadU16LE(t);
    if (shift > kMaxAlignShift) {
        out.damage = "the NE resource alignment shift " + std::to_string(shift) + " is out of range";
        return;
    }
    // Names are Pascal strings inside the table, at an offset from its start.
    auto nameAt = [&](std::uint16_t field, ResourceName& name) {
        name = {};
        if (field & kIntegerId) {
            name.id = static_cast<std::uint16_t>(field & ~kIntegerId);
            return true;
        }
        if (field >= limit || limit - field - 1 < t[field]) return false;
        name.named = true;
        // 8-bit names; bytes outside ASCII are kept as Latin-1.
        for (std::size_t i = 0; i < t[field]; ++i) {
            const unsigned char c = t[field + 1 + i];
            if (c < 0x80) {
                name.name += static_cast<char>(c);
            } else {
                name.name += static_cast<char>(0xC0 | (c >> 6));
                name.name += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return true;
    };
    std::size_t p = 2;
    std::size_t entries = 0;
    for (;;) {
        if (limit - p < 2) {
            out.damage = "the NE resource table ends without its closing type";
            return;
        }
        const std::uint16_t typeField = ReadU16LE(t + p);
        if (typeField == 0) break;
        if (limit - p < 8) {
            out.damage = "the NE resource table ends inside a type record";
            return;
        }
        const std::size_t count = ReadU16LE(t + p + 2);
        p += 8;
        if (count > (limit - p) / 12) {
            out.damage = "an NE resource type declares " + std::to_string(count) +
                         " resources, more than the table holds";
            return;
        }
        entries += count;
        if (entries > kMaxResourceEntries) {
            out.damage = "the NE resource table has too many entries";
            return;
        }
        const std::uint16_t type =
            (typeField & kIntegerId) ? static_cast<std::uint16_t>(typeField & ~kIntegerId) : 0;
        for (std::size_t i = 0; i < count; ++i, p += 12) {
            if (type != kRtIcon && type != kRtCursor && type != kRtGroupIcon && type != kRtGroupCursor) continue;
            const std::uint8_t* r = t + p;
            ResourceName name;
            const std::string kindText = type == kRtIcon       ? "RT_ICON "
                                         : type == kRtCursor   ? "RT_CURSOR "
                                         : type == kRtGroupIcon ? "RT_GROUP_ICON "
                                                                : "RT_GROUP_CURSOR ";
            if (!nameAt(ReadU16LE(r + 6), name)) {
                out.problems.push_back(kindText + ": a name lies outside the resource table; skipped");
                continue;
            }
            const std::uint64_t offset = std::uint64_t{ReadU16LE(r)} << shift;
            const std::uint64_t length = std::uint64_t{ReadU16LE(r + 2)} << shift;
            const std::string what = kindText + name.Text();
            if (offset > size || length > size - offset) {
                out.problems.push_back(what + ": its data runs past the end of the file; skipped");
                continue;
            }
            if (type == kRtIcon || type == kRtCursor) {
                if (name.named || length == 0) {
                    out.problems.push_back(what + (length == 0 ? " is empty (0 bytes)" : " is named, not numbered") +
                                           "; skipped");
                    continue;
                }
                (type == kRtIcon ? out.icons : out.cursors)
                    .push_back({name.id, 0, static_cast<std::size_t>(offset), static_cast<std::size_t>(length)});
                continue;
            }
            ResourceGroup group;
            group.kind = type == kRtGroupCursor ? 2 : 1;
            group.name = name;
            ParseGroupRecord(data + offset, static_cast<std::size_t>(length), group, out.problems);
            out.groups.push_back(std::move(group));
        }
    }
    out.present = true;
}

}  // namespace vornik
