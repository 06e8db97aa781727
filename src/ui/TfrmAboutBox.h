#pragma once

#include <QDialog>

class QLabel;

namespace vornik {

// The about box: the program's icon, product name and version.
class TfrmAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
};

}  // namespace vornik
