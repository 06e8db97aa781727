#pragma once

#include <string>

#include "imaging/ByteReadStream.h"
#include "imaging/ByteWriteStream.h"
#include "imaging/PictureView.h"
#include "imaging/TQvDIB.h"
#include "model/TIconEx.h"

namespace vornik {

// Conversions between an entry of a set and a pair of pictures, through
// in-memory BMP files. index must be an entry in use (0 .. Count - 1) that
// holds an image; otherwise EVornikError.

// The entry as two BMP files: the image (header and colour table as held,
// then XorBits) and the 1-bit mask (black, white; AndBits). The streams are
// new, so they start at position 0.
void EntryToStreams(const TIconEx& set, ByteWriteStream& imageStream, ByteWriteStream& maskStream, int index);

// Replaces the entry's blocks and directory values (hot spot and SourcePos
// kept, ImageOffset 0) by the two BMP files, read from position 0. The image
// file must state its colour-table count. Sizes are checked against the bytes
// present before anything is allocated; a short or malformed stream raises
// EReadError or EVornikError and leaves the entry as it was.
void StreamsToEntry(TIconEx& set, ByteReadStream& imageStream, ByteReadStream& maskStream, int index);

void EntryToDIBs(const TIconEx& set, TQvDIB& image, TQvDIB& mask, int index);

// The mask is reduced to 1 bit (on a copy) when it is not; both pictures must
// have the same size. A top-down picture is turned bottom-up first.
void DIBsToEntry(TIconEx& set, const TQvDIB& image, const TQvDIB& mask, int index);

// The image view gets the image as it is; the mask view the mask in black and
// white as 24 bits. Both views take their picture's size.
void EntryToViews(const TIconEx& set, PictureView& imageView, PictureView& maskView, int index);
void ViewsToEntry(TIconEx& set, const PictureView& imageView, const PictureView& maskView, int index);

// One-image icon and cursor files from an image and its 1-bit mask of the
// same size (written through the set's writer, so a failed write leaves the
// old file).
void SaveImagePairAsIcon(const std::string& path, const TQvDIB& image, const TQvDIB& mask);
void SaveImagePairAsCursor(const std::string& path, const TQvDIB& image, const TQvDIB& mask, int hotSpotX,
                           int hotSpotY);
// The same from the two views; the mask view is reduced to 1 bit.
void SaveViewPairAsIcon(const std::string& path, const PictureView& imageView, const PictureView& maskView);
void SaveViewPairAsCursor(const std::string& path, const PictureView& imageView, const PictureView& maskView,
                          int hotSpotX, int hotSpotY);

// The bytes the two savers write, for callers that write elsewhere.
Bytes ImagePairFileBytes(const TQvDIB& image, const TQvDIB& mask, int resourceType, int hotSpotX, int hotSpotY);
// The same from the two views (the mask view reduced to 1 bit).
Bytes ViewPairFileBytes(const PictureView& imageView, const PictureView& maskView, int resourceType, int hotSpotX,
                        int hotSpotY);

}  // namespace vornik
