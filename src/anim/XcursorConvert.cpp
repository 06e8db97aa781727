#include "anim/XcursorConvert.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "imaging/BitmapInfoHeader.h"
#include "model/EntryPixels.h"
#include "model/XcursorPixels.h"

namespace vornik {

namespace {

// Windows stretches a non-square cursor image to a square; the image is put
// on a square transparent canvas instead, at its top left so that the hot
// spot stays where it was.
XcursorPicture squared(const XcursorPicture& p) {
    if (p.width == p.height) return p;
    XcursorPicture out = p;
    const std::uint32_t side = std::max(p.width, p.height);
    out.width = out.height = side;
    out.pixels.assign(std::size_t{side} * side, 0);
    for (std::uint32_t y = 0; y < p.height; ++y)
        std::copy_n(p.pixels.begin() + static_cast<std::ptrdiff_t>(std::size_t{y} * p.width), p.width,
                    out.pixels.begin() + static_cast<std::ptrdiff_t>(std::size_t{y} * side));
    return out;
}

IconEntry toEntry(const XcursorPicture& picture) {
    const XcursorPicture p = squared(picture);
    IconEntry e;
    BgraToEntry(XcursorToBgra(p), e);
    e.HotSpotX = static_cast<std::uint16_t>(std::min<std::uint32_t>(p.xhot, 0xFFFF));
    e.HotSpotY = static_cast<std::uint16_t>(std::min<std::uint32_t>(p.yhot, 0xFFFF));
    return e;
}

int bitCountOf(const IconEntry& e) {
    return e.InfoHeader.size() >= BitmapInfoHeader::kSize ? ReadU16LE(e.InfoHeader.data() + 14) : 0;
}

std::uint32_t nominalOf(const IconEntry& e) {
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize) return 0;
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    const std::int64_t ht = h.biHeight < 0 ? -std::int64_t{h.biHeight} : h.biHeight;
    return static_cast<std::uint32_t>(std::max<std::int64_t>(std::max<std::int64_t>(h.biWidth, ht), 0));
}

XcursorPicture entryToXcursor(const IconEntry& e, std::uint32_t delay, const std::string& what,
                              std::vector<std::string>* notes) {
    int inverted = 0;
    const BgraPicture b = EntryToBgra(e, &inverted);
    if (inverted > 0 && notes)
        notes->push_back(what + ": " + std::to_string(inverted) +
                         " pixels that invert the screen are drawn black (Xcursor has no inversion)");
    return BgraToXcursor(b, e.HotSpotX, e.HotSpotY, delay);
}

// Every image of a frame, decoded (the frame's entry for the one it shows).
std::vector<IconEntry> frameImages(const TAniEX& set, int frame) {
    std::vector<IconEntry> images(static_cast<std::size_t>(set.FrameImageCount(frame)));
    for (std::size_t k = 0; k < images.size(); ++k) {
        const std::string problem = set.DecodeFrameImage(frame, static_cast<int>(k), images[k]);
        if (!problem.empty())
            throw EXcursorError("frame " + std::to_string(frame) + ", image " + std::to_string(k) + ": " + problem);
    }
    return images;
}

// Makes the images the next frame of the set, all of them kept.
void addFrame(TAniEX& set, const std::vector<IconEntry>& images) {
    const int frame = set.Count;
    set.Count = static_cast<std::uint16_t>(frame + 1);
    if (set.FrameImages.size() < set.Count) set.FrameImages.resize(set.Count);
    if (images.size() == 1) {
        set.Entries[static_cast<std::size_t>(frame)] = images.front();
        return;
    }
    const std::string problem = set.SetFrameImages(frame, images);
    if (!problem.empty()) throw EXcursorError("frame " + std::to_string(frame) + ": " + problem);
}

std::string sizeText(std::uint32_t s) { return std::to_string(s) + " px"; }

// Of `sizes`, the one nearest to n (the larger of two equally near).
std::uint32_t nearestSize(std::uint32_t n, const std::vector<std::uint32_t>& sizes) {
    std::uint32_t best = n;
    std::uint32_t bestGap = UINT32_MAX;
    for (std::uint32_t s : sizes) {
        const std::uint32_t gap = s > n ? s - n : n - s;
        if (gap < bestGap || (gap == bestGap && s > best)) {
            best = s;
            bestGap = gap;
        }
    }
    return best;
}

// Index of each entry kept for an Xcursor file: one per nominal size, the
// one with most colours (the first of equals), in the order of first
// appearance of the sizes. Without `sizes` an entry's nominal size is its
// larger side; with them, the nearest of them to that side.
std::vector<const IconEntry*> onePerSize(const std::vector<const IconEntry*>& entries, const std::string& what,
                                         std::vector<std::string>* notes,
                                         const std::vector<std::uint32_t>& sizes = {}) {
    auto nominal = [&](const IconEntry& e) {
        return sizes.empty() ? nominalOf(e) : nearestSize(nominalOf(e), sizes);
    };
    std::vector<const IconEntry*> kept;
    for (const IconEntry* e : entries) {
        const std::uint32_t n = nominal(*e);
        auto same = std::find_if(kept.begin(), kept.end(), [&](const IconEntry* k) { return nominal(*k) == n; });
        if (same == kept.end()) {
            kept.push_back(e);
            continue;
        }
        if (notes)
            notes->push_back(what + ": a second image of " + sizeText(n) + " is left out (" +
                             std::to_string(std::max(bitCountOf(**same), bitCountOf(*e))) + "-bit one kept)");
        if (bitCountOf(*e) > bitCountOf(**same)) *same = e;
    }
    return kept;
}

std::uint64_t hashFrame(const std::vector<const XcursorPicture*>& images) {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint32_t v) {
        h ^= v;
        h *= 1099511628211ull;
    };
    for (const XcursorPicture* p : images) {
        mix(p->width);
        mix(p->height);
        mix(p->xhot);
        mix(p->yhot);
        for (std::uint32_t v : p->pixels) mix(v);
    }
    return h;
}

bool sameFrame(const std::vector<const XcursorPicture*>& a, const std::vector<const XcursorPicture*>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const XcursorPicture& x = *a[i];
        const XcursorPicture& y = *b[i];
        if (x.width != y.width || x.height != y.height || x.xhot != y.xhot || x.yhot != y.yhot ||
            x.pixels != y.pixels)
            return false;
    }
    return true;
}

}  // namespace

int XcursorDelayToRate(std::uint32_t delayMs) {
    const std::uint64_t ticks = (std::uint64_t{delayMs} * 60 + 500) / 1000;
    return static_cast<int>(std::clamp<std::uint64_t>(ticks, 1, INT32_MAX));
}

std::uint32_t RateToXcursorDelay(std::int64_t rate) {
    const std::int64_t r = std::clamp<std::int64_t>(rate, 1, 0xFFFFFFFFll * 60 / 1000 - 1);
    return static_cast<std::uint32_t>((r * 1000 + 30) / 60);
}

XcursorConversion XcursorToSets(const std::vector<XcursorPicture>& images, std::uint32_t defaultRate) {
    if (images.empty())
        throw EXcursorError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "an Xcursor file without images")));
    std::vector<std::uint32_t> sizes;
    std::map<std::uint32_t, std::vector<const XcursorPicture*>> bySize;
    for (const XcursorPicture& p : images) {
        auto& group = bySize[p.nominalSize];
        if (group.empty()) sizes.push_back(p.nominalSize);
        group.push_back(&p);
    }
    std::size_t frames = 0;
    std::uint32_t primary = sizes.front();
    for (std::uint32_t s : sizes) {
        if (bySize[s].size() > frames) {
            frames = bySize[s].size();
            primary = s;
        }
    }

    XcursorConversion out;
    if (frames == 1) {
        if (sizes.size() > static_cast<std::size_t>(TIconEx::kMaxEntries))
            throw EXcursorError(std::to_string(sizes.size()) + " sizes do not fit one cursor file");
        out.cursor = std::make_unique<TIconCurEX>();
        TIconCurEX& set = *out.cursor;
        set.ResourceType = 2;
        for (std::uint32_t s : sizes) set.Entries[set.Count++] = toEntry(*bySize[s].front());
        return out;
    }

    if (frames > static_cast<std::size_t>(TAniEX::kMaxSteps))
        throw EXcursorError(std::to_string(frames) + " frames at " + sizeText(primary) +
                            ": an animated cursor holds at most " + std::to_string(TAniEX::kMaxSteps) + " steps");
    for (std::uint32_t s : sizes)
        if (bySize[s].size() != frames)
            out.notes.push_back(sizeText(s) + " has " + std::to_string(bySize[s].size()) + " frames, " +
                                sizeText(primary) + " has " + std::to_string(frames) +
                                ": its last frame is repeated");

    auto anim = std::make_unique<TAniEX>(defaultRate);
    TAniEX& set = *anim;
    std::vector<std::vector<const XcursorPicture*>> kept;
    std::vector<std::uint64_t> keptHash;
    for (std::size_t i = 0; i < frames; ++i) {
        std::vector<const XcursorPicture*> frame;
        for (std::uint32_t s : sizes) {
            const auto& group = bySize[s];
            frame.push_back(group[std::min(i, group.size() - 1)]);
        }
        // A frame shown twice is held once, with the steps naming it.
        const std::uint64_t h = hashFrame(frame);
        std::size_t index = kept.size();
        for (std::size_t k = 0; k < kept.size(); ++k)
            if (keptHash[k] == h && sameFrame(kept[k], frame)) {
                index = k;
                break;
            }
        if (index == kept.size()) {
            std::vector<IconEntry> entries;
            entries.reserve(frame.size());
            for (const XcursorPicture* p : frame) entries.push_back(toEntry(*p));
            addFrame(set, entries);
            kept.push_back(frame);
            keptHash.push_back(h);
        }
        const int rate = XcursorDelayToRate(bySize[primary][i]->delay);
        set.Steps[i] = {rate, static_cast<std::int32_t>(index)};
    }
    AniHeader& header = set.AnimHeader;
    header.FrameCount = set.Count;
    header.StepCount = static_cast<std::uint32_t>(frames);
    header.DisplayRate = static_cast<std::uint32_t>(set.Steps[0].Rate);
    set.DefaultRate = header.DisplayRate;
    for (std::size_t i = 0; i < frames; ++i) {
        if (set.Steps[i].Rate != set.Steps[0].Rate) set.HasRateChunk = true;
        if (set.Steps[i].Frame != static_cast<std::int32_t>(i)) set.HasSeqChunk = true;
    }
    header.Flags = set.HasSeqChunk ? 3 : 1;
    set.ResourceType = 2;
    out.animation = std::move(anim);
    return out;
}

std::vector<XcursorPicture> CursorSetToXcursor(const TIconEx& set, std::vector<std::string>* notes) {
    std::vector<const IconEntry*> entries;
    entries.reserve(static_cast<std::size_t>(set.Count));
    for (int i = 0; i < set.Count; ++i) entries.push_back(&set.Entries[static_cast<std::size_t>(i)]);
    std::vector<XcursorPicture> out;
    for (const IconEntry* e : onePerSize(entries, "the cursor", notes)) {
        out.push_back(entryToXcursor(*e, 0, "image of " + sizeText(nominalOf(*e)), notes));
        // An icon's directory holds planes and bit count where a hot spot would be.
        if (set.ResourceType == 1) out.back().xhot = out.back().yhot = 0;
    }
    if (out.empty())
        throw EXcursorError(Message("Write", VORNIK_TRANSLATE_NOOP("Write", "the cursor holds no images")));
    return out;
}

std::vector<XcursorPicture> AnimationToXcursor(const TAniEX& set, std::vector<std::string>* notes) {
    struct Step {
        int frame;
        std::int64_t rate;
    };
    std::vector<Step> steps;
    for (int i = 0; i < set.StepCount(); ++i) {
        const AniStep& s = set.Steps[static_cast<std::size_t>(i)];
        if (s.Frame >= 0 && s.Frame < set.Count) steps.push_back({s.Frame, s.Rate});
    }
    if (steps.empty())
        for (int f = 0; f < set.Count; ++f) steps.push_back({f, set.AnimHeader.DisplayRate});
    if (steps.empty())
        throw EXcursorError(
            Message("Write", VORNIK_TRANSLATE_NOOP("Write", "the animated cursor holds no frames")));

    // Each frame's images, one per size, decoded once. The first frame shown
    // sets the nominal sizes; every other image takes the nearest of them, so
    // that a frame drawn a little smaller (58 x 63 among 64 x 64 ones) still
    // animates at its size instead of making a size of its own.
    std::vector<std::map<std::uint32_t, XcursorPicture>> decoded(static_cast<std::size_t>(set.Count));
    std::vector<std::uint32_t> sizes;
    std::vector<bool> used(static_cast<std::size_t>(set.Count), false);
    for (const Step& s : steps) {
        if (used[static_cast<std::size_t>(s.frame)]) continue;
        used[static_cast<std::size_t>(s.frame)] = true;
        const std::string what = "frame " + std::to_string(s.frame);
        const std::vector<IconEntry> images = frameImages(set, s.frame);
        std::vector<const IconEntry*> all;
        all.reserve(images.size());
        for (const IconEntry& e : images) all.push_back(&e);
        const bool first = sizes.empty();
        for (const IconEntry* e : onePerSize(all, what, notes, sizes)) {
            const std::uint32_t n = first ? nominalOf(*e) : nearestSize(nominalOf(*e), sizes);
            XcursorPicture p = entryToXcursor(*e, 0, what, notes);
            p.nominalSize = n;
            decoded[static_cast<std::size_t>(s.frame)].emplace(n, std::move(p));
            if (first) sizes.push_back(n);
        }
    }
    std::vector<XcursorPicture> out;
    for (std::uint32_t size : sizes) {
        for (const Step& s : steps) {
            const auto& frame = decoded[static_cast<std::size_t>(s.frame)];
            auto it = frame.find(size);
            if (it == frame.end()) {
                if (notes)
                    notes->push_back("frame " + std::to_string(s.frame) + " has no image of " + sizeText(size) +
                                     ": that size animates without it");
                continue;
            }
            out.push_back(it->second);
            out.back().delay = RateToXcursorDelay(s.rate);
        }
    }
    return out;
}

std::unique_ptr<TAniEX> CursorSetAsAnimation(const TIconEx& set) {
    if (set.Count == 0)
        throw EXcursorError(Message("Write", VORNIK_TRANSLATE_NOOP("Write", "the cursor holds no images")));
    auto anim = std::make_unique<TAniEX>();
    std::vector<IconEntry> images;
    for (int i = 0; i < set.Count; ++i) {
        const IconEntry& from = set.Entries[static_cast<std::size_t>(i)];
        IconEntry e;
        e.CopyDirectoryFrom(from);
        e.InfoHeader = from.InfoHeader;
        e.XorBits = from.XorBits;
        e.XorSize = from.XorSize;
        e.AndBits = from.AndBits;
        e.AndSize = from.AndSize;
        images.push_back(std::move(e));
    }
    addFrame(*anim, images);
    anim->Steps[0] = {static_cast<std::int32_t>(anim->AnimHeader.DisplayRate), 0};
    anim->AnimHeader.FrameCount = 1;
    anim->AnimHeader.StepCount = 1;
    anim->AnimHeader.Flags = 1;
    anim->ResourceType = 2;
    return anim;
}

}  // namespace vornik
