#include "model/EntryConversion.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "imaging/AlphaMask.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/TQvDIBCanvas.h"
#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/FileMessages.h"

namespace vornik {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMaskPixelOffset = 62;  // file header, info header, two colours

const IconEntry& usedEntry(const TIconEx& set, int index) {
    if (index < 0 || index >= set.Count || index >= TIconEx::kMaxEntries)
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "There is no entry %1 (the set holds %2)"),
                    {index, set.Count}));
    const IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize)
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "The entry %1 holds no image"), {index}));
    return e;
}

void writeFileHeader(ByteWriteStream& s, std::uint32_t fileSize, std::uint32_t pixelOffset) {
    s.WriteBuffer("BM", 2);
    s.WriteU32(fileSize);
    s.WriteU32(0);  // both reserved words
    s.WriteU32(pixelOffset);
}

bool isEntryBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// A bottom-up, uncompressed copy: the entry's row arithmetic assumes both.
TQvDIB bottomUp(const TQvDIB& source) {
    TQvDIB dib = Decompressed(source);
    if (!dib.IsTopDown()) return dib;
    TQvDIB out;
    const int h = dib.Height();
    out.CreateDIB(dib.Width(), h, 0, dib.GetBitCount());
    out.SetColorTable(dib.ColorTable(), dib.ColorCount());
    const std::size_t stride = static_cast<std::size_t>(dib.Stride());
    for (int y = 0; y < h; ++y) std::memcpy(out.MutableScanLine(h - 1 - y), dib.ScanLine(y), stride);
    return out;
}

// Whether the 1-bit rows `now` (size bytes) hold the same pixels as `old`,
// bits past the width aside.
bool samePixels(const Bytes& old, const std::uint8_t* now, std::size_t size, std::int32_t width, std::int32_t height) {
    if (old.size() != size || width <= 0 || height <= 0) return false;
    const std::size_t row = static_cast<std::size_t>(RowBytes(width));
    const std::size_t full = static_cast<std::size_t>(width) / 8;
    const int rest = width % 8;
    const std::uint8_t restMask = static_cast<std::uint8_t>(0xFF00u >> rest);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const std::uint8_t* a = old.data() + y * row;
        const std::uint8_t* b = now + y * row;
        if (std::memcmp(a, b, full) != 0) return false;
        if (rest != 0 && ((a[full] ^ b[full]) & restMask) != 0) return false;
    }
    return true;
}

int entryBitCount(const IconEntry& e) { return ReadU16LE(e.InfoHeader.data() + bih::kBitCount); }

// A 32-bit entry as a 32-bit picture: the BMP reader would drop the alpha
// byte. The header (resolution, size fields) is carried as held, so the
// picture stored back unchanged gives the same entry bytes.
TQvDIB alphaPicture(const IconEntry& e) {
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    const std::int64_t rowBytes = RowBytes(std::int64_t{h.biWidth} * 32);
    if (h.biWidth <= 0 || h.biHeight <= 0 || h.biCompression != 0 ||
        static_cast<std::int64_t>(e.XorBits.size()) < rowBytes * h.biHeight)
        throw EVornikError(Message(
            "Entries", VORNIK_TRANSLATE_NOOP("Entries", "The 32-bit image of the entry is incomplete")));
    TQvDIB dib;
    dib.CreateDIB(h.biWidth, h.biHeight, 0, 32);
    std::memcpy(dib.MutablePixels(), e.XorBits.data(), static_cast<std::size_t>(rowBytes * h.biHeight));
    const std::size_t held = (e.InfoHeader.size() - BitmapInfoHeader::kSize) / 4;
    const int colours = static_cast<int>(std::min<std::size_t>({held, std::size_t{h.biClrUsed}, 256}));
    if (colours > 0)
        dib.SetColorTable(reinterpret_cast<const RgbQuad*>(e.InfoHeader.data() + BitmapInfoHeader::kSize), colours);
    BitmapInfoHeader& stored = dib.MutableInternal().Header;
    const std::uint32_t clrUsed = stored.biClrUsed;
    stored = h;
    stored.biClrUsed = clrUsed;
    stored.biPlanes = 1;
    return dib;
}

// Whether a 32-bit picture holds exactly the entry's 32-bit pixels.
bool sameAsEntry(const IconEntry& e, const TQvDIB& image) {
    if (e.InfoHeader.size() < BitmapInfoHeader::kSize || entryBitCount(e) != 32 || image.IsTopDown()) return false;
    const BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    if (h.biWidth != image.Width() || h.biHeight != image.Height()) return false;
    const std::size_t size = static_cast<std::size_t>(image.Width()) * 4 * static_cast<std::size_t>(image.Height());
    return e.XorBits.size() >= size && std::memcmp(e.XorBits.data(), image.Pixels(), size) == 0;
}

// Whether two pictures of any depth show the same colours.
bool samePicture(const TQvDIB& a, const TQvDIB& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    const TQvDIB pa = DrawableSource(a), pb = DrawableSource(b);
    const TQvDIBSourceSurface sa(pa), sb(pb);
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (ReadPixelColor(sa.Surface(), x, y) != ReadPixelColor(sb.Surface(), x, y)) return false;
    return true;
}

// The image view's picture for an entry: a 32-bit one keeps its alpha.
TQvDIB imagePicture(const PictureView& imageView) {
    return HasAlphaChannel(imageView) ? imageView : ViewToDIB(imageView);
}

}  // namespace

void EntryToStreams(const TIconEx& set, ByteWriteStream& imageStream, ByteWriteStream& maskStream, int index) {
    const IconEntry& e = usedEntry(set, index);

    BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    h.biBitCount = 1;
    h.biClrUsed = 2;
    h.biClrImportant = 0;
    h.biSizeImage = static_cast<std::uint32_t>(RowBytes(h.biWidth) * std::abs(static_cast<std::int64_t>(h.biHeight)));
    writeFileHeader(maskStream, static_cast<std::uint32_t>(e.AndBits.size()) + kMaskPixelOffset, kMaskPixelOffset);
    std::uint8_t header[BitmapInfoHeader::kSize];
    h.Write(header);
    maskStream.WriteBuffer(header, sizeof header);
    // black, white; the reserved bytes are 2, as these streams always had them
    static constexpr std::uint8_t kMaskColors[8] = {0, 0, 0, 2, 255, 255, 255, 2};
    maskStream.WriteBuffer(kMaskColors, sizeof kMaskColors);
    maskStream.WriteBuffer(e.AndBits.data(), e.AndBits.size());

    const std::uint32_t offset = static_cast<std::uint32_t>(kFileHeaderSize + e.InfoHeader.size());
    writeFileHeader(imageStream, offset + static_cast<std::uint32_t>(e.XorBits.size()), offset);
    imageStream.WriteBuffer(e.InfoHeader.data(), e.InfoHeader.size());
    imageStream.WriteBuffer(e.XorBits.data(), e.XorBits.size());
}

void StreamsToEntry(TIconEx& set, ByteReadStream& imageStream, ByteReadStream& maskStream, int index) {
    if (index < 0 || index >= set.Count || index >= TIconEx::kMaxEntries)
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "There is no entry %1 (the set holds %2)"),
                    {index, set.Count}));
    // Everything is read into locals first, so a failure leaves the entry whole.
    maskStream.Seek(0);
    maskStream.ReadSpan(kFileHeaderSize);
    const BitmapInfoHeader mh = BitmapInfoHeader::Read(maskStream.ReadSpan(BitmapInfoHeader::kSize));
    if (mh.biWidth <= 0 || mh.biHeight <= 0)
        throw EVornikError(
            Message("Entries",
                    VORNIK_TRANSLATE_NOOP(
                        "Entries", "The mask picture is %1 x %2; an entry needs a positive, bottom-up size"),
                    {mh.biWidth, mh.biHeight}));
    if (mh.biBitCount != 1 || mh.biCompression != 0)
        throw EVornikError(Message(
            "Entries",
            VORNIK_TRANSLATE_NOOP("Entries", "The mask picture is not an uncompressed 1-bit picture")));
    const std::int64_t andSize = RowBytes(mh.biWidth) * mh.biHeight;
    maskStream.ReadSpan(8);  // black, white
    if (andSize > static_cast<std::int64_t>(maskStream.Remaining()))
        throw EReadError(Message("Files", filemsg::kStreamReadError));
    const std::uint8_t* andBits = maskStream.ReadSpan(static_cast<std::size_t>(andSize));

    imageStream.Seek(0);
    imageStream.ReadSpan(kFileHeaderSize);
    const std::uint8_t* headerBytes = imageStream.ReadSpan(BitmapInfoHeader::kSize);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(headerBytes);
    if (h.biWidth <= 0 || h.biHeight <= 0)
        throw EVornikError(
            Message("Entries",
                    VORNIK_TRANSLATE_NOOP(
                        "Entries", "The image picture is %1 x %2; an entry needs a positive, bottom-up size"),
                    {h.biWidth, h.biHeight}));
    if (!isEntryBitCount(h.biBitCount) || h.biCompression != 0)
        throw EVornikError(
            Message("Entries",
                    VORNIK_TRANSLATE_NOOP("Entries",
                                          "The image picture (%1 bits, compression %2) cannot be an entry"),
                    {h.biBitCount, h.biCompression}));
    if (h.biWidth != mh.biWidth || h.biHeight != mh.biHeight)
        throw EVornikError(Message(
            "Entries", VORNIK_TRANSLATE_NOOP("Entries", "The image is %1 x %2 but the mask is %3 x %4"),
            {h.biWidth, h.biHeight, mh.biWidth, mh.biHeight}));
    const std::uint32_t n = h.biClrUsed;
    if (n > 256)
        throw EVornikError(
            Message("Entries", VORNIK_TRANSLATE_NOOP("Entries", "The image picture states %1 colours"), {n}));
    if (n == 0 && PaletteSize(h.biBitCount) != 0)
        throw EVornikError(Message(
            "Entries",
            VORNIK_TRANSLATE_NOOP("Entries", "The image picture does not state its colour-table size")));
    const std::uint8_t* table = imageStream.ReadSpan(4u * n);
    const std::int64_t xorSize = RowBytes(static_cast<std::int64_t>(h.biWidth) * h.biBitCount) * h.biHeight;
    if (xorSize > static_cast<std::int64_t>(imageStream.Remaining()) || xorSize > INT32_MAX)
        throw EReadError(Message("Files", filemsg::kStreamReadError));
    const std::uint8_t* xorBits = imageStream.ReadSpan(static_cast<std::size_t>(xorSize));

    IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    // Mask rows end in padding bits no picture carries; when every pixel is
    // as it was, the old rows (padding included) stay, so an entry taken out
    // and stored back unchanged keeps its bytes.
    Bytes keptMask;
    if (samePixels(e.AndBits, andBits, static_cast<std::size_t>(andSize), mh.biWidth, mh.biHeight))
        keptMask = std::move(e.AndBits);
    set.FreeEntry(index);
    e.InfoHeader.assign(headerBytes, headerBytes + BitmapInfoHeader::kSize);
    e.InfoHeader.insert(e.InfoHeader.end(), table, table + 4u * n);
    e.XorBits.assign(xorBits, xorBits + xorSize);
    e.XorSize = static_cast<std::int32_t>(xorSize);
    if (!keptMask.empty())
        e.AndBits = std::move(keptMask);
    else
        e.AndBits.assign(andBits, andBits + andSize);
    e.AndSize = static_cast<std::int32_t>(andSize);
    e.Width = static_cast<std::uint8_t>(h.biWidth);
    e.Height = static_cast<std::uint8_t>(h.biHeight);
    e.ColorCount = DirectoryColorCount(h.biBitCount);
    e.EntryReserved = 0;
    e.ImageOffset = 0;
    e.ImageSize = static_cast<std::uint32_t>(40 + 4 * std::int64_t(n) + xorSize + andSize);
}

void EntryToDIBs(const TIconEx& set, TQvDIB& image, TQvDIB& mask, int index) {
    ByteWriteStream imageOut, maskOut;
    EntryToStreams(set, imageOut, maskOut, index);
    const Bytes imageBytes = imageOut.Take();
    const Bytes maskBytes = maskOut.Take();
    ByteReadStream imageIn(imageBytes), maskIn(maskBytes);
    TQvDIB newImage, newMask;
    const IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
    if (entryBitCount(e) == 32)
        newImage = alphaPicture(e);
    else
        newImage.LoadFromStream(imageIn);
    newMask.LoadFromStream(maskIn);
    image = newImage;
    mask = newMask;
}

void DIBsToEntry(TIconEx& set, const TQvDIB& image, const TQvDIB& mask, int index) {
    TQvDIB monoMask = bottomUp(mask);
    if (monoMask.GetBitCount() != 1) monoMask.ConvertToMono();
    const TQvDIB plainImage = bottomUp(image);
    ByteWriteStream imageOut, maskOut;
    plainImage.SaveToStream(imageOut);
    monoMask.SaveToStream(maskOut);
    const Bytes imageBytes = imageOut.Take();
    const Bytes maskBytes = maskOut.Take();
    ByteReadStream imageIn(imageBytes), maskIn(maskBytes);
    StreamsToEntry(set, imageIn, maskIn, index);
}

void EntryToViews(const TIconEx& set, PictureView& imageView, PictureView& maskView, int index) {
    TQvDIB image, mask;
    EntryToDIBs(set, image, mask, index);
    mask.ConvertToMono();
    mask.ConvertToTrueColor();
    // A view reloads its picture through a BMP stream, which keeps no alpha.
    if (HasAlphaChannel(image))
        imageView = image;
    else
        DIBToView(image, imageView);
    // A picture drawn by its alpha shows the mask its alpha stands for; stored
    // back unchanged, the alpha is kept as it is.
    if (AlphaInUse(image))
        maskView = MaskFromAlpha(image);
    else
        DIBToView(mask, maskView);
}

void ViewsToEntry(TIconEx& set, const PictureView& imageView, const PictureView& maskView, int index) {
    TQvDIB image = imagePicture(imageView);
    StoreAlphaFromMask(image, maskView);
    TQvDIB mask = ViewToDIB(maskView);
    mask.ConvertToMono();
    if (AlphaInUse(image) && index >= 0 && index < set.Count && sameAsEntry(set.Entries[static_cast<std::size_t>(index)], image) &&
        samePicture(mask, MaskFromAlpha(image))) {
        // Nothing was edited: the entry keeps its own mask (which may differ
        // from what alpha stands for), so it stays byte for byte.
        TQvDIB ownImage, ownMask;
        EntryToDIBs(set, ownImage, ownMask, index);
        mask = ownMask;
    }
    DIBsToEntry(set, image, mask, index);
}

Bytes ImagePairFileBytes(const TQvDIB& image, const TQvDIB& mask, int resourceType, int hotSpotX, int hotSpotY) {
    TIconCurEX pair;
    pair.InitEntry(0, resourceType, image.Width(), image.Height(), image.GetBitCount());
    pair.Reserved = 0;
    pair.Count = 1;
    if (resourceType == 2) {
        pair.Entries[0].HotSpotX = static_cast<std::uint16_t>(hotSpotX);
        pair.Entries[0].HotSpotY = static_cast<std::uint16_t>(hotSpotY);
    }
    DIBsToEntry(pair, image, mask, 0);
    return pair.SaveToBytes();
}

Bytes ViewPairFileBytes(const PictureView& imageView, const PictureView& maskView, int resourceType, int hotSpotX,
                        int hotSpotY) {
    TQvDIB mask = ViewToDIB(maskView);
    mask.ConvertToMono();
    return ImagePairFileBytes(imagePicture(imageView), mask, resourceType, hotSpotX, hotSpotY);
}

void SaveImagePairAsIcon(const std::string& path, const TQvDIB& image, const TQvDIB& mask) {
    WriteFileReplacing(path, ImagePairFileBytes(image, mask, 1, 0, 0));
}

void SaveImagePairAsCursor(const std::string& path, const TQvDIB& image, const TQvDIB& mask, int hotSpotX,
                           int hotSpotY) {
    WriteFileReplacing(path, ImagePairFileBytes(image, mask, 2, hotSpotX, hotSpotY));
}

void SaveViewPairAsIcon(const std::string& path, const PictureView& imageView, const PictureView& maskView) {
    TQvDIB mask = ViewToDIB(maskView);
    mask.ConvertToMono();
    TQvDIB image = imagePicture(imageView);
    StoreAlphaFromMask(image, maskView);
    SaveImagePairAsIcon(path, image, mask);
}

void SaveViewPairAsCursor(const std::string& path, const PictureView& imageView, const PictureView& maskView,
                          int hotSpotX, int hotSpotY) {
    TQvDIB mask = ViewToDIB(maskView);
    mask.ConvertToMono();
    TQvDIB image = imagePicture(imageView);
    StoreAlphaFromMask(image, maskView);
    SaveImagePairAsCursor(path, image, mask, hotSpotX, hotSpotY);
}

}  // namespace vornik
