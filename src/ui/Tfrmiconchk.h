#pragma once

#include <QDialog>

#include "imaging/TQvDIB.h"

class QLabel;
class QFrame;

namespace vornik {

// "Icon Check": the image pair enlarged over a chosen background inside a
// chosen frame colour. A left click on a grid cell picks the background, a
// right click the frame; the choices last for the whole run.
class Tfrmiconchk : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmiconchk(QWidget* parent = nullptr);

    // The pair to preview (may be missing) and the scaling setting.
    void setPair(const TQvDIB* image, const TQvDIB* mask, int stretchbltmode);
    // ColorGrid1MouseUp: a cell chosen with the left (preview background) or
    // right (frame) button; the preview is drawn anew.
    void chooseCell(int index, Qt::MouseButton button);

    int foregroundIndex() const { return foreground_; }
    int backgroundIndex() const { return background_; }
    QImage previewImage() const;

    QFrame* Panel1;
    QLabel* Image1;
    QWidget* ColorGrid1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RenderIconCheck();

    const TQvDIB* image_ = nullptr;
    const TQvDIB* mask_ = nullptr;
    int stretchbltmode_ = 0;
    int foreground_ = 15;  // white preview background at first
    int background_ = 0;   // black frame
};

}  // namespace vornik
