#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ExeResources.h"

namespace vornik {

// One section header of a PE image, with where it stands in the file.
struct PeSection {
    std::size_t headerOffset = 0;  // file offset of the 40-byte header
    std::uint8_t name[8] = {};
    std::uint32_t virtualSize = 0;
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawPointer = 0;
    std::uint32_t characteristics = 0;
};

// Data-directory slots used here.
inline constexpr std::size_t kPeResourceDirectory = 2;
inline constexpr std::size_t kPeSecurityDirectory = 4;
inline constexpr std::size_t kPeDebugDirectory = 6;

// Where the headers of a PE32 or PE32+ image are, and the fields that
// placing a section needs. Offsets are file offsets of the fields.
struct PeHeaders {
    static constexpr std::size_t kCoffHeaderSize = 20;
    static constexpr std::size_t kSectionHeaderSize = 40;

    ExeFormat format = ExeFormat::None;
    std::size_t peHeader = 0;  // "PE\0\0"
    std::size_t coffHeader = 0;
    std::size_t optionalHeader = 0;
    std::size_t optionalSize = 0;
    std::size_t sectionTable = 0;
    std::size_t sectionCount = 0;
    std::size_t dataDirectories = 0;  // file offset of slot 0
    std::size_t dataDirectoryCount = 0;  // slots that lie inside the optional header
    std::vector<PeSection> sections;  // filled by ReadPeSections

    // Field offsets inside the optional header, the same for PE32 and PE32+.
    static constexpr std::size_t kSizeOfInitializedData = 8;
    static constexpr std::size_t kSectionAlignment = 32;
    static constexpr std::size_t kFileAlignment = 36;
    static constexpr std::size_t kSizeOfImage = 56;
    static constexpr std::size_t kSizeOfHeaders = 60;
    static constexpr std::size_t kCheckSum = 64;

    // Slot i of the data directory, or {0, 0} when the header has no such slot.
    std::uint32_t DirectoryRva(const std::uint8_t* data, std::size_t i) const;
    std::uint32_t DirectorySize(const std::uint8_t* data, std::size_t i) const;
};

// Reads the COFF and optional headers of the PE image whose "PE\0\0" is at
// peOffset in data[0, size): an empty string, or why they cannot be used.
std::string ReadPeHeaders(const std::uint8_t* data, std::size_t size, std::size_t peOffset, PeHeaders& out);

// Reads the section table named by the headers; an empty string, or why not.
std::string ReadPeSections(const std::uint8_t* data, std::size_t size, PeHeaders& out);

// The offset of "PE\0\0" named by the DOS header, or 0 when data is no PE image.
std::size_t FindPeHeader(const std::uint8_t* data, std::size_t size);

// Hexadecimal "0x..." for messages.
std::string HexText(std::uint64_t v);

}  // namespace vornik
