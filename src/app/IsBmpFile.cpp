#include "app/IsBmpFile.h"

#include <cstring>
#include <fstream>

#include "imaging/BitmapInfoHeader.h"
#include "platform/Bytes.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kHeadSize = kFileHeaderSize + BitmapInfoHeader::kSize;

// Up to n bytes from the start of the file.
Bytes readHead(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError("Cannot open file \"" + path + "\"");
    Bytes head(n);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(n));
    head.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) throw EInOutError("Read error on file \"" + path + "\"");
    return head;
}

bool plausibleFileHeader(const std::uint8_t* p) {
    return p[0] == 'B' && p[1] == 'M' && ReadI32LE(p + 2) > 0 && ReadU16LE(p + 6) == 0 &&
           ReadU16LE(p + 8) == 0 && ReadI32LE(p + 10) >= 54;
}

bool plausibleInfoHeader(const std::uint8_t* p) {
    const BitmapInfoHeader h = BitmapInfoHeader::Read(p);
    const auto bits = h.biBitCount;
    return h.biSize == 40 && h.biWidth > 0 && h.biHeight > 0 && h.biPlanes == 1 &&
           (bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32) &&
           h.biCompression <= 2 && static_cast<std::int32_t>(h.biSizeImage) >= 0 && h.biXPelsPerMeter >= 0 &&
           h.biYPelsPerMeter >= 0 && h.biClrUsed <= 256 && h.biClrImportant <= 256;
}

}  // namespace

bool IsBmpContent(const std::uint8_t* head, std::size_t headSize, std::uint64_t fileSize) {
    // Files of at most 54 bytes: the file header counts as all zero (no
    // match), and the information header is read from the start.
    if (fileSize <= kHeadSize) return false;
    if (headSize < kHeadSize) return false;
    return plausibleFileHeader(head) && plausibleInfoHeader(head + kFileHeaderSize);
}

bool IsBmpFile(const std::string& path) {
    const std::uint64_t size = FileSizeOf(path);
    Bytes head = readHead(path, kHeadSize);
    const std::size_t needed = size > kHeadSize ? kHeadSize : BitmapInfoHeader::kSize;
    if (head.size() < needed) throw EInOutError("Read error on file \"" + path + "\": the file is too short");
    return IsBmpContent(head.data(), head.size(), size);
}

bool IsAniFile(const std::string& path) {
    Bytes head = readHead(path, 12);
    return head.size() == 12 && std::memcmp(head.data(), "RIFF", 4) == 0 &&
           std::memcmp(head.data() + 8, "ACON", 4) == 0;
}

}  // namespace vornik
