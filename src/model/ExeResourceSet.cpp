// A resource set filled from the icon and cursor resources of an executable.
#include "model/ExeResourceSet.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <set>
#include <utility>

#include "imaging/BitmapInfoHeader.h"
#include "model/IconImageReader.h"

namespace vornik {

namespace {

constexpr std::size_t kHotSpotBytes = 4;

struct Pending {
    int kind;
    const ResourceImage* image;
    std::size_t size;
    std::string label;
    std::string group;
    int language = -1;
};

std::string imageName(int kind, std::uint16_t id) {
    return (kind == 2 ? "RT_CURSOR " : "RT_ICON ") + std::to_string(id);
}

// The images in the order the editor lists them.
std::vector<Pending> listOrder(const ExeResources& res) {
    std::vector<Pending> order;
    const std::vector<std::string> labels = GroupLabels(res);
    std::set<std::pair<int, int>> named;
    for (std::size_t g = 0; g < res.groups.size(); ++g) {
        const ResourceGroup& group = res.groups[g];
        for (std::size_t k = 0; k < group.members.size(); ++k) {
            const GroupMember& m = group.members[k];
            if (m.image < 0) continue;
            const ResourceImage& image = res.ImagesOf(group.kind)[static_cast<std::size_t>(m.image)];
            order.push_back({group.kind, &image, MemberImageSize(res, group.kind, m), labels[g] + " #" + std::to_string(k + 1),
                             group.name.Text(), group.language});
            named.insert({group.kind, m.image});
        }
    }
    for (int kind : {2, 1}) {
        const auto& images = res.ImagesOf(kind);
        for (std::size_t i = 0; i < images.size(); ++i)
            if (!named.count({kind, static_cast<int>(i)}))
                order.push_back({kind, &images[i], images[i].size, imageName(kind, images[i].id), {}, -1});
    }
    return order;
}

}  // namespace

std::vector<std::string> GroupLabels(const ExeResources& res) {
    std::map<std::pair<int, std::string>, std::set<std::uint16_t>> languages;
    for (const ResourceGroup& g : res.groups) languages[{g.kind, g.name.Text()}].insert(g.language);
    std::vector<std::string> labels;
    for (const ResourceGroup& g : res.groups) {
        std::string label = g.name.Text();
        if (languages[{g.kind, label}].size() > 1) label += " (language " + std::to_string(g.language) + ")";
        labels.push_back(std::move(label));
    }
    return labels;
}

std::size_t MemberImageSize(const ExeResources& res, int kind, const GroupMember& member) {
    if (member.image < 0) return 0;
    const ResourceImage& image = res.ImagesOf(kind)[static_cast<std::size_t>(member.image)];
    if (res.format == ExeFormat::NE && member.bytesInRes != 0 && member.bytesInRes < image.size)
        return member.bytesInRes;
    return image.size;
}

std::size_t WalkResourceImages(const std::uint8_t* data, std::size_t size, const ExeResources& res,
                               std::vector<std::string>& notes, const std::function<bool(ExeImage&)>& take,
                               const std::function<void(std::size_t, std::size_t)>& done) {
    std::size_t handed = 0;
    for (const Pending& p : listOrder(res)) {
        const std::string what = p.label + " (" + imageName(p.kind, p.image->id) + ")";
        std::size_t length = p.size;
        std::size_t at = p.image->offset;
        if (at > size || length > size - at) {
            notes.push_back(what + ": its data runs past the end of the file; skipped");
            continue;
        }
        ExeImage image;
        IconEntry& e = image.entry;
        if (p.kind == 2) {
            if (length < kHotSpotBytes) {
                notes.push_back(what + ": too short for a hot spot; skipped");
                continue;
            }
            e.HotSpotX = ReadU16LE(data + at);
            e.HotSpotY = ReadU16LE(data + at + 2);
            at += kHotSpotBytes;
            length -= kHotSpotBytes;
        }
        std::size_t next = 0;
        // The image is read within its own resource's bytes only.
        const std::string problem = ReadIconImage(data + at, length, 0, e, &next);
        if (done) done(p.image->offset, p.size);
        if (!problem.empty()) {
            notes.push_back(what + ": " + problem + "; skipped");
            continue;
        }
        const std::int32_t width = ReadI32LE(e.InfoHeader.data() + bih::kWidth);
        const std::int32_t height = ReadI32LE(e.InfoHeader.data() + bih::kHeight);
        e.Width = static_cast<std::uint8_t>(width);
        e.Height = static_cast<std::uint8_t>(height);
        e.ColorCount = DirectoryColorCount(ReadU16LE(e.InfoHeader.data() + bih::kBitCount));
        e.EntryReserved = 0;
        e.ImageSize = static_cast<std::uint32_t>(p.image->size);
        e.ImageOffset = static_cast<std::uint32_t>(p.image->offset);
        e.SourcePos = static_cast<std::int32_t>(std::min<std::size_t>(at, INT32_MAX));
        image.origin = {p.kind, p.label, p.group, p.language};
        ++handed;
        if (!take(image)) break;
    }
    return handed;
}

void FillSetFromResources(const std::uint8_t* data, std::size_t size, const ExeResources& res, TIconEx& set) {
    std::size_t decoded = 0;
    WalkResourceImages(data, size, res, set.LoadNotes, [&](ExeImage& image) {
        // Beyond the table or the decoded-size budget images are only counted.
        if (set.Count >= TIconEx::kMaxEntries || decoded + HeldBytes(image.entry) > kMaxDecodedImageBytes) {
            ++set.LeftOut;
            return true;
        }
        decoded += HeldBytes(image.entry);
        set.Entries[set.Count] = std::move(image.entry);
        ++set.Count;
        set.Origins.push_back(std::move(image.origin));
        return true;
    });
}

bool LoadFromExeResources(const std::uint8_t* data, std::size_t size, TIconEx& set) {
    const ExeResources res = ReadExeResources(data, size);
    if (!res.present) {
        if (!res.damage.empty())
            set.LoadNotes.push_back("the resource directory is damaged (" + res.damage +
                                    "); the file was searched for icon images instead");
        return false;
    }
    set.LoadNotes = res.problems;
    FillSetFromResources(data, size, res, set);
    return true;
}

Message LeftOutMessage(int leftOut) { return setmsg::LeftOut(leftOut); }

}  // namespace vornik
