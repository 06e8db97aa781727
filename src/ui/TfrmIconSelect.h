#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

namespace vornik {

struct ResourceListRow;

// "Choose Resource": picks one entry of a file (used by the import command).
class TfrmIconSelect : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIconSelect(QWidget* parent = nullptr);

    void setRows(const std::vector<ResourceListRow>& rows);
    // The selected item's index, or -1.
    int selectedIndex() const;

    QLabel* Label1;
    QListWidget* ListView1;
};

}  // namespace vornik
