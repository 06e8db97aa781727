#include "imaging/PngWriteRgba.h"

#include <png.h>

#include <cstring>

#include "imaging/PngWrite.h"
#include "platform/FileIO.h"

namespace vornik {

Bytes EncodeRgbaPng(const TQvDIB& image) {
    if (image.GetBitCount() != 32 || image.IsCompressed())
        throw EQvDIBInvalidDIB("EncodeRgbaPng: Invalid BitCount");
    const int w = image.Width(), h = image.Height();
    // Rows top-down, as libpng's simplified writer takes them.
    Bytes rows(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        std::memcpy(rows.data() + static_cast<std::size_t>(y) * w * 4,
                    image.ScanLine(image.IsTopDown() ? y : h - 1 - y), static_cast<std::size_t>(w) * 4);
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(w);
    png.height = static_cast<png_uint_32>(h);
    png.format = PNG_FORMAT_BGRA;
    // Room for the worst case, so the picture is compressed once, not once
    // to learn the size and again to write.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png);
    Bytes out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, rows.data(), 0, nullptr))
        throw EPngWriteError(png.message);
    out.resize(size);
    return out;
}

void SaveRgbaPngFile(const std::string& path, const TQvDIB& image) {
    WriteFileReplacing(path, EncodeRgbaPng(image));
}

}  // namespace vornik
