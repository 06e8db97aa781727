#pragma once

#include <utility>

#include "imaging/AlphaMask.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// A 32-bit picture taken apart into two 24-bit pictures of its size and row
// order, so that every drawing operation written for true colour moves its
// alpha too: `colour` holds the colour (premultiplied by alpha when asked),
// `alpha` holds the alpha as grey (0 black = transparent).
struct AlphaPlanes {
    TQvDIB colour;
    TQvDIB alpha;
};

// image must be an uncompressed 32-bit picture (HasAlphaChannel).
AlphaPlanes SplitPlanes(const TQvDIB& image, bool premultiply);

// The 32-bit picture back from the planes (their size and row order). With
// `premultiplied`, colour is divided by alpha again; where alpha is 0 the
// colour is 0. A plane whose grey is uneven (after area averaging) gives its
// green as alpha.
TQvDIB JoinPlanes(const AlphaPlanes& planes, bool premultiplied);

// Runs op(picture) on a true-colour or palette picture as it is, and on each
// plane of a 32-bit one, which then stays 32-bit. op must treat both planes
// alike (same geometry); a background it paints on the alpha plane should be
// black, so that uncovered pixels become transparent. premultiply: the op
// mixes neighbouring pixels (area averaging), where straight colour would
// bleed the colour under transparent pixels into the edge.
template <typename Op>
void KeepingAlpha(TQvDIB& picture, bool premultiply, Op op) {
    if (!HasAlphaChannel(picture)) {
        op(picture, false);
        return;
    }
    // Old 32-bit pictures leave alpha 0 and go by their mask: their colour
    // must not be multiplied by it.
    const bool premultiplied = premultiply && AlphaInUse(picture);
    AlphaPlanes planes = SplitPlanes(picture, premultiplied);
    op(planes.colour, false);
    op(planes.alpha, true);
    picture = JoinPlanes(planes, premultiplied);
}

}  // namespace vornik
