#include "imaging/BmpContent.h"

#include "imaging/BitmapInfoHeader.h"
#include "platform/Bytes.h"

namespace vornik {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
static_assert(kBmpContentHeadSize == kFileHeaderSize + BitmapInfoHeader::kSize);

bool plausibleFileHeader(const std::uint8_t* p) {
    return p[0] == 'B' && p[1] == 'M' && ReadI32LE(p + 2) > 0 && ReadU16LE(p + 6) == 0 &&
           ReadU16LE(p + 8) == 0 && ReadI32LE(p + 10) >= 54;
}

bool plausibleInfoHeader(const std::uint8_t* p) {
    const BitmapInfoHeader h = BitmapInfoHeader::Read(p);
    const auto bits = h.biBitCount;
    return h.biSize == 40 && h.biWidth > 0 && h.biHeight > 0 && h.biPlanes == 1 &&
           (bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32) &&
           h.biCompression <= 2 && static_cast<std::int32_t>(h.biSizeImage) >= 0 && h.biXPelsPerMeter >= 0 &&
           h.biYPelsPerMeter >= 0 && h.biClrUsed <= 256 && h.biClrImportant <= 256;
}

}  // namespace

bool IsBmpContent(const std::uint8_t* head, std::size_t headSize, std::uint64_t fileSize) {
    if (fileSize <= kBmpContentHeadSize || headSize < kBmpContentHeadSize) return false;
    return plausibleFileHeader(head) && plausibleInfoHeader(head + kFileHeaderSize);
}

}  // namespace vornik
