#include "anim/FramesToAnimation.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/ScaleArea.h"
#include "model/EntryPixels.h"
#include "platform/Errors.h"

namespace vornik {

namespace {

std::string sizeText(std::pair<int, int> s) {
    return std::to_string(s.first) + " x " + std::to_string(s.second);
}

std::pair<int, int> sidesOf(const IconEntry& e) { return {e.PixelWidth(), e.PixelHeight()}; }

int shownIndex(const std::vector<IconEntry>& images) {
    int best = 0;
    for (int k = 1; k < static_cast<int>(images.size()); ++k)
        if (std::abs(images[static_cast<std::size_t>(k)].PixelWidth() - 32) <
            std::abs(images[static_cast<std::size_t>(best)].PixelWidth() - 32))
            best = k;
    return best;
}

// The image scaled by area averaging; its hot spot moves with it.
IconEntry scaled(const IconEntry& e, std::pair<int, int> to) {
    const BgraPicture from = EntryToBgra(e);
    BgraPicture out;
    out.width = to.first;
    out.height = to.second;
    out.bgra.resize(static_cast<std::size_t>(to.first) * static_cast<std::size_t>(to.second) * 4);
    ScaleAreaBgra(from.bgra.data(), from.width, from.height, static_cast<std::size_t>(from.width) * 4,
                  out.bgra.data(), to.first, to.second, static_cast<std::size_t>(to.first) * 4);
    IconEntry result;
    BgraToEntry(out, result);
    result.HotSpotX = static_cast<std::uint16_t>(
        std::min<long>(to.first - 1, static_cast<long>(e.HotSpotX) * to.first / std::max(from.width, 1)));
    result.HotSpotY = static_cast<std::uint16_t>(
        std::min<long>(to.second - 1, static_cast<long>(e.HotSpotY) * to.second / std::max(from.height, 1)));
    return result;
}

}  // namespace

std::pair<int, int> FrameSize(const std::vector<IconEntry>& images) {
    if (images.empty()) return {0, 0};
    return sidesOf(images[static_cast<std::size_t>(shownIndex(images))]);
}

void BuildAnimation(const FramesToAnimation& plan, TAniEX& set) {
    if (plan.frames.empty()) throw EVornikError("no frames");
    if (plan.frames.size() > static_cast<std::size_t>(TIconEx::kMaxEntries))
        throw EVornikError(std::to_string(plan.frames.size()) + " frames: an animated cursor holds at most " +
                           std::to_string(TIconEx::kMaxEntries));
    std::vector<AniStep> steps = plan.steps;
    if (steps.empty())
        for (std::size_t f = 0; f < plan.frames.size(); ++f)
            steps.push_back({static_cast<std::int32_t>(plan.rate), static_cast<std::int32_t>(f)});
    if (steps.size() > static_cast<std::size_t>(TAniEX::kMaxSteps))
        throw EVornikError(std::to_string(steps.size()) + " steps: an animated cursor holds at most " +
                           std::to_string(TAniEX::kMaxSteps) + " (give --sequence to show some frames only)");
    for (const AniStep& s : steps)
        if (s.Frame < 0 || s.Frame >= static_cast<int>(plan.frames.size()))
            throw EVornikError("a step shows frame " + std::to_string(s.Frame) + ", but there are " +
                               std::to_string(plan.frames.size()) + " frames (numbered from 0)");

    const std::pair<int, int> target = plan.size ? *plan.size : FrameSize(plan.frames.front().images);
    if (plan.hotspot && (plan.hotspot->first >= target.first || plan.hotspot->second >= target.second))
        throw EVornikError("the hot spot " + std::to_string(plan.hotspot->first) + "," +
                           std::to_string(plan.hotspot->second) + " lies outside the " + sizeText(target) +
                           " frames");

    std::vector<std::vector<IconEntry>> frames;
    for (const auto& frame : plan.frames) {
        if (frame.images.empty()) throw EVornikError("\"" + frame.name + "\" holds no image");
        std::vector<IconEntry> images = frame.images;
        const std::pair<int, int> own = FrameSize(images);
        if (own != target && (plan.size || plan.oneSize)) {
            const auto exact = std::find_if(images.begin(), images.end(),
                                            [&](const IconEntry& e) { return sidesOf(e) == target; });
            if (!plan.size)
                throw EVornikError("\"" + frame.name + "\" is " + sizeText(own) + ", the first frame is " +
                                   sizeText(target) + " (give --size to scale the frames to one size)");
            if (images.size() > 1 && exact == images.end())
                throw EVornikError("\"" + frame.name + "\" holds several sizes but none of " +
                                   sizeText(target) + "; only frames of one image are scaled");
            if (images.size() == 1) images.front() = scaled(images.front(), target);
        }
        if (plan.hotspot) {
            for (IconEntry& e : images) {
                const auto [w, h] = sidesOf(e);
                e.HotSpotX = static_cast<std::uint16_t>(
                    std::min<long>(w - 1, static_cast<long>(plan.hotspot->first) * w / target.first));
                e.HotSpotY = static_cast<std::uint16_t>(
                    std::min<long>(h - 1, static_cast<long>(plan.hotspot->second) * h / target.second));
            }
        }
        frames.push_back(std::move(images));
    }

    set.Clear();
    set.FrameImages.clear();
    set.Count = static_cast<std::uint16_t>(frames.size());
    set.FrameImages.resize(frames.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
        if (frames[f].size() == 1) {
            set.Entries[f] = frames[f].front();
            continue;
        }
        const std::string problem = set.SetFrameImages(static_cast<int>(f), frames[f]);
        if (!problem.empty()) throw EVornikError("\"" + plan.frames[f].name + "\": " + problem);
    }
    for (std::size_t i = 0; i < steps.size(); ++i) set.Steps[i] = steps[i];
    AniHeader& header = set.AnimHeader;
    header.FrameCount = set.Count;
    header.StepCount = static_cast<std::uint32_t>(steps.size());
    header.DisplayRate = plan.rate;
    set.DefaultRate = plan.rate;
    set.HasRateChunk = plan.writeRates;
    set.HasSeqChunk = plan.writeSequence;
    set.Title = plan.title;
    set.Creator = plan.creator;
    set.ResourceType = 2;
}

}  // namespace vornik
