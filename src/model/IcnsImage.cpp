#include "model/IcnsImage.h"

#include <algorithm>
#include <cstring>

#include "imaging/PngWriteRgba.h"
#include "imaging/ScaleArea.h"
#include "model/IcnsRle.h"
#include "model/PngImage.h"

namespace vornik {

namespace {

constexpr std::uint32_t kNone = 0;

const IcnsTypeInfo kTypes[] = {
    {IcnsType("is32"), 16, IcnsCoding::Rle24, IcnsType("s8mk"), "16x16"},
    {IcnsType("il32"), 32, IcnsCoding::Rle24, IcnsType("l8mk"), "32x32"},
    {IcnsType("ih32"), 48, IcnsCoding::Rle24, IcnsType("h8mk"), "48x48"},
    {IcnsType("it32"), 128, IcnsCoding::Rle24, IcnsType("t8mk"), "128x128"},
    {IcnsType("s8mk"), 16, IcnsCoding::Mask8, kNone, "16x16 mask"},
    {IcnsType("l8mk"), 32, IcnsCoding::Mask8, kNone, "32x32 mask"},
    {IcnsType("h8mk"), 48, IcnsCoding::Mask8, kNone, "48x48 mask"},
    {IcnsType("t8mk"), 128, IcnsCoding::Mask8, kNone, "128x128 mask"},
    {IcnsType("ic04"), 16, IcnsCoding::Argb, kNone, "16x16"},
    {IcnsType("ic05"), 32, IcnsCoding::Argb, kNone, "32x32"},
    {IcnsType("icp4"), 16, IcnsCoding::Png, kNone, "16x16"},
    {IcnsType("icp5"), 32, IcnsCoding::Png, kNone, "32x32"},
    {IcnsType("icp6"), 64, IcnsCoding::Png, kNone, "64x64"},
    {IcnsType("ic07"), 128, IcnsCoding::Png, kNone, "128x128"},
    {IcnsType("ic08"), 256, IcnsCoding::Png, kNone, "256x256"},
    {IcnsType("ic09"), 512, IcnsCoding::Png, kNone, "512x512"},
    {IcnsType("ic10"), 1024, IcnsCoding::Png, kNone, "512x512@2x"},
    {IcnsType("ic11"), 32, IcnsCoding::Png, kNone, "16x16@2x"},
    {IcnsType("ic12"), 64, IcnsCoding::Png, kNone, "32x32@2x"},
    {IcnsType("ic13"), 256, IcnsCoding::Png, kNone, "128x128@2x"},
    {IcnsType("ic14"), 512, IcnsCoding::Png, kNone, "256x256@2x"},
};

const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
const std::uint8_t kJp2Signature[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
const std::uint8_t kJ2kCodestream[4] = {0xFF, 0x4F, 0xFF, 0x51};

bool startsWith(const Bytes& data, const std::uint8_t* head, std::size_t n) {
    return data.size() >= n && std::memcmp(data.data(), head, n) == 0;
}

std::uint32_t readU32BE(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::string sideText(int side) { return std::to_string(side) + " x " + std::to_string(side); }

// Row y counted from the top, whatever the picture's row order.
const std::uint8_t* rowFromTop(const TQvDIB& dib, int y) {
    return dib.ScanLine(dib.IsTopDown() ? y : dib.Height() - 1 - y);
}

// The picture as side x side, 32 bits, top row first in a plain block.
Bytes topDownBgra(const TQvDIB& picture, int side) {
    if (picture.GetBitCount() != 32) throw EIcnsError("an ICNS image needs a 32-bit picture");
    const TQvDIB sized =
        picture.Width() == side && picture.Height() == side ? picture : ScaleArea(picture, side, side);
    Bytes out(static_cast<std::size_t>(side) * side * 4);
    for (int y = 0; y < side; ++y)
        std::memcpy(out.data() + static_cast<std::size_t>(y) * side * 4, rowFromTop(sized, y),
                    static_cast<std::size_t>(side) * 4);
    return out;
}

TQvDIB pictureOf(const Bytes& bgra, int side) {
    TQvDIB dib;
    dib.CreateDIB(side, side, 0, 32);
    for (int y = 0; y < side; ++y)
        std::memcpy(dib.MutableScanLine(side - 1 - y), bgra.data() + static_cast<std::size_t>(y) * side * 4,
                    static_cast<std::size_t>(side) * 4);
    return dib;
}

// Classic image data: run-length red, green and blue planes (it32 after four
// zero bytes), or in old files the plain 32-bit pixels. Fills blue, green and
// red of bgra; empty string on success.
std::string unpackRle24(const IcnsElement& e, int side, Bytes& bgra) {
    const std::size_t pixels = static_cast<std::size_t>(side) * side;
    const std::uint8_t* d = e.data.data();
    const std::size_t n = e.data.size();
    if (n == pixels * 4) {  // unpacked: a pad byte, then red, green, blue
        for (std::size_t i = 0; i < pixels; ++i) {
            bgra[4 * i] = d[4 * i + 3];
            bgra[4 * i + 1] = d[4 * i + 2];
            bgra[4 * i + 2] = d[4 * i + 1];
        }
        return {};
    }
    std::size_t pos = 0;
    if (e.type == IcnsType("it32") && n >= 4 && readU32BE(d) == 0) pos = 4;
    for (int channel = 0; channel < 3; ++channel)
        if (!UnpackIcnsChannel(d, n, &pos, bgra.data() + 2 - channel, pixels, 4))
            return "its run-length data ends before the " + sideText(side) + " image is complete";
    return {};
}

std::string unpackArgb(const IcnsElement& e, int side, Bytes& bgra) {
    const std::size_t pixels = static_cast<std::size_t>(side) * side;
    std::size_t pos = 4;                // after "ARGB"
    const int order[4] = {3, 2, 1, 0};  // alpha, red, green, blue into B, G, R, A bytes
    for (int channel : order)
        if (!UnpackIcnsChannel(e.data.data(), e.data.size(), &pos, bgra.data() + channel, pixels, 4))
            return "its run-length data ends before the " + sideText(side) + " image is complete";
    return {};
}

std::string checkPngHeader(const IcnsElement& e, int side) {
    // Signature, IHDR length and name, then width and height.
    if (e.data.size() < 24 || std::memcmp(e.data.data() + 12, "IHDR", 4) != 0)
        return "its PNG stream has no image header";
    const std::uint32_t w = readU32BE(e.data.data() + 16), h = readU32BE(e.data.data() + 20);
    if (w != static_cast<std::uint32_t>(side) || h != static_cast<std::uint32_t>(side))
        return "a " + std::to_string(w) + " x " + std::to_string(h) + " PNG where " + sideText(side) +
               " belongs";
    return {};
}

std::size_t findElement(const IcnsFile& file, std::uint32_t type) {
    for (std::size_t i = 0; i < file.elements.size(); ++i)
        if (file.elements[i].type == type) return i;
    return file.elements.size();
}

}  // namespace

const IcnsTypeInfo* FindIcnsType(std::uint32_t type) {
    for (const IcnsTypeInfo& t : kTypes)
        if (t.type == type) return &t;
    return nullptr;
}

IcnsCoding IcnsCodingOf(const IcnsElement& element, const IcnsTypeInfo& info) {
    if (info.coding == IcnsCoding::Mask8) return IcnsCoding::Mask8;
    if (startsWith(element.data, kPngSignature, 8)) return IcnsCoding::Png;
    if (startsWith(element.data, kJp2Signature, 12) || startsWith(element.data, kJ2kCodestream, 4))
        return IcnsCoding::Jpeg2000;
    if (startsWith(element.data, reinterpret_cast<const std::uint8_t*>("ARGB"), 4)) return IcnsCoding::Argb;
    return info.coding;
}

const char* IcnsCodingName(IcnsCoding coding) {
    switch (coding) {
        case IcnsCoding::Png:
            return "PNG";
        case IcnsCoding::Rle24:
            return "RLE";
        case IcnsCoding::Argb:
            return "ARGB";
        case IcnsCoding::Jpeg2000:
            return "JPEG 2000";
        case IcnsCoding::Mask8:
            return "mask";
    }
    return "";
}

std::vector<IcnsImage> IcnsImages(const IcnsFile& file) {
    std::vector<IcnsImage> out;
    for (std::size_t i = 0; i < file.elements.size(); ++i) {
        const IcnsTypeInfo* info = FindIcnsType(file.elements[i].type);
        if (!info || info->coding == IcnsCoding::Mask8) continue;
        IcnsImage image;
        image.element = i;
        image.type = info->type;
        image.side = info->side;
        image.coding = IcnsCodingOf(file.elements[i], *info);
        if (image.coding == IcnsCoding::Rle24 && info->mask != kNone) {
            const std::size_t m = findElement(file, info->mask);
            if (m < file.elements.size()) image.mask = static_cast<int>(m);
        }
        out.push_back(image);
    }
    return out;
}

std::string CheckIcnsElement(const IcnsElement& element, const IcnsTypeInfo& info) {
    const std::size_t pixels = static_cast<std::size_t>(info.side) * info.side;
    switch (IcnsCodingOf(element, info)) {
        case IcnsCoding::Png:
            return checkPngHeader(element, info.side);
        case IcnsCoding::Mask8:
            if (element.data.size() != pixels)
                return "a mask of " + std::to_string(element.data.size()) + " bytes where " +
                       sideText(info.side) + " needs " + std::to_string(pixels);
            return {};
        case IcnsCoding::Rle24: {
            if (info.coding != IcnsCoding::Rle24) return "its data is neither PNG nor run-length ARGB";
            Bytes scratch(pixels * 4);
            return unpackRle24(element, info.side, scratch);
        }
        case IcnsCoding::Argb: {
            Bytes scratch(pixels * 4);
            return unpackArgb(element, info.side, scratch);
        }
        case IcnsCoding::Jpeg2000:
            return {};
    }
    return {};
}

TQvDIB DecodeIcnsImage(const IcnsFile& file, const IcnsImage& image) {
    const IcnsElement& e = file.elements.at(image.element);
    const std::string what = IcnsTypeText(e.type) + " (" + sideText(image.side) + "): ";
    const std::size_t pixels = static_cast<std::size_t>(image.side) * image.side;
    Bytes bgra(pixels * 4, 255);
    std::string problem;
    switch (image.coding) {
        case IcnsCoding::Jpeg2000:
            throw EIcnsError(what + "a JPEG 2000 image, which Vornik does not decode");
        case IcnsCoding::Mask8:
            throw EIcnsError(what + "a mask, not an image");
        case IcnsCoding::Png: {
            problem = checkPngHeader(e, image.side);
            if (!problem.empty()) break;
            int w = 0, h = 0;
            problem = DecodePngBgra(e.data.data(), e.data.size(), image.side, &w, &h, bgra);
            if (problem.empty() && (w != image.side || h != image.side))
                problem = "its PNG has the wrong size";
            break;
        }
        case IcnsCoding::Argb:
            problem = unpackArgb(e, image.side, bgra);
            break;
        case IcnsCoding::Rle24:
            problem = unpackRle24(e, image.side, bgra);
            if (problem.empty() && image.mask >= 0) {
                const Bytes& mask = file.elements.at(static_cast<std::size_t>(image.mask)).data;
                if (mask.size() == pixels)
                    for (std::size_t i = 0; i < pixels; ++i) bgra[4 * i + 3] = mask[i];
            }
            break;
    }
    if (!problem.empty()) throw EIcnsError(what + problem);
    return pictureOf(bgra, image.side);
}

Bytes EncodeIcnsRle24(const TQvDIB& picture) {
    const int side = picture.Width();
    const Bytes bgra = topDownBgra(picture, side);
    const std::size_t pixels = static_cast<std::size_t>(side) * side;
    Bytes out;
    if (side == 128) out.assign(4, 0);  // it32 begins with four zero bytes
    for (int channel = 2; channel >= 0; --channel) PackIcnsChannel(bgra.data() + channel, pixels, 4, out);
    return out;
}

Bytes EncodeIcnsMask8(const TQvDIB& picture) {
    const int side = picture.Width();
    const Bytes bgra = topDownBgra(picture, side);
    Bytes out(static_cast<std::size_t>(side) * side);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = bgra[4 * i + 3];
    return out;
}

void PutIcnsImage(IcnsFile& file, std::uint32_t type, const TQvDIB& picture) {
    const IcnsTypeInfo* info = FindIcnsType(type);
    if (!info || info->coding == IcnsCoding::Mask8)
        throw EIcnsError("\"" + IcnsTypeText(type) + "\" is not an ICNS image type Vornik writes");
    const int side = info->side;
    const TQvDIB sized =
        picture.Width() == side && picture.Height() == side ? picture : ScaleArea(picture, side, side);
    if (sized.GetBitCount() != 32) throw EIcnsError("an ICNS image needs a 32-bit picture");
    std::vector<IcnsElement> put;
    if (info->coding == IcnsCoding::Rle24) {
        put.push_back({type, EncodeIcnsRle24(sized), 0});
        put.push_back({info->mask, EncodeIcnsMask8(sized), 0});
    } else if (info->coding == IcnsCoding::Argb) {
        const Bytes bgra = topDownBgra(sized, side);
        Bytes data = {'A', 'R', 'G', 'B'};
        for (int channel : {3, 2, 1, 0})
            PackIcnsChannel(bgra.data() + channel, static_cast<std::size_t>(side) * side, 4, data);
        put.push_back({type, std::move(data), 0});
    } else {
        put.push_back({type, EncodeRgbaPng(sized), 0});
    }
    for (IcnsElement& element : put) {
        const std::size_t at = findElement(file, element.type);
        if (at < file.elements.size())
            file.elements[at] = std::move(element);
        else
            file.elements.push_back(std::move(element));
    }
}

void RemoveIcnsImage(IcnsFile& file, const IcnsImage& image) {
    std::vector<std::size_t> gone = {image.element};
    if (image.mask >= 0) gone.push_back(static_cast<std::size_t>(image.mask));
    std::sort(gone.rbegin(), gone.rend());
    for (std::size_t i : gone)
        if (i < file.elements.size()) file.elements.erase(file.elements.begin() + static_cast<long>(i));
}

std::vector<std::uint32_t> IcnsTypesForSide(int side) {
    switch (side) {
        case 16:
            return {IcnsType("is32")};
        case 32:
            return {IcnsType("il32"), IcnsType("ic11")};
        case 64:
            return {IcnsType("ic12")};
        case 128:
            return {IcnsType("ic07")};
        case 256:
            return {IcnsType("ic08"), IcnsType("ic13")};
        case 512:
            return {IcnsType("ic09"), IcnsType("ic14")};
        case 1024:
            return {IcnsType("ic10")};
        default:
            return {};
    }
}

const std::vector<int>& IcnsSides() {
    static const std::vector<int> sides = {16, 32, 64, 128, 256, 512, 1024};
    return sides;
}

IcnsFile IcnsFromPictures(const std::map<int, TQvDIB>& pictures) {
    IcnsFile file;
    for (const auto& [side, picture] : pictures) {
        Bytes png;  // one encoding serves both types of a side
        for (std::uint32_t type : IcnsTypesForSide(side)) {
            if (FindIcnsType(type)->coding != IcnsCoding::Png || picture.Width() != side ||
                picture.Height() != side || picture.GetBitCount() != 32) {
                PutIcnsImage(file, type, picture);
                continue;
            }
            if (png.empty()) png = EncodeRgbaPng(picture);
            file.elements.push_back({type, png, 0});
        }
    }
    return file;
}

}  // namespace vornik
