#include "imaging/BmpAlphaWrite.h"

#include "imaging/QvDIBErrors.h"

namespace vornik {

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kSrgb = 0x73524742;  // 'sRGB'
constexpr std::uint32_t kIntentImages = 4;   // LCS_GM_IMAGES
}  // namespace

Bytes EncodeBmpWithAlpha(const TQvDIB& picture) {
    if (picture.GetBitCount() != 32 || picture.IsCompressed())
        throw EQvDIBInvalidDIBPara("EncodeBmpWithAlpha: Invalid Parameters");
    const std::uint32_t dataSize = static_cast<std::uint32_t>(picture.Stride()) * static_cast<std::uint32_t>(picture.Height());
    const std::uint32_t offset = kFileHeaderSize + kV5HeaderSize;
    Bytes out;
    out.reserve(offset + dataSize);
    AppendU16LE(out, 0x4D42);
    AppendU32LE(out, offset + dataSize);
    AppendU32LE(out, 0);
    AppendU32LE(out, offset);
    AppendU32LE(out, kV5HeaderSize);
    AppendU32LE(out, static_cast<std::uint32_t>(picture.Width()));
    AppendU32LE(out, static_cast<std::uint32_t>(picture.IsTopDown() ? -picture.Height() : picture.Height()));
    AppendU16LE(out, 1);
    AppendU16LE(out, 32);
    AppendU32LE(out, kBiBitfields);
    AppendU32LE(out, dataSize);
    AppendU32LE(out, 2835);  // 72 dpi
    AppendU32LE(out, 2835);
    AppendU32LE(out, 0);
    AppendU32LE(out, 0);
    AppendU32LE(out, 0x00FF0000);
    AppendU32LE(out, 0x0000FF00);
    AppendU32LE(out, 0x000000FF);
    AppendU32LE(out, 0xFF000000);
    AppendU32LE(out, kSrgb);
    out.resize(out.size() + 36 + 12, 0);  // endpoints, gamma
    AppendU32LE(out, kIntentImages);
    out.resize(out.size() + 12, 0);  // profile data, size, reserved
    AppendBytes(out, picture.Pixels(), dataSize);
    return out;
}

}  // namespace vornik
