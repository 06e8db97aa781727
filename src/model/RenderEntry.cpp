#include "model/RenderEntry.h"

#include <algorithm>

#include "imaging/AlphaBlend.h"
#include "imaging/AlphaMask.h"
#include "imaging/BitmapInfoHeader.h"
#include "imaging/PictureView.h"
#include "platform/Errors.h"

namespace vornik {

namespace {

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

// A picture from a header block and rows, through a BMP file in memory. The
// rows are cut or padded with zeros to what the header needs.
TQvDIB pictureOf(const Bytes& info, const Bytes& rows) {
    const BitmapInfoHeader h = BitmapInfoHeader::Read(info.data());
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > 0x7FFF || std::abs(static_cast<std::int64_t>(h.biHeight)) > 0x7FFF)
        throw EVornikError(Message("Entries",
                                   VORNIK_TRANSLATE_NOOP("Entries", "The entry's picture is %1 x %2"),
                                   {h.biWidth, h.biHeight}));
    const std::size_t need = static_cast<std::size_t>(RowBytes(static_cast<std::int64_t>(h.biWidth) * h.biBitCount) *
                                                      std::abs(static_cast<std::int64_t>(h.biHeight)));
    Bytes bmp;
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size());
    bmp.reserve(offset + need);
    bmp.push_back('B');
    bmp.push_back('M');
    AppendU32LE(bmp, static_cast<std::uint32_t>(offset + need));
    AppendU32LE(bmp, 0);
    AppendU32LE(bmp, offset);
    AppendBytes(bmp, info.data(), info.size());
    AppendBytes(bmp, rows.data(), std::min(need, rows.size()));
    bmp.resize(offset + need, 0);
    TQvDIB dib;
    dib.LoadFromBytes(bmp);
    return dib;
}

// A 32-bit image straight from the rows, so the alpha byte is kept whatever a
// BMP reader makes of it.
TQvDIB alphaPictureOf(const Bytes& info, const Bytes& rows) {
    const BitmapInfoHeader h = BitmapInfoHeader::Read(info.data());
    TQvDIB dib = pictureOf(info, rows);  // checks the size as for any entry
    if (h.biBitCount != 32 || h.biCompression != 0) return dib;
    TQvDIB out;
    out.CreateDIB(dib.Width(), h.biHeight < 0 ? -dib.Height() : dib.Height(), 0, 32);
    const std::size_t stride = static_cast<std::size_t>(out.Stride());
    for (int y = 0; y < out.Height(); ++y) {
        const std::size_t at = stride * static_cast<std::size_t>(y);
        std::uint8_t* row = out.MutableScanLine(y);
        if (at < rows.size()) std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>(at), std::min(stride, rows.size() - at), row);
    }
    return out;
}

}  // namespace

Bytes RenderImageInfo(const IconEntry& e) {
    BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    const std::uint32_t held = std::min<std::uint32_t>(h.biClrUsed, static_cast<std::uint32_t>((e.InfoHeader.size() - 40) / 4));
    const int colors = PaletteSize(h.biBitCount);
    h.biClrUsed = static_cast<std::uint32_t>(colors);
    h.biClrImportant = 0;
    h.biSizeImage = static_cast<std::uint32_t>(RowBytes(static_cast<std::int64_t>(h.biWidth) * h.biBitCount) *
                                               std::abs(static_cast<std::int64_t>(h.biHeight)));
    Bytes info(BitmapInfoHeader::kSize + 4 * static_cast<std::size_t>(colors), 0);
    h.Write(info.data());
    const std::size_t copied = std::min<std::size_t>(held, static_cast<std::size_t>(colors));
    std::copy_n(e.InfoHeader.begin() + BitmapInfoHeader::kSize, 4 * copied, info.begin() + BitmapInfoHeader::kSize);
    return info;
}

Bytes RenderMaskInfo(const IconEntry& e) {
    BitmapInfoHeader h = BitmapInfoHeader::Read(e.InfoHeader.data());
    h.biBitCount = 1;
    h.biCompression = 0;
    h.biClrUsed = 2;
    h.biClrImportant = 0;
    h.biSizeImage = static_cast<std::uint32_t>(RowBytes(h.biWidth) * std::abs(static_cast<std::int64_t>(h.biHeight)));
    Bytes info(48, 0);
    h.Write(info.data());
    for (int i = 44; i < 47; ++i) info[static_cast<std::size_t>(i)] = 255;  // white
    return info;
}

TQvDIB RenderImageDIB(const TIconEx& set, int index) {
    const IconEntry& e = usedEntry(set, index);
    return alphaPictureOf(RenderImageInfo(e), e.XorBits);
}

TQvDIB RenderMaskDIB(const TIconEx& set, int index) {
    const IconEntry& e = usedEntry(set, index);
    return pictureOf(RenderMaskInfo(e), e.AndBits);
}

const RenderCache& RenderEntry(TIconEx& set, int index) {
    set.RenderedEntry.reset();
    const IconEntry& e = usedEntry(set, index);
    auto cache = std::make_shared<RenderCache>();
    cache->ImageInfo = RenderImageInfo(e);
    cache->MaskInfo = RenderMaskInfo(e);
    cache->RenderedImage = alphaPictureOf(cache->ImageInfo, e.XorBits);
    cache->RenderedMask = pictureOf(cache->MaskInfo, e.AndBits);
    set.RenderedEntry = cache;
    return *cache;
}

void DrawEntry(const TIconEx& set, TQvDIBCanvas& canvas, int index, int x) {
    const TQvDIB rendered = RenderImageDIB(set, index);
    if (AlphaInUse(rendered)) {
        AlphaBlendOnto(canvas, x, 0, rendered);
        return;
    }
    const TQvDIB mask = RenderMaskDIB(set, index);
    const TQvDIB image = DrawableSource(rendered);
    canvas.BitBlt(x, 0, mask.Width(), mask.Height(), mask, 0, 0, RasterOp::SrcAnd);
    canvas.BitBlt(x, 0, image.Width(), image.Height(), image, 0, 0, RasterOp::SrcInvert);
}

}  // namespace vornik
