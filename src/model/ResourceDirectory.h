#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/ExeResources.h"
#include "model/PeHeaders.h"

namespace vornik {

// How an RVA of a PE image maps to a file offset through its sections.
struct SectionMap {
    const std::uint8_t* data;
    std::size_t size;
    const std::vector<PeSection>& sections;

    // The section whose file bytes hold rva, or nullptr.
    const PeSection* find(std::uint32_t rva) const;
    // File offset of len bytes at rva; an empty string, or why they are not in the file.
    std::string map(std::uint32_t rva, std::uint64_t len, std::size_t* offset) const;
};

struct DirectoryEntry {
    std::uint32_t name;
    std::uint32_t target;
};

inline constexpr std::uint32_t kResourceHighBit = 0x80000000u;

// Walks the tables of a resource directory, bounded: every table lies
// inside the directory's bytes, no table is visited twice (that would be a
// loop, or one table shared to multiply the work), and the entries of all
// tables together stay under kMaxResourceEntries.
class DirectoryWalker {
public:
    DirectoryWalker(const std::uint8_t* base, std::size_t limit) : base_(base), limit_(limit) {}

    // The entries of the table at off; false with *damage set when it is unusable.
    bool table(std::uint32_t off, std::vector<DirectoryEntry>& out, std::string* damage);
    // A name or id field; false when the name string lies outside the directory.
    bool name(std::uint32_t field, ResourceName& out) const;
    // The UTF-16 code units of a name field's string (empty for an id).
    bool nameUnits(std::uint32_t field, std::u16string& out) const;
    // RVA, size and code page of the data entry at off.
    bool dataEntry(std::uint32_t off, std::uint32_t* rva, std::uint32_t* size, std::uint32_t* codePage = nullptr) const;
    // The 12 bytes before a table's entry counts (characteristics, time stamp, version).
    const std::uint8_t* tableHead(std::uint32_t off) const { return base_ + off; }

private:
    const std::uint8_t* base_;
    std::size_t limit_;
    std::unordered_set<std::uint32_t> visited_;
    std::size_t total_ = 0;
};

// A resource's type or name as the directory holds it: an id, or a string
// of UTF-16 code units.
struct ResourceKey {
    bool named = false;
    std::u16string units;
    std::uint16_t id = 0;
    bool operator==(const ResourceKey&) const = default;
};

// Directory order: names first, by code units, then ids ascending.
bool ResourceKeyLess(const ResourceKey& a, const ResourceKey& b);

// One resource of the directory with every level of its path.
struct ResourceLeaf {
    ResourceKey type;
    ResourceKey name;
    std::uint16_t language = 0;
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
    std::uint32_t codePage = 0;
    std::size_t offset = 0;  // file offset of its data
};

// The whole resource directory of a PE image, every type.
struct ResourceTree {
    std::vector<ResourceLeaf> leaves;  // directory order
    std::uint8_t rootHead[12] = {};    // characteristics, time stamp, version of the root table
};

// Reads every resource of the directory at the image's resource RVA. Unlike
// ReadExeResources it skips nothing: a table, name or data entry that cannot
// be used is damage (an empty string, or why not). An image without a
// resource directory gives an empty tree.
std::string ReadResourceTree(const std::uint8_t* data, std::size_t size, const PeHeaders& layout, ResourceTree& out);

}  // namespace vornik
