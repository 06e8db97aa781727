// Which group an icon file replaces, the ids its images get, and what goes.
#include "formats/IconGroupPlan.h"

#include <algorithm>
#include <set>

#include "model/ExeResources.h"
#include "platform/Utf16.h"

namespace vornik {

namespace {

bool isType(const ResourceKey& k, std::uint16_t id) { return !k.named && k.id == id; }

std::string upperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

std::string keyText(const ResourceKey& k) {
    if (!k.named) return std::to_string(k.id);
    Bytes le;
    for (char16_t c : k.units) AppendU16LE(le, static_cast<std::uint16_t>(c));
    return Utf8FromUtf16(le.data(), k.units.size());
}

// UTF-8 to UTF-16 code units; false for text that is no UTF-8.
bool utf16FromUtf8(const std::string& s, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::uint32_t cp = 0;
        std::size_t n = 0;
        if (c < 0x80) cp = c, n = 1;
        else if ((c & 0xE0) == 0xC0) cp = c & 0x1F, n = 2;
        else if ((c & 0xF0) == 0xE0) cp = c & 0x0F, n = 3;
        else if ((c & 0xF8) == 0xF0) cp = c & 0x07, n = 4;
        else return false;
        if (i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return true;
}

// The key an option names: digits are an id, anything else a name.
bool keyFromOption(const std::string& text, ResourceKey& key) {
    key = {};
    if (!text.empty() && text.size() <= 5 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const unsigned long v = std::stoul(text);
        if (v == 0 || v > 0xFFFF) return false;
        key.id = static_cast<std::uint16_t>(v);
        return true;
    }
    key.named = true;
    // Resource compilers store names in capitals, and the loader finds them whatever the case.
    return !text.empty() && text.size() <= 0x7FFF && utf16FromUtf8(upperAscii(text), key.units);
}

bool sameKey(const ResourceKey& stored, const ResourceKey& wanted) {
    if (stored.named != wanted.named) return false;
    if (!stored.named) return stored.id == wanted.id;
    return upperAscii(keyText(stored)) == upperAscii(keyText(wanted));
}

std::vector<std::uint16_t> membersOf(const std::uint8_t* program, const ResourceLeaf& leaf, int kind) {
    ResourceGroup g;
    g.kind = kind;
    std::vector<std::string> ignored;
    ParseGroupRecord(program + leaf.offset, leaf.size, g, ignored);
    std::vector<std::uint16_t> ids;
    for (const GroupMember& m : g.members) ids.push_back(m.id);
    return ids;
}

SectionResource borrowed(const std::uint8_t* program, const ResourceLeaf& leaf) {
    return {leaf.type, leaf.name, leaf.language, leaf.codePage, program + leaf.offset, leaf.size};
}

std::string idList(const std::set<std::uint16_t>& ids) {
    std::string t;
    for (std::uint16_t id : ids) t += (t.empty() ? "" : ", ") + std::to_string(id);
    return t;
}

}  // namespace

std::string PlanIconGroup(const std::uint8_t* program, const ResourceTree& tree, const IconFileImages& icon,
                          const ProgramIconOptions& options, IconGroupPlan& out, ProgramIconRefusal* refusal) {
    out = {};
    const int kind = icon.type == 2 ? 2 : 1;
    const std::uint16_t groupType = kind == 2 ? kRtGroupCursor : kRtGroupIcon;
    const std::uint16_t imageType = kind == 2 ? kRtCursor : kRtIcon;
    const std::string kindName = kind == 2 ? "cursor group" : "icon group";

    std::vector<std::size_t> groups;
    for (std::size_t i = 0; i < tree.leaves.size(); ++i)
        if (isType(tree.leaves[i].type, groupType)) groups.push_back(i);
    auto existing = [&] {
        std::string t;
        std::set<std::string> seen;
        for (std::size_t i : groups)
            if (seen.insert(keyText(tree.leaves[i].name)).second) t += (t.empty() ? "" : ", ") + keyText(tree.leaves[i].name);
        return t.empty() ? "it has none" : "it has " + t;
    };

    ResourceKey target;
    if (!options.group.empty() && !keyFromOption(options.group, target)) {
        *refusal = ProgramIconRefusal::NoSuchGroup;
        return "\"" + options.group + "\" is neither a name nor an id from 1 to 65535";
    }
    bool add = options.add;
    std::vector<std::size_t> replaced;
    if (!add) {
        if (options.group.empty()) {
            if (groups.empty()) {
                add = true;  // a program without a group of this kind gets one
            } else {
                target = tree.leaves[groups.front()].name;
            }
        }
        if (!add) {
            for (std::size_t i : groups)
                if (sameKey(tree.leaves[i].name, target)) replaced.push_back(i);
            if (replaced.empty()) {
                *refusal = ProgramIconRefusal::NoSuchGroup;
                return "the program has no " + kindName + " " + options.group + " (" + existing() + "; --add adds one)";
            }
            if (options.hasLanguage) {
                std::string languages;
                std::erase_if(replaced, [&](std::size_t i) {
                    languages += (languages.empty() ? "" : ", ") + std::to_string(tree.leaves[i].language);
                    return tree.leaves[i].language != options.language;
                });
                if (replaced.empty()) {
                    *refusal = ProgramIconRefusal::NoSuchGroup;
                    return kindName + " " + keyText(target) + " has no language " + std::to_string(options.language) +
                           " (it has " + languages + ")";
                }
            }
        }
    }

    std::uint16_t language = 0;
    if (add) {
        if (options.hasLanguage) language = options.language;
        else if (!groups.empty()) language = tree.leaves[groups.front()].language;
        // Otherwise neutral, which the loader finds whatever the user's language.
        if (options.group.empty()) {
            std::uint32_t next = 1;
            for (std::size_t i : groups)
                if (!tree.leaves[i].name.named) next = std::max<std::uint32_t>(next, tree.leaves[i].name.id + 1u);
            if (next > 0xFFFF) {
                *refusal = ProgramIconRefusal::Unsupported;
                return "no " + kindName + " id is left";
            }
            target.id = static_cast<std::uint16_t>(next);
        }
        for (std::size_t i : groups)
            if (sameKey(tree.leaves[i].name, target) && tree.leaves[i].language == language) {
                *refusal = ProgramIconRefusal::GroupExists;
                return "the program already has " + kindName + " " + keyText(target) + " in language " +
                       std::to_string(language) + "; leave out --add to replace it";
            }
    } else {
        language = tree.leaves[replaced.front()].language;
    }

    // Images named by the replaced groups and by no group that stays.
    std::set<std::uint16_t> before, after;
    for (std::size_t i : groups) {
        const bool goes = std::find(replaced.begin(), replaced.end(), i) != replaced.end();
        for (std::uint16_t id : membersOf(program, tree.leaves[i], kind)) (goes ? before : after).insert(id);
    }
    std::set<std::uint16_t> dropped;
    for (std::uint16_t id : before)
        if (!after.count(id)) dropped.insert(id);

    std::set<std::uint16_t> usedIds;
    for (std::size_t i = 0; i < tree.leaves.size(); ++i) {
        const ResourceLeaf& leaf = tree.leaves[i];
        if (std::find(replaced.begin(), replaced.end(), i) != replaced.end()) continue;
        if (isType(leaf.type, imageType)) {
            if (!leaf.name.named && dropped.count(leaf.name.id)) continue;
            if (!leaf.name.named) usedIds.insert(leaf.name.id);
        }
        out.resources.push_back(borrowed(program, leaf));
    }

    // Fresh ids: the lowest ones no image that stays uses.
    std::vector<std::uint16_t> ids;
    for (std::uint32_t id = 1; id <= 0xFFFF && ids.size() < icon.images.size(); ++id)
        if (!usedIds.count(static_cast<std::uint16_t>(id))) ids.push_back(static_cast<std::uint16_t>(id));
    if (ids.size() < icon.images.size()) {
        *refusal = ProgramIconRefusal::Unsupported;
        return "the program has no free image ids left";
    }

    Bytes record;
    AppendU16LE(record, 0);
    AppendU16LE(record, static_cast<std::uint16_t>(kind));
    AppendU16LE(record, static_cast<std::uint16_t>(icon.images.size()));
    for (std::size_t k = 0; k < icon.images.size(); ++k) {
        const IconFileImage& image = icon.images[k];
        SectionResource r;
        r.type.id = imageType;
        r.name.id = ids[k];
        r.language = language;
        std::uint32_t bytes = static_cast<std::uint32_t>(image.data.size());
        if (kind == 2) {
            Bytes& cursor = out.owned.emplace_back();
            AppendU16LE(cursor, image.hotX);
            AppendU16LE(cursor, image.hotY);
            AppendBytes(cursor, image.data.data(), image.data.size());
            r.data = cursor.data();
            r.size = cursor.size();
            bytes = static_cast<std::uint32_t>(cursor.size());
            AppendU16LE(record, static_cast<std::uint16_t>(image.pixelWidth));
            AppendU16LE(record, static_cast<std::uint16_t>(image.pixelHeight * 2));
        } else {
            r.data = image.data.data();
            r.size = image.data.size();
            record.push_back(image.width);
            record.push_back(image.height);
            record.push_back(image.colorCount);
            record.push_back(image.reserved);
        }
        AppendU16LE(record, image.planes);
        AppendU16LE(record, image.bitCount);
        AppendU32LE(record, bytes);
        AppendU16LE(record, ids[k]);
        out.resources.push_back(r);
    }
    const Bytes& stored = out.owned.emplace_back(std::move(record));
    auto group = [&](const ResourceKey& name, std::uint16_t lang, std::uint32_t codePage) {
        SectionResource r;
        r.type.id = groupType;
        r.name = name;
        r.language = lang;
        r.codePage = codePage;
        r.data = stored.data();
        r.size = stored.size();
        out.resources.push_back(r);
    };
    const std::string count = std::to_string(icon.images.size()) + (icon.images.size() == 1 ? " image" : " images");
    if (add) {
        group(target, language, 0);
        out.notes.push_back("added " + kindName + " " + keyText(target) + " (language " + std::to_string(language) +
                            ") with " + count);
    } else {
        for (std::size_t i : replaced) {
            group(tree.leaves[i].name, tree.leaves[i].language, tree.leaves[i].codePage);
            out.notes.push_back("replaced " + kindName + " " + keyText(tree.leaves[i].name) + " (language " +
                                std::to_string(tree.leaves[i].language) + ") with " + count);
        }
    }
    if (!dropped.empty())
        out.notes.push_back(std::string("removed ") + (kind == 2 ? "RT_CURSOR " : "RT_ICON ") + idList(dropped) +
                            ", which no group uses any more");
    return {};
}

}  // namespace vornik
