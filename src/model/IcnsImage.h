#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "imaging/TQvDIB.h"
#include "model/IcnsFile.h"

namespace vornik {

// How an image element is stored.
enum class IcnsCoding {
    Png,       // a PNG stream
    Rle24,     // classic 24-bit run-length image, its alpha in a separate 8-bit mask element
    Argb,      // "ARGB" and four run-length channels
    Jpeg2000,  // listed, never decoded
    Mask8,     // the 8-bit alpha of a classic image
};

// A known image type: its pixel side (the @2x types hold twice their point
// size), how it is written, and the mask element of a classic one.
struct IcnsTypeInfo {
    std::uint32_t type;
    int side;
    IcnsCoding coding;
    std::uint32_t mask;  // 0 when none
    const char* label;   // what the type stands for, e.g. "16x16@2x"
};

// The type's entry, or null when Vornik does not know it as an image or mask.
const IcnsTypeInfo* FindIcnsType(std::uint32_t type);

// The coding the element's data really has: the PNG and JPEG 2000
// signatures and the "ARGB" tag are recognised in any image type.
IcnsCoding IcnsCodingOf(const IcnsElement& element, const IcnsTypeInfo& info);
const char* IcnsCodingName(IcnsCoding coding);

// One image of a file: its element, its size, and for a classic image the
// element of its mask (-1 when the file has none: the image is opaque).
struct IcnsImage {
    std::size_t element = 0;
    int mask = -1;
    std::uint32_t type = 0;
    int side = 0;
    IcnsCoding coding = IcnsCoding::Png;
};

// The images in element order; masks and other elements are not images.
std::vector<IcnsImage> IcnsImages(const IcnsFile& file);

// The image as a 32-bit picture with straight alpha, side x side, rows
// bottom-up. EIcnsError (type and reason) for JPEG 2000 or damaged data.
TQvDIB DecodeIcnsImage(const IcnsFile& file, const IcnsImage& image);

// The problem with an image element found without decoding its pixels: a
// PNG's header size against its type's, run-length data that does not fill
// the image, a mask of the wrong length. Empty when none.
std::string CheckIcnsElement(const IcnsElement& element, const IcnsTypeInfo& info);

// Stores a 32-bit straight-alpha picture as the type (PNG, or run-length
// image plus mask), scaled to the type's side when it is not that size. The
// elements of that type (and its mask) are replaced in place; otherwise they
// are added at the end.
void PutIcnsImage(IcnsFile& file, std::uint32_t type, const TQvDIB& picture);
// Removes an image's element and its mask.
void RemoveIcnsImage(IcnsFile& file, const IcnsImage& image);

// The types written for a picture of the given side when a file is made from
// pictures: 16 and 32 as classic images with masks (and 32, 64 and 256, 512,
// 1024 as the @2x types), the rest as PNG. Empty for other sides.
std::vector<std::uint32_t> IcnsTypesForSide(int side);
// The sides IcnsFromPictures takes: 16, 32, 64, 128, 256, 512, 1024.
const std::vector<int>& IcnsSides();
// A file of every type each picture's side calls for, smallest first.
IcnsFile IcnsFromPictures(const std::map<int, TQvDIB>& pictures);

// The encoded element data for a picture as the type.
Bytes EncodeIcnsRle24(const TQvDIB& picture);
Bytes EncodeIcnsMask8(const TQvDIB& picture);

}  // namespace vornik
