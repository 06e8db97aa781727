#include "ui/TSwatchGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace vornik {

TSwatchGrid::TSwatchGrid(int columns, int cell, QWidget* parent)
    : QWidget(parent), columns_(columns), cell_(cell) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TSwatchGrid::setColours(const std::vector<QColor>& colours) {
    colours_ = colours;
    updateGeometry();
    update();
}

QSize TSwatchGrid::sizeHint() const {
    const int rows = std::max<int>(1, (static_cast<int>(colours_.size()) + columns_ - 1) / columns_);
    return QSize(columns_ * cell_ + 1, rows * cell_ + 1);
}

void TSwatchGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (std::size_t i = 0; i < colours_.size(); ++i) {
        const QRect r(static_cast<int>(i % columns_) * cell_, static_cast<int>(i / columns_) * cell_, cell_, cell_);
        if (colours_[i].alpha() < 255) {
            const int half = cell_ / 2;
            p.fillRect(r, Qt::white);
            p.fillRect(QRect(r.topLeft(), QSize(half, half)), QColor(204, 204, 204));
            p.fillRect(QRect(r.topLeft() + QPoint(half, half), QSize(cell_ - half, cell_ - half)), QColor(204, 204, 204));
        }
        p.fillRect(r, colours_[i]);
        p.setPen(QColor(96, 96, 96));
        p.drawRect(r);
    }
}

void TSwatchGrid::mousePressEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    const int column = at.x() / cell_, row = at.y() / cell_;
    if (column < 0 || column >= columns_ || row < 0) return;
    const std::size_t i = static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    if (i < colours_.size()) emit picked(colours_[i], e->button() == Qt::RightButton);
}

}  // namespace vornik
