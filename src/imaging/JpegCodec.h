#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Bytes.h"

namespace vornik {

// Decoded or to-be-encoded JPEG pixels: rows top-down, each width * 3 bytes
// (blue, green, red), no padding.
struct JpegRaster {
    int width = 0;
    int height = 0;
    Bytes bgr;
};

// Limits checked after the header, before anything large is allocated.
struct JpegLimits {
    // Hard cap on width * height (libjpeg itself needs up to ~6 bytes per
    // pixel for progressive files on top of our 3).
    std::uint64_t maxPixels = 1ull << 25;
    // Images up to this many pixels are always allowed...
    std::uint64_t freePixels = 1ull << 20;
    // ...larger ones may claim at most this many pixels per input byte; no
    // real encoder packs a picture tighter, bombs do.
    std::uint64_t maxPixelsPerByte = 8192;
};

// Decodes a baseline or progressive JPEG. Greyscale and RGB/YCbCr come out as
// is; CMYK and YCCK are turned into RGB (ink inverted as Adobe writes it when
// the file carries an Adobe marker, plain otherwise). Throws EJpegError with
// libjpeg's message on any error and on data that is corrupt or ends early
// (libjpeg would only warn and fill with grey), and when a limit is exceeded.
JpegRaster DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegLimits& limits = {});

// Encodes with libjpeg's defaults (baseline, 4:2:0, optimised tables off) at
// the given quality (libjpeg's scale 1..100). Throws EJpegError.
Bytes EncodeJpeg(const JpegRaster& image, int quality = 75);

// True when the bytes start with the JPEG start-of-image marker FF D8.
inline bool LooksLikeJpeg(const std::uint8_t* data, std::size_t size) {
    return size >= 2 && data[0] == 0xFF && data[1] == 0xD8;
}

}  // namespace vornik
