#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "model/TIconEx.h"

namespace vornik {

// Apple icons (.icns) as icon sets. Content decides: the registry finds
// ICNS for the file, whatever its name.
bool IsAppleIconFile(const std::string& path);

// The file as an icon set: every image that decodes becomes a 32-bit entry
// in the file's order (a PNG image keeps its stream, so an entry left as it
// was is saved byte for byte). JPEG 2000 images and other elements go to the
// set's IcnsKept and are written back on save. LoadNotes names the images
// left out on reading, then the JPEG 2000 images kept but not shown (the
// last keptUnshown notes). EVornikError naming the file when it is refused.
std::unique_ptr<TIconCurEX> LoadAppleIconAsIconSet(const std::string& path, std::size_t* keptUnshown = nullptr);

// The ICNS type each entry is saved as: the type it was read as while its
// size still fits it, else by its side the first type of that side no other
// entry takes (16 is32, icp4, ic04; 32 il32, ic11, icp5, ic05; 48 ih32; 64
// ic12, icp6; 128 ic07, it32; 256 ic08, ic13; 512 ic09, ic14; 1024 ic10).
// Empty for an entry no ICNS type holds (another side, one too many of a
// side, not square).
std::string AppleIconTypeOfEntry(const TIconEx& set, int index);

// Writes the set as an ICNS file, replacing `path` only when all was
// written. EVornikError naming the first entry that no type holds.
void SaveIconSetAsAppleIcon(const TIconEx& set, const std::string& path);

}  // namespace vornik
