#pragma once

#include "imaging/PictureView.h"
#include "imaging/RasterColor.h"
#include "imaging/TQvDIB.h"

namespace vornik {

// The stretch mode a "stretchbltmode" setting selects: 0 COLORONCOLOR, 1 and
// 2 HALFTONE; any other value keeps a new canvas's default (COLORONCOLOR).
StretchMode StretchModeOfSetting(int stretchbltmode);

// Reduces dib to the target bit count (1, 4, 8; 0, 15, 16, 24 or 32 for true
// colour), then stretches it to width x height (> 0) within its palette. The
// fixed-palette flag ("16fixedpalette") makes 16-colour reductions use the
// fixed 16-colour palette. Reduction always comes before scaling; the aspect
// ratio is not kept.
void ConvertDIBFormat(TQvDIB& dib, int target, int width, int height, bool fixedPalette, int stretchbltmode);

// Size list (cmbsize) index to pixels: 1..6 give 16, 32, 48, 64, 128, 256,
// 7..10 give 20, 24, 40, 96;
// 0 ("Any") and any other index 32.
int SizeIndexToPixels(int index);
// Colour list (cmbcolor) index to conversion target: 0 -> 1, 1 -> 4, 2 -> 8,
// 3 -> 0 (true colour), 4 -> 32 (with alpha); any other index 4.
int ColorIndexToTarget(int index);
// Bit count to colour list index: 1 -> 0, 8 -> 2, 0/15/16/24/32 -> 3, else 1.
int BitCountToColorIndex(int bitCount);

// Pixel formats of a framework bitmap and the bit count each stands for.
enum class PixelFormat { Device, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32, Custom };
int PixelFormatBitCount(PixelFormat format);

// Sizes target to width x height with the source's bit count and a copy of
// its colour table, and copies the rectangle at (left, top) of the source
// into it at (0, 0). Parts outside the source stay 0.
void CopyBitmapRect(const TQvDIB& source, TQvDIB& target, int left, int top, int width, int height);

// A 32-bit picture with alpha of side x side pixels from an image and its
// mask (any depths); the scaling follows the "stretchbltmode" setting.
TQvDIB AlphaFormat(const TQvDIB& image, const TQvDIB& mask, int side, int stretchbltmode);

// The convert command on the editing panel's two views: the mask view goes to
// true colour at the chosen size (it stays a colour picture until an entry is
// built), the image view to the chosen colour list index and size. At 32 bits
// with alpha the image keeps (or takes from the mask) its alpha and the mask
// follows the scaled alpha. Nothing
// changes when either conversion fails.
void ConvertViews(PictureView& maskView, PictureView& imageView, int sizeIndex, int colorIndex, bool fixedPalette,
                  int stretchbltmode);

}  // namespace vornik
