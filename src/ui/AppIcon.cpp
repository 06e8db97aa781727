#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

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

namespace {
void Put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void Put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
}  // namespace

QByteArray EncodeIco(const std::vector<QImage>& pictures) {
    std::vector<QByteArray> blocks;
    for (const QImage& src : pictures) {
        const QImage img = src.convertToFormat(QImage::Format_ARGB32);
        const int w = img.width(), h = img.height();
        QByteArray b;
        Put32(b, 40);
        Put32(b, static_cast<quint32>(w));
        Put32(b, static_cast<quint32>(h * 2));  // image and mask stacked
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, 0);
        const int maskRow = ((w + 31) / 32) * 4;
        Put32(b, static_cast<quint32>(w * h * 4 + maskRow * h));
        Put32(b, 0);
        Put32(b, 0);
        Put32(b, 0);
        Put32(b, 0);
        for (int y = h - 1; y >= 0; --y) {  // bottom-up rows
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) Put32(b, line[x]);  // B, G, R, A on little endian
        }
        for (int y = h - 1; y >= 0; --y) {
            const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            QByteArray row(maskRow, '\0');
            for (int x = 0; x < w; ++x)
                if (qAlpha(line[x]) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            b.append(row);
        }
        blocks.push_back(b);
    }
    QByteArray out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<quint16>(pictures.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const int w = pictures[i].width(), h = pictures[i].height();
        out.append(static_cast<char>(w >= 256 ? 0 : w));
        out.append(static_cast<char>(h >= 256 ? 0 : h));
        out.append('\0');  // colour count: none for 32 bits
        out.append('\0');
        Put16(out, 1);   // planes
        Put16(out, 32);  // bit count
        Put32(out, static_cast<quint32>(blocks[i].size()));
        Put32(out, offset);
        offset += static_cast<quint32>(blocks[i].size());
    }
    for (const auto& b : blocks) out.append(b);
    return out;
}

}  // namespace vornik
