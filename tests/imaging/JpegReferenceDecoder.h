#pragma once

// libjpeg used directly with its default output settings, as an independent
// decode to compare ours with. Only for well-formed test files.

#include <csetjmp>
#include <cstdint>
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
