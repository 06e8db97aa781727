#pragma once

#include <QColor>
#include <QDialog>

#include "app/Options.h"

class QCheckBox;
class QColorDialog;
class QComboBox;
class QGroupBox;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QFrame;
class QButtonGroup;

namespace vornik {

// "Options": edits the settings record. Made once and reused, so it reopens on
// the page it was closed on. Nothing is stored unless "&OK" confirms.
class TfrmOption : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOption(QWidget* parent = nullptr);

    // Every control from the values the core prepared, and back.
    void LoadFrom(const OptionDialogValues& values);
    void StoreTo(OptionDialogValues& values) const;

    QColor swatchColor() const { return swatch_; }
    void setSwatchColor(const QColor& c);

    // Shape1MouseDown: the colour dialog on the swatch's colour.
    void Shape1MouseDown();
    // Button3Click: the "Default" formats.
    void Button3Click();

    QTabWidget* PageControl1;
    QCheckBox* chktoolbar;
    QFrame* Shape1;
    QButtonGroup* rgp_stretchbltmode;
    QCheckBox* chk16;
    QListWidget* CheckListBox1;
    QButtonGroup* rdoSCAP;
    QCheckBox* chkautomaskplus;
    QSpinBox* sedefrate;
    QCheckBox* chkiconbackadd;
    QCheckBox* chkiconcolor;
    QColorDialog* ColorDialog1;
    QComboBox* cmblanguage;  // 0 Japanese, 1 English, 2 the system's: the "language" setting

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColor swatch_;
};

// The colour of a "color" setting (RGB with red in the low byte) and back.
QColor ColorOfSetting(int value);
int SettingOfColor(const QColor& c);

}  // namespace vornik
