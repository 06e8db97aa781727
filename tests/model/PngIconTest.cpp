// PNG-compressed images inside icon files.
#include <gtest/gtest.h>
#include <png.h>

#include <zlib.h>

#include "TestFiles.h"
#include "imaging/BitmapInfoHeader.h"
#include "model/IconImageReader.h"
#include "model/PngImage.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"

using namespace vornik;

namespace {

// The PNG decoded by libpng's simplified reader, BGRA, rows bottom-up.
Bytes decodeIndependently(const std::uint8_t* data, std::size_t size, int* width, int* height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return {};
    image.format = PNG_FORMAT_BGRA;
    Bytes out(PNG_IMAGE_SIZE(image));
    const png_int_32 stride = static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
    if (!png_image_finish_read(&image, nullptr, out.data(), -stride, nullptr)) return {};
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return out;
}

// A small PNG built with libpng: w x h RGBA, pixel (x, y) = (x, y, 7, alpha(x)).
Bytes makePng(int w, int h, bool interlaced = false) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep d, png_size_t n) {
            auto* o = static_cast<Bytes*>(png_get_io_ptr(p));
            o->insert(o->end(), d, d + n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGBA,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 4);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                row[4 * x] = static_cast<std::uint8_t>(x);
                row[4 * x + 1] = static_cast<std::uint8_t>(y);
                row[4 * x + 2] = 7;
                row[4 * x + 3] = x % 3 == 0 ? 0 : 200;
            }
            png_write_row(png, row.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A one-image icon file around a PNG stream.
Bytes iconAround(const Bytes& png, int side) {
    Bytes f;
    AppendU16LE(f, 0);
    AppendU16LE(f, 1);
    AppendU16LE(f, 1);
    f.push_back(static_cast<std::uint8_t>(side));
    f.push_back(static_cast<std::uint8_t>(side));
    f.push_back(0);
    f.push_back(0);
    AppendU16LE(f, 1);
    AppendU16LE(f, 32);
    AppendU32LE(f, static_cast<std::uint32_t>(png.size()));
    AppendU32LE(f, 22);
    AppendBytes(f, png.data(), png.size());
    return f;
}

void expectMatches(const IconEntry& e, const Bytes& bgra, int w, int h) {
    const BitmapInfoHeader hd = BitmapInfoHeader::Read(e.InfoHeader.data());
    EXPECT_EQ(hd.biWidth, w);
    EXPECT_EQ(hd.biHeight, h);
    EXPECT_EQ(hd.biBitCount, 32);
    EXPECT_EQ(hd.biCompression, 0u);
    EXPECT_EQ(hd.biClrUsed, 0u);
    EXPECT_EQ(e.InfoHeader.size(), 40u);
    ASSERT_EQ(e.XorBits, bgra);
    ASSERT_EQ(e.AndSize, RowBytes(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool transparent = bgra[(static_cast<std::size_t>(y) * w + x) * 4 + 3] == 0;
            const std::uint8_t byte = e.AndBits[static_cast<std::size_t>(y * RowBytes(w) + x / 8)];
            ASSERT_EQ(((byte >> (7 - x % 8)) & 1) == 1, transparent) << x << "," << y;
        }
}

TEST(PngIcon, CorpusPngIconsOpenWholeAndMatchLibpng) {
    VORNIK_REQUIRE_CORPUS();
    int pngEntries = 0, big = 0;
    for (const auto& path : test::CorpusFiles("ico", ".ico")) {
        const Bytes file = test::ReadAll(path);
        TIconCurEX set;
        if (!set.LoadFromBytes(file, path.filename().string())) continue;
        SCOPED_TRACE(path.filename().string());
        for (int i = 0; i < set.Count; ++i) {
            const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
            const auto at = static_cast<std::size_t>(e.SourcePos);
            if (!IsPngImage(file.data(), file.size(), at)) continue;
            ++pngEntries;
            int w = 0, h = 0;
            const Bytes expected = decodeIndependently(file.data() + at, file.size() - at, &w, &h);
            ASSERT_FALSE(expected.empty());
            expectMatches(e, expected, w, h);
            if (w == 256) {
                ++big;
                EXPECT_EQ(e.Width, 0);  // as the directory says
            }
        }
        // Written back in the classic form, it reads again to the same pixels.
        TIconCurEX again;
        ASSERT_TRUE(again.LoadFromBytes(set.SaveToBytes(), "again")) << again.LoadError();
        for (int i = 0; i < set.Count; ++i)
            EXPECT_EQ(again.Entries[static_cast<std::size_t>(i)].XorBits, set.Entries[static_cast<std::size_t>(i)].XorBits);
    }
    EXPECT_GE(pngEntries, 14);
    EXPECT_GE(big, 8);
}

TEST(PngIcon, BuiltPngsOfEveryLayout) {
    for (bool interlaced : {false, true}) {
        const Bytes png = makePng(5, 3, interlaced);
        TIconCurEX set;
        ASSERT_TRUE(set.LoadFromBytes(iconAround(png, 5), "built")) << set.LoadError();
        int w = 0, h = 0;
        const Bytes expected = decodeIndependently(png.data(), png.size(), &w, &h);
        expectMatches(set.Entries[0], expected, 5, 3);
        // Bottom-up: the first stored row is the picture's last (y = 2).
        EXPECT_EQ(set.Entries[0].XorBits[1], 2);
        EXPECT_EQ(set.Entries[0].XorBits[2], 0);  // red of x = 0 in BGRA order
        EXPECT_EQ(set.Entries[0].AndBits[0], 0x90);  // x = 0 and x = 3 transparent
    }
}

TEST(PngIcon, MalformedOrOversizedStreamsAreRefusedWithLibpngsMessage) {
    const Bytes good = makePng(4, 4);
    // Truncated in the middle of the image data.
    Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() - 20));
    TIconCurEX set;
    EXPECT_FALSE(set.LoadFromBytes(iconAround(cut, 4), "cut"));
    EXPECT_EQ(set.LoadError(), "\"cut\": entry 0: PNG image: PNG data ends early");
    EXPECT_EQ(set.Count, 0);

    // A damaged IHDR checksum.
    Bytes bad = good;
    bad[29] ^= 0xFF;
    EXPECT_FALSE(set.LoadFromBytes(iconAround(bad, 4), "bad"));
    EXPECT_EQ(set.LoadError(), "\"bad\": entry 0: PNG image: IHDR: CRC error");

    // A declared size beyond what an entry can hold is refused from IHDR alone.
    Bytes huge = good;
    WriteU32LE(huge.data() + 16, 0);
    huge[16] = 0x00;
    huge[17] = 0x00;
    huge[18] = 0x40;  // width 16384, big-endian
    huge[19] = 0x00;
    const uLong crc = crc32(crc32(0, nullptr, 0), huge.data() + 12, 17);
    huge[29] = static_cast<std::uint8_t>(crc >> 24);
    huge[30] = static_cast<std::uint8_t>(crc >> 16);
    huge[31] = static_cast<std::uint8_t>(crc >> 8);
    huge[32] = static_cast<std::uint8_t>(crc);
    EXPECT_FALSE(set.LoadFromBytes(iconAround(huge, 0), "huge"));
    EXPECT_EQ(set.LoadError(), "\"huge\": entry 0: PNG image: Invalid IHDR data");

    // Images beyond the directory's 256 (found in the wild) decode up to 1024.
    EXPECT_TRUE(set.LoadFromBytes(iconAround(makePng(256, 256), 0), "256")) << set.LoadError();
    EXPECT_TRUE(set.LoadFromBytes(iconAround(makePng(1024, 2), 0), "max")) << set.LoadError();
    EXPECT_EQ(set.Entries[0].XorSize, 1024 * 4 * 2);
    EXPECT_FALSE(set.LoadFromBytes(iconAround(makePng(1025, 1), 0), "over"));
}

TEST(PngIcon, ManyLargeImagesInOneSmallFileAreRefusedAtTheBudget) {
    // Each 1024 x 1024 stream is a few KB but holds 4.1 MB once decoded.
    const Bytes png = makePng(1024, 1024);
    const int count = static_cast<int>(kMaxDecodedImageBytes / (1024 * 1024 * 4)) + 2;
    Bytes f;
    AppendU16LE(f, 0);
    AppendU16LE(f, 1);
    AppendU16LE(f, static_cast<std::uint16_t>(count));
    std::size_t offset = 6 + 16 * static_cast<std::size_t>(count);
    for (int i = 0; i < count; ++i) {
        IconEntry e;
        e.ImageSize = static_cast<std::uint32_t>(png.size());
        e.ImageOffset = static_cast<std::uint32_t>(offset + png.size() * static_cast<std::size_t>(i));
        f.resize(f.size() + 16);
        e.WriteDirectory(f.data() + f.size() - 16);
    }
    for (int i = 0; i < count; ++i) f.insert(f.end(), png.begin(), png.end());
    TIconCurEX set;
    EXPECT_FALSE(set.LoadFromBytes(f, "bomb"));
    EXPECT_EQ(set.Count, 0);
    EXPECT_NE(set.LoadError().find("the images together decode to more than 512 MiB"), std::string::npos)
        << set.LoadError();

    // Without decoding the PNG images the same file lists and writes back:
    // sides from IHDR, nothing but the streams held.
    ASSERT_TRUE(set.LoadFromBytes(f, "bomb", false)) << set.LoadError();
    ASSERT_EQ(set.Count, count);
    std::size_t held = 0;
    for (int i = 0; i < count; ++i) {
        const IconEntry& e = set.Entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.PixelWidth(), 1024);
        EXPECT_EQ(e.PixelHeight(), 1024);
        EXPECT_EQ(ReadU16LE(e.InfoHeader.data() + 14), 32);
        held += e.XorBits.size() + e.AndBits.size() + e.PngStream.size();
    }
    EXPECT_EQ(held, png.size() * static_cast<std::size_t>(count));
    EXPECT_EQ(set.SaveToBytes(), f);
    set.Storage = EntryStorage::Bmp;  // bitmaps need the pixels that were not decoded
    EXPECT_THROW(set.SaveToBytes(), EVornikError);
    // A stream cut short is refused even so.
    Bytes cut(f.begin(), f.end() - 10);
    EXPECT_FALSE(set.LoadFromBytes(cut, "cut", false));
    EXPECT_NE(set.LoadError().find("the stream runs past the end of the file"), std::string::npos) << set.LoadError();
}

TEST(PngIcon, AChunkLongerThanTheDataIsRefusedBeforeAnyAllocation) {
    // A text chunk claiming about 2 GB in a stream of a few hundred bytes.
    Bytes png = makePng(4, 4);
    const std::size_t at = 8 + 12 + 13;  // after IHDR
    const Bytes text = {0x77, 0x00, 0x00, 0x25, 't', 'E', 'X', 't', 'a', 'b'};
    png.insert(png.begin() + static_cast<long>(at), text.begin(), text.end());
    TIconCurEX set;
    EXPECT_FALSE(set.LoadFromBytes(iconAround(png, 4), "long-chunk"));
    EXPECT_EQ(set.LoadError(), "\"long-chunk\": entry 0: PNG image: PNG data ends early");
}

TEST(PngIcon, DecoderReportsWhatItConsumed) {
    const Bytes png = makePng(2, 2);
    Bytes withTail = png;
    withTail.insert(withTail.end(), 50, 0xAB);
    IconEntry e;
    std::size_t consumed = 0;
    EXPECT_EQ(DecodePngIconImage(withTail.data(), withTail.size(), e, &consumed), "");
    EXPECT_EQ(consumed, png.size());
    EXPECT_EQ(e.XorSize, 16);
    EXPECT_EQ(e.AndSize, 8);
}

}  // namespace
