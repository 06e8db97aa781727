#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

namespace vornik {

// A grid of colour swatches (recent colours, an entry's palette). A click
// picks one: the left button for the primary colour, the right one for the
// secondary. Colours with alpha are shown over a checkerboard.
class TSwatchGrid : public QWidget {
    Q_OBJECT
public:
    explicit TSwatchGrid(int columns, int cell, QWidget* parent = nullptr);
    void setColours(const std::vector<QColor>& colours);
    const std::vector<QColor>& colours() const { return colours_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void picked(const QColor& colour, bool secondary);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    int columns_, cell_;
    std::vector<QColor> colours_;
};

}  // namespace vornik
