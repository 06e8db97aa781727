// Apple icon files: the run-length code, the container with its table of
// contents, images of every coding, and files that must be refused or read
// with losses.
#include <gtest/gtest.h>

#include <cstring>

#include "model/IcnsFile.h"
#include "model/IcnsImage.h"
#include "model/IcnsRle.h"

using namespace vornik;

namespace {

void u32(Bytes& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

// A file of the given elements, the header's length as given (0: the real one).
Bytes container(const std::vector<IcnsElement>& elements, std::uint32_t declared = 0) {
    Bytes body;
    for (const auto& e : elements) {
        u32(body, e.type);
        u32(body, static_cast<std::uint32_t>(e.data.size() + 8));
        body.insert(body.end(), e.data.begin(), e.data.end());
    }
    Bytes out;
    u32(out, IcnsType("icns"));
    u32(out, declared ? declared : static_cast<std::uint32_t>(body.size() + 8));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A square with every alpha level, colours that make runs and literals.
TQvDIB testPicture(int side) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::uint8_t* p = dib.MutableScanLine(y) + 4 * x;
            p[0] = static_cast<std::uint8_t>(x < side / 2 ? 40 : x * 7);
            p[1] = static_cast<std::uint8_t>(y * 5);
            p[2] = static_cast<std::uint8_t>((x ^ y) & 0xF0);
            p[3] = static_cast<std::uint8_t>((x + y * side) % 256);
            if (p[3] == 0) p[0] = p[1] = p[2] = 0;
        }
    return dib;
}

Bytes pixelsOf(const TQvDIB& dib) {
    Bytes out;
    for (int y = 0; y < dib.Height(); ++y)
        out.insert(out.end(), dib.ScanLine(y), dib.ScanLine(y) + 4 * dib.Width());
    return out;
}

IcnsFile readBytes(const Bytes& data) { return ReadIcns(data.data(), data.size(), "t.icns"); }

std::string refusal(const Bytes& data) {
    try {
        readBytes(data);
    } catch (const EIcnsError& e) {
        return e.what();
    }
    return "(read)";
}

}  // namespace

TEST(IcnsRle, PacksAndUnpacksEveryRunLengthAndCutsOverlongRuns) {
    Bytes plane;
    for (int i = 0; i < 300; ++i) plane.push_back(7);              // runs longer than one control byte holds
    for (int i = 0; i < 200; ++i) plane.push_back(i % 3 ? i : 9);  // literals longer than 128
    plane.insert(plane.end(), {1, 1, 2, 2, 2, 3});                 // runs of two stay literal
    Bytes packed;
    PackIcnsChannel(plane.data(), plane.size(), 1, packed);
    EXPECT_LT(packed.size(), plane.size());
    Bytes back(plane.size());
    std::size_t pos = 0;
    ASSERT_TRUE(UnpackIcnsChannel(packed.data(), packed.size(), &pos, back.data(), back.size(), 1));
    EXPECT_EQ(pos, packed.size());
    EXPECT_EQ(back, plane);

    // Interleaved: every fourth byte.
    Bytes four(16, 0);
    const Bytes run = {0x80 + 4 - 1, 5};  // run of 7 cut at 4
    pos = 0;
    ASSERT_TRUE(UnpackIcnsChannel(run.data(), run.size(), &pos, four.data() + 1, 4, 4));
    EXPECT_EQ(four, (Bytes{0, 5, 0, 0, 0, 5, 0, 0, 0, 5, 0, 0, 0, 5, 0, 0}));
    // Data that ends inside a literal or before a run's value.
    const Bytes shortLiteral = {5, 1, 2}, shortRun = {0x90};
    pos = 0;
    EXPECT_FALSE(UnpackIcnsChannel(shortLiteral.data(), shortLiteral.size(), &pos, back.data(), 6, 1));
    pos = 0;
    EXPECT_FALSE(UnpackIcnsChannel(shortRun.data(), shortRun.size(), &pos, back.data(), 6, 1));
}

TEST(IcnsFile, PicturesWriteEveryTypeAndReadBackToTheSamePixels) {
    std::map<int, TQvDIB> pictures;
    for (int side : IcnsSides()) pictures[side] = testPicture(side);
    const IcnsFile made = IcnsFromPictures(pictures);
    const Bytes data = WriteIcns(made.elements);
    // The table of contents comes first and names every element with its length.
    ASSERT_GE(data.size(), 16u);
    EXPECT_EQ(std::memcmp(data.data() + 8, "TOC ", 4), 0);

    const IcnsFile read = readBytes(data);
    EXPECT_TRUE(read.losses.empty());
    std::vector<std::string> types;
    for (const auto& e : read.elements) types.push_back(IcnsTypeText(e.type));
    EXPECT_EQ(types, (std::vector<std::string>{"is32", "s8mk", "il32", "l8mk", "ic11", "ic12", "ic07", "ic08",
                                               "ic13", "ic09", "ic14", "ic10"}));
    const std::vector<IcnsImage> images = IcnsImages(read);
    ASSERT_EQ(images.size(), 10u);
    for (const IcnsImage& image : images) {
        EXPECT_EQ(pixelsOf(DecodeIcnsImage(read, image)), pixelsOf(pictures.at(image.side)))
            << IcnsTypeText(image.type);
    }
    EXPECT_EQ(images[0].coding, IcnsCoding::Rle24);
    EXPECT_GE(images[0].mask, 0);
    // Written again, the bytes are the same.
    EXPECT_EQ(WriteIcns(read.elements), data);
}

TEST(IcnsFile, ClassicArgbAndOldUnpackedImagesDecode) {
    const TQvDIB p16 = testPicture(16), p128 = testPicture(128);
    IcnsFile file;
    PutIcnsImage(file, IcnsType("ic04"), p16);
    PutIcnsImage(file, IcnsType("it32"), p128);
    // is32 as old files hold it: unpacked pad, red, green, blue; no mask.
    IcnsElement raw{IcnsType("is32"), {}, 0};
    for (int y = 15; y >= 0; --y)
        for (int x = 0; x < 16; ++x) {
            const std::uint8_t* p = p16.ScanLine(y) + 4 * x;
            raw.data.insert(raw.data.end(), {0, p[2], p[1], p[0]});
        }
    file.elements.push_back(raw);
    file.elements.push_back({IcnsType("ICN#"), Bytes(256, 0xAA), 0});  // kept, not an image here
    const IcnsFile read = readBytes(WriteIcns(file.elements));
    ASSERT_TRUE(read.losses.empty());
    const std::vector<IcnsImage> images = IcnsImages(read);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].coding, IcnsCoding::Argb);
    EXPECT_EQ(pixelsOf(DecodeIcnsImage(read, images[0])), pixelsOf(p16));
    EXPECT_EQ(pixelsOf(DecodeIcnsImage(read, images[1])), pixelsOf(p128));  // after it32's four zero bytes
    const Bytes opaque = pixelsOf(DecodeIcnsImage(read, images[2]));
    const Bytes expected = pixelsOf(p16);
    for (std::size_t i = 0; i < opaque.size(); ++i) ASSERT_EQ(opaque[i], i % 4 == 3 ? 255 : expected[i]) << i;
    EXPECT_EQ(read.elements.back().data, Bytes(256, 0xAA));
}

TEST(IcnsFile, MalformedContainersAreRefusedWithTheReason) {
    const IcnsElement mask{IcnsType("s8mk"), Bytes(256, 255), 0};
    const Bytes good = container({mask});
    ASSERT_EQ(refusal(good), "(read)");

    EXPECT_NE(refusal(Bytes(good.begin(), good.begin() + 6)).find("too short"), std::string::npos);
    Bytes other = good;
    other[0] = 'x';
    EXPECT_NE(refusal(other).find("not an ICNS file"), std::string::npos);
    EXPECT_NE(refusal(container({mask}, 5000)).find("cut short"), std::string::npos);
    EXPECT_NE(refusal(container({mask}, 4)).find("length of 4"), std::string::npos);
    Bytes tiny = good;
    tiny[14] = 0;
    tiny[15] = 3;  // the element's length below its own header
    EXPECT_NE(refusal(tiny).find("\"s8mk\" at 0x8 declares a length of 3"), std::string::npos);
    Bytes past = good;
    past[14] = 0x10;  // the element runs past the end
    EXPECT_NE(refusal(past).find("only 264 remain"), std::string::npos);
    Bytes halfHeader = container({mask});
    halfHeader.insert(halfHeader.end(), {'i', 's'});
    halfHeader[7] = static_cast<std::uint8_t>(halfHeader.size());
    EXPECT_NE(refusal(halfHeader).find("runs past the end"), std::string::npos);
    EXPECT_NE(refusal(container({})).find("no elements"), std::string::npos);
    EXPECT_NE(refusal(container(std::vector<IcnsElement>(kMaxIcnsElements + 1, {IcnsType("name"), {}, 0})))
                  .find("more than 512 elements"),
              std::string::npos);
    // Too many large images for the decoding budget, refused before decoding.
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                 'I',  'H', 'D', 'R', 0,    0,    4,    0,    0, 0, 4, 0};
    EXPECT_NE(refusal(container(std::vector<IcnsElement>(200, {IcnsType("ic10"), png, 0}))).find("MiB"),
              std::string::npos);
}

TEST(IcnsFile, UnusableImagesAreLeftOutAndNamedJpeg2000IsListedButNotDecoded) {
    Bytes png512 = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
                    'I',  'H', 'D', 'R', 0,    0,    2,    0,    0, 0, 2, 0};
    Bytes jp2 = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A, 1, 2, 3};
    const Bytes brokenRle = {0x7F, 1, 2};  // a literal of 128 with two bytes
    const Bytes data = container({{IcnsType("ic08"), png512, 0},
                                  {IcnsType("ic09"), jp2, 0},
                                  {IcnsType("is32"), brokenRle, 0},
                                  {IcnsType("l8mk"), Bytes(10, 1), 0},
                                  {IcnsType("\xFD\xD9/\xA8"), Bytes(20, 3), 0}});
    const IcnsFile read = readBytes(data);
    ASSERT_EQ(read.losses.size(), 3u);
    EXPECT_NE(read.losses[0].find("\"ic08\" at 0x8: a 512 x 512 PNG where 256 x 256 belongs; left out"),
              std::string::npos)
        << read.losses[0];
    EXPECT_NE(read.losses[1].find("\"is32\""), std::string::npos);
    EXPECT_NE(read.losses[1].find("ends before"), std::string::npos);
    EXPECT_NE(read.losses[2].find("a mask of 10 bytes"), std::string::npos);
    const std::vector<IcnsImage> images = IcnsImages(read);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].coding, IcnsCoding::Jpeg2000);
    EXPECT_EQ(images[0].side, 512);
    try {
        DecodeIcnsImage(read, images[0]);
        ADD_FAILURE() << "JPEG 2000 decoded";
    } catch (const EIcnsError& e) {
        EXPECT_NE(std::string(e.what()).find("ic09 (512 x 512): a JPEG 2000 image"), std::string::npos);
    }
    // A file whose every element is left out is refused, naming the first.
    EXPECT_NE(refusal(container({{IcnsType("ic11"), png512, 0}}))
                  .find("none of its elements can be used (element \"ic11\""),
              std::string::npos);
    // Kept elements are written back byte for byte.
    const IcnsFile again = readBytes(WriteIcns(read.elements));
    ASSERT_EQ(again.elements.size(), 2u);
    EXPECT_EQ(again.elements[0].data, jp2);
    EXPECT_EQ(IcnsTypeText(again.elements[1].type), "\\xFD\\xD9/\\xA8");
    EXPECT_EQ(again.elements[1].data, Bytes(20, 3));
}

TEST(IcnsFile, PuttingAnImageReplacesItsTypeAndMaskAndRemovingTakesBoth) {
    IcnsFile file = IcnsFromPictures({{16, testPicture(16)}, {128, testPicture(128)}});
    ASSERT_EQ(file.elements.size(), 3u);
    TQvDIB white;
    white.CreateDIB(40, 40, 0, 32);  // scaled to the type's side
    std::memset(white.MutablePixels(), 255, static_cast<std::size_t>(white.DataSize()));
    PutIcnsImage(file, IcnsType("is32"), white);
    ASSERT_EQ(file.elements.size(), 3u);
    std::vector<IcnsImage> images = IcnsImages(file);
    EXPECT_EQ(pixelsOf(DecodeIcnsImage(file, images[0])), Bytes(16 * 16 * 4, 255));
    RemoveIcnsImage(file, images[0]);
    ASSERT_EQ(file.elements.size(), 1u);
    EXPECT_EQ(IcnsTypeText(file.elements[0].type), "ic07");
    EXPECT_THROW(PutIcnsImage(file, IcnsType("s8mk"), white), EIcnsError);
}
