#include "ui/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace vornik {

namespace {

const QColor kInk(0x30, 0x30, 0x40);

QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1));
    draw(p);
    p.end();
    return QIcon(pm);
}

void Page(QPainter& p, QRectF r, const QColor& fill = Qt::white) {
    p.setBrush(fill);
    p.drawRect(r);
}

}  // namespace

QIcon ToolGlyph(const QString& name, const QStyle* style) {
    if (name == "tbnew") return style->standardIcon(QStyle::SP_FileIcon);
    if (name == "tbopen") return style->standardIcon(QStyle::SP_DialogOpenButton);
    if (name == "tbsave") return style->standardIcon(QStyle::SP_DialogSaveButton);
    if (name == "tbundo") return style->standardIcon(QStyle::SP_ArrowBack);
    if (name == "tbredo") return style->standardIcon(QStyle::SP_ArrowForward);
    if (name == "tbhelp")
        return Drawn([](QPainter& p) {
            p.setBrush(QColor(0x30, 0x70, 0xd0));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
            QFont f = p.font();
            f.setBold(true);
            f.setPixelSize(12);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, "?");
        });
    if (name == "tbview3") return style->standardIcon(QStyle::SP_FileDialogListView);
    if (name == "tbview4") return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    if (name == "tbcut")
        return Drawn([](QPainter& p) {
            p.setBrush(Qt::NoBrush);
            p.drawLine(QPointF(4, 1), QPointF(10, 10));
            p.drawLine(QPointF(12, 1), QPointF(6, 10));
            p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
            p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
        });
    if (name == "tbcopy")
        return Drawn([](QPainter& p) {
            Page(p, QRectF(1.5, 1.5, 8, 10));
            Page(p, QRectF(6.5, 4.5, 8, 10));
        });
    if (name == "tbpaste")
        return Drawn([](QPainter& p) {
            Page(p, QRectF(2.5, 2.5, 11, 12.5), QColor(0xd8, 0xb0, 0x70));
            Page(p, QRectF(5.5, 1.5, 5, 3), QColor(0xa0, 0xa0, 0xa0));
            Page(p, QRectF(6.5, 6.5, 8, 8));
        });
    if (name == "tbview1")
        return Drawn([](QPainter& p) {
            p.setBrush(QColor(0x50, 0x80, 0xd0));
            p.drawRect(QRectF(1.5, 1.5, 5.5, 5.5));
            p.drawRect(QRectF(9, 1.5, 5.5, 5.5));
            p.drawRect(QRectF(1.5, 9, 5.5, 5.5));
            p.drawRect(QRectF(9, 9, 5.5, 5.5));
        });
    if (name == "tbview2")
        return Drawn([](QPainter& p) {
            p.setBrush(QColor(0x50, 0x80, 0xd0));
            for (int y : {2, 7, 12})
                for (int x : {1, 9}) {
                    p.drawRect(QRectF(x + 0.5, y + 0.5, 2.5, 2.5));
                    p.drawLine(QPointF(x + 4, y + 2), QPointF(x + 6.5, y + 2));
                }
        });
    if (name == "tbiconchk")
        return Drawn([](QPainter& p) {
            p.setPen(Qt::NoPen);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x) {
                    p.setBrush((x + y) % 2 ? QColor(0xc0, 0xc0, 0xc0) : Qt::white);
                    p.drawRect(QRectF(x * 4, y * 4, 4, 4));
                }
            p.setPen(QPen(QColor(0x20, 0x90, 0x30), 2));
            p.drawLine(QPointF(3, 8), QPointF(7, 12));
            p.drawLine(QPointF(7, 12), QPointF(13, 3));
        });
    return QIcon();
}

}  // namespace vornik
