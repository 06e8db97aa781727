#include "anim/FrameSizes.h"

#include <algorithm>
#include <cstdint>

#include "imaging/BitmapInfoHeader.h"
#include "model/SetNotices.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

int entryWidth(const IconEntry& e) {
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize) return 0;
    return static_cast<int>(ReadU32LE(e.InfoHeader.data() + bih::kWidth));
}

std::string joined(const std::vector<int>& sizes) {
    std::string out;
    for (int s : sizes) out += (out.empty() ? "" : ", ") + std::to_string(s);
    return out;
}

}  // namespace

std::vector<int> FrameSizes(const TAniEX& set, int frame) {
    if (frame < 0 || frame >= set.Count) return {};
    if (const FrameImageList* list = set.ImagesOfFrame(frame)) {
        std::vector<int> out;
        for (std::size_t k = 0; k < list->Images.size(); ++k)
            out.push_back(static_cast<int>(k) == list->Shown ? entryWidth(set.Entries[static_cast<std::size_t>(frame)])
                                                             : list->Images[k].Width);
        return out;
    }
    const int w = entryWidth(set.Entries[static_cast<std::size_t>(frame)]);
    return w > 0 ? std::vector<int>{w} : std::vector<int>{};
}

std::string FrameSizesCaption(const TAniEX& set, int frame) {
    std::vector<int> sizes = FrameSizes(set, frame);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return joined(sizes);
}

std::vector<int> SetSizes(const TAniEX& set) {
    std::vector<int> all;
    for (int f = 0; f < set.Count; ++f)
        for (int s : FrameSizes(set, f)) all.push_back(s);
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

int ShownSize(const TAniEX& set, int frame) {
    if (frame < 0 || frame >= set.Count) return 0;
    return entryWidth(set.Entries[static_cast<std::size_t>(frame)]);
}

std::string CommitShownImage(TAniEX& set, int frame) {
    if (frame < 0 || frame >= set.Count || static_cast<std::size_t>(frame) >= set.FrameImages.size()) return {};
    FrameImageList& list = set.FrameImages[static_cast<std::size_t>(frame)];
    if (!list.HoldsImages()) return {};
    const IconEntry& e = set.Entries[static_cast<std::size_t>(frame)];
    FrameImage& shown = list.Images[static_cast<std::size_t>(list.Shown)];
    if (list.ShownUnchanged(e)) {
        // The block is as read; only the hot spot may have been set since.
        WriteU16LE(shown.Directory.data() + 4, e.HotSpotX);
        WriteU16LE(shown.Directory.data() + 6, e.HotSpotY);
        return {};
    }
    FrameImage made;
    std::string problem = MakeFrameImage(e, made);
    if (!problem.empty()) return problem;
    shown = std::move(made);
    list.RememberShown(e);
    return {};
}

int ShowFrameSize(TAniEX& set, int size) {
    int showing = 0;
    for (int f = 0; f < set.Count; ++f) {
        const std::vector<int> sizes = FrameSizes(set, f);
        const auto it = std::find(sizes.begin(), sizes.end(), size);
        if (it == sizes.end()) continue;
        const int k = static_cast<int>(it - sizes.begin());
        const FrameImageList* list = set.ImagesOfFrame(f);
        if (!list || list->Shown == k) {
            ++showing;
            continue;
        }
        if (!CommitShownImage(set, f).empty()) continue;  // its edits cannot be kept aside: it stays
        IconEntry decoded;
        if (!set.DecodeFrameImage(f, k, decoded).empty()) continue;  // an image not shown here (PNG)
        FrameImageList& mine = set.FrameImages[static_cast<std::size_t>(f)];
        mine.Shown = k;
        set.Entries[static_cast<std::size_t>(f)] = std::move(decoded);
        mine.RememberShown(set.Entries[static_cast<std::size_t>(f)]);
        ++showing;
    }
    return showing;
}

FrameCopy CopyFrame(TAniEX& set, int frame) {
    FrameCopy copy;
    if (frame < 0 || frame >= set.Count) return copy;
    CommitShownImage(set, frame);
    copy.Entry = set.Entries[static_cast<std::size_t>(frame)];
    if (const FrameImageList* list = set.ImagesOfFrame(frame)) copy.Images = *list;
    return copy;
}

std::vector<int> InsertFrameCopies(TAniEX& set, int before, const std::vector<FrameCopy>& copies) {
    std::vector<int> made;
    if (before < 0 || before > set.Count) before = set.Count;
    if (set.FrameImages.size() < static_cast<std::size_t>(set.Count))
        set.FrameImages.resize(static_cast<std::size_t>(set.Count));
    for (const FrameCopy& copy : copies) {
        const int at = before + static_cast<int>(made.size());
        if (set.Count >= TIconEx::kMaxEntries || set.StepCount() >= TAniEX::kMaxSteps) {
            ShowMessage(setmsg::SetFull());
            break;
        }
        if (set.AddSlot(at) < 0) break;
        set.Entries[static_cast<std::size_t>(at)] = copy.Entry;
        set.FrameImages.insert(set.FrameImages.begin() + at, copy.Images);
        set.FrameImages.resize(static_cast<std::size_t>(set.Count));
        for (int s = 0; s < set.StepCount(); ++s) {
            AniStep& st = set.Steps[static_cast<std::size_t>(s)];
            if (st.Frame >= at) ++st.Frame;
        }
        const int s = set.StepCount();
        set.Steps[static_cast<std::size_t>(s)] = {static_cast<std::int32_t>(set.AnimHeader.DisplayRate), at};
        set.AnimHeader.StepCount = static_cast<std::uint32_t>(s + 1);
        set.AnimHeader.FrameCount = set.Count;
        made.push_back(at);
    }
    return made;
}

}  // namespace vornik
