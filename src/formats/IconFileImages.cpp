// The image blocks of an ICO or CUR file, byte for byte, for writing into programs.
#include "formats/IconFileImages.h"

#include "imaging/BitmapInfoHeader.h"
#include "model/GroupFile.h"
#include "model/IconEntry.h"
#include "model/IconImageReader.h"

namespace vornik {

std::string ReadIconFileImages(const std::uint8_t* data, std::size_t size, IconFileImages& out) {
    out = {};
    if (size < 6 || ReadU16LE(data) != 0) return "not an ICO or CUR file";
    out.type = ReadU16LE(data + 2);
    if (out.type != 1 && out.type != 2) return "not an ICO or CUR file";
    const std::size_t count = ReadU16LE(data + 4);
    if (count == 0) return "the file holds no images";
    if (count > kMaxIconFileImages) return "the file holds more than " + std::to_string(kMaxIconFileImages) + " images";
    if ((size - 6) / IconEntry::kDirectorySize < count) return "the directory runs past the end of the file";
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = data + 6 + IconEntry::kDirectorySize * i;
        const std::string which = "image " + std::to_string(i + 1);
        IconFileImage image;
        image.width = e[0];
        image.height = e[1];
        image.colorCount = e[2];
        image.reserved = e[3];
        const std::uint16_t field4 = ReadU16LE(e + 4), field6 = ReadU16LE(e + 6);
        if (out.type == 2) {
            image.hotX = field4;
            image.hotY = field6;
        }
        const std::size_t length = ReadU32LE(e + 8), at = ReadU32LE(e + 12);
        if (at > size || length > size - at) return which + " runs past the end of the file";
        if (length == 0) return which + " is empty";
        int w = 0, h = 0, bits = 0;
        bool png = false;
        if (!ImageDimensions(data + at, length, &w, &h, &bits, &png)) return which + " is neither a bitmap nor a PNG";
        if (!png) {
            IconEntry entry;
            std::size_t next = 0;
            const std::string why = ReadIconImage(data, at + length, at, entry, &next);
            if (!why.empty()) return which + ": " + why;
            image.planes = ReadU16LE(data + at + bih::kPlanes);
        } else {
            image.planes = 1;
        }
        if (w <= 0 || h <= 0 || w > 65535 || h > 32767) return which + " has sides " + std::to_string(w) + " x " + std::to_string(h);
        image.png = png;
        image.pixelWidth = w;
        image.pixelHeight = h;
        // Where the image cannot tell, the icon file's own fields stand.
        image.bitCount = static_cast<std::uint16_t>(bits);
        if (out.type == 1 && image.bitCount == 0) image.bitCount = field6;
        if (out.type == 1 && image.planes == 0) image.planes = field4;
        image.data.assign(data + at, data + at + length);
        out.images.push_back(std::move(image));
    }
    return {};
}

}  // namespace vornik
