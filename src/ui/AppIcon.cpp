#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstring>

#include "model/TIconEx.h"

namespace vornik {

QImage DrawAppIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    p.scale(size / 32.0, size / 32.0);
    // The picture: a framed square with a sky and a hill.
    QLinearGradient sky(0, 2, 0, 26);
    sky.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
    sky.setColorAt(1, QColor(0x9c, 0xd3, 0xf7));
    p.setPen(QPen(QColor(0x1d, 0x3a, 0x6b), 1.5));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(1.5, 1.5, 25, 25), 3, 3);
    QPainterPath hill;
    hill.moveTo(2.5, 22);
    hill.cubicTo(8, 14, 14, 14, 25.5, 21);
    hill.lineTo(25.5, 25.5);
    hill.lineTo(2.5, 25.5);
    hill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3f, 0xa3, 0x4d));
    p.drawPath(hill);
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    p.drawEllipse(QPointF(19, 8), 3.2, 3.2);
    // The cursor arrow over the lower right.
    QPainterPath arrow;
    arrow.moveTo(14, 11);
    arrow.lineTo(14, 30);
    arrow.lineTo(18.5, 25.5);
    arrow.lineTo(22, 31);
    arrow.lineTo(25, 29.5);
    arrow.lineTo(21.5, 24);
    arrow.lineTo(27.5, 24);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QByteArray EncodeIco(const std::vector<QImage>& pictures) {
    // Written by our own resource set, as any icon the editor saves.
    TIconCurEX set;
    for (const QImage& src : pictures) {
        const QImage img = src.convertToFormat(QImage::Format_ARGB32);
        const int w = img.width(), h = img.height();
        const int index = set.AddSlot(-1);
        if (index < 0) break;
        set.InitEntry(index, 1, w, h, 32);
        IconEntry& e = set.Entries[static_cast<std::size_t>(index)];
        e.HotSpotX = 1;   // planes
        e.HotSpotY = 32;  // bit count
        const std::size_t xorRow = static_cast<std::size_t>(w) * 4;
        const std::size_t andRow = static_cast<std::size_t>(RowBytes(w));
        std::fill(e.AndBits.begin(), e.AndBits.end(), 0);
        for (int y = 0; y < h; ++y) {
            const std::size_t stored = static_cast<std::size_t>(h - 1 - y);  // bottom-up rows
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            std::memcpy(e.XorBits.data() + stored * xorRow, line, xorRow);  // B, G, R, A on little endian
            std::uint8_t* mask = e.AndBits.data() + stored * andRow;
            for (int x = 0; x < w; ++x)
                if (qAlpha(line[x]) == 0) mask[x / 8] = static_cast<std::uint8_t>(mask[x / 8] | (0x80 >> (x % 8)));
        }
    }
    const Bytes bytes = set.SaveToBytes();
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

}  // namespace vornik
