#pragma once

#include <memory>
#include <string>

#include "model/TIconEx.h"

namespace vornik {

// Apple icons (.icns) in the editor. Content decides (they begin "icns").
bool IsAppleIconFile(const std::string& path);
// Save chooses ICNS by the name: one ending in .icns.
bool IsAppleIconName(const std::string& path);

// The file as an icon set: every image that decodes becomes a 32-bit entry
// in the file's order (a PNG image keeps its stream, so an entry left as it
// was is saved byte for byte). JPEG 2000 images and other elements go to the
// set's IcnsKept and are written back on save; images left out on reading
// are named in LoadNotes. EVornikError naming the file when it is refused.
std::unique_ptr<TIconCurEX> LoadAppleIconAsIconSet(const std::string& path);

// The ICNS type each entry is saved as: by its side, the first entry of a
// side taking the classic or plain type and the second the @2x one (16 is32
// then icp4, 32 il32 then ic11, 48 ih32, 64 ic12 then icp6, 128 ic07 then
// it32, 256 ic08 then ic13, 512 ic09 then ic14, 1024 ic10). Empty for an
// entry no ICNS type holds (another side, a third of a side, not square).
std::string AppleIconTypeOfEntry(const TIconEx& set, int index);

// Writes the set as an ICNS file, replacing `path` only when all was
// written. EVornikError naming the first entry that no type holds.
void SaveIconSetAsAppleIcon(const TIconEx& set, const std::string& path);

}  // namespace vornik
