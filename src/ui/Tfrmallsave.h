#pragma once

#include <QDialog>

#include "app/BatchSave.h"

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QButtonGroup;

namespace vornik {

// "Batch Save": every entry of the open set as numbered one-image files. Made
// once, so it keeps its fields between uses.
class Tfrmallsave : public QDialog {
    Q_OBJECT
public:
    Tfrmallsave(MainState& state, QWidget* parent = nullptr);

    BatchSaveFields fields() const;
    void refreshPreview();  // Edit1Change, Edit2Change, SpinEdit1Change
    void Button1Click();    // run (checks first; closes after a run)
    void Button3Click();    // browse for the folder

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QSpinBox* SpinEdit1;
    QLineEdit* Memo1;
    QPlainTextEdit* Files;  // every name the run writes, with its kind
    QButtonGroup* RadioGroup1;

private:
    MainState& s_;
};

}  // namespace vornik
