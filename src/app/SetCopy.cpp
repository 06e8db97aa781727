#include "app/SetCopy.h"

#include <algorithm>

namespace vornik {

namespace {

void copyTable(const TIconEx& from, TIconEx& to) {
    to.Reserved = from.Reserved;
    to.ResourceType = from.ResourceType;
    to.Count = from.Count;
    const int n = std::min<int>(from.Count, TIconEx::kMaxEntries);
    std::copy(from.Entries.begin(), from.Entries.begin() + n, to.Entries.begin());
}

bool sameEntry(const IconEntry& a, const IconEntry& b) {
    std::uint8_t da[IconEntry::kDirectorySize], db[IconEntry::kDirectorySize];
    a.WriteDirectory(da);
    b.WriteDirectory(db);
    return std::equal(da, da + sizeof da, db) && a.InfoHeader == b.InfoHeader && a.XorBits == b.XorBits &&
           a.AndBits == b.AndBits && a.XorSize == b.XorSize && a.AndSize == b.AndSize;
}

bool sameFrameImages(const TAniEX& a, const TAniEX& b) {
    for (int f = 0; f < a.Count; ++f) {
        const FrameImageList* x = a.ImagesOfFrame(f);
        const FrameImageList* y = b.ImagesOfFrame(f);
        if (!x || !y) {
            if (x != y) return false;
            continue;
        }
        if (x->Shown != y->Shown || x->Images.size() != y->Images.size()) return false;
        for (std::size_t k = 0; k < x->Images.size(); ++k)
            if (x->Images[k].Directory != y->Images[k].Directory || x->Images[k].Data != y->Images[k].Data)
                return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<TIconCurEX> CopySet(const TIconCurEX& set) {
    auto copy = std::make_unique<TIconCurEX>();
    copyTable(set, *copy);
    return copy;
}

std::unique_ptr<TAniEX> CopyAniSet(const TAniEX& set) {
    auto copy = std::make_unique<TAniEX>(set.DefaultRate);
    copyTable(set, *copy);
    copy->Title = set.Title;
    copy->Creator = set.Creator;
    copy->HasRateChunk = set.HasRateChunk;
    copy->HasSeqChunk = set.HasSeqChunk;
    copy->AnimHeader = set.AnimHeader;
    copy->Steps = set.Steps;
    copy->DefaultRate = set.DefaultRate;
    copy->FrameImages = set.FrameImages;  // the other sizes of each frame: undo must not drop them
    copy->KeepInfoUtf8 = set.KeepInfoUtf8;
    return copy;
}

bool SameSet(const TIconEx& a, const TIconEx& b) {
    if (a.Reserved != b.Reserved || a.ResourceType != b.ResourceType || a.Count != b.Count) return false;
    const int n = std::min<int>(a.Count, TIconEx::kMaxEntries);
    for (int i = 0; i < n; ++i)
        if (!sameEntry(a.Entries[i], b.Entries[i])) return false;
    return true;
}

bool SameAniSet(const TAniEX& a, const TAniEX& b) {
    return SameSet(a, b) && a.Title == b.Title && a.Creator == b.Creator && a.AnimHeader == b.AnimHeader &&
           a.Steps == b.Steps && a.HasRateChunk == b.HasRateChunk && a.HasSeqChunk == b.HasSeqChunk &&
           sameFrameImages(a, b);
}

std::size_t SetBytes(const TIconEx& set) {
    std::size_t n = sizeof(TIconEx);
    for (int i = 0; i < std::min<int>(set.Count, TIconEx::kMaxEntries); ++i) {
        const IconEntry& e = set.Entries[i];
        n += e.InfoHeader.size() + e.XorBits.size() + e.AndBits.size();
    }
    return n;
}

}  // namespace vornik
