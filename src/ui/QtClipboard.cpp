#include "ui/QtClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <cstring>

#include "imaging/BmpAlpha.h"

namespace vornik {

Bytes PackedDIBToBmp(const Bytes& dib) {
    if (dib.size() < 40) return {};
    const std::uint32_t header = ReadU32LE(dib.data());
    if (header < 12 || header > dib.size()) return {};
    const int bits = ReadU16LE(dib.data() + 14);
    const std::uint32_t compression = ReadU32LE(dib.data() + 16);
    const std::uint32_t used = ReadU32LE(dib.data() + 32);
    const std::uint64_t colours = used ? std::min<std::uint32_t>(used, 256) : (bits <= 8 ? (1u << bits) : 0);
    const std::uint64_t masks = header == 40 && (compression == 3 || compression == 6) ? 12 : 0;
    const std::uint64_t offset = 14 + header + masks + colours * 4;
    Bytes bmp;
    bmp.reserve(14 + dib.size());
    bmp.push_back('B');
    bmp.push_back('M');
    AppendU32LE(bmp, static_cast<std::uint32_t>(14 + dib.size()));
    AppendU32LE(bmp, 0);
    AppendU32LE(bmp, static_cast<std::uint32_t>(std::min<std::uint64_t>(offset, 14 + dib.size())));
    bmp.insert(bmp.end(), dib.begin(), dib.end());
    return bmp;
}

Bytes BmpToPackedDIB(const Bytes& bmp) {
    if (bmp.size() <= 14 || bmp[0] != 'B' || bmp[1] != 'M') return {};
    return Bytes(bmp.begin() + 14, bmp.end());
}

void QtClipboard::Open() { fetched_ = false; }

void QtClipboard::Close() {
    dib_.clear();
    fetched_ = false;
}

bool QtClipboard::HasFormat(std::uint32_t format) const {
    if (format != CF_DIB && format != CF_BITMAP) return false;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && (mime->hasImage() || mime->hasFormat("image/png"));
}

const Bytes* QtClipboard::GetData(std::uint32_t format) const {
    if (format != CF_DIB || !HasFormat(CF_DIB)) return nullptr;
    if (!fetched_) {
        fetched_ = true;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        // PNG first: it is how most programs hand over alpha.
        QImage image;
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        if (mime && mime->hasFormat("image/png")) image.loadFromData(mime->data("image/png"), "PNG");
        if (image.isNull()) image = QGuiApplication::clipboard()->image();
        if (image.isNull()) return nullptr;
        if (image.hasAlphaChannel()) {
            image = image.convertToFormat(QImage::Format_ARGB32);  // straight alpha, B G R A in memory
            TQvDIB picture;
            picture.CreateDIB(image.width(), -image.height(), 0, 32);
            for (int y = 0; y < image.height(); ++y)
                std::memcpy(picture.MutableScanLine(y), image.constScanLine(y), 4 * static_cast<std::size_t>(image.width()));
            dib_ = EncodeBmpAlpha(picture, true);
        } else {
            image = image.convertToFormat(QImage::Format_RGB888);
            if (!image.save(&buffer, "BMP")) return nullptr;
            dib_ = BmpToPackedDIB(Bytes(bytes.begin(), bytes.end()));
        }
    }
    return dib_.empty() ? nullptr : &dib_;
}

void QtClipboard::SetData(const TQvClipboardData& data) {
    if (data.format != CF_DIB) return;
    if (std::optional<TQvDIB> withAlpha = DecodeBmpAlpha(data.data, true)) {
        // Offered as PNG too, so other programs get the alpha.
        QImage image(withAlpha->Width(), withAlpha->Height(), QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(image.scanLine(y), withAlpha->ScanLine(image.height() - 1 - y), 4 * static_cast<std::size_t>(image.width()));
        QGuiApplication::clipboard()->setImage(image);
        return;
    }
    const Bytes bmp = PackedDIBToBmp(data.data);
    QImage image;
    if (bmp.empty() || !image.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP")) return;
    QGuiApplication::clipboard()->setImage(image);
}

}  // namespace vornik
