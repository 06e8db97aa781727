#include "imaging/SvgRenderProtocol.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vornik {

namespace {

constexpr char kMagic[4] = {'V', 'S', 'R', '1'};

class Reader {
public:
    explicit Reader(const Bytes& b) : b_(b) {}
    bool u32(std::uint32_t& v) {
        if (b_.size() - at_ < 4) return false;
        v = ReadU32LE(b_.data() + at_);
        at_ += 4;
        return true;
    }
    bool bytes(std::size_t n, const std::uint8_t*& p) {
        if (b_.size() - at_ < n) return false;
        p = b_.data() + at_;
        at_ += n;
        return true;
    }
    bool done() const { return at_ == b_.size(); }

private:
    const Bytes& b_;
    std::size_t at_ = 0;
};

}  // namespace

Bytes SvgRenderRequestBytes(const SvgRenderRequest& r) {
    Bytes out(kMagic, kMagic + 4);
    AppendU32LE(out, static_cast<std::uint32_t>(r.seconds));
    AppendU32LE(out, static_cast<std::uint32_t>(r.memoryBytes));
    AppendU32LE(out, static_cast<std::uint32_t>(r.memoryBytes >> 32));
    AppendU32LE(out, static_cast<std::uint32_t>(r.source.path.size()));
    out.insert(out.end(), r.source.path.begin(), r.source.path.end());
    AppendU32LE(out, static_cast<std::uint32_t>(r.source.text.size()));
    out.insert(out.end(), r.source.text.begin(), r.source.text.end());
    AppendU32LE(out, static_cast<std::uint32_t>(r.boxes.size()));
    for (const SvgBox& box : r.boxes) {
        AppendU32LE(out, static_cast<std::uint32_t>(box.width));
        AppendU32LE(out, static_cast<std::uint32_t>(box.height));
    }
    return out;
}

bool ParseSvgRenderRequest(const Bytes& bytes, SvgRenderRequest& r) {
    Reader in(bytes);
    const std::uint8_t* p = nullptr;
    std::uint32_t seconds = 0, memLow = 0, memHigh = 0, pathSize = 0, textSize = 0, boxes = 0;
    if (!in.bytes(4, p) || std::memcmp(p, kMagic, 4) != 0) return false;
    if (!in.u32(seconds) || seconds == 0 || seconds > 3600 || !in.u32(memLow) || !in.u32(memHigh)) return false;
    if (!in.u32(pathSize) || pathSize > 4096 || !in.bytes(pathSize, p)) return false;
    r.source.path.assign(reinterpret_cast<const char*>(p), pathSize);
    if (!in.u32(textSize) || textSize > kMaxSvgTextBytes || !in.bytes(textSize, p)) return false;
    r.source.text.assign(p, p + textSize);
    if (!in.u32(boxes) || boxes > kMaxSvgRequestBoxes) return false;
    r.boxes.clear();
    for (std::uint32_t i = 0; i < boxes; ++i) {
        std::uint32_t w = 0, h = 0;
        if (!in.u32(w) || !in.u32(h)) return false;
        // Sides out of range stay so: the renderer refuses them with its own words.
        r.boxes.push_back({static_cast<int>(w), static_cast<int>(h)});
    }
    r.seconds = static_cast<int>(seconds);
    r.memoryBytes = std::uint64_t{memHigh} << 32 | memLow;
    return in.done();
}

bool WriteAllTo(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteSvgRenderError(int fd, char kind, const std::string& message) {
    const char head[2] = {'E', kind};
    const auto len = static_cast<std::uint32_t>(message.size());
    return WriteAllTo(fd, head, 2) && WriteAllTo(fd, &len, 4) && WriteAllTo(fd, message.data(), message.size());
}

bool WriteSvgRenderPictures(int fd, const SvgUserSize& userSize, const std::vector<TQvDIB>& pictures) {
    const char tag = 'K';
    const double extent[2] = {userSize.width, userSize.height};
    bool ok = WriteAllTo(fd, &tag, 1) && WriteAllTo(fd, extent, sizeof extent);
    for (const TQvDIB& dib : pictures) {
        const std::uint32_t size[2] = {static_cast<std::uint32_t>(dib.Width()),
                                       static_cast<std::uint32_t>(dib.Height())};
        ok = ok && WriteAllTo(fd, size, sizeof size);
        for (int y = 0; ok && y < dib.Height(); ++y)
            ok = WriteAllTo(fd, dib.ScanLine(y), static_cast<std::size_t>(dib.Width()) * 4);
    }
    return ok;
}

}  // namespace vornik
