#include "imaging/SvgSource.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <string_view>

#include "imaging/SvgReferences.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/FileMessages.h"

namespace vornik {

namespace {

constexpr std::size_t kSniffBytes = 4096;

bool isGzip(const std::uint8_t* data, std::size_t size) {
    return size >= 2 && data[0] == 0x1F && data[1] == 0x8B;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

enum class Inflated { ok, truncated, damaged };

// Inflates gzip data into out, stopping at `limit` bytes (truncated).
Inflated gunzip(const std::uint8_t* data, std::size_t size, std::size_t limit, Bytes& out) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) return Inflated::damaged;
    out.clear();
    std::uint8_t chunk[16384];
    Inflated result = Inflated::damaged;
    std::size_t fed = 0;
    for (;;) {
        if (z.avail_in == 0 && fed < size) {
            const std::size_t n = std::min<std::size_t>(size - fed, 1u << 20);
            z.next_in = const_cast<std::uint8_t*>(data + fed);
            z.avail_in = static_cast<uInt>(n);
            fed += n;
        }
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        const int rc = inflate(&z, Z_NO_FLUSH);
        const std::size_t got = sizeof chunk - z.avail_out;
        if (out.size() + got > limit) {
            out.insert(out.end(), chunk, chunk + (limit - out.size()));
            result = Inflated::truncated;
            break;
        }
        out.insert(out.end(), chunk, chunk + got);
        if (rc == Z_STREAM_END) {
            result = Inflated::ok;
            break;
        }
        if (rc != Z_OK && !(rc == Z_BUF_ERROR && got > 0)) break;
        if (got == 0 && z.avail_in == 0 && fed >= size) break;  // input ended early
    }
    inflateEnd(&z);
    return result;
}

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

bool textLooksLikeSvg(std::string_view s) {
    if (startsWith(s, "\xEF\xBB\xBF")) s.remove_prefix(3);
    // Walk over the prolog: spaces, <?...?>, <!--...-->, <!DOCTYPE ...>.
    for (;;) {
        const std::size_t at = s.find_first_not_of(" \t\r\n");
        if (at == std::string_view::npos) return false;
        s.remove_prefix(at);
        std::string_view close;
        if (startsWith(s, "<?"))
            close = "?>";
        else if (startsWith(s, "<!--"))
            close = "-->";
        else if (startsWith(s, "<!DOCTYPE")) {
            const std::size_t gt = s.find('>'), bracket = s.find('[');
            close = bracket < gt ? "]>" : ">";  // an internal subset holds declarations ending in '>'
        } else
            break;
        const std::size_t end = s.find(close);
        if (end == std::string_view::npos) return false;
        s.remove_prefix(end + close.size());
    }
    if (!startsWith(s, "<")) return false;
    // The root element: svg, or a prefixed svg:svg.
    if (startsWith(s, "<svg") && s.size() > 4 && std::strchr(" \t\r\n>/", s[4])) return true;
    const std::size_t colon = s.find_first_of(": \t\r\n>");
    return colon != std::string_view::npos && s[colon] == ':' && startsWith(s.substr(colon), ":svg");
}

}  // namespace

bool LooksLikeSvg(const std::uint8_t* data, std::size_t size) {
    if (isGzip(data, size)) {
        Bytes head;
        if (gunzip(data, size, kSniffBytes, head) == Inflated::damaged && head.empty()) return false;
        return textLooksLikeSvg({reinterpret_cast<const char*>(head.data()), head.size()});
    }
    const std::size_t n = std::min(size, kSniffBytes);
    return textLooksLikeSvg({reinterpret_cast<const char*>(data), n});
}

bool IsSvgFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError(FileProblem(filemsg::kCannotOpenPlain, path));
    Bytes head(64 * 1024);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return LooksLikeSvg(head);
}

SvgSource MakeSvgSource(const Bytes& data, const std::string& path) {
    SvgSource source;
    source.path = path;
    if (isGzip(data.data(), data.size())) {
        switch (gunzip(data.data(), data.size(), kMaxSvgTextBytes, source.text)) {
            case Inflated::ok:
                break;
            case Inflated::truncated:
                throw EVornikError(quoted(path) + ": decompresses to more than " +
                                   std::to_string(kMaxSvgTextBytes >> 20) + " MB of SVG text");
            case Inflated::damaged:
                throw EVornikError(quoted(path) + ": damaged gzip (SVGZ) data");
        }
    } else {
        if (data.size() > kMaxSvgTextBytes)
            throw EVornikError(quoted(path) + ": more than " + std::to_string(kMaxSvgTextBytes >> 20) +
                               " MB of SVG text");
        source.text = data;
    }
    if (!LooksLikeSvg(source.text)) throw EVornikError(quoted(path) + " is not an SVG picture");
    const std::string outside =
        FindOutsideReference({reinterpret_cast<const char*>(source.text.data()), source.text.size()});
    if (!outside.empty())
        throw EVornikError(
            quoted(path) + ": refers to \"" + outside +
            "\" outside its own folder; only that folder is read, and nothing from the network");
    return source;
}

SvgSource ReadSvgSource(const std::string& path) {
    return MakeSvgSource(ReadFileBytes(path, kMaxSvgTextBytes), path);
}

}  // namespace vornik
