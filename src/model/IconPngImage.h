#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/IconEntry.h"

namespace vornik {

// What ReadIconImage answers for a PNG-compressed block while PNG images are
// not decoded. Readers compare against it to word their own message.
extern const char* const kPngImageNotSupported;

// The one place where PNG-compressed icon images are turned into entry blocks.
// Same contract as ReadIconImage; data[pos] starts with the PNG signature.
std::string ReadPngIconImage(const std::uint8_t* data, std::size_t size, std::size_t pos, IconEntry& entry,
                             std::size_t* next);

}  // namespace vornik
