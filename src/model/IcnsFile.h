#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Bytes.h"
#include "platform/Errors.h"

namespace vornik {

// An Apple icon file (.icns): the 8-byte header ("icns", big-endian total
// length) followed by elements, each a four-character type, a big-endian
// length that counts its own 8-byte header, and its data.

// A four-character type as the big-endian number the file holds.
constexpr std::uint32_t IcnsType(const char (&text)[5]) {
    return (std::uint32_t(std::uint8_t(text[0])) << 24) | (std::uint32_t(std::uint8_t(text[1])) << 16) |
           (std::uint32_t(std::uint8_t(text[2])) << 8) | std::uint32_t(std::uint8_t(text[3]));
}
// The type as four characters; a byte outside printable ASCII as \xNN.
std::string IcnsTypeText(std::uint32_t type);

struct IcnsElement {
    std::uint32_t type = 0;
    Bytes data;                // without the 8-byte element header
    std::uint32_t offset = 0;  // where its header was in the file read; 0 for a new element
};

// An ICNS file that is refused; the message names the file and the reason.
class EIcnsError : public EVornikError {
public:
    using EVornikError::EVornikError;
};

// Bounds of the reader: elements in one file (Apple's own files hold about
// twenty) and bytes of one file.
constexpr std::size_t kMaxIcnsElements = 512;
constexpr std::uint64_t kMaxIcnsFileBytes = std::uint64_t{256} << 20;

// What was read: every element in file order, except the table of contents,
// which is written afresh. Image elements that cannot be used are left out
// and named in losses (a PNG of the wrong size, damaged run-length data);
// elements Vornik does not decode are kept byte for byte.
struct IcnsFile {
    std::vector<IcnsElement> elements;
    std::vector<std::string> losses;
};

// True when the bytes start with "icns".
bool IsIcnsData(const std::uint8_t* data, std::size_t size);

// Checks the container (header, every element's length against the bytes
// present, the element count) and each image element's own header before
// anything is decoded. Throws EIcnsError naming `name` when the container is
// malformed or the images would decode to more than the readers' budget.
IcnsFile ReadIcns(const std::uint8_t* data, std::size_t size, const std::string& name);
IcnsFile ReadIcnsFile(const std::string& path);

// The file for the elements in their order, a table of contents first (a
// table among the elements is left out). EIcnsError when it would pass 4 GiB.
Bytes WriteIcns(const std::vector<IcnsElement>& elements);
// Writes it through WriteFileReplacing.
void SaveIcnsFile(const std::string& path, const std::vector<IcnsElement>& elements);

}  // namespace vornik
