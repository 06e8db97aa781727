#include "imaging/JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

// clang-format off
#include <cstdio>  // jpeglib.h uses FILE without including it
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "imaging/JpegError.h"

namespace vornik {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: we
// keep its message and jump back to the setjmp in the decoding function. The
// functions holding a setjmp keep only trivially destructible locals, so the
// jump skips no destructor.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

constexpr int kMaxScans = 500;  // real progressive files have about ten

[[noreturn]] void onErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings about damaged entropy data or a file that ends early mean libjpeg
// would hand back a picture partly made up: refuse those. Warnings about
// metadata or stray bytes between markers leave the picture intact.
bool isHarmlessWarning(int code) {
    switch (code) {
        case JWRN_ADOBE_XFORM:
        case JWRN_EXTRANEOUS_DATA:
        case JWRN_JFIF_MAJOR:
        case JWRN_TOO_MUCH_DATA:
        case JWRN_BOGUS_ICC:
            return true;
        default:
            return false;
    }
}

void onEmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace output
    if (isHarmlessWarning(cinfo->err->msg_code)) {
        cinfo->err->num_warnings++;
        return;
    }
    onErrorExit(cinfo);
}

// Stops files with an absurd number of progressive scans, each of which would
// make libjpeg walk the whole coefficient buffer again.
void onProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "JPEG file has more than %d scans", kMaxScans);
        std::longjmp(err->jump, 1);
    }
}

void installErrorManager(ErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = onErrorExit;
    err.pub.emit_message = onEmitMessage;
    err.message[0] = '\0';
}

// CMYK as stored: with an Adobe marker the four values are 255 - ink (what
// Photoshop writes), otherwise plain ink.
void cmykRowToBgr(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width, bool adobeInverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        out[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

bool checkLimits(const jpeg_decompress_struct& cinfo, std::size_t inputSize, const JpegLimits& limits,
                 char* message, std::size_t messageSize) {
    const std::uint64_t pixels = std::uint64_t(cinfo.image_width) * cinfo.image_height;
    if (pixels > limits.maxPixels) {
        std::snprintf(message, messageSize, "JPEG image too large: %u x %u pixels (at most %llu allowed)",
                      cinfo.image_width, cinfo.image_height,
                      static_cast<unsigned long long>(limits.maxPixels));
        return false;
    }
    if (pixels > limits.freePixels && limits.maxPixelsPerByte != 0 &&
        pixels / limits.maxPixelsPerByte > inputSize) {
        std::snprintf(message, messageSize,
                      "JPEG image claims %u x %u pixels but the file holds only %zu bytes", cinfo.image_width,
                      cinfo.image_height, inputSize);
        return false;
    }
    return true;
}

// Returns false with message set on failure. out is filled only on success.
bool decodeInto(const std::uint8_t* data, std::size_t size, const JpegLimits& limits, JpegRaster& out,
                char* message, std::size_t messageSize) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    cinfo.err = &err.pub;
    installErrorManager(err);
    if (setjmp(err.jump)) {
        std::snprintf(message, messageSize, "%s", err.message);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
    progress.progress_monitor = onProgress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (!checkLimits(cinfo, size, limits, message, messageSize)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;
    try {
        out.bgr.assign(stride * cinfo.output_height, 0);
    } catch (const std::bad_alloc&) {
        std::snprintf(message, messageSize, "Out of memory for a %u x %u JPEG image", cinfo.output_width,
                      cinfo.output_height);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                             cinfo.output_width * 4, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        std::uint8_t* row = out.bgr.data() + stride * cinfo.output_scanline;
        JSAMPROW rows[1] = {row};
        // The memory source never suspends; no row means the decoder is stuck.
        if (jpeg_read_scanlines(&cinfo, cmyk ? cmykRow : rows, 1) != 1) {
            std::snprintf(message, messageSize, "JPEG decoder returned no row");
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        if (cmyk) cmykRowToBgr(cmykRow[0], row, cinfo.output_width, cinfo.saw_Adobe_marker);
    }
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

// The memory destination's buffer lives outside the function with the setjmp,
// so its value is well defined after a jump.
struct EncodeTarget {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool encodeInto(const JpegRaster& image, int quality, EncodeTarget& target, char* message,
                std::size_t messageSize) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = &err.pub;
    installErrorManager(err);
    if (setjmp(err.jump)) {
        std::snprintf(message, messageSize, "%s", err.message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &target.buffer, &target.size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;  // before set_defaults, which reads it
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = std::size_t(image.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {const_cast<JSAMPLE*>(image.bgr.data() + stride * cinfo.next_scanline)};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

JpegRaster DecodeJpeg(const std::uint8_t* data, std::size_t size, const JpegLimits& limits) {
    if (size == 0 || data == nullptr)
        throw EJpegError(Message("Write", VORNIK_TRANSLATE_NOOP("Write", "Empty JPEG data")));
    JpegRaster out;
    char message[JMSG_LENGTH_MAX + 128] = {};
    if (!decodeInto(data, size, limits, out, message, sizeof message)) throw EJpegError(message);
    return out;
}

Bytes EncodeJpeg(const JpegRaster& image, int quality) {
    if (image.width <= 0 || image.height <= 0 || image.width > JPEG_MAX_DIMENSION ||
        image.height > JPEG_MAX_DIMENSION)
        throw EJpegError(Message("Write",
                                 VORNIK_TRANSLATE_NOOP("Write", "Cannot write a JPEG of %1 x %2 pixels"),
                                 {image.width, image.height}));
    if (image.bgr.size() / 3 / std::size_t(image.width) < std::size_t(image.height))
        throw EJpegError("JPEG pixel buffer is smaller than its size says");
    if (quality < 1) quality = 1;
    if (quality > 100) quality = 100;
    EncodeTarget target;
    char message[JMSG_LENGTH_MAX + 128] = {};
    const bool ok = encodeInto(image, quality, target, message, sizeof message);
    Bytes out;
    if (ok) {
        try {
            out.assign(target.buffer, target.buffer + target.size);
        } catch (...) {
            std::free(target.buffer);
            throw;
        }
    }
    std::free(target.buffer);
    if (!ok) throw EJpegError(message);
    return out;
}

}  // namespace vornik
