#pragma once

#include "imaging/TQvDIB.h"
#include "platform/Bytes.h"

namespace vornik {

// The entry a set rendered last, in the platform's form for display: the
// image in the entry's own format and the 1-bit mask (black, white).
struct RenderCache {
    Bytes MaskInfo;   // 48 bytes: the entry's header as 1 bit, then black, white
    Bytes ImageInfo;  // the entry's header with its full colour table
    TQvDIB RenderedImage;
    TQvDIB RenderedMask;
};

}  // namespace vornik
