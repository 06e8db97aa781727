#pragma once

#include <QColor>
#include <QDialog>

#include "app/Settings.h"

class QCheckBox;
class QColorDialog;
class QGroupBox;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QFrame;
class QButtonGroup;

namespace vornik {

// "ｵﾌﾟｼｮﾝ": edits the settings record. Made once and reused, so it reopens on
// the page it was closed on. Nothing is stored unless "&OK" confirms.
class TfrmOption : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kIconColorNotice =
        "この設定を有効にする為には、コントロールパネルの画面設定、カラーパレットを16bit "
        "以上にしてください。設定後 Windowsを再起動を行います。";

    explicit TfrmOption(QWidget* parent = nullptr);

    // Fills every control from the settings and the desktop's icon depth.
    void LoadFrom(const Settings& settings, int shellIconDepth);
    // Copies the controls into settings (only called after "&OK").
    void StoreTo(Settings& settings) const;
    // The icon depth to write after "&OK", or -1 for none.
    int ShellIconDepthToWrite(int shellIconDepth) const;

    QColor swatchColor() const { return swatch_; }
    void setSwatchColor(const QColor& c);

    // Shape1MouseDown: the colour dialog on the swatch's colour.
    void Shape1MouseDown();
    // Button3Click: the "デフォルト" formats.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColor swatch_;
};

// The colour of a "color" setting (RGB with red in the low byte) and back.
QColor ColorOfSetting(int value);
int SettingOfColor(const QColor& c);

}  // namespace vornik
