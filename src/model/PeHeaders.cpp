// The headers and section table of PE32 and PE32+ images.
#include "model/PeHeaders.h"

#include <cstdio>
#include <cstring>

#include "platform/Bytes.h"

namespace vornik {

namespace {
constexpr std::size_t kDosHeaderSize = 0x40;
}  // namespace

std::string HexText(std::uint64_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(v));
    return text;
}

std::uint32_t PeHeaders::DirectoryRva(const std::uint8_t* data, std::size_t i) const {
    return i < dataDirectoryCount ? ReadU32LE(data + dataDirectories + 8 * i) : 0;
}

std::uint32_t PeHeaders::DirectorySize(const std::uint8_t* data, std::size_t i) const {
    return i < dataDirectoryCount ? ReadU32LE(data + dataDirectories + 8 * i + 4) : 0;
}

std::size_t FindPeHeader(const std::uint8_t* data, std::size_t size) {
    if (size < kDosHeaderSize || data[0] != 'M' || data[1] != 'Z') return 0;
    const std::size_t header = ReadU32LE(data + 0x3C);
    if (header == 0 || header > size || size - header < 4) return 0;
    if (std::memcmp(data + header, "PE\0\0", 4) != 0) return 0;
    return header;
}

std::string ReadPeHeaders(const std::uint8_t* data, std::size_t size, std::size_t pe, PeHeaders& out) {
    out.peHeader = pe;
    out.coffHeader = pe + 4;
    if (size - out.coffHeader < PeHeaders::kCoffHeaderSize) return "the PE header runs past the end of the file";
    out.sectionCount = ReadU16LE(data + out.coffHeader + 2);
    out.optionalSize = ReadU16LE(data + out.coffHeader + 16);
    out.optionalHeader = out.coffHeader + PeHeaders::kCoffHeaderSize;
    if (size - out.optionalHeader < out.optionalSize || out.optionalSize < 2)
        return "the optional header runs past the end of the file";
    const std::uint16_t magic = ReadU16LE(data + out.optionalHeader);
    std::size_t countAt = 0;
    if (magic == 0x10B) {
        out.format = ExeFormat::PE32;
        countAt = 92;
    } else if (magic == 0x20B) {
        out.format = ExeFormat::PE32Plus;
        countAt = 108;
    } else {
        return "unknown optional header magic " + HexText(magic);
    }
    out.dataDirectories = out.optionalHeader + countAt + 4;
    out.dataDirectoryCount = 0;
    if (out.optionalSize >= countAt + 4) {
        const std::size_t declared = ReadU32LE(data + out.optionalHeader + countAt);
        const std::size_t fit = (out.optionalSize - countAt - 4) / 8;
        out.dataDirectoryCount = declared < fit ? declared : fit;
    }
    out.sectionTable = out.optionalHeader + out.optionalSize;
    return {};
}

std::string ReadPeSections(const std::uint8_t* data, std::size_t size, PeHeaders& out) {
    out.sections.clear();
    if (out.sectionCount > (size - out.sectionTable) / PeHeaders::kSectionHeaderSize)
        return "the section table (" + std::to_string(out.sectionCount) + " sections at " +
               HexText(out.sectionTable) + ") runs past the end of the file";
    for (std::size_t i = 0; i < out.sectionCount; ++i) {
        const std::size_t at = out.sectionTable + PeHeaders::kSectionHeaderSize * i;
        const std::uint8_t* s = data + at;
        PeSection section;
        section.headerOffset = at;
        std::memcpy(section.name, s, 8);
        section.virtualSize = ReadU32LE(s + 8);
        section.virtualAddress = ReadU32LE(s + 12);
        section.rawSize = ReadU32LE(s + 16);
        section.rawPointer = ReadU32LE(s + 20);
        section.characteristics = ReadU32LE(s + 36);
        out.sections.push_back(section);
    }
    return {};
}

}  // namespace vornik
