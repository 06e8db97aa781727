// Reading ICO and CUR files into a resource set.
#include <algorithm>
#include <cstddef>
#include <fstream>

#include "model/IconImageReader.h"
#include "model/IconPngImage.h"
#include "model/TIconEx.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::size_t kHeaderSize = 6;

// Files above this size are first checked from their directory and image
// headers alone, so one whose images declare more than the decoding budget
// is refused before it is read into memory (a 1 GB file of one 65535 x 65535
// image no longer holds 1 GB to learn that).
constexpr std::uint64_t kCheckHeadersFirstAbove = std::uint64_t{64} << 20;

// The total the images declare, read piecewise from the file; 0 when the
// file cannot tell (the full read then refuses it with the exact reason).
std::uint64_t declaredByHeaders(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return 0;
    in.seekg(0, std::ios::end);
    const std::uint64_t size = static_cast<std::uint64_t>(in.tellg());
    std::uint8_t header[kHeaderSize];
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(header), kHeaderSize)) return 0;
    const std::uint16_t count = ReadU16LE(header + 4);
    if (count == 0 || count > TIconEx::kMaxEntries) return 0;
    Bytes directory(IconEntry::kDirectorySize * count);
    if (!in.read(reinterpret_cast<char*>(directory.data()), static_cast<std::streamsize>(directory.size()))) return 0;
    const std::uint64_t directoryEnd = kHeaderSize + directory.size();
    std::uint64_t declared = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t offset = ReadU32LE(directory.data() + IconEntry::kDirectorySize * i + 12);
        if (offset < directoryEnd || offset >= size) continue;
        std::uint8_t head[40] = {};
        in.clear();
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(reinterpret_cast<char*>(head), sizeof head);
        const std::size_t got = static_cast<std::size_t>(in.gcount());
        declared = std::min<std::uint64_t>(declared + DeclaredImageBytesOfHead(head, got, size - offset),
                                           kMaxDecodedImageBytes + 1);
    }
    return declared;
}

}  // namespace

bool TIconEx::LoadFromFile(const std::string& path) {
    if (!FileExists(path)) {
        Clear();
        loadError_ = "\"" + path + "\": the file does not exist";
        return false;
    }
    Clear();
    if (FileSizeOf(path) > kCheckHeadersFirstAbove && declaredByHeaders(path) > kMaxDecodedImageBytes) {
        loadError_ = "\"" + path + "\": the images together decode to more than " +
                     std::to_string(kMaxDecodedImageBytes >> 20) + " MiB";
        return false;
    }
    return LoadFromBytes(ReadFileBytes(path), path);
}

bool TIconEx::LoadFromBytes(const Bytes& data, const std::string& nameForMessages) {
    Clear();
    loadError_.clear();
    auto refuse = [&](const std::string& problem) {
        Clear();
        loadError_ = "\"" + nameForMessages + "\": " + problem;
        return false;
    };
    const std::uint8_t* p = data.data();
    const std::size_t size = data.size();
    if (size < kHeaderSize) return refuse("the file is too short for an icon or cursor header");
    const std::uint16_t reserved = ReadU16LE(p);
    const std::uint16_t type = ReadU16LE(p + 2);
    const std::uint16_t count = ReadU16LE(p + 4);
    if (reserved != 0 || (type != 1 && type != 2))
        return refuse("not an icon or cursor file (reserved " + std::to_string(reserved) + ", type " +
                      std::to_string(type) + ")");
    if (count == 0) return refuse("the file holds no images");
    if (count > kMaxEntries)
        return refuse("the directory declares " + std::to_string(count) + " images, more than " +
                      std::to_string(kMaxEntries));
    const std::size_t directoryEnd = kHeaderSize + IconEntry::kDirectorySize * count;
    if (size < directoryEnd) return refuse("the directory runs past the end of the file");

    // What the images declare is summed before any is decoded: a small file
    // of many large PNG images is refused at once, not after hundreds of
    // megabytes of decoding.
    std::uint64_t declared = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t offset =
            ReadU32LE(p + kHeaderSize + IconEntry::kDirectorySize * static_cast<std::size_t>(i) + 12);
        if (offset >= directoryEnd && offset < size)
            declared = std::min<std::uint64_t>(declared + std::min<std::uint64_t>(DeclaredImageBytes(p, size, offset),
                                                                                  kMaxDecodedImageBytes + 1),
                                               kMaxDecodedImageBytes + 1);
    }
    if (declared > kMaxDecodedImageBytes)
        return refuse("the images together decode to more than " + std::to_string(kMaxDecodedImageBytes >> 20) +
                      " MiB");

    Reserved = reserved;
    ResourceType = type;
    std::size_t next = directoryEnd;
    // Entries may point at the same bytes; the total held is kept within the
    // file's size so 1000 entries cannot make one large image a thousandfold.
    std::size_t held = 0;
    std::size_t decoded = 0;
    for (int i = 0; i < count; ++i) {
        IconEntry& e = Entries[static_cast<std::size_t>(i)];
        e.ReadDirectory(p + kHeaderSize + IconEntry::kDirectorySize * static_cast<std::size_t>(i));
        // Images are normally contiguous after the directory; when the recorded
        // offset is plausible we trust it, so stored order and gaps do not matter.
        const std::size_t at = e.ImageOffset >= directoryEnd && e.ImageOffset < size
                                   ? static_cast<std::size_t>(e.ImageOffset)
                                   : next;
        // Count covers the entries read so far, so a refusal releases them.
        Count = static_cast<std::uint16_t>(i + 1);
        // Checked before the rows are copied or the PNG decoded.
        if (DeclaredImageBytes(p, size, at) > kMaxDecodedImageBytes - decoded)
            return refuse("entry " + std::to_string(i) + ": the images together decode to more than " +
                          std::to_string(kMaxDecodedImageBytes >> 20) + " MiB");
        const std::string problem = ReadIconImage(p, size, at, e, &next);
        if (problem == kPngImageNotSupported)
            return refuse("PNG-compressed image in entry " + std::to_string(i) + " is not supported yet");
        if (!problem.empty()) return refuse("entry " + std::to_string(i) + ": " + problem);
        decoded += HeldBytes(e);
        if (decoded > kMaxDecodedImageBytes)
            return refuse("entry " + std::to_string(i) + ": the images together decode to more than " +
                          std::to_string(kMaxDecodedImageBytes >> 20) + " MiB");
        held += next - at;
        if (held > size - directoryEnd)
            return refuse("entry " + std::to_string(i) +
                          ": images overlap, together they are larger than the file");
    }
    return true;
}

}  // namespace vornik
