#pragma once

#include <cstdint>

#include "model/IconEntry.h"
#include "platform/Bytes.h"

namespace vornik {

// An entry's picture as 8-bit blue, green, red, alpha (straight, not
// premultiplied), rows top-down.
struct BgraPicture {
    int width = 0;
    int height = 0;
    Bytes bgra;  // width * height * 4
};

// Decodes an entry's blocks of 1, 4, 8, 16, 24 or 32 bits. A 32-bit image
// whose alpha is not all zero keeps its alpha; every other image takes alpha
// from the mask (bit 1 transparent). Pixels the screen would invert (mask 1
// over a colour that is not black) cannot be expressed as colour and alpha:
// they become opaque black and are counted in *invertedPixels.
// Throws EVornikError for a compressed, empty or short entry.
BgraPicture EntryToBgra(const IconEntry& entry, int* invertedPixels = nullptr);

// Replaces the entry's blocks by a 32-bit image without colour table and a
// mask with bit 1 where alpha is 0; sets Width, Height (low 8 bits),
// ColorCount 0 and EntryReserved 0. Hot spot and SourcePos stay.
void BgraToEntry(const BgraPicture& picture, IconEntry& entry);

}  // namespace vornik
