#include "anim/TAniEX.h"

#include <algorithm>

#include "model/IconImageReader.h"
#include "model/SetNotices.h"
#include "platform/Notice.h"

namespace vornik {

TAniEX::TAniEX(std::uint32_t defaultRate) {
    AnimHeader.CursorBitCount = 4;
    AnimHeader.CursorPlanes = 1;
    AnimHeader.DisplayRate = defaultRate != 0 ? defaultRate : 10;
    DefaultRate = AnimHeader.DisplayRate;
}

int TAniEX::StepCount() const {
    return static_cast<int>(std::min<std::uint32_t>(AnimHeader.StepCount, kMaxSteps));
}

int TAniEX::AddFrame() {
    if (Count >= kMaxEntries || StepCount() >= kMaxSteps) {
        ShowMessage(setmsg::SetFull());
        return -1;
    }
    const int n = AddSlot(-1);
    if (n < 0) return -1;
    IconEntry& e = Entries[static_cast<std::size_t>(n)];
    e.InfoHeader.clear();
    e.XorBits.clear();
    e.AndBits.clear();
    const int s = StepCount();
    if (FrameImages.size() > static_cast<std::size_t>(n)) FrameImages.resize(static_cast<std::size_t>(n));
    FrameImages.resize(static_cast<std::size_t>(n) + 1);
    Steps[static_cast<std::size_t>(s)] = {static_cast<std::int32_t>(AnimHeader.DisplayRate), n};
    AnimHeader.StepCount = static_cast<std::uint32_t>(s + 1);
    AnimHeader.FrameCount = Count;
    return n;
}

int TAniEX::DeleteFrame(int frame) {
    if (Count == 0) {
        ShowMessage(setmsg::NothingToDelete());
        return -1;
    }
    if (frame < 0 || frame >= Count) {
        ShowMessage(setmsg::CannotDelete());
        return -1;
    }
    if (DeleteSlot(frame) < 0) return -1;
    if (static_cast<std::size_t>(frame) < FrameImages.size())
        FrameImages.erase(FrameImages.begin() + frame);
    // Keep the steps of the other frames; those after the deleted one follow
    // their frame one place down, so every step still names a frame.
    int kept = 0;
    for (int i = 0; i < StepCount(); ++i) {
        AniStep st = Steps[static_cast<std::size_t>(i)];
        if (st.Frame == frame) continue;
        if (st.Frame > frame) --st.Frame;
        Steps[static_cast<std::size_t>(kept++)] = st;
    }
    AnimHeader.StepCount = static_cast<std::uint32_t>(kept);
    return frame;
}

int TAniEX::InsertStep(int frame, int position, int rate) {
    const int n = StepCount();
    if (n >= kMaxSteps) {
        ShowMessage(setmsg::SetFull());
        return -1;
    }
    if (position < 0 || position > n) position = n;
    for (int i = n; i > position; --i)
        Steps[static_cast<std::size_t>(i)] = Steps[static_cast<std::size_t>(i - 1)];
    Steps[static_cast<std::size_t>(position)] = {rate, frame};
    AnimHeader.StepCount = static_cast<std::uint32_t>(n + 1);
    return 0;
}

int TAniEX::DeleteStep(int step) {
    const int n = StepCount();
    if (n == 0) {
        ShowMessage(setmsg::NothingToDelete());
        return -1;
    }
    if (step < 0 || step >= n) {
        ShowMessage(setmsg::CannotDelete());
        return -1;
    }
    for (int i = step; i + 1 < n; ++i)
        Steps[static_cast<std::size_t>(i)] = Steps[static_cast<std::size_t>(i) + 1];
    AnimHeader.StepCount = static_cast<std::uint32_t>(n - 1);
    return 0;
}

const FrameImageList* TAniEX::ImagesOfFrame(int frame) const {
    if (frame < 0 || frame >= Count || static_cast<std::size_t>(frame) >= FrameImages.size()) return nullptr;
    const FrameImageList& list = FrameImages[static_cast<std::size_t>(frame)];
    return list.HoldsImages() ? &list : nullptr;
}

int TAniEX::FrameImageCount(int frame) const {
    const FrameImageList* list = ImagesOfFrame(frame);
    return list ? static_cast<int>(list->Images.size()) : 1;
}

std::string TAniEX::DecodeFrameImage(int frame, int k, IconEntry& out) const {
    if (frame < 0 || frame >= Count) return "no frame " + std::to_string(frame);
    const FrameImageList* list = ImagesOfFrame(frame);
    if (!list || k == list->Shown) {
        if (k != 0 && !list) return "no image " + std::to_string(k);
        out = Entries[static_cast<std::size_t>(frame)];
        return {};
    }
    if (k < 0 || k >= static_cast<int>(list->Images.size())) return "no image " + std::to_string(k);
    const FrameImage& image = list->Images[static_cast<std::size_t>(k)];
    std::size_t next = 0;
    std::string problem = ReadIconImage(image.Data.data(), image.Data.size(), 0, out, &next);
    if (!problem.empty()) return problem;
    out.ReadDirectory(image.Directory.data());
    out.ImageOffset = 22;
    out.ImageSize = static_cast<std::uint32_t>(image.Data.size());
    out.SourcePos = 0;
    return {};
}

std::string TAniEX::SetFrameImages(int frame, const std::vector<IconEntry>& images) {
    if (frame < 0 || frame >= Count) return "no frame " + std::to_string(frame);
    if (images.empty()) return "no image";
    FrameImageList list;
    for (const IconEntry& e : images) {
        FrameImage image;
        std::string problem = MakeFrameImage(e, image);
        if (!problem.empty()) return "image " + std::to_string(list.Images.size()) + " " + problem;
        list.Images.push_back(std::move(image));
    }
    list.Shown = NearestTo32(list.Images);
    IconEntry& entry = Entries[static_cast<std::size_t>(frame)];
    entry = images[static_cast<std::size_t>(list.Shown)];
    list.RememberShown(entry);
    if (FrameImages.size() < static_cast<std::size_t>(Count)) FrameImages.resize(static_cast<std::size_t>(Count));
    FrameImages[static_cast<std::size_t>(frame)] = std::move(list);
    return {};
}

}  // namespace vornik
