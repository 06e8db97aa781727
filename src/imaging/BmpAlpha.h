#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "imaging/TQvDIB.h"
#include "platform/Bytes.h"

namespace vornik {

// 32-bit BMP pictures with alpha, which the DIB reader takes as 24 bits.

// A BMP file (packed = false) or a packed DIB as the clipboard holds it
// (packed = true) as a bottom-up 32-bit picture with straight alpha, when it
// is a 32-bit picture that carries alpha: BI_RGB whose fourth bytes are not
// all 0 (as icons and many programs write it), or BI_BITFIELDS /
// BI_ALPHABITFIELDS with an alpha mask (BITMAPV4/V5 headers, or masks after a
// short header). Anything else - other depths, alpha 0 everywhere, a header
// or size that does not fit the bytes - gives nullopt, and the caller reads
// it the ordinary way.
std::optional<TQvDIB> DecodeBmpAlpha(const std::uint8_t* data, std::size_t size, bool packed);
inline std::optional<TQvDIB> DecodeBmpAlpha(const Bytes& bytes, bool packed) {
    return DecodeBmpAlpha(bytes.data(), bytes.size(), packed);
}

// A 32-bit picture as a BMP file with a BITMAPV5HEADER, BI_BITFIELDS and an
// alpha mask 0xFF000000, rows bottom-up: how GIMP and ImageMagick expect
// alpha in a BMP. With packed, the same without the 14-byte file header.
Bytes EncodeBmpAlpha(const TQvDIB& image, bool packed = false);

}  // namespace vornik
