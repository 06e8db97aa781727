#pragma once

#include "imaging/PictureView.h"
#include "imaging/RasterColor.h"

namespace vornik {

// The mask operations of the editing panel. They draw straight into the two
// views' pictures and walk the rows and columns of the image view, for the
// mask view as well (mask pixels beyond the image view's size stay). Colours
// compare exactly as 24-bit values: white 0xFFFFFF is transparent, black 0
// opaque. automaskplus is the "automaskplus" setting.

// Mask white where the image has colour k, black elsewhere; then, with
// automaskplus, CompleteImage.
void AutoMask(PictureView& imageView, PictureView& maskView, RasterColor k, bool automaskplus);
// Mask white where the image has colour k; other mask pixels stay.
void AutoMaskAdd(PictureView& imageView, PictureView& maskView, RasterColor k, bool automaskplus);
// Image black wherever the mask is exactly white.
void CompleteImage(PictureView& imageView, PictureView& maskView);
// Exactly black becomes white; everything else black.
void InvertMask(const PictureView& imageView, PictureView& maskView);
// The whole mask white.
void FillMask(const PictureView& imageView, PictureView& maskView);

// The colour of the image view's pixel at (x, y), or 0xFFFFFFFF outside.
RasterColor PickedColor(const PictureView& imageView, int x, int y);

}  // namespace vornik
