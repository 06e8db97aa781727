#include "model/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>

#include "imaging/BitmapInfoHeader.h"
#include "model/EntryStorage.h"

namespace vornik {

namespace {

// Everything the decoder changes lives here, on the heap and reached through
// one pointer, so nothing depends on locals surviving a longjmp.
struct Decoding {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    int maxSide = 0;
    std::string error;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    Bytes bgra;  // top-down rows
    std::unique_ptr<png_bytep[]> rows;
};

void onError(png_structp png, png_const_charp message) {
    auto* d = static_cast<Decoding*>(png_get_error_ptr(png));
    d->error = message != nullptr ? message : "PNG error";
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onRead(png_structp png, png_bytep out, png_size_t n) {
    auto* d = static_cast<Decoding*>(png_get_io_ptr(png));
    if (n > d->size - d->pos) png_error(png, "PNG data ends early");
    std::memcpy(out, d->data + d->pos, n);
    d->pos += n;
}

// libpng sizes a chunk's buffer from its length field before reading it, so
// a 2 GB text chunk in a 300-byte stream would be allocated whole. Every
// chunk up to IEND must fit the bytes present before libpng sees them.
bool chunksFit(Decoding* d) {
    std::size_t p = 8;  // after the signature
    while (d->size - p >= 8) {
        const std::uint32_t length = (std::uint32_t{d->data[p]} << 24) | (std::uint32_t{d->data[p + 1]} << 16) |
                                     (std::uint32_t{d->data[p + 2]} << 8) | d->data[p + 3];
        if (length > d->size - p - 8 || d->size - p - 8 - length < 4) {
            d->error = "PNG data ends early";
            return false;
        }
        if (std::memcmp(d->data + p + 4, "IEND", 4) == 0) return true;
        p += 12 + static_cast<std::size_t>(length);
    }
    return true;  // no IEND: libpng reports where the data ends
}

// Runs libpng over d; true on success. Only plain data lives in this frame.
bool decode(Decoding* d) {
    if (d->size < 8 || !chunksFit(d)) {
        if (d->error.empty()) d->error = "PNG data ends early";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, d, onError, onWarning);
    if (png == nullptr) {
        d->error = "cannot set up the PNG decoder";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        d->error = "cannot set up the PNG decoder";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, d, onRead);
    png_set_user_limits(png, static_cast<png_uint_32>(d->maxSide), static_cast<png_uint_32>(d->maxSide));
    png_set_chunk_cache_max(png, 128);
    png_set_chunk_malloc_max(png, 4u << 20);
    png_read_info(png, info);

    png_uint_32 w = 0, h = 0;
    int depth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
    if (w == 0 || h == 0 || w > static_cast<png_uint_32>(d->maxSide) || h > static_cast<png_uint_32>(d->maxSide))
        png_error(png, "PNG image is larger than the largest icon image");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 4)
        png_error(png, "PNG pixels do not come out as 32 bits");

    d->width = w;
    d->height = h;
    d->bgra.assign(static_cast<std::size_t>(w) * h * 4, 0);
    d->rows.reset(new png_bytep[h]);
    for (png_uint_32 y = 0; y < h; ++y) d->rows[y] = d->bgra.data() + static_cast<std::size_t>(y) * w * 4;
    png_read_image(png, d->rows.get());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::string DecodePngBgra(const std::uint8_t* data, std::size_t size, int maxSide, int* width, int* height,
                          Bytes& bgra) {
    auto d = std::make_unique<Decoding>();
    d->data = data;
    d->size = size;
    d->maxSide = maxSide;
    if (!decode(d.get())) return d->error;
    *width = static_cast<int>(d->width);
    *height = static_cast<int>(d->height);
    bgra = std::move(d->bgra);
    return {};
}

std::string DecodePngIconImage(const std::uint8_t* data, std::size_t size, IconEntry& entry, std::size_t* consumed) {
    entry.InfoHeader.clear();
    entry.XorBits.clear();
    entry.AndBits.clear();
    auto d = std::make_unique<Decoding>();
    d->data = data;
    d->size = size;
    d->maxSide = kMaxPngIconSide;
    if (!decode(d.get())) return "PNG image: " + d->error;

    const int w = static_cast<int>(d->width), h = static_cast<int>(d->height);
    const std::size_t xorRow = static_cast<std::size_t>(w) * 4;
    const std::size_t andRow = static_cast<std::size_t>(RowBytes(w));
    BitmapInfoHeader header;
    header.biWidth = w;
    header.biHeight = h;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biSizeImage = static_cast<std::uint32_t>(xorRow * static_cast<std::size_t>(h));
    entry.InfoHeader.assign(BitmapInfoHeader::kSize, 0);
    header.Write(entry.InfoHeader.data());
    entry.XorBits.assign(xorRow * static_cast<std::size_t>(h), 0);
    entry.AndBits.assign(andRow * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = d->bgra.data() + static_cast<std::size_t>(y) * xorRow;
        const std::size_t stored = static_cast<std::size_t>(h - 1 - y);
        std::memcpy(entry.XorBits.data() + stored * xorRow, in, xorRow);
        std::uint8_t* mask = entry.AndBits.data() + stored * andRow;
        for (int x = 0; x < w; ++x)
            if (in[4 * x + 3] == 0) mask[x >> 3] = static_cast<std::uint8_t>(mask[x >> 3] | (0x80u >> (x & 7)));
    }
    entry.XorSize = static_cast<std::int32_t>(entry.XorBits.size());
    entry.AndSize = static_cast<std::int32_t>(entry.AndBits.size());
    *consumed = d->pos;
    KeepPngStream(entry, data, d->pos);
    return {};
}

}  // namespace vornik
