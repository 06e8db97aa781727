#pragma once

#include <QDialog>

class QRadioButton;
class QGroupBox;

namespace vornik {

// "Choose Resource": the kind of a new icon/cursor set. The choice counts however
// the dialog is closed.
class Tfrmiconcursel : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmiconcursel(QWidget* parent = nullptr);

    // 0 "Icon", 1 "Cursor".
    int itemIndex() const;
    void setItemIndex(int index);

    QGroupBox* RadioGroup1;
    QRadioButton* rdoIcon;
    QRadioButton* rdoCursor;
};

}  // namespace vornik
