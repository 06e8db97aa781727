#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace vornik {

// What to do with a program's icon or cursor groups.
struct ProgramIconOptions {
    // The group to replace (or, with add, to create): a name, or an id in
    // decimal. Empty: the program's first group of the icon file's kind.
    std::string group;
    bool hasLanguage = false;
    std::uint16_t language = 0;
    bool add = false;             // a new group beside the others
    bool stripSignature = false;  // remove an Authenticode certificate instead of refusing
};

// Why a program was not written.
enum class ProgramIconRefusal {
    None,
    NotAProgram,      // no PE image
    SixteenBit,       // NE images are read, never written
    Damaged,          // headers, sections or resource directory unusable
    Signed,           // a certificate is present and stripping was not asked for
    BadIconFile,      // the ICO/CUR cannot be used
    NoSuchGroup,      // --group / --lang name nothing of the program
    GroupExists,      // --add of a name the program already has
    Overlay,          // data after the sections that must not move
    NoRoom,           // no room for another section header
    Unsupported,      // a layout this writer does not change (alignment, order of sections)
};

struct ProgramIconResult {
    ProgramIconRefusal refusal = ProgramIconRefusal::None;
    std::string reason;              // for a refusal: why, in a few words
    Bytes output;                    // the new program when not refused
    std::vector<std::string> notes;  // what was done: the group, removed images, a moved symbol table...
};

// Puts the images of an ICO (as RT_ICON and an RT_GROUP_ICON) or a CUR file
// (as RT_CURSOR with hot spots and an RT_GROUP_CURSOR) into a PE32 or PE32+
// program, replacing a group or adding one. Images the old group named and
// no group names any more are removed; every other resource keeps its bytes.
// The resource section is rebuilt: in place when the new one fits, else as
// the last section (growing the old last one, or as a new section when the
// old one is not last). Headers follow: section sizes, SizeOfImage,
// SizeOfInitializedData, the resource directory slot, a moved COFF symbol
// table's pointer, and the checksum. Never throws for any input.
ProgramIconResult SetProgramIcon(const std::uint8_t* program, std::size_t programSize, const std::uint8_t* icon,
                                 std::size_t iconSize, const ProgramIconOptions& options);

}  // namespace vornik
