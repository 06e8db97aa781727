// Writing an icon or cursor group into a PE program: where the rebuilt
// resource section goes, and the headers that follow from it.
#include "formats/ProgramIcon.h"

#include <algorithm>
#include <cstring>

#include "formats/IconFileImages.h"
#include "formats/IconGroupPlan.h"
#include "formats/PeChecksum.h"
#include "formats/ResourceSectionBuilder.h"
#include "model/PeHeaders.h"
#include "model/ResourceDirectory.h"

namespace vornik {

namespace {

constexpr std::uint32_t kInitializedData = 0x00000040;
constexpr std::uint32_t kMemRead = 0x40000000;
constexpr std::size_t kSymbolSize = 18;
constexpr std::size_t kDebugEntrySize = 28;

std::uint64_t alignUp(std::uint64_t v, std::uint64_t a) { return (v + a - 1) / a * a; }
bool powerOfTwo(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// The size a section takes in memory (the loader uses the raw size when the virtual one is 0).
std::uint64_t memorySize(const PeSection& s) { return s.virtualSize ? s.virtualSize : s.rawSize; }

ProgramIconResult refuse(ProgramIconRefusal code, std::string reason) {
    ProgramIconResult r;
    r.refusal = code;
    r.reason = std::move(reason);
    return r;
}

// What lies after the last section's bytes, and whether it may move.
struct Tail {
    std::size_t begin = 0;  // end of the last section's file bytes
    std::size_t end = 0;    // end of what is kept (a stripped certificate cut off)
    bool symbols = false;   // a COFF symbol table lies there
    bool payload = false;   // something else that is found by its offset
};

// The symbol table and its string table, when the COFF header names one after the sections.
bool symbolTableExtent(const std::uint8_t* data, std::size_t size, const PeHeaders& pe, std::size_t tailBegin,
                       std::size_t* begin, std::size_t* end) {
    const std::uint32_t pointer = ReadU32LE(data + pe.coffHeader + 8);
    const std::uint32_t count = ReadU32LE(data + pe.coffHeader + 12);
    if (pointer == 0 || pointer < tailBegin || pointer > size) return false;
    const std::uint64_t strings = std::uint64_t{pointer} + std::uint64_t{count} * kSymbolSize;
    if (strings > size) return false;
    std::uint64_t stop = strings;
    if (size - strings >= 4) {
        const std::uint32_t length = ReadU32LE(data + strings);
        if (length >= 4 && length <= size - strings) stop = strings + length;
    }
    *begin = pointer;
    *end = static_cast<std::size_t>(stop);
    return true;
}

}  // namespace

ProgramIconResult SetProgramIcon(const std::uint8_t* data, std::size_t size, const std::uint8_t* icon,
                                 std::size_t iconSize, const ProgramIconOptions& options) {
    const std::size_t peOffset = FindPeHeader(data, size);
    if (peOffset == 0) {
        if (size >= 0x40 && data[0] == 'M' && data[1] == 'Z') {
            const std::size_t ne = ReadU32LE(data + 0x3C);
            if (ne < size && size - ne >= 2 && data[ne] == 'N' && data[ne + 1] == 'E')
                return refuse(ProgramIconRefusal::SixteenBit, "16-bit (NE) programs are read, not written");
        }
        return refuse(ProgramIconRefusal::NotAProgram, "not a PE program (EXE or DLL)");
    }
    PeHeaders pe;
    std::string why = ReadPeHeaders(data, size, peOffset, pe);
    if (why.empty()) why = ReadPeSections(data, size, pe);
    if (!why.empty()) return refuse(ProgramIconRefusal::Damaged, why);
    const std::size_t opt = pe.optionalHeader;
    if (pe.optionalSize < PeHeaders::kCheckSum + 4 || pe.dataDirectoryCount <= kPeResourceDirectory)
        return refuse(ProgramIconRefusal::Unsupported, "the optional header has no slot for a resource directory");
    const std::uint32_t fileAlign = ReadU32LE(data + opt + PeHeaders::kFileAlignment);
    const std::uint32_t sectionAlign = ReadU32LE(data + opt + PeHeaders::kSectionAlignment);
    if (!powerOfTwo(fileAlign) || !powerOfTwo(sectionAlign) || fileAlign > 0x10000 || fileAlign > sectionAlign)
        return refuse(ProgramIconRefusal::Unsupported, "unusual alignment (file " + HexText(fileAlign) + ", sections " +
                                                           HexText(sectionAlign) + ")");
    if (pe.sections.empty()) return refuse(ProgramIconRefusal::Unsupported, "the program has no sections");
    // The headers are read from the file: a size past its end is damage, and
    // would place a new section gigabytes out.
    const std::size_t sizeOfHeaders = ReadU32LE(data + opt + PeHeaders::kSizeOfHeaders);
    if (sizeOfHeaders > size)
        return refuse(ProgramIconRefusal::Damaged, "the size of the headers runs past the end of the file");

    // Sections in address order, none overlapping, their bytes inside the file.
    std::size_t tailBegin = 0, firstRaw = size;
    for (std::size_t i = 0; i < pe.sections.size(); ++i) {
        const PeSection& s = pe.sections[i];
        if (i > 0) {
            const PeSection& p = pe.sections[i - 1];
            if (s.virtualAddress < p.virtualAddress || s.virtualAddress - p.virtualAddress < memorySize(p))
                return refuse(ProgramIconRefusal::Unsupported, "the sections are out of order or overlap");
        }
        if (s.rawSize == 0) continue;
        if (s.rawPointer > size || s.rawSize > size - s.rawPointer)
            return refuse(ProgramIconRefusal::Damaged, "a section's bytes run past the end of the file");
        tailBegin = std::max<std::size_t>(tailBegin, s.rawPointer + s.rawSize);
        firstRaw = std::min<std::size_t>(firstRaw, s.rawPointer);
    }

    // A certificate: refused, or cut off when asked.
    Tail tail;
    tail.begin = tailBegin;
    tail.end = size;
    const std::uint32_t certAt = pe.DirectoryRva(data, kPeSecurityDirectory);
    const std::uint32_t certSize = pe.DirectorySize(data, kPeSecurityDirectory);
    bool stripped = false;
    if (certAt != 0 || certSize != 0) {
        if (!options.stripSignature)
            return refuse(ProgramIconRefusal::Signed,
                          "the program is signed (a certificate of " + std::to_string(certSize) +
                              " bytes); a changed program would carry a broken signature. --strip-signature "
                              "removes the certificate");
        if (certAt < tailBegin || certAt > size || certSize > size - certAt)
            return refuse(ProgramIconRefusal::Damaged, "the certificate does not lie after the sections");
        for (std::size_t i = std::size_t{certAt} + certSize; i < size; ++i)
            if (data[i] != 0)
                return refuse(ProgramIconRefusal::Overlay, "data follows the certificate");
        tail.end = certAt;
        stripped = true;
    }
    std::size_t symBegin = 0, symEnd = 0;
    tail.symbols = symbolTableExtent(data, tail.end, pe, tailBegin, &symBegin, &symEnd);
    for (std::size_t i = tail.begin; i < tail.end && !tail.payload; ++i)
        if (data[i] != 0 && !(tail.symbols && i >= symBegin && i < symEnd)) tail.payload = true;
    // Debug data found by file offset after the sections would be lost if the tail moved.
    bool debugInTail = false;
    {
        const SectionMap map{data, size, pe.sections};
        const std::uint32_t rva = pe.DirectoryRva(data, kPeDebugDirectory);
        const std::uint32_t length = pe.DirectorySize(data, kPeDebugDirectory);
        std::size_t at = 0;
        if (rva && length && map.map(rva, length, &at).empty())
            for (std::size_t k = 0; k + kDebugEntrySize <= length; k += kDebugEntrySize) {
                const std::uint32_t pointer = ReadU32LE(data + at + k + 24);
                if (pointer != 0 && pointer >= tailBegin) debugInTail = true;
            }
    }

    ResourceTree tree;
    why = ReadResourceTree(data, size, pe, tree);
    if (!why.empty()) return refuse(ProgramIconRefusal::Damaged, "the resource directory is damaged: " + why);
    IconFileImages images;
    why = ReadIconFileImages(icon, iconSize, images);
    if (!why.empty()) return refuse(ProgramIconRefusal::BadIconFile, why);
    IconGroupPlan plan;
    ProgramIconRefusal code = ProgramIconRefusal::None;
    why = PlanIconGroup(data, tree, images, options, plan, &code);
    if (!why.empty()) return refuse(code, why);

    const std::size_t needed = BuildResourceSection(plan.resources, 0, tree.rootHead).size();
    if (needed > 0x40000000) return refuse(ProgramIconRefusal::Unsupported, "the resources would exceed 1 GB");

    // The old resource section may be rewritten when it holds the directory
    // from its first byte, every resource's data, and nothing another
    // directory slot points at.
    const std::uint32_t oldRva = pe.DirectoryRva(data, kPeResourceDirectory);
    const bool hadResources = oldRva != 0 && pe.DirectorySize(data, kPeResourceDirectory) != 0;
    int home = -1;
    if (hadResources)
        for (std::size_t i = 0; i < pe.sections.size(); ++i)
            if (pe.sections[i].virtualAddress == oldRva && pe.sections[i].rawSize != 0) home = static_cast<int>(i);
    if (home >= 0) {
        const PeSection& h = pe.sections[static_cast<std::size_t>(home)];
        for (const ResourceLeaf& leaf : tree.leaves)
            if (leaf.offset < h.rawPointer || leaf.offset + leaf.size > std::size_t{h.rawPointer} + h.rawSize) home = -1;
        for (std::size_t d = 0; d < pe.dataDirectoryCount && home >= 0; ++d) {
            if (d == kPeResourceDirectory || d == kPeSecurityDirectory) continue;
            const std::uint32_t rva = pe.DirectoryRva(data, d);
            if (pe.DirectorySize(data, d) != 0 && rva >= h.virtualAddress && rva - h.virtualAddress < memorySize(h))
                home = -1;
        }
    }
    const std::size_t last = pe.sections.size() - 1;
    const bool homeIsLast = home == static_cast<int>(last) &&
                            std::size_t{pe.sections[last].rawPointer} + pe.sections[last].rawSize == tailBegin;

    enum class Place { InPlace, GrowLast, NewSection } place;
    if (home >= 0) {
        const PeSection& h = pe.sections[static_cast<std::size_t>(home)];
        const bool fitsRaw = needed <= h.rawSize;
        const bool fitsMemory = homeIsLast || static_cast<std::size_t>(home) == last ||
                                needed <= pe.sections[static_cast<std::size_t>(home) + 1].virtualAddress - h.virtualAddress;
        place = fitsRaw && fitsMemory ? Place::InPlace : homeIsLast ? Place::GrowLast : Place::NewSection;
    } else {
        place = Place::NewSection;
    }

    const std::size_t newHeader = pe.sectionTable + PeHeaders::kSectionHeaderSize * pe.sections.size();
    if (place == Place::NewSection) {
        bool room = newHeader + PeHeaders::kSectionHeaderSize <= std::min(sizeOfHeaders, firstRaw) &&
                    newHeader + PeHeaders::kSectionHeaderSize <= size;
        for (std::size_t i = 0; room && i < PeHeaders::kSectionHeaderSize; ++i)
            if (data[newHeader + i] != 0) room = false;
        if (!room)
            return refuse(ProgramIconRefusal::NoRoom,
                          "no room for another section header, and the resources do not fit where they are");
        if (pe.sections.size() >= 96)
            return refuse(ProgramIconRefusal::NoRoom, "the program has 96 sections, the most Windows loads");
    }
    const bool tailMoves = place != Place::InPlace && tail.end > tail.begin;
    if (tailMoves && tail.payload)
        return refuse(ProgramIconRefusal::Overlay,
                      "data after the last section (" + std::to_string(tail.end - tail.begin) +
                          " bytes, as an installer's payload) is found by its offset, and the resources do not fit "
                          "where they are");
    if (tailMoves && debugInTail)
        return refuse(ProgramIconRefusal::Overlay, "debug data after the last section would move");

    // Where the section goes, and the bytes around it.
    std::uint32_t rva = 0;
    std::size_t rawPointer = 0, rawSize = 0, oldRawSize = 0;
    if (place == Place::NewSection) {
        // Past every section's addresses, counting file bytes beyond the
        // virtual size too: a reader that maps those must not find the new
        // section inside the last one.
        std::uint64_t end = 0;
        for (const PeSection& s : pe.sections)
            end = std::max(end, std::uint64_t{s.virtualAddress} + std::max<std::uint64_t>(memorySize(s), s.rawSize));
        const std::uint64_t at = alignUp(end, sectionAlign);
        if (at + alignUp(needed, sectionAlign) > 0xFFFFFFFFull)
            return refuse(ProgramIconRefusal::Unsupported, "the program's address space is full");
        rva = static_cast<std::uint32_t>(at);
        rawPointer = static_cast<std::size_t>(alignUp(std::max(tailBegin, sizeOfHeaders), fileAlign));
        rawSize = static_cast<std::size_t>(alignUp(needed, fileAlign));
    } else {
        const PeSection& h = pe.sections[static_cast<std::size_t>(home)];
        rva = h.virtualAddress;
        rawPointer = h.rawPointer;
        oldRawSize = h.rawSize;
        rawSize = place == Place::InPlace ? h.rawSize : static_cast<std::size_t>(alignUp(needed, fileAlign));
    }
    const Bytes section = BuildResourceSection(plan.resources, rva, tree.rootHead);

    ProgramIconResult result;
    result.notes = plan.notes;
    Bytes& out = result.output;
    if (place == Place::InPlace) {
        out.assign(data, data + tail.end);
        std::fill(out.begin() + static_cast<long>(rawPointer), out.begin() + static_cast<long>(rawPointer + rawSize), 0);
        std::memcpy(out.data() + rawPointer, section.data(), section.size());
    } else {
        const std::size_t keep = place == Place::GrowLast ? rawPointer : tailBegin;
        out.reserve(rawPointer + rawSize + (tail.end - tail.begin));
        out.assign(data, data + keep);
        out.resize(rawPointer, 0);
        AppendBytes(out, section.data(), section.size());
        out.resize(rawPointer + rawSize, 0);
        AppendBytes(out, data + tail.begin, tail.end - tail.begin);
    }
    const std::int64_t shift = static_cast<std::int64_t>(rawPointer + rawSize) - static_cast<std::int64_t>(tailBegin);

    // Headers.
    std::uint8_t* o = out.data();
    if (place == Place::NewSection) {
        std::uint8_t* s = o + newHeader;
        const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
        bool taken = false;
        for (const PeSection& p : pe.sections) taken |= std::memcmp(p.name, name, 8) == 0;
        // A section name fills its 8 bytes; it need not end in a zero.
        std::memcpy(s, taken ? ".rsrc2\0\0" : name, 8);  // NOLINT(bugprone-not-null-terminated-result)
        WriteU32LE(s + 8, static_cast<std::uint32_t>(section.size()));
        WriteU32LE(s + 12, rva);
        WriteU32LE(s + 16, static_cast<std::uint32_t>(rawSize));
        WriteU32LE(s + 20, static_cast<std::uint32_t>(rawPointer));
        WriteU32LE(s + 36, kInitializedData | kMemRead);
        WriteU16LE(o + pe.coffHeader + 2, static_cast<std::uint16_t>(pe.sections.size() + 1));
        if (home >= 0 || hadResources)
            result.notes.push_back("the resources did not fit where they were: they are now in a new last section");
    } else {
        std::uint8_t* s = o + pe.sections[static_cast<std::size_t>(home)].headerOffset;
        WriteU32LE(s + 8, static_cast<std::uint32_t>(section.size()));
        WriteU32LE(s + 16, static_cast<std::uint32_t>(rawSize));
    }
    const std::uint32_t flags =
        place == Place::NewSection ? kInitializedData : pe.sections[static_cast<std::size_t>(home)].characteristics;
    if (flags & kInitializedData) {
        const std::uint32_t before = ReadU32LE(o + opt + PeHeaders::kSizeOfInitializedData);
        const std::int64_t grown = static_cast<std::int64_t>(before) + static_cast<std::int64_t>(rawSize) -
                                   static_cast<std::int64_t>(oldRawSize);
        WriteU32LE(o + opt + PeHeaders::kSizeOfInitializedData,
                   static_cast<std::uint32_t>(std::clamp<std::int64_t>(grown, 0, 0xFFFFFFFF)));
    }
    std::uint64_t imageEnd = 0;
    for (std::size_t i = 0; i < pe.sections.size(); ++i)
        if (static_cast<int>(i) != home || place == Place::NewSection)
            imageEnd = std::max(imageEnd, std::uint64_t{pe.sections[i].virtualAddress} + memorySize(pe.sections[i]));
    imageEnd = std::max(imageEnd, std::uint64_t{rva} + section.size());
    WriteU32LE(o + opt + PeHeaders::kSizeOfImage, static_cast<std::uint32_t>(alignUp(imageEnd, sectionAlign)));
    WriteU32LE(o + pe.dataDirectories + 8 * kPeResourceDirectory, rva);
    WriteU32LE(o + pe.dataDirectories + 8 * kPeResourceDirectory + 4, static_cast<std::uint32_t>(section.size()));
    if (stripped) {
        WriteU32LE(o + pe.dataDirectories + 8 * kPeSecurityDirectory, 0);
        WriteU32LE(o + pe.dataDirectories + 8 * kPeSecurityDirectory + 4, 0);
        result.notes.push_back("stripped the signature (a certificate of " + std::to_string(certSize) + " bytes)");
    }
    if (tail.symbols && shift != 0 && place != Place::InPlace) {
        WriteU32LE(o + pe.coffHeader + 8, static_cast<std::uint32_t>(static_cast<std::int64_t>(symBegin) + shift));
        result.notes.push_back("moved the COFF symbol table behind the resources (PointerToSymbolTable updated)");
    }
    WriteU32LE(o + opt + PeHeaders::kCheckSum, 0);
    WriteU32LE(o + opt + PeHeaders::kCheckSum, PeChecksum(o, out.size(), opt + PeHeaders::kCheckSum));
    return result;
}

}  // namespace vornik
