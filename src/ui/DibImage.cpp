#include "ui/DibImage.h"

namespace vornik {

QImage ToQImage(const TQvDIB& dib) {
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
