#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>

#include "app/EditActions.h"
#include "app/MaskPaint.h"
#include "app/TakeIn.h"
#include "app/UndoCommands.h"
#include "imaging/AlphaMask.h"
#include "imaging/MaskOps.h"
#include "imaging/TQvDIBCanvas.h"
#include "platform/Errors.h"
#include "platform/FileDialogs.h"
#include "platform/Notice.h"
#include "ui/DibImage.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TScreenCapture.h"
#include "ui/TfrmMain.h"

namespace vornik {

// ---------------------------------------------------------------- editing panel

void TfrmMain::connectEditPanel() {
    connect(LVIcon, &TResourceListView::itemDoubleClicked, this, [this] { LVIconDblClick(); });
    connect(sbview, &QToolButton::clicked, this, &TfrmMain::sbviewClick);
    connect(sbxor, &QToolButton::clicked, this, &TfrmMain::sbxorClick);
    connect(sband, &QToolButton::clicked, this, &TfrmMain::sbandClick);
    connect(cmbtype, qOverload<int>(&QComboBox::activated), this, [this] { cmbtypeChange(); });
    connect(cmbsize, qOverload<int>(&QComboBox::activated), this, [this] { cmbsizeClick(); });
    connect(cmbcolor, qOverload<int>(&QComboBox::activated), this, [this](int i) { s_.edit.cmbcolor = i; });
    // Typed values are read when they are complete; the fields clamp as the core does.
    for (QSpinBox* field : {spex, spey})
        connect(field, &QSpinBox::editingFinished, this, [this] { refresh(); });
    connect(spex, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) {
        if (mirroring_) return;
        s_.edit.spex = ClampHotSpot(v, s_.edit.imgxor ? s_.edit.imgxor->Width() : 0);
        markHotSpot();
    });
    connect(spey, qOverload<int>(&QSpinBox::valueChanged), this, [this](int v) {
        if (mirroring_) return;
        s_.edit.spey = ClampHotSpot(v, s_.edit.imgxor ? s_.edit.imgxor->Height() : 0);
        markHotSpot();
    });
    // spebxChange / spebyChange: the selection frame follows the take-in position.
    connect(spebx, qOverload<int>(&QSpinBox::valueChanged), this, [this](int x) {
        if (mirroring_) return;
        s_.edit.spebx = x;
        s_.edit.Shape1Left = x;
        imgbmp->setFramePos(x, imgbmp->framePos().y());
    });
    connect(speby, qOverload<int>(&QSpinBox::valueChanged), this, [this](int y) {
        if (mirroring_) return;
        s_.edit.speby = y;
        s_.edit.Shape1Top = y;
        imgbmp->setFramePos(imgbmp->framePos().x(), y);
    });
    connect(imgbmp, &TPictureView::frameDropped, this, [this](int x, int y) {
        // Shape1MouseUp: the frame's position becomes the take-in position.
        spebx->setValue(x);
        speby->setValue(y);
    });
    connect(imgbmp, &TPictureView::pressed, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) {
                // imgbmpMouseDown: centre the frame on the click (truncating division).
                spebx->setValue(x - imgbmp->frameSide() / 2);
                speby->setValue(y - imgbmp->frameSide() / 2);
            });
    auto position = [this](int x, int y) { showStatus(2, QString("%1,%2").arg(x).arg(y)); };
    connect(imgxor, &TPictureView::moved, this,
            [position](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { position(x, y); });
    connect(imgxor, &TPictureView::pressed, this, &TfrmMain::imgxorMouseDown);
    connect(imgand, &TPictureView::pressed, this, &TfrmMain::imgandMouseDown);
    connect(imgand, &TPictureView::moved, this,
            [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { imgandMouseMove(x, y); });
    connect(imgand, &TPictureView::released, this,
            [this](int x, int y, Qt::MouseButton, Qt::KeyboardModifiers) { imgandMouseUp(x, y); });
}

// ---------------------------------------------------------------- page and selection

void TfrmMain::PageControl1Change(int page) {
    if (mirroring_) return;
    std::string focus;
    runCommand([&] { focus = vornik::ActivatePage(s_, page); });
    // What was selected on another page is no target for this one's commands.
    lvani1->clearSelection();
    lvani2->clearSelection();
    if (QWidget* w = control(QString::fromStdString(focus)))
        (w == LVIcon ? LVIcon->currentWidget() : w)->setFocus();
}

void TfrmMain::LVIconDblClick() {
    s_.LVIcon.selected = LVIcon->selectedIndex();
    // Lists too: edits still in the views may be stored into their entry first.
    undoable(kUndoViews, "show", [this] { ShowEntry(s_); }, true);
}

void TfrmMain::sbviewClick() {
    runCommand([this] { vornik::SetResourceTarget(s_, ResourceTarget::View); });
}
void TfrmMain::sbxorClick() {
    runCommand([this] { vornik::SetResourceTarget(s_, ResourceTarget::Image); });
}
void TfrmMain::sbandClick() {
    runCommand([this] { vornik::SetResourceTarget(s_, ResourceTarget::Mask); });
}

void TfrmMain::cmbtypeChange() {
    undoable(kUndoViews, "type", [this] { vornik::SelectEntryType(s_, cmbtype->currentIndex()); });
}

void TfrmMain::cmbsizeClick() {
    undoable(kUndoViews, "size", [this] {
        vornik::SelectEntrySize(s_, SizeIndexOfRow(cmbsize->currentIndex()));
    });
}

void TfrmMain::tbbmpgetClick() {
    undoable(kUndoViews, "take in", [this] {
        if (s_.edit.cmbsize == 0) s_.edit.cmbsize = 2;  // "Any" takes 32 x 32
        TakeInBitmap(s_);
    });
}

void TfrmMain::imgandMouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    maskPaintMode_ = MaskPaint::None;
    if (tools_.tool != CanvasTool::HotSpot) {  // the drawing tools, in black and white
        canvasPress(CanvasView::Mask, x, y, button, modifiers);
        showStatus(2, QString("%1,%2").arg(x).arg(y));
        return;
    }
    EditState& e = s_.edit;
    if (!e.imgand) return;
    if (modifiers & Qt::ShiftModifier) {
        // Shift: flood the connected surface of the clicked colour; no status text.
        if (button != Qt::LeftButton && button != Qt::RightButton) return;
        undoable(kUndoViews, "fill", [&] { FloodMask(e, x, y, button == Qt::LeftButton); });
        return;
    }
    if (button == Qt::LeftButton || button == Qt::RightButton) {
        // One stroke, from press to release, is one undo step.
        stroke_ = CaptureStep(s_, kUndoViews, "stroke");
        maskPaintMode_ = button == Qt::LeftButton ? MaskPaint::Opaque : MaskPaint::Transparent;
        paintMask(x, y, x, y);
    }
    maskPen_ = QPoint(x, y);
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

void TfrmMain::imgandMouseMove(int x, int y) {
    if (tools_.drag) canvasMove(x, y, QApplication::keyboardModifiers());
    if (maskPaintMode_ != MaskPaint::None && s_.edit.imgand) {
        paintMask(maskPen_.x(), maskPen_.y(), x, y);  // a fast drag still leaves a continuous stroke
        maskPen_ = QPoint(x, y);
    }
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

void TfrmMain::paintMask(int x0, int y0, int x1, int y1) {
    // Only the views are repainted, only where the stroke went: a move event
    // must not rebuild the whole window.
    try {
        const PixelRect r = PaintMaskLine(s_.edit, x0, y0, x1, y1, maskPaintMode_ == MaskPaint::Opaque);
        showMaskChange(r.x, r.y, r.w, r.h);
    } catch (const std::exception& ex) {
        maskPaintMode_ = MaskPaint::None;
        refresh();
        ShowMessage(MessageOf(ex));
    }
}

void TfrmMain::showMaskChange(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const QRect changed(x, y, w, h);
    const EditState& e = s_.edit;
    QImage mask = imgand->picture();
    CopyDibRect(*e.imgand, mask, changed);
    imgand->updatePicture(mask, changed);
    if (e.imgxor && HasAlphaChannel(*e.imgxor)) {
        QImage image = imgxor->picture();
        CopyDibRect(*e.imgxor, image, changed);
        imgxor->updatePicture(image, changed);
    }
}

void TfrmMain::imgandMouseUp(int x, int y) {
    maskPaintMode_ = MaskPaint::None;
    if (tools_.drag) canvasRelease(x, y, QApplication::keyboardModifiers());
    if (stroke_) {
        CommitStep(s_, std::move(*stroke_));
        stroke_.reset();
        refresh();
    }
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

void TfrmMain::markHotSpot() {
    const EditState& e = s_.edit;
    imgxor->setHotSpotMark(e.cmbtype == kTypeCursor && e.imgxor ? std::optional<QPoint>(QPoint(e.spex, e.spey))
                                                               : std::nullopt);
}

void TfrmMain::imgxorMouseDown(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    EditState& e = s_.edit;
    if (tools_.tool != CanvasTool::HotSpot) {
        canvasPress(CanvasView::Image, x, y, button, modifiers);
        showStatus(2, QString("%1,%2").arg(x).arg(y));
        return;
    }
    if (button == Qt::LeftButton) {  // the hot spot, clamped as the fields do; no status text
        undoable(kUndoViews, "hot spot", [&] { SetHotSpot(e, x, y); });
        return;
    }
    if (button != Qt::RightButton) return;
    if (e.imgxor && e.imgand) {
        undoable(kUndoViews, "auto mask", [&] {
            if (modifiers & Qt::ControlModifier) {
                CompleteImage(*e.imgxor, *e.imgand);
            } else if (x >= 0 && y >= 0 && x < e.imgxor->Width() && y < e.imgxor->Height()) {
                const RasterColor c = PickedColor(*e.imgxor, x, y);
                if (modifiers & Qt::ShiftModifier)
                    AutoMaskAdd(*e.imgxor, *e.imgand, c, s_.settings.automaskplus);
                else
                    AutoMask(*e.imgxor, *e.imgand, c, s_.settings.automaskplus);
            }
        });
    }
    showStatus(2, QString("%1,%2").arg(x).arg(y));
}

void TfrmMain::ScreenCapture1Capture(const QImage& picture) {
    // The capture becomes the Bitmap page's picture; frame, position and views stay.
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) return;
    undoable(kUndoViews, "capture", [&] {
        TQvDIB dib;
        dib.LoadFromBytes(Bytes(bmp.begin(), bmp.end()));
        s_.edit.imgbmp = dib;
        s_.edit.PageControl1 = kBitmapPage;
        UpdatePageCommands(s_, kBitmapPage);
    });
}

}  // namespace vornik
