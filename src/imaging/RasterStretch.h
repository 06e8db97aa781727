#pragma once

#include "imaging/RasterColor.h"
#include "imaging/RasterSurface.h"

namespace vornik {

// Copies the source rectangle (sx, sy, sw, sh) onto the destination rectangle
// (dx, dy, dw, dh), scaling it to fit.
//
// Extents: a width w > 0 covers the columns x .. x + w - 1, walked left to
// right; w < 0 covers x + w + 1 .. x, walked from x leftwards (so column
// W - 1 with width -W is every column in reverse order); w == 0 draws
// nothing. Heights likewise for rows. When the walks of source and
// destination run in opposite directions the picture comes out mirrored or
// flipped.
//
// Sampling: destination pixel i (counted along its walk from 0) stands for
// the source interval [i, i + 1) * |sw| / |dw|, counted along the source walk.
// - ColorOnColor takes the source pixel under the interval's centre: number
//   floor((2i + 1) * |sw| / (2 |dw|)). No blending.
// - Halftone averages every source pixel the interval overlaps, each weighted
//   by the length of the overlap (the two axes multiply), rounded to nearest
//   per channel. Enlarging thus repeats pixels and blends only across the
//   seams.
// The resulting colour goes through op (see RasterWriter); a palette
// destination stores its nearest table entry, and a palette source copied
// into a palette destination without blending keeps its indices where the
// tables agree (BuildIndexMap).
//
// Clipping: destination pixels outside the destination are skipped; source
// pixels outside the source contribute nothing, and a destination pixel whose
// source lies wholly outside is left unchanged.
void StretchCopy(const RasterSurface& dst, int dx, int dy, int dw, int dh, const RasterSurface& src, int sx,
                 int sy, int sw, int sh, StretchMode mode, RasterOp op = RasterOp::SrcCopy);

// Copies the w x h block at (sx, sy) of the source to (dx, dy) without
// scaling, through op, clipped at both surfaces' edges. Source and
// destination may be the same surface; overlapping blocks are copied as if
// through a temporary copy.
void Blit(const RasterSurface& dst, int dx, int dy, int w, int h, const RasterSurface& src, int sx, int sy,
          RasterOp op);

}  // namespace vornik
