#include "ui/DibImage.h"

#include <QCoreApplication>

#include "app/EditActions.h"
#include "imaging/AlphaMask.h"
#include "ui/MessageText.h"

namespace vornik {

namespace {

// The Qt format a 24- or 32-bit DIB is copied into; Invalid for other DIBs.
QImage::Format directFormat(const TQvDIB& dib) {
    if (dib.IsCompressed() || dib.Width() <= 0 || dib.Height() <= 0) return QImage::Format_Invalid;
    if (dib.GetBitCount() == 24) return QImage::Format_RGB32;
    if (dib.GetBitCount() == 32)
        return AlphaInUse(dib) ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return QImage::Format_Invalid;
}

void copyRows(const TQvDIB& dib, QImage& image, const QRect& rect) {
    const int h = dib.Height();
    const bool alpha = image.format() == QImage::Format_ARGB32_Premultiplied;
    const int bytes = dib.GetBitCount() / 8;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const std::uint8_t* in = dib.ScanLine(dib.IsTopDown() ? y : h - 1 - y) + bytes * rect.left();
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y)) + rect.left();
        for (int x = rect.left(); x <= rect.right(); ++x, in += bytes, ++out) {
            const QRgb c = qRgba(in[2], in[1], in[0], alpha ? in[3] : 255);
            *out = alpha ? qPremultiply(c) : c;
        }
    }
}

}  // namespace

void CopyDibRect(const TQvDIB& dib, QImage& image, const QRect& rect) {
    const QImage::Format format = directFormat(dib);
    if (format == QImage::Format_Invalid || image.format() != format ||
        image.size() != QSize(dib.Width(), dib.Height())) {
        image = ToQImage(dib);
        return;
    }
    const QRect r = rect & image.rect();
    if (!r.isEmpty()) copyRows(dib, image, r);
}

QImage ToQImage(const TQvDIB& dib) {
    const QImage::Format format = directFormat(dib);
    if (format != QImage::Format_Invalid) {
        QImage image(dib.Width(), dib.Height(), format);
        if (image.isNull()) return image;
        copyRows(dib, image, image.rect());
        return image;
    }
    try {
        const Bytes bmp = dib.SaveToBytes();
        QImage img;
        if (!img.loadFromData(bmp.data(), static_cast<int>(bmp.size()), "BMP")) return QImage();
        return img;
    } catch (const std::exception&) {
        return QImage();
    }
}

QImage ToQImage(const ImagePair& pair) {
    if (AlphaInUse(pair.alpha)) return ToQImage(pair.alpha);
    QImage image = ToQImage(pair.image).convertToFormat(QImage::Format_ARGB32);
    const QImage mask = ToQImage(pair.mask).convertToFormat(QImage::Format_RGB32);
    if (image.isNull() || mask.size() != image.size()) return image;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(m[x]) >= 128) line[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

std::vector<ResourceListRow> RowsOf(const ResourceList& list) {
    std::vector<ResourceListRow> rows;
    rows.reserve(list.items.size());
    for (const auto& item : list.items) {
        ResourceListRow row;
        row.caption = QString::fromStdString(item.caption);
        if (item.note) row.caption += " - " + MessageText(*item.note);
        for (const auto& s : item.subItems) row.columns << QString::fromStdString(s);
        const int i = item.imageIndex;
        if (i >= 0 && i < static_cast<int>(list.largeImages.pairs.size()))
            row.large = ToQImage(list.largeImages.pairs[i]);
        if (i >= 0 && i < static_cast<int>(list.smallImages.pairs.size()))
            row.small = ToQImage(list.smallImages.pairs[i]);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace vornik
