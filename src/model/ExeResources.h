#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vornik {

// Resource type ids of the Windows resource directory that hold icons and cursors.
inline constexpr std::uint16_t kRtCursor = 1;
inline constexpr std::uint16_t kRtIcon = 3;
inline constexpr std::uint16_t kRtGroupCursor = 12;
inline constexpr std::uint16_t kRtGroupIcon = 14;

// A resource's name: a string (UTF-8, converted from the file's UTF-16 or
// 8-bit text) or a 16-bit id.
struct ResourceName {
    bool named = false;
    std::string name;
    std::uint16_t id = 0;
    // The name, or the id in decimal.
    std::string Text() const { return named ? name : std::to_string(id); }
    bool operator==(const ResourceName&) const = default;
};

// One RT_ICON or RT_CURSOR resource: where its bytes are in the file. A
// cursor's bytes begin with the hot spot (two 16-bit values) before the image.
struct ResourceImage {
    std::uint16_t id = 0;
    std::uint16_t language = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

// One record of a group (GRPICONDIRENTRY, 14 bytes), and the image it names.
struct GroupMember {
    // For an icon group the directory bytes as an ICO file has them. For a
    // cursor group the record holds 16-bit width and doubled height; they are
    // given here as an ICO/CUR directory would state them (low 8 bits, height
    // halved).
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint16_t id = 0;
    // Index into ExeResources::icons or ::cursors (by the group's kind); -1
    // when the file holds no usable image of that id.
    int image = -1;
};

// One RT_GROUP_ICON or RT_GROUP_CURSOR resource.
struct ResourceGroup {
    int kind = 1;  // 1 icon group, 2 cursor group (the ICO/CUR resource type)
    ResourceName name;
    std::uint16_t language = 0;
    std::vector<GroupMember> members;  // in the group's order
};

enum class ExeFormat { None, PE32, PE32Plus, NE };

// What the resource directory of an executable says about icons and cursors.
struct ExeResources {
    ExeFormat format = ExeFormat::None;
    // The file is an executable with a resource directory that could be walked.
    bool present = false;
    // Why the directory could not be used (empty when present, or when the
    // file simply has none): a damaged header, section table or directory.
    std::string damage;
    // Groups in directory order (so cursor groups before icon groups).
    std::vector<ResourceGroup> groups;
    std::vector<ResourceImage> icons;    // RT_ICON, directory order
    std::vector<ResourceImage> cursors;  // RT_CURSOR, directory order
    // Things skipped while reading, one line each (bad entries, images that
    // are missing or empty, records cut short).
    std::vector<std::string> problems;

    const std::vector<ResourceImage>& ImagesOf(int kind) const { return kind == 2 ? cursors : icons; }
};

// Bounds on what one directory may make us walk. Real files stay far below:
// Wine's shell32 holds about 1,700 icon images.
inline constexpr std::size_t kMaxResourceEntries = 1u << 16;

// Reads the icon and cursor resources of a PE32, PE32+ or 16-bit NE image
// held in data[0, size). Only the headers, the section table, the resource
// directory and the group records are read; image bytes are only located.
// Every offset, RVA and size is checked against the bytes present; a
// directory that loops or declares more entries than its section holds is
// refused as damaged. Never throws for any input.
ExeResources ReadExeResources(const std::uint8_t* data, std::size_t size);

// The NE part, called by ReadExeResources for a "NE" header at neOffset.
void ReadNeResources(const std::uint8_t* data, std::size_t size, std::size_t neOffset, ExeResources& out);

// Links each group member to its image (same id; the group's language
// preferred, else the first of that id) and notes members whose image is
// missing or empty. Used by both readers once all resources are known.
void LinkGroupMembers(ExeResources& out);

// Parses a group record (GRPICONDIR) of `size` bytes into group.members.
// Notes a record cut short in out.problems and keeps the records that fit.
void ParseGroupRecord(const std::uint8_t* data, std::size_t size, ResourceGroup& group,
                      std::vector<std::string>& problems);

// "icon group IDI_APP" / "cursor group 101" with ", language 1041" when given.
std::string GroupTitle(const ResourceGroup& group, bool withLanguage);

}  // namespace vornik
