#include "ui/Tfrmiconchk.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "app/IconCheck.h"
#include "ui/DibImage.h"

namespace vornik {

namespace {

QColor ColorOf(RasterColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// The 2 x 8 colour grid, with a mark on the two chosen cells.
class ColorGrid : public QWidget {
public:
    ColorGrid(Tfrmiconchk* dialog, QWidget* parent) : QWidget(parent), dialog_(dialog) {
        setFixedSize(50, 160);
    }
    int cellAt(QPoint p) const {
        if (!rect().contains(p)) return -1;
        return (p.y() / 20) * 2 + p.x() / 25;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int i = 0; i < 16; ++i) {
            const QRect cell((i % 2) * 25, (i / 2) * 20, 25, 20);
            p.fillRect(cell, ColorOf(IconCheckColors()[i]));
            p.setPen(Qt::gray);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            const bool fg = i == dialog_->foregroundIndex(), bg = i == dialog_->backgroundIndex();
            if (fg || bg) {
                p.setPen(i == 15 || i == 7 || i == 10 || i == 11 || i == 14 ? Qt::black : Qt::white);
                p.drawText(cell, Qt::AlignCenter, fg && bg ? "FB" : fg ? "FG" : "BG");
            }
        }
    }

private:
    Tfrmiconchk* dialog_;
};

}  // namespace

Tfrmiconchk::Tfrmiconchk(QWidget* parent)
    : QDialog(parent), Panel1(new QFrame(this)), Image1(new QLabel(Panel1)), ColorGrid1(nullptr) {
    setObjectName("frmiconchk");
    setWindowTitle(tr("Icon Check"));
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setFixedSize(177, 177);
    Panel1->setAutoFillBackground(true);
    Image1->setObjectName("Image1");
    Image1->setGeometry(8, 8, 161, 161);
    ColorGrid1 = new ColorGrid(this, this);
    ColorGrid1->setObjectName("ColorGrid1");
    ColorGrid1->installEventFilter(this);
    auto* text = new QLabel(tr("Check how the icon's transparent areas and colours look against the colours around it"), this);
    text->setObjectName("Label1");
    text->setWordWrap(true);
    text->setFixedWidth(170);
    auto* ok = new QPushButton(tr("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Panel1, 0, 0);
    layout->addWidget(ColorGrid1, 0, 1, Qt::AlignTop);
    layout->addWidget(text, 1, 0);
    layout->addWidget(ok, 1, 1, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    RenderIconCheck();
}

void Tfrmiconchk::setPair(const TQvDIB* image, const TQvDIB* mask, int stretchbltmode) {
    image_ = image;
    mask_ = mask;
    stretchbltmode_ = stretchbltmode;
    RenderIconCheck();
}

void Tfrmiconchk::chooseCell(int index, Qt::MouseButton button) {
    if (index < 0 || index > 15) return;
    if (button == Qt::LeftButton)
        foreground_ = index;
    else if (button == Qt::RightButton)
        background_ = index;
    RenderIconCheck();
    ColorGrid1->update();
}

void Tfrmiconchk::RenderIconCheck() {
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, ColorOf(IconCheckColors()[background_]));
    Panel1->setPalette(pal);
    Image1->setPixmap(QPixmap::fromImage(
        ToQImage(vornik::RenderIconCheck(image_, mask_, IconCheckColors()[foreground_], stretchbltmode_))));
}

QImage Tfrmiconchk::previewImage() const { return Image1->pixmap().toImage(); }

bool Tfrmiconchk::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ColorGrid1 && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        chooseCell(static_cast<ColorGrid*>(ColorGrid1)->cellAt(me->position().toPoint()), me->button());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vornik
