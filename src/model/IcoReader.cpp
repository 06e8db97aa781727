// Reading ICO and CUR files into a resource set.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fstream>

#include "imaging/BitmapInfoHeader.h"
#include "model/EntryStorage.h"
#include "model/PngImage.h"

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

std::uint32_t readU32BE(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The end of the PNG stream at data[at] (after its IEND chunk), walking the
// chunk lengths without decoding; 0 when a chunk runs past the bytes present.
std::size_t pngStreamEnd(const std::uint8_t* data, std::size_t size, std::size_t at) {
    std::size_t pos = at + 8;
    while (pos <= size && size - pos >= 12) {
        const std::uint64_t length = readU32BE(data + pos);
        if (length > size - pos - 12) return 0;
        const bool end = std::memcmp(data + pos + 4, "IEND", 4) == 0;
        pos += 12 + static_cast<std::size_t>(length);
        if (end) return pos;
    }
    return 0;
}

// A PNG-compressed image taken without decoding: its sides from IHDR, its
// stream kept whole. Same contract as ReadIconImage.
std::string readPngHeaderOnly(const std::uint8_t* data, std::size_t size, std::size_t at, IconEntry& e,
                              std::size_t* next) {
    if (size - at < 33 || std::memcmp(data + at + 12, "IHDR", 4) != 0) return "PNG image: no IHDR chunk";
    const std::int64_t w = static_cast<std::int64_t>(readU32BE(data + at + 16));
    const std::int64_t h = static_cast<std::int64_t>(readU32BE(data + at + 20));
    if (w < 1 || h < 1 || w > kMaxPngIconSide || h > kMaxPngIconSide)
        return "PNG image: " + std::to_string(w) + " x " + std::to_string(h) + " pixels, more than " +
               std::to_string(kMaxPngIconSide) + " a side or none";
    const std::size_t end = pngStreamEnd(data, size, at);
    if (end == 0) return "PNG image: the stream runs past the end of the file";
    BitmapInfoHeader header;
    header.biWidth = static_cast<std::int32_t>(w);
    header.biHeight = static_cast<std::int32_t>(h);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biSizeImage = static_cast<std::uint32_t>(w * 4 * h);
    e.InfoHeader.assign(BitmapInfoHeader::kSize, 0);
    header.Write(e.InfoHeader.data());
    e.XorBits.clear();
    e.AndBits.clear();
    e.XorSize = 0;
    e.AndSize = 0;
    e.SourcePos = static_cast<std::int32_t>(at);
    KeepPngStream(e, data + at, end - at);
    *next = end;
    return {};
}

}  // namespace

bool TIconEx::LoadFromFile(const std::string& path, bool pngPixels) {
    if (!FileExists(path)) {
        Clear();
        loadError_ = "\"" + path + "\": the file does not exist";
        return false;
    }
    Clear();
    if (pngPixels && FileSizeOf(path) > kCheckHeadersFirstAbove && declaredByHeaders(path) > kMaxDecodedImageBytes) {
        loadError_ = "\"" + path + "\": the images together decode to more than " +
                     std::to_string(kMaxDecodedImageBytes >> 20) + " MiB";
        return false;
    }
    return LoadFromBytes(ReadFileBytes(path), path, pngPixels);
}

bool TIconEx::LoadFromBytes(const Bytes& data, const std::string& nameForMessages, bool pngPixels) {
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
    for (int i = 0; i < count && pngPixels; ++i) {
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
        const bool keepPng = !pngPixels && IsPngImage(p, size, at);
        // Checked before the rows are copied or the PNG decoded.
        if (!keepPng && DeclaredImageBytes(p, size, at) > kMaxDecodedImageBytes - decoded)
            return refuse("entry " + std::to_string(i) + ": the images together decode to more than " +
                          std::to_string(kMaxDecodedImageBytes >> 20) + " MiB");
        const std::string problem = keepPng ? readPngHeaderOnly(p, size, at, e, &next) : ReadIconImage(p, size, at, e, &next);
        if (problem == kPngImageNotSupported)
            return refuse("PNG-compressed image in entry " + std::to_string(i) + " is not supported yet");
        if (!problem.empty()) return refuse("entry " + std::to_string(i) + ": " + problem);
        decoded += HeldBytes(e) + e.PngStream.size();
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
