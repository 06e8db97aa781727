#include "platform/ShiftJis.h"

#include <iconv.h>

#include <cerrno>

namespace vornik {

namespace {

// One conversion over the whole input; on an invalid or unmappable sequence
// the replacement is appended and one input byte (or one UTF-8 character) is
// skipped, so the call always ends.
std::string convert(const char* to, const char* from, const std::string& in, const std::string& replacement,
                    bool fromUtf8) {
    if (in.empty()) return {};
    iconv_t cd = iconv_open(to, from);
    // iconv_open says it failed with (iconv_t)-1, a pointer made from an integer.
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;  // NOLINT(performance-no-int-to-ptr)
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (truncated sequence at the end): replace and skip.
        out += replacement;
        std::size_t skip = 1;
        if (fromUtf8) {
            // The whole character: its lead byte and the continuation bytes after it.
            while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
        }
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string ShiftJisToUtf8(const std::string& sjis) {
    return convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD", false);
}

std::string Utf8ToShiftJis(const std::string& utf8) { return convert("CP932", "UTF-8", utf8, "?", true); }

}  // namespace vornik
