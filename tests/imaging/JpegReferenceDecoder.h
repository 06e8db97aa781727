#pragma once

// libjpeg used directly with its default output settings, as an independent
// decode to compare ours with. Only for well-formed test files.

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

// clang-format off
#include <cstdio>  // jpeglib.h uses FILE without including it
#include <jpeglib.h>
// clang-format on

namespace vornik::test {

struct ReferenceJpeg {
    int width = 0, height = 0, components = 0;
    J_COLOR_SPACE colorSpace = JCS_UNKNOWN;
    bool adobe = false;
    int firstLumaQuant = 0;  // the luminance table's first (DC) entry: 8 at quality 75
    std::vector<std::uint8_t> samples;  // top-down, components per pixel, as libjpeg gives them
};

namespace detail {
struct ReferenceError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};
[[noreturn]] inline void referenceErrorExit(j_common_ptr c) {
    std::longjmp(reinterpret_cast<ReferenceError*>(c->err)->jump, 1);
}
inline bool referenceDecode(const std::uint8_t* data, std::size_t size, ReferenceJpeg& out) {
    jpeg_decompress_struct cinfo;
    ReferenceError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = referenceErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    out.width = int(cinfo.output_width);
    out.height = int(cinfo.output_height);
    out.components = cinfo.output_components;
    out.colorSpace = cinfo.out_color_space;
    out.adobe = cinfo.saw_Adobe_marker;
    if (cinfo.quant_tbl_ptrs[0]) out.firstLumaQuant = cinfo.quant_tbl_ptrs[0]->quantval[0];
    const std::size_t stride = std::size_t(out.width) * std::size_t(out.components);
    out.samples.resize(stride * std::size_t(out.height));
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.samples.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}
}  // namespace detail

inline ReferenceJpeg ReferenceDecode(const std::vector<std::uint8_t>& bytes) {
    ReferenceJpeg out;
    if (!detail::referenceDecode(bytes.data(), bytes.size(), out))
        throw std::runtime_error("reference decode failed");
    return out;
}

}  // namespace vornik::test

namespace vornik::test {

// RGB samples (top-down, 3 per pixel) through libjpeg's own encoder at a
// quality, so our decoder is judged on a file it did not write.
inline std::vector<std::uint8_t> ReferenceEncodeRgb(int width, int height, const std::vector<std::uint8_t>& rgb,
                                                    int quality) {
    jpeg_compress_struct cinfo;
    detail::ReferenceError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = detail::referenceErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(err.jump)) throw std::runtime_error("reference encode failed");
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = const_cast<JSAMPROW>(rgb.data() + std::size_t(width) * 3 * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// A uniform CMYK JPEG of the given four stored values, with or without the
// Adobe marker (whose convention stores 255 - ink).
inline std::vector<std::uint8_t> UniformCmykJpeg(int width, int height, const std::uint8_t cmyk[4],
                                                 bool adobe) {
    jpeg_compress_struct cinfo;
    detail::ReferenceError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = detail::referenceErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(err.jump)) throw std::runtime_error("reference encode failed");
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, JCS_CMYK);
    cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
    cinfo.write_JFIF_header = FALSE;
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(std::size_t(width) * 4);
    for (int x = 0; x < width; ++x)
        for (int k = 0; k < 4; ++k) row[std::size_t(x) * 4 + k] = cmyk[k];
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

}  // namespace vornik::test
