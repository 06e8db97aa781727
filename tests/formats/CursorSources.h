// Source pictures for cursor building tests: PNGs of several colour types
// written with libpng, and small SVGs.
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/XcursorFile.h"

namespace vornik::test {

// RGBA bytes of a w x h picture whose pixels differ by position and seed, with
// every alpha level from transparent to opaque across it.
inline std::vector<std::uint8_t> PatternRgba(int w, int h, int seed) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &px[(static_cast<std::size_t>(y) * w + x) * 4];
            p[0] = static_cast<std::uint8_t>(x * 37 + seed * 11);
            p[1] = static_cast<std::uint8_t>(y * 53 + seed * 7);
            p[2] = static_cast<std::uint8_t>((x ^ y) * 29 + seed);
            p[3] = static_cast<std::uint8_t>((x * 7 + y * 13 + seed * 5) % 256);
        }
    return px;
}

// Writes the RGBA bytes as a PNG of `format`: PNG_FORMAT_RGBA, PNG_FORMAT_RGB
// (alpha dropped), PNG_FORMAT_GA (red as grey) or PNG_FORMAT_RGBA_COLORMAP (a
// palette with transparency; at most 256 distinct pixels).
inline void WritePng(const std::string& path, int w, int h, const std::vector<std::uint8_t>& rgba,
                     png_uint_32 format = PNG_FORMAT_RGBA) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = format;
    std::vector<std::uint8_t> pixels, colormap;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        const std::uint8_t* p = &rgba[i];
        if (format == PNG_FORMAT_RGBA) pixels.insert(pixels.end(), p, p + 4);
        if (format == PNG_FORMAT_RGB) pixels.insert(pixels.end(), p, p + 3);
        if (format == PNG_FORMAT_GA) pixels.insert(pixels.end(), {p[0], p[3]});
        if (format == PNG_FORMAT_RGBA_COLORMAP) {
            std::size_t k = 0;
            while (k < colormap.size() &&
                   !std::equal(p, p + 4, colormap.begin() + static_cast<std::ptrdiff_t>(k)))
                k += 4;
            if (k == colormap.size()) colormap.insert(colormap.end(), p, p + 4);
            pixels.push_back(static_cast<std::uint8_t>(k / 4));
        }
    }
    ASSERT_LE(colormap.size(), 256u * 4) << "too many colours for a palette";
    image.colormap_entries = static_cast<png_uint_32>(colormap.size() / 4);
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0,
                                        colormap.empty() ? nullptr : colormap.data()))
        << image.message;
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// An SVG of w x h user units (drawn at width x height pixels when given) with
// a filled shape, soft edges and a marker colour so renderings differ.
inline std::string TestSvg(int w, int h, const std::string& colour, int pixelsW = 0, int pixelsH = 0) {
    std::string size =
        pixelsW ? " width='" + std::to_string(pixelsW) + "' height='" + std::to_string(pixelsH) + "'" : "";
    return "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 " + std::to_string(w) + " " +
           std::to_string(h) + "'" + size + "><path d='M0 0 L" + std::to_string(w) + " " +
           std::to_string(h / 2) + " L" + std::to_string(w / 3) + " " + std::to_string(h) + " Z' fill='" +
           colour + "' stroke='black' stroke-width='" + std::to_string(w / 16 + 1) +
           "' fill-opacity='0.8'/><circle cx='" + std::to_string(w / 2) + "' cy='" + std::to_string(h / 2) +
           "' r='" + std::to_string(w / 5) + "' fill='white'/></svg>";
}

// Everything libXcursor read for two files, image for image.
inline void ExpectSameImages(const std::vector<XcursorPicture>& ours,
                             const std::vector<XcursorPicture>& theirs, const std::string& what) {
    ASSERT_EQ(ours.size(), theirs.size()) << what;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const XcursorPicture& a = ours[i];
        const XcursorPicture& b = theirs[i];
        EXPECT_EQ(a.nominalSize, b.nominalSize) << what << " image " << i;
        EXPECT_EQ(a.width, b.width) << what << " image " << i;
        EXPECT_EQ(a.height, b.height) << what << " image " << i;
        EXPECT_EQ(a.xhot, b.xhot) << what << " image " << i;
        EXPECT_EQ(a.yhot, b.yhot) << what << " image " << i;
        EXPECT_EQ(a.delay, b.delay) << what << " image " << i;
        if (a.pixels != b.pixels) {
            std::size_t k = 0;
            while (k < a.pixels.size() && k < b.pixels.size() && a.pixels[k] == b.pixels[k]) ++k;
            ADD_FAILURE() << what << " image " << i << ": pixels differ first at " << k;
        }
    }
}

// The one folder libXcursor's theme lookup searches in this process: the
// library reads XCURSOR_PATH once, so every test that looks up themes puts
// them (or a link to them) here. Removed when the process ends.
inline const std::filesystem::path& XcursorSearchRoot() {
    struct Root {
        std::filesystem::path path;
        Root() {
            path = std::filesystem::temp_directory_path() /
                   ("vornik-xcursor-path-" + std::to_string(::getpid()));
            std::filesystem::remove_all(path);
            std::filesystem::create_directories(path);
            ::setenv("XCURSOR_PATH", path.c_str(), 1);
        }
        ~Root() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Root root;
    return root.path;
}

}  // namespace vornik::test
