#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/ExeResources.h"
#include "platform/Bytes.h"

namespace vornik {

// A group of an executable as one file: an icon group as a multi-image ICO,
// a cursor group as a CUR with each image's hot spot. The images are stored
// byte for byte as the program holds them, in the group's order; an icon
// group's directory bytes are the group record's, with the real byte count.
// Members whose image is missing are left out (the reader has noted them);
// a cursor image too short for its hot spot is left out and noted here.
// An empty block when no member could be taken.
Bytes GroupFileBytes(const std::uint8_t* data, std::size_t size, const ExeResources& res,
                     const ResourceGroup& group, std::vector<std::string>& notes);

// One file name per group of res, in order: the group's name or id, with
// "-LANGUAGE" when the same name comes in several languages, and ".ico" or
// ".cur". Characters a file name cannot hold become "_"; names that would
// still collide get "-2", "-3", ...
std::vector<std::string> GroupFileNames(const ExeResources& res);

// Width, height and bit count of an image as its own header states them
// (BMP header with doubled height, or PNG IHDR); false when it has neither.
// A cursor's image starts after its 4 hot-spot bytes.
bool ImageDimensions(const std::uint8_t* image, std::size_t size, int* width, int* height, int* bitCount,
                     bool* png);

}  // namespace vornik
