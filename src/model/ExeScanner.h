#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "model/ExeImageWalk.h"
#include "model/TIconEx.h"

namespace vornik {

// The 40 bytes at p look like the header of a standard-size icon image: the
// first byte is 0x28 (the rest of the size field is not examined), one plane,
// no compression, a known bit count, no negative size, resolution or colour
// count, and a square 16, 32, 48, 64 or 128 pixel image with the doubled
// height of image plus mask. p must hold 40 bytes.
bool IsExeIconCandidate(const std::uint8_t* p);

struct ExeScanResult {
    // An image passed the test but its data runs past the end: the scan ended
    // there, at this offset.
    bool truncated = false;
    std::size_t truncatedAt = 0;
    // The set's table was full when a further image was found; the scan went
    // on counting the images it could not take.
    bool limitReached = false;
    std::size_t leftOut = 0;
};

// Scans data for icon images in file order and hands each one found to
// `take` (false stops), decoded, with its directory fields computed (hot spot
// 0, ImageOffset and SourcePos its offset). After an image the scan goes on
// right after its AND rows. limitReached and leftOut stay clear. `passed`,
// when given, hears now and then of the offset the scan has gone past.
ExeScanResult ScanExeImagesEach(const std::uint8_t* data, std::size_t size, const std::function<bool(ExeImage&)>& take,
                                const std::function<void(std::size_t)>& passed = {});

// Scans data for icon images in file order and appends each one found to
// set as an entry (directory fields computed, hot spot 0, ImageOffset and
// SourcePos its offset). After an image the scan goes on right after its AND
// rows. Beyond the set's limit of entries images are only counted.
ExeScanResult ScanExeImages(const std::uint8_t* data, std::size_t size, TIconEx& set);

}  // namespace vornik
