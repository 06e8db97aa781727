#pragma once

#include <cstdint>

#include "model/IconEntry.h"
#include "platform/Bytes.h"

namespace vornik {

// How a writer stores each entry's image in an ICO or CUR file.
enum class EntryStorage {
    Auto,  // a PNG read from a file stays that PNG while unchanged; new 32-bit entries of 256 and more become PNG
    Png,   // every entry as PNG with alpha
    Bmp,   // every entry as header, colour table, XOR and AND rows
};

// A hash of the entry's header, XOR and AND blocks (FNV-1a, 64 bits).
std::uint64_t EntryBlocksDigest(const IconEntry& e);

// Records the PNG stream an entry was decoded from.
void KeepPngStream(IconEntry& e, const std::uint8_t* png, std::size_t size);

// Whether the writer stores this entry as PNG.
bool StoredAsPng(const IconEntry& e, EntryStorage storage);

// The entry's PNG image: the stream it was read from while unchanged, else
// its pixels encoded with their alpha (from the mask when a 32-bit image has
// none; palette and true-colour images through their mask).
Bytes EntryPngBytes(const IconEntry& e);

}  // namespace vornik
