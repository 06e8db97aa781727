#pragma once

#include <memory>
#include <string>
#include <vector>

#include "anim/TAniEX.h"
#include "model/TIconEx.h"
#include "model/XcursorFile.h"

namespace vornik {

// Ticks of 1/60 s for an Xcursor delay in milliseconds: rounded, at least 1.
int XcursorDelayToRate(std::uint32_t delayMs);
// Milliseconds for a rate in ticks of 1/60 s (a rate below 1 counts as 1).
std::uint32_t RateToXcursorDelay(std::int64_t rate);

// What an Xcursor file becomes in our model: a cursor when every nominal
// size holds one image (one entry per size, in the file's order of sizes), or
// an animated cursor when a size holds several (frames in file order, every
// size of a frame kept, rates from the delays). Exactly one of the two is set.
struct XcursorConversion {
    std::unique_ptr<TIconCurEX> cursor;
    std::unique_ptr<TAniEX> animation;
    std::vector<std::string> notes;  // what could not be kept exactly
};

// Throws EXcursorError when the images do not fit our model (more frames or
// steps than an animated cursor holds).
XcursorConversion XcursorToSets(const std::vector<XcursorPicture>& images, std::uint32_t defaultRate = 10);

// Every entry of a cursor or icon set as one 32-bit image (alpha from the
// entry's own alpha or from its mask), with its hot spot and no delay. Of
// several entries of one size only the one with most colours is kept (an
// Xcursor file holds one image per size); notes say what was left out.
std::vector<XcursorPicture> CursorSetToXcursor(const TIconEx& set, std::vector<std::string>* notes = nullptr);

// Every step of an animated cursor, for every size of its frame, with the
// step's rate as the delay; images are grouped by size as cursor themes keep
// them.
std::vector<XcursorPicture> AnimationToXcursor(const TAniEX& set, std::vector<std::string>* notes = nullptr);

// A cursor set as an animated cursor of one frame holding all its images.
std::unique_ptr<TAniEX> CursorSetAsAnimation(const TIconEx& set);

}  // namespace vornik
