#pragma once

#include <QDialog>

class QRadioButton;
class QSpinBox;
class QLineEdit;

namespace vornik {

// "Rotate Image": angle and direction of a free rotation. Lives as long as the
// program, so the last angle and direction are offered again.
class Tfrmrotinput : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmrotinput(QWidget* parent = nullptr);
    QSpinBox* serot;
    QRadioButton* rbright;
    QRadioButton* rbleft;
};

// "Resize Bitmap": the new size of the Bitmap page's picture.
class Tfrmbmpzoom : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmbmpzoom(QWidget* parent = nullptr);
    // Starts from the picture's size at rate 100.
    void start(int width, int height);
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QSpinBox* SpinEdit1;

private:
    void rateChanged(int rate);
    int startWidth_ = 0;
    int startHeight_ = 0;
};

// The number in "0" followed by text: empty reads 0; false when it is no number.
bool ReadZoomField(const QString& text, int& value);

}  // namespace vornik
