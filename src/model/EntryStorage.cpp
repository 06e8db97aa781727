#include "model/EntryStorage.h"

#include "imaging/AlphaMask.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/PngWrite.h"
#include "model/EntryConversion.h"
#include "model/TIconEx.h"

namespace vornik {

namespace {

void hashInto(std::uint64_t& h, const Bytes& b) {
    for (std::uint8_t c : b) {
        h ^= c;
        h *= 1099511628211ull;
    }
    h ^= b.size();
    h *= 1099511628211ull;
}

bool pngStillValid(const IconEntry& e) { return !e.PngStream.empty() && EntryBlocksDigest(e) == e.PngDigest; }

}  // namespace

std::uint64_t EntryBlocksDigest(const IconEntry& e) {
    std::uint64_t h = 14695981039346656037ull;
    hashInto(h, e.InfoHeader);
    hashInto(h, e.XorBits);
    hashInto(h, e.AndBits);
    return h;
}

void KeepPngStream(IconEntry& e, const std::uint8_t* png, std::size_t size) {
    e.PngStream.assign(png, png + size);
    e.PngDigest = EntryBlocksDigest(e);
}

bool StoredAsPng(const IconEntry& e, EntryStorage storage) {
    switch (storage) {
        case EntryStorage::Png: return true;
        case EntryStorage::Bmp: return false;
        case EntryStorage::Auto: break;
    }
    if (pngStillValid(e)) return true;
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize) return false;
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    return h.biBitCount == 32 && h.biWidth >= 256 && h.biHeight >= 256;
}

Bytes EntryPngBytes(const IconEntry& e) {
    if (pngStillValid(e)) return e.PngStream;
    TIconCurEX one;
    one.Count = 1;
    IconEntry& copy = one.Entries[0];
    copy.InfoHeader = e.InfoHeader;
    copy.XorBits = e.XorBits;
    copy.XorSize = e.XorSize;
    copy.AndBits = e.AndBits;
    copy.AndSize = e.AndSize;
    TQvDIB image, mask;
    EntryToDIBs(one, image, mask, 0);
    return EncodePng(image, &mask);
}

}  // namespace vornik
