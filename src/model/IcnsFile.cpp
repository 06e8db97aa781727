// Reading and writing the ICNS container.
#include "model/IcnsFile.h"

#include <cstdio>

#include "model/IcnsImage.h"
#include "model/IconImageReader.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::uint32_t kMagic = IcnsType("icns");
constexpr std::uint32_t kTableOfContents = IcnsType("TOC ");

std::uint32_t readU32BE(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

void appendU32BE(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

std::string hex(std::size_t v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%zx", v);
    return buf;
}

}  // namespace

std::string IcnsTypeText(std::uint32_t type) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned c = (type >> shift) & 0xFF;
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

bool IsIcnsData(const std::uint8_t* data, std::size_t size) { return size >= 4 && readU32BE(data) == kMagic; }

IcnsFile ReadIcns(const std::uint8_t* data, std::size_t size, const std::string& name) {
    auto refuse = [&](const std::string& problem) { return EIcnsError("\"" + name + "\": " + problem); };
    if (size < kHeaderSize) throw refuse("the file is too short for an ICNS header");
    if (!IsIcnsData(data, size)) throw refuse("not an ICNS file (it does not begin with \"icns\")");
    const std::uint32_t declared = readU32BE(data + 4);
    if (declared < kHeaderSize)
        throw refuse("the header declares a length of " + std::to_string(declared) + " bytes");
    if (declared > size)
        throw refuse("the header declares " + std::to_string(declared) + " bytes but the file has " +
                     std::to_string(size) + ": it is cut short");
    // Bytes after the declared end belong to no element and are not read.
    const std::size_t end = declared;

    IcnsFile file;
    std::size_t pos = kHeaderSize, count = 0;
    while (pos < end) {
        if (end - pos < kHeaderSize)
            throw refuse("an element header at " + hex(pos) + " runs past the end of the file");
        const std::uint32_t type = readU32BE(data + pos);
        const std::uint32_t length = readU32BE(data + pos + 4);
        const std::string what = "element \"" + IcnsTypeText(type) + "\" at " + hex(pos);
        if (length < kHeaderSize)
            throw refuse(what + " declares a length of " + std::to_string(length) + " bytes");
        if (length > end - pos)
            throw refuse(what + " declares " + std::to_string(length) + " bytes but only " +
                         std::to_string(end - pos) + " remain");
        if (++count > kMaxIcnsElements)
            throw refuse("more than " + std::to_string(kMaxIcnsElements) + " elements");
        if (type != kTableOfContents) {
            IcnsElement e;
            e.type = type;
            e.offset = static_cast<std::uint32_t>(pos);
            e.data.assign(data + pos + kHeaderSize, data + pos + length);
            file.elements.push_back(std::move(e));
        }
        pos += length;
    }
    if (file.elements.empty()) throw refuse("the file holds no elements");

    // What the images decode to is bounded before any is decoded; images
    // that cannot be used are left out and named.
    std::uint64_t decoded = 0;
    std::vector<IcnsElement> kept;
    for (IcnsElement& e : file.elements) {
        const IcnsTypeInfo* info = FindIcnsType(e.type);
        if (info) {
            decoded += std::uint64_t(info->side) * info->side * 4;
            if (decoded > kMaxDecodedImageBytes)
                throw refuse("the images together decode to more than " +
                             std::to_string(kMaxDecodedImageBytes >> 20) + " MiB");
            const std::string problem = CheckIcnsElement(e, *info);
            if (!problem.empty()) {
                file.losses.push_back("element \"" + IcnsTypeText(e.type) + "\" at " + hex(e.offset) + ": " +
                                      problem + "; left out");
                continue;
            }
        }
        kept.push_back(std::move(e));
    }
    // Nothing usable is a refusal, not an empty read: written back, it would
    // be a file this reader refuses.
    if (kept.empty()) throw refuse("none of its elements can be used (" + file.losses.front() + ")");
    file.elements = std::move(kept);
    return file;
}

IcnsFile ReadIcnsFile(const std::string& path) {
    if (!FileExists(path)) throw EIcnsError("\"" + path + "\": the file does not exist");
    if (FileSizeOf(path) > kMaxIcnsFileBytes)
        throw EIcnsError("\"" + path + "\": larger than " + std::to_string(kMaxIcnsFileBytes >> 20) +
                         " MiB, more than an icon file holds");
    const Bytes data = ReadFileBytes(path, kMaxIcnsFileBytes);
    return ReadIcns(data.data(), data.size(), path);
}

Bytes WriteIcns(const std::vector<IcnsElement>& elements) {
    std::uint64_t total = kHeaderSize * 2;
    std::size_t listed = 0;
    for (const IcnsElement& e : elements) {
        if (e.type == kTableOfContents) continue;
        total += kHeaderSize * 2 + e.data.size();  // the element and its line in the table
        ++listed;
    }
    if (total > 0xFFFFFFFFu) throw EIcnsError("the icons would make an ICNS file larger than 4 GiB");
    Bytes out;
    out.reserve(static_cast<std::size_t>(total));
    appendU32BE(out, kMagic);
    appendU32BE(out, static_cast<std::uint32_t>(total));
    appendU32BE(out, kTableOfContents);
    appendU32BE(out, static_cast<std::uint32_t>(kHeaderSize + kHeaderSize * listed));
    for (const IcnsElement& e : elements) {
        if (e.type == kTableOfContents) continue;
        appendU32BE(out, e.type);
        appendU32BE(out, static_cast<std::uint32_t>(kHeaderSize + e.data.size()));
    }
    for (const IcnsElement& e : elements) {
        if (e.type == kTableOfContents) continue;
        appendU32BE(out, e.type);
        appendU32BE(out, static_cast<std::uint32_t>(kHeaderSize + e.data.size()));
        out.insert(out.end(), e.data.begin(), e.data.end());
    }
    return out;
}

void SaveIcnsFile(const std::string& path, const std::vector<IcnsElement>& elements) {
    WriteFileReplacing(path, WriteIcns(elements));
}

}  // namespace vornik
