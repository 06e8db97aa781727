#include "app/FrameAutoComplete.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "anim/FrameImages.h"
#include "anim/FrameSizes.h"
#include "anim/TAniEX.h"
#include "app/EntryCommands.h"

namespace vornik {

int AutoCompleteFrames(MainState& s) {
    TAniEX* ani = s.doc.AniSet.get();
    if (!ani) return 0;
    int added = 0;
    for (int f = 0; f < ani->Count; ++f) {
        if (!CommitShownImage(*ani, f).empty()) continue;
        // The frame's images as a cursor set of their own, completed there.
        MainState scratch;
        scratch.settings = s.settings;
        scratch.edit.PageControl1 = kIconPage;
        scratch.doc.IconSet = std::make_unique<TIconCurEX>();
        TIconCurEX& set = *scratch.doc.IconSet;
        set.ResourceType = 2;
        const int count = ani->FrameImageCount(f);
        bool decoded = true;
        for (int k = 0; k < count && decoded; ++k) {
            const int slot = set.AddSlot(-1);
            decoded = slot >= 0 && ani->DecodeFrameImage(f, k, set.Entries[static_cast<std::size_t>(slot)]).empty();
        }
        if (!decoded || set.Count == 0) continue;
        const IconEntry first = set.Entries[0];
        const int firstWidth = first.PixelWidth();
        AddMissingFormats(scratch);
        const int made = set.Count - count;  // new formats are put in front
        if (made <= 0) continue;
        FrameImageList list;
        if (const FrameImageList* old = ani->ImagesOfFrame(f)) {
            list = *old;
        } else {
            FrameImage own;
            if (!MakeFrameImage(ani->Entries[static_cast<std::size_t>(f)], own).empty()) continue;
            list.Images.push_back(std::move(own));
            list.Shown = 0;
            list.RememberShown(ani->Entries[static_cast<std::size_t>(f)]);
        }
        for (int i = 0; i < made; ++i) {
            IconEntry e = set.Entries[static_cast<std::size_t>(i)];
            const int w = e.PixelWidth();
            if (firstWidth > 0) {
                e.HotSpotX = static_cast<std::uint16_t>(std::min(first.HotSpotX * w / firstWidth, std::max(w - 1, 0)));
                e.HotSpotY = static_cast<std::uint16_t>(std::min(first.HotSpotY * w / firstWidth, std::max(w - 1, 0)));
            }
            FrameImage image;
            if (!MakeFrameImage(e, image).empty()) continue;
            list.Images.push_back(std::move(image));
            ++added;
        }
        if (ani->FrameImages.size() < static_cast<std::size_t>(ani->Count))
            ani->FrameImages.resize(static_cast<std::size_t>(ani->Count));
        ani->FrameImages[static_cast<std::size_t>(f)] = std::move(list);
    }
    if (added > 0 && s.RefillAnimation) s.RefillAnimation(s);
    return added;
}

void AutoCompleteShown(MainState& s) {
    if (s.edit.PageControl1 == kAnimationPage)
        AutoCompleteFrames(s);
    else
        AddMissingFormats(s);
}

}  // namespace vornik
