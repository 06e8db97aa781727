// Groups of an executable's icons and cursors written as ICO and CUR files.
#include "model/GroupFile.h"

#include <map>
#include <set>

#include "imaging/BitmapInfoHeader.h"
#include "model/ExeResourceSet.h"
#include "model/IconEntry.h"
#include "model/IconImageReader.h"

namespace vornik {

namespace {

constexpr std::size_t kHotSpotBytes = 4;

std::string safeFileName(const std::string& name) {
    std::string out;
    for (unsigned char c : name)
        out += (c < 0x20 || c == 0x7F || std::string("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
                   ? '_'
                   : static_cast<char>(c);
    if (out.empty() || out == "." || out == "..") out = "_" + out;
    if (out[0] == '.' || out[0] == '-') out = "_" + out;
    return out;
}

}  // namespace

Bytes GroupFileBytes(const std::uint8_t* data, std::size_t size, const ExeResources& res,
                     const ResourceGroup& group, std::vector<std::string>& notes) {
    struct Taken {
        const GroupMember* member;
        std::size_t offset;
        std::size_t length;
        std::uint16_t hotX, hotY;
    };
    std::vector<Taken> taken;
    for (std::size_t k = 0; k < group.members.size(); ++k) {
        const GroupMember& m = group.members[k];
        if (m.image < 0) continue;
        const ResourceImage& image = res.ImagesOf(group.kind)[static_cast<std::size_t>(m.image)];
        std::size_t offset = image.offset, length = MemberImageSize(res, group.kind, m);
        if (offset > size || length > size - offset) continue;  // the reader refuses such images
        std::uint16_t hotX = 0, hotY = 0;
        if (group.kind == 2) {
            if (length < kHotSpotBytes) {
                notes.push_back(GroupTitle(group, false) + ": image #" + std::to_string(k + 1) +
                                " is too short for a hot spot; skipped");
                continue;
            }
            hotX = ReadU16LE(data + offset);
            hotY = ReadU16LE(data + offset + 2);
            offset += kHotSpotBytes;
            length -= kHotSpotBytes;
        }
        taken.push_back({&m, offset, length, hotX, hotY});
    }
    if (taken.empty()) return {};
    Bytes out;
    AppendU16LE(out, 0);
    AppendU16LE(out, static_cast<std::uint16_t>(group.kind));
    AppendU16LE(out, static_cast<std::uint16_t>(taken.size()));
    std::size_t at = 6 + IconEntry::kDirectorySize * taken.size();
    for (const Taken& t : taken) {
        const GroupMember& m = *t.member;
        out.push_back(m.width);
        out.push_back(m.height);
        if (group.kind == 2) {
            out.push_back(DirectoryColorCount(m.bitCount));
            out.push_back(0);
            AppendU16LE(out, t.hotX);
            AppendU16LE(out, t.hotY);
        } else {
            out.push_back(m.colorCount);
            out.push_back(m.reserved);
            AppendU16LE(out, m.planes);
            AppendU16LE(out, m.bitCount);
        }
        AppendU32LE(out, static_cast<std::uint32_t>(t.length));
        AppendU32LE(out, static_cast<std::uint32_t>(at));
        at += t.length;
    }
    for (const Taken& t : taken) AppendBytes(out, data + t.offset, t.length);
    return out;
}

std::vector<std::string> GroupFileNames(const ExeResources& res) {
    std::map<std::pair<int, std::string>, std::set<std::uint16_t>> languages;
    for (const ResourceGroup& g : res.groups) languages[{g.kind, g.name.Text()}].insert(g.language);
    std::vector<std::string> names;
    std::set<std::string> used;
    for (const ResourceGroup& g : res.groups) {
        std::string base = g.name.Text();
        if (languages[{g.kind, base}].size() > 1) {
            base += '-';
            base += std::to_string(g.language);
        }
        base = safeFileName(base);
        const std::string ext = g.kind == 2 ? ".cur" : ".ico";
        std::string name = base + ext;
        for (int n = 2; used.count(name); ++n) name = base + "-" + std::to_string(n) + ext;
        used.insert(name);
        names.push_back(name);
    }
    return names;
}

bool ImageDimensions(const std::uint8_t* image, std::size_t size, int* width, int* height, int* bitCount,
                     bool* png) {
    *png = IsPngImage(image, size, 0);
    if (*png) {
        // Signature (8), IHDR length and type (8), width, height, bit depth, colour type.
        if (size < 26) return false;
        auto be32 = [&](std::size_t o) {
            return static_cast<int>((std::uint32_t{image[o]} << 24 | std::uint32_t{image[o + 1]} << 16 |
                                     std::uint32_t{image[o + 2]} << 8 | image[o + 3]) &
                                    0x7FFFFFFF);
        };
        *width = be32(16);
        *height = be32(20);
        const int channels[] = {1, 0, 3, 1, 2, 0, 4};
        const int type = image[25];
        *bitCount = image[24] * (type <= 6 ? channels[type] : 0);
        return true;
    }
    if (size < BitmapInfoHeader::kSize) return false;
    *width = ReadI32LE(image + bih::kWidth);
    *height = ReadI32LE(image + bih::kHeight) / 2;
    *bitCount = ReadU16LE(image + bih::kBitCount);
    return true;
}

}  // namespace vornik
