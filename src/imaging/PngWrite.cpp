#include "imaging/PngWrite.h"

#include <png.h>

#include <csetjmp>
#include <optional>
#include <vector>

#include "imaging/TQvDIBCanvas.h"
#include "platform/FileIO.h"

namespace vornik {

namespace {

// State that outlives the function with the setjmp, so it is well defined
// after libpng jumps back.
struct PngTarget {
    Bytes out;
    std::string message;
    bool outOfMemory = false;
};

void onWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* t = static_cast<PngTarget*>(png_get_io_ptr(png));
    try {
        t->out.insert(t->out.end(), data, data + length);
    } catch (...) {
        t->outOfMemory = true;
        png_error(png, "out of memory");
    }
}
void onFlush(png_structp) {}
void onError(png_structp png, png_const_charp message) {
    static_cast<PngTarget*>(png_get_error_ptr(png))->message = message;
    png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

// rows: top-down, each width * channels bytes.
bool writePng(const std::vector<png_bytep>& rows, int width, int height, bool alpha, PngTarget& target) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, onError, onWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &target, onWrite, onFlush);
    // Fast settings: zlib's level 1 with unfiltered rows costs a fifth of the
    // default (level 6, adaptive filters) and makes icon pictures about a
    // quarter larger; flat artwork often comes out smaller.
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

Bytes EncodePng(const TQvDIB& image, const TQvDIB* mask) {
    const TQvDIBSourceSurface source(image);
    const RasterSurface& s = source.Surface();
    std::optional<TQvDIBSourceSurface> maskSource;
    if (mask != nullptr) {
        if (mask->Width() != image.Width() || mask->Height() != image.Height())
            throw EPngWriteError(Message(
                "Write", VORNIK_TRANSLATE_NOOP("Write", "PNG: the mask is %1 x %2 but the image %3 x %4"),
                {mask->Width(), mask->Height(), image.Width(), image.Height()}));
        maskSource.emplace(*mask);
    }
    // Icons of the 32-bit kind whose alpha bytes are all 0 rely on the mask.
    bool ownAlpha = false;
    if (s.bitCount == 32)
        for (int y = 0; y < s.height && !ownAlpha; ++y)
            for (int x = 0; x < s.width && !ownAlpha; ++x) ownAlpha = s.row(y)[4 * std::size_t(x) + 3] != 0;
    const bool alpha = ownAlpha || mask != nullptr;
    const int channels = alpha ? 4 : 3;
    const std::size_t rowBytes = std::size_t(s.width) * std::size_t(channels);
    Bytes pixels(rowBytes * std::size_t(s.height));
    std::vector<png_bytep> rows(std::size_t(s.height));
    for (int y = 0; y < s.height; ++y) {
        std::uint8_t* p = pixels.data() + rowBytes * std::size_t(y);
        rows[std::size_t(y)] = p;
        for (int x = 0; x < s.width; ++x, p += channels) {
            const RasterColor c = ReadPixelColor(s, x, y);
            p[0] = RedOf(c);
            p[1] = GreenOf(c);
            p[2] = BlueOf(c);
            if (ownAlpha) {
                p[3] = s.row(y)[4 * std::size_t(x) + 3];
            } else if (maskSource) {
                const RasterColor m = ReadPixelColor(maskSource->Surface(), x, y);
                const bool transparent = (RedOf(m) + GreenOf(m) + BlueOf(m)) / 3 >= 129;
                p[3] = transparent ? 0 : 255;
            }
        }
    }
    PngTarget target;
    if (!writePng(rows, s.width, s.height, alpha, target))
        throw EPngWriteError(
            "PNG: " + (target.message.empty() ? std::string("cannot create the writer") : target.message));
    return std::move(target.out);
}

void SavePngFile(const std::string& path, const TQvDIB& image, const TQvDIB* mask) {
    WriteFileReplacing(path, EncodePng(image, mask));
}

}  // namespace vornik
