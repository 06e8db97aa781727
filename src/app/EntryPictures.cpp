#include "app/EntryPictures.h"

#include "imaging/BitmapInfoHeader.h"
#include "platform/Errors.h"

namespace vornik {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

void appendFileHeader(Bytes& out, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    out.push_back('B');
    out.push_back('M');
    AppendU32LE(out, fileSize);
    AppendU32LE(out, 0);  // both reserved words
    AppendU32LE(out, pixelOffset);
}

const IconEntry& checkedEntry(const TIconEx& set, int index) {
    if (index < 0 || index >= set.Count || index >= TIconEx::kMaxEntries)
        throw EVornikError("Entry " + std::to_string(index) + " does not exist");
    const IconEntry& e = set.Entries[index];
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize)
        throw EVornikError("Entry " + std::to_string(index) + " holds no image");
    return e;
}

Bytes imageBmp(const IconEntry& e) {
    Bytes out;
    const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderSize + e.InfoHeader.size());
    appendFileHeader(out, offset + static_cast<std::uint32_t>(e.XorBits.size()), offset);
    AppendBytes(out, e.InfoHeader.data(), e.InfoHeader.size());
    AppendBytes(out, e.XorBits.data(), e.XorBits.size());
    return out;
}

Bytes maskBmp(const IconEntry& e) {
    BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    h.biBitCount = 1;
    h.biClrUsed = 2;
    h.biClrImportant = 0;
    h.biCompression = 0;
    h.biSizeImage = static_cast<std::uint32_t>(RowBytes(h.biWidth) * (h.biHeight < 0 ? -h.biHeight : h.biHeight));
    Bytes out;
    constexpr std::uint32_t kOffset = 62;
    appendFileHeader(out, kOffset + static_cast<std::uint32_t>(e.AndBits.size()), kOffset);
    const std::size_t at = out.size();
    out.resize(at + BitmapInfoHeader::kSize);
    h.Write(out.data() + at);
    // black, white; the reserved bytes are 2 as the original streams had them
    for (std::uint8_t v : {0, 0, 0, 2, 255, 255, 255, 2}) out.push_back(v);
    AppendBytes(out, e.AndBits.data(), e.AndBits.size());
    return out;
}

}  // namespace

ViewPictures EntryToViewPictures(const TIconEx& set, int index) {
    const IconEntry& e = checkedEntry(set, index);
    ViewPictures v;
    v.image.LoadFromBytes(imageBmp(e));
    v.mask.LoadFromBytes(maskBmp(e));
    v.mask.ConvertToMono();
    v.mask.ConvertToTrueColor();
    return v;
}

std::optional<ThumbnailPair> EntryThumbnails(const TIconEx&, int, int) {
    // Thumbnails come with the model's list filling.
    return std::nullopt;
}

}  // namespace vornik
