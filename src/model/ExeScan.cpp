// The content scan for icon images in executables and any other file.
#include <cstring>
#include <functional>
#include <string>

#include "imaging/BitmapInfoHeader.h"
#include "model/ExeFileView.h"
#include "model/ExeResourceSet.h"
#include "model/ExeScanner.h"
#include "model/IconImageReader.h"
#include "model/TIconEx.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/FileMessages.h"
#include "platform/Notice.h"

namespace vornik {

namespace {

constexpr std::size_t kHeaderSize = BitmapInfoHeader::kSize;
constexpr std::size_t kScanBlock = std::size_t{8} << 20;

bool nonNegative(const std::uint8_t* p) { return (p[3] & 0x80) == 0; }

// Byte size of the image that starts with the (already tested) header at p.
std::uint64_t imageBytes(const std::uint8_t* p, std::uint64_t* colors) {
    const std::uint64_t width = ReadU32LE(p + bih::kWidth);
    const int bits = ReadU16LE(p + bih::kBitCount);
    const std::uint32_t clrUsed = ReadU32LE(p + bih::kClrUsed);
    *colors = clrUsed != 0 ? clrUsed : static_cast<std::uint64_t>(PaletteSize(bits));
    const std::uint64_t height = width;  // square, the file's height is doubled
    const auto xorSize =
        static_cast<std::uint64_t>(RowBytes(static_cast<std::int64_t>(width) * bits)) * height;
    const auto andSize = static_cast<std::uint64_t>(RowBytes(static_cast<std::int64_t>(width))) * height;
    return kHeaderSize + 4 * *colors + xorSize + andSize;
}

}  // namespace

bool IsExeIconCandidate(const std::uint8_t* p) {
    if (p[0] != 0x28) return false;
    if (ReadU16LE(p + bih::kPlanes) != 1) return false;
    if (ReadU32LE(p + bih::kCompression) != 0) return false;
    switch (ReadU16LE(p + bih::kBitCount)) {
        case 1:
        case 4:
        case 8:
        case 15:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    // biSizeImage, both resolutions, biClrUsed and biClrImportant: signed >= 0.
    for (int off = 20; off < 40; off += 4)
        if (!nonNegative(p + off)) return false;
    const std::uint32_t w = ReadU32LE(p + bih::kWidth);
    const std::uint32_t h = ReadU32LE(p + bih::kHeight);
    return (w == 16 || w == 32 || w == 48 || w == 64 || w == 128) && h == 2 * w;
}

ExeScanResult ScanExeImagesEach(const std::uint8_t* data, std::size_t size, const std::function<bool(ExeImage&)>& take,
                                const std::function<void(std::size_t)>& passed) {
    ExeScanResult result;
    if (size < kHeaderSize) return result;
    // Candidates need all 40 header bytes, so the last one starts here.
    const std::size_t lastStart = size - kHeaderSize;
    std::size_t p = 0;
    Bytes patched;
    std::size_t nextReport = kScanBlock;
    while (p <= lastStart) {
        // Searched a block at a time, so the caller can let go of what lies behind.
        if (passed && p >= nextReport) {
            passed(p);
            nextReport = p + kScanBlock;
        }
        const std::size_t blockEnd = lastStart - p < kScanBlock ? lastStart : p + kScanBlock - 1;
        const void* hit = std::memchr(data + p, 0x28, blockEnd - p + 1);
        if (!hit) {
            p = blockEnd + 1;
            continue;
        }
        const std::size_t q = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
        const std::uint8_t* h = data + q;
        if (!IsExeIconCandidate(h)) {
            p = q + 1;
            continue;
        }
        std::uint64_t colors = 0;
        const std::uint64_t total = imageBytes(h, &colors);
        // A colour table beyond 256 entries belongs to no icon image: such a
        // false candidate is passed over before its size can end the scan.
        if (colors > 256) {
            p = q + 1;
            continue;
        }
        if (total > size - q) {
            result.truncated = true;
            result.truncatedAt = q;
            break;
        }
        ExeImage image;
        IconEntry& e = image.entry;
        std::string problem;
        std::size_t next = 0;
        if (ReadU32LE(h) == kHeaderSize) {
            problem = ReadIconImage(data, size, q, e, &next);
        } else {
            // Only the low byte of the size field was tested; the entry holds
            // a proper 40-byte header.
            patched.assign(h, h + total);
            WriteU32LE(patched.data(), kHeaderSize);
            problem = ReadIconImage(patched.data(), patched.size(), 0, e, &next);
            e.SourcePos = static_cast<std::int32_t>(q <= INT32_MAX ? q : INT32_MAX);
        }
        if (!problem.empty()) {
            p = q + 1;
            continue;
        }
        const std::uint32_t width = ReadU32LE(h + bih::kWidth);
        e.Width = static_cast<std::uint8_t>(width);
        e.Height = static_cast<std::uint8_t>(width);
        e.ColorCount = DirectoryColorCount(ReadU16LE(h + bih::kBitCount));
        e.EntryReserved = 0;
        e.HotSpotX = 0;
        e.HotSpotY = 0;
        e.ImageSize = static_cast<std::uint32_t>(total);
        e.ImageOffset = static_cast<std::uint32_t>(q);
        p = q + static_cast<std::size_t>(total);
        if (!take(image)) break;
    }
    return result;
}

ExeScanResult ScanExeImages(const std::uint8_t* data, std::size_t size, TIconEx& set) {
    bool limitReached = false;
    std::size_t leftOut = 0;
    ExeScanResult result = ScanExeImagesEach(data, size, [&](ExeImage& image) {
        if (set.Count >= TIconEx::kMaxEntries) {
            // Counted, not taken, so the caller can say how many are missing.
            limitReached = true;
            ++leftOut;
            return true;
        }
        set.Entries[set.Count] = std::move(image.entry);
        ++set.Count;
        return true;
    });
    result.limitReached = limitReached;
    result.leftOut = leftOut;
    return result;
}

bool TIconEx::LoadFromExe(const std::string& path) {
    loadError_.clear();
    if (!FileExists(path)) {
        Clear();
        Count = 0;
        ResourceType = 1;
        return false;
    }
    Clear();
    const ExeFileView file(path);
    if (LoadFromExeResources(file.data(), file.size(), *this)) {
        if (LeftOut > 0) ShowMessage(LeftOutMessage(LeftOut));
        return Count > 0;
    }
    const ExeScanResult r = ScanExeImages(file.data(), file.size(), *this);
    LeftOut = static_cast<int>(r.leftOut);
    if (r.limitReached) ShowMessage(LeftOutMessage(LeftOut));
    if (r.truncated) {
        // The images found before stay in the set.
        const Message cut("Files", filemsg::kBeyondEnd, {path, "icon image", r.truncatedAt});
        loadError_ = EnglishText(cut);
        throw EEndOfFile(cut);
    }
    return Count > 0;
}

}  // namespace vornik
