#pragma once

#include "imaging/TQvDIB.h"

namespace vornik {

// Alpha at or above this is opaque when a 32-bit picture loses its alpha
// (reduced to 1, 4, 8 or 24 bits): soft edges then split at half coverage
// instead of turning every faint pixel into a dark speck.
constexpr int kOpaqueAlpha = 128;

// True for an uncompressed 32-bit picture, whose fourth byte is alpha.
bool HasAlphaChannel(const TQvDIB& image);

// True for such a picture whose alpha is not 0 everywhere. Older 32-bit icons
// leave the fourth byte 0 and rely on their mask alone: drawn by their alpha
// they would vanish.
bool AlphaInUse(const TQvDIB& image);

// Marks transparent in the mask every pixel whose alpha is below
// kOpaqueAlpha; other mask pixels stay as they are. The mask is a 1-bit
// picture (index 1 = white = transparent) or a true-colour one (white =
// transparent) of the image's size; either row order. Nothing happens when
// the image has no alpha channel.
void FoldAlphaIntoMask(const TQvDIB& image, TQvDIB& mask);

// A 24-bit copy of a 32-bit picture (same row order) in which every pixel
// below kOpaqueAlpha is black, as an icon's image is where its mask is
// transparent. Other pictures are returned shared and unchanged.
TQvDIB FlattenAlpha(const TQvDIB& image);

// A 32-bit picture of image's size from a picture of any depth and its mask:
// colour from the image, alpha 255 where the mask is black and 0 where it is
// white. A 32-bit image keeps its own alpha where the mask is black. Rows
// come out bottom-up.
TQvDIB WithAlphaFromMask(const TQvDIB& image, const TQvDIB& mask);

// The mask a 32-bit picture's alpha stands for, as the mask view shows it: a
// 24-bit bottom-up picture, black (opaque) where alpha >= kOpaqueAlpha, white
// elsewhere. Nothing but the image's size is read from a picture without an
// alpha channel: all opaque.
TQvDIB MaskFromAlpha(const TQvDIB& image);

// Stores a mask edited beside a 32-bit picture back into its alpha: where the
// mask still says what the alpha says (MaskFromAlpha), alpha stays as it is,
// so soft edges survive; where it differs, a transparent (white) mask pixel
// makes alpha 0 and an opaque one alpha 255. The mask is 1-bit or true
// colour, of the image's size (else EQvDIBInvalidDIBPara). Nothing happens
// to a picture whose alpha is not in use (it goes by its mask).
void StoreAlphaFromMask(TQvDIB& image, const TQvDIB& mask);

}  // namespace vornik
