#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/BmpContent.h"

namespace vornik {

// The content test for a bitmap under any name: a BITMAPFILEHEADER ("BM",
// size > 0, reserved words 0, pixel offset >= 54) followed by a plausible
// 40-byte BITMAPINFOHEADER. A file of at most 54 bytes never passes; one
// shorter than the 40 bytes the test reads, or one that cannot be opened,
// raises EInOutError naming the file.
bool IsBmpFile(const std::string& path);

// An animated cursor under any name: "RIFF", a length, "ACON".
bool IsAniFile(const std::string& path);

}  // namespace vornik
