#include "PngTestDecode.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>

#include "TestFiles.h"

namespace vornik::test {

RgbaImage DecodePngFile(const std::filesystem::path& path) {
    const Bytes bytes = ReadAll(path);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw std::runtime_error("png: " + path.string() + ": " + image.message);
    image.format = PNG_FORMAT_RGBA;
    RgbaImage out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error("png: " + path.string() + ": " + image.message);
    }
    return out;
}

}  // namespace vornik::test
