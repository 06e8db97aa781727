#include "imaging/RleDecoder.h"

#include <algorithm>
#include <cstring>

#include "imaging/QvDIBErrors.h"

namespace vornik {

int DecodeRle(const std::uint8_t* src, std::size_t size, int bitCount, int width, int height,
               std::uint8_t* out, std::size_t outStride, const RleMessages& messages) {
    const bool rle4 = bitCount == 4;
    const int base = rle4 ? 4 : 0;  // message offset
    // RLE4 rows may run one column past an odd width.
    const std::int64_t limit = rle4 ? (std::int64_t{width} + 1) / 2 * 2 : width;
    std::int64_t x = 0, y = 0;
    std::size_t pos = 0;
    auto fail = [&](int number) { throw EQvDIBInvalidDIB(messages.text[base + number - 1]); };
    auto put = [&](std::int64_t col, std::uint8_t value) {
        if (out && col < width) out[static_cast<std::size_t>(y) * outStride + static_cast<std::size_t>(col)] = value;
    };

    while (size - pos >= 2) {
        const std::uint8_t first = src[pos];
        const std::uint8_t second = src[pos + 1];
        pos += 2;
        if (first > 0) {
            if (x + first > limit || y >= height) fail(4);
            if (!out) {
            } else if (rle4) {
                const std::uint8_t pair[2] = {static_cast<std::uint8_t>(second >> 4),
                                              static_cast<std::uint8_t>(second & 0x0F)};
                std::uint8_t* row = out + static_cast<std::size_t>(y) * outStride;
                const std::int64_t end = std::min<std::int64_t>(x + first, width);
                for (std::int64_t col = x; col < end; ++col) row[col] = pair[(col - x) & 1];
            } else if (x < width) {
                // One fill per run: a whole picture of runs is a few memsets.
                const std::int64_t n = std::min<std::int64_t>(first, width - x);
                std::memset(out + static_cast<std::size_t>(y) * outStride + static_cast<std::size_t>(x), second,
                            static_cast<std::size_t>(n));
            }
            x += first;
            continue;
        }
        if (second == 0) {  // end of line
            ++y;
            x = 0;
            if (y > height) fail(1);
        } else if (second == 1) {  // end of bitmap
            return 0;
        } else if (second == 2) {  // delta
            if (size - pos < 2) break;
            x += src[pos];
            y += src[pos + 1];
            pos += 2;
            if (x > limit || y > height) fail(2);
        } else {  // absolute run of `second` pixels
            const int n = second;
            if (x + n > limit || y >= height) fail(3);
            const std::size_t bytes = rle4 ? static_cast<std::size_t>((n + 1) / 2) : static_cast<std::size_t>(n);
            const std::size_t padded = rle4 ? static_cast<std::size_t>((n + 3) / 4 * 2) : static_cast<std::size_t>((n + 1) / 2 * 2);
            const std::size_t have = size - pos < bytes ? size - pos : bytes;
            if (rle4) {
                for (int i = 0; i < n; ++i) {
                    const std::size_t at = static_cast<std::size_t>(i / 2);
                    if (at >= have) break;
                    const std::uint8_t b = src[pos + at];
                    put(x + i, static_cast<std::uint8_t>((i & 1) ? (b & 0x0F) : (b >> 4)));
                }
            } else if (out && x < width) {
                const std::int64_t fit = std::min<std::int64_t>({std::int64_t{n}, width - x,
                                                                 static_cast<std::int64_t>(have)});
                std::memcpy(out + static_cast<std::size_t>(y) * outStride + static_cast<std::size_t>(x), src + pos,
                            static_cast<std::size_t>(fit));
            }
            x += n;
            if (size - pos < padded) break;  // the data ends inside the run
            pos += padded;
        }
    }
    // The data ended without its end-of-bitmap code.
    return y >= height ? 0 : static_cast<int>(height - y);
}

}  // namespace vornik
