#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "app/Commands.h"
#include "app/EditActions.h"
#include "app/EntryCommands.h"
#include "app/FileCommands.h"
#include "app/FrameAutoComplete.h"
#include "app/ImportCommand.h"
#include "app/Options.h"
#include "app/ProgramIconCommand.h"
#include "app/SaveExport.h"
#include "app/UndoCommands.h"
#include "app/ViewTransforms.h"
#include "imaging/ConvertDIBFormat.h"
#include "imaging/MaskOps.h"
#include "imaging/TQvDIBCanvas.h"
#include "platform/Errors.h"
#include "platform/FileDialogs.h"
#include "platform/Notice.h"
#include "ui/DibImage.h"
#include "ui/PanelWidgets.h"
#include "ui/TPictureView.h"
#include "ui/TResourceListView.h"
#include "ui/TScreenCapture.h"
#include "ui/TfrmIconSelect.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmOption.h"
#include "ui/Tfrmallsave.h"
#include "ui/Tfrmiconchk.h"
#include "ui/Tfrmrotinput.h"

namespace vornik {

// ---------------------------------------------------------------- wiring

void TfrmMain::connectCommands() {
    handlers_ = {
        {"New1", [this] { New1Click(); }},
        {"Open1", [this] { Open1Click(); }},
        {"Exit1", [this] { Exit1Click(); }},
        {"tlbar1", [this] { tlbar1Click(); }},
        {"stbar1", [this] { stbar1Click(); }},
        {"mnu_editpanelview", [this] { mnu_editpanelviewClick(); }},
        {"Option1", [this] { Option1Click(); }},
        {"Contents1", [this] { Contents1Click(); }},
        {"SearchforHelpOn1", [this] { SearchforHelpOn1Click(); }},
        {"HowtoUseHelp1", [this] { HowtoUseHelp1Click(); }},
        {"About1", [this] { About1Click(); }},
        {"mnu_bmpget", [this] { tbbmpgetClick(); }},
    };
    registerCoreCommands();
    for (const CommandInfo& c : CommandTable()) {
        const QString name = Q(c.name);
        const QString handler = c.sameAs.empty() ? name : Q(c.sameAs);
        if (c.tag >= 0) {
            const int tag = c.tag;
            connect(actions_[name], &QAction::triggered, this, [this, tag] { view1Click(tag); });
            continue;
        }
        if (c.place == CommandPlace::EditPanel) {
            connect(panelButtons_[name], &QToolButton::clicked, this,
                    [this, handler] { onCommand(handler); });
        } else {
            connect(actions_[name], &QAction::triggered, this, [this, handler] { onCommand(handler); });
        }
    }
    connect(PageControl1, &QTabWidget::currentChanged, this, &TfrmMain::PageControl1Change);
    connectEditPanel();
    connectAnimation();
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this, nullptr, nullptr, Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        // In an open menu the highlighted item is what help is asked for.
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            if (QAction* a = menu->activeAction()) {
                const int ctx = a->property("helpContext").toInt();
                QWidget* open = menu;
                for (int guard = 0; guard < 8 && qobject_cast<QMenu*>(open); ++guard) {
                    open->close();
                    open = QApplication::activePopupWidget();
                }
                if (ctx > 0)
                    showHelpContext(ctx);
                else
                    Contents1Click();
                return;
            }
        }
        for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
            const int ctx = w->property("helpContext").toInt();
            if (ctx > 0) {
                showHelpContext(ctx);
                return;
            }
        }
        Contents1Click();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{PageControl1, sprate, edttitle, edtcreator, lvani1,
                                                      lvani2, ScrollBox3, btnanieft}) {
        w->setProperty("helpContext", HelpContextOf(w->objectName().toStdString()));
    }
}

void TfrmMain::onCommand(const QString& name) {
    auto it = handlers_.find(name);
    if (it == handlers_.end()) {
        notImplemented(name);
        return;
    }
    try {
        it.value()();
    } catch (const std::exception& e) {
        // The default error display: the message in a box, the command abandoned.
        ShowMessage(MessageOf(e));
    }
}

void TfrmMain::notImplemented(const QString&) {
    // The core does not offer this command yet: it changes nothing, and says so.
    showStatus(0, tr("This command is not available yet"));
}

void TfrmMain::view1Click(int tag) {
    runCommand([this, tag] { vornik::SetListStyle(s_, tag); });
}

// ---------------------------------------------------------------- view toggles and options

void TfrmMain::tlbar1Click() { Toolbar971->setVisible(actions_["tlbar1"]->isChecked()); }
void TfrmMain::stbar1Click() { statusBar()->setVisible(actions_["stbar1"]->isChecked()); }
void TfrmMain::mnu_editpanelviewClick() { pnledit->setVisible(actions_["mnu_editpanelview"]->isChecked()); }

void TfrmMain::ApplyFlatButtons() {
    const bool flat = s_.settings.flat;
    for (QToolButton* b : panelButtons_) b->setAutoRaise(flat);
    for (QToolButton* b : {sbview, sbxor, sband, sbaniadd, sbanidel, sbplay, sbstop}) b->setAutoRaise(flat);
    // Tool bar buttons are flat by nature in Qt; "not flat" gives them a raised look.
    Toolbar971->setStyleSheet(flat ? QString()
                                   : QString("QToolButton { border: 1px outset palette(mid); "
                                             "padding: 2px 4px; margin: 1px; }"
                                             "QToolButton:checked { border-style: inset; }"));
}

void TfrmMain::applyBackgroundColor() {
    const QColor c = ColorOfSetting(s_.settings.color);
    for (QScrollArea* s : {ScrollBox1, ScrollBox2, ScrollBoxAni, ScrollBoxPreview1, ScrollBoxPreviewZ}) {
        QPalette pal = s->viewport()->palette();
        pal.setColor(QPalette::Window, c);
        s->viewport()->setPalette(pal);
    }
}

void TfrmMain::Option1Click() {
    const bool confirmed = vornik::RunOptionsDialog(s_.settings, store_, [this](OptionDialogValues& values) {
        frmOption->LoadFrom(values);
        if (execDialog(frmOption) != QDialog::Accepted) return false;
        frmOption->StoreTo(values);
        return true;
    });
    if (!confirmed) return;
    applyBackgroundColor();
    refreshPreview();
    ApplyFlatButtons();
    ScreenCapture1->configure(s_.settings.screencapture);
}

// ---------------------------------------------------------------- editing commands

void TfrmMain::viewsCommand(const std::function<void(ViewTarget, PictureView&, PictureView&)>& op) {
    undoable(kUndoViews, "views", [this, &op] {
        EditState& e = s_.edit;
        if (!e.imgxor || !e.imgand) return;  // nothing under edit
        op(static_cast<ViewTarget>(e.target), *e.imgxor, *e.imgand);
    });
}

void TfrmMain::registerCoreCommands() {
    handlers_.insert("Undo1", [this] { runCommand([this] { UndoEdit(s_); }, true); });
    handlers_.insert("Redo1", [this] { runCommand([this] { RedoEdit(s_); }, true); });
    handlers_.insert("mnu_convert", [this] {
        undoable(kUndoViews, "convert", [this] {
            EditState& e = s_.edit;
            if (!e.imgxor || !e.imgand) return;
            ConvertViews(*e.imgand, *e.imgxor, e.cmbsize, e.cmbcolor, s_.settings.fixedpalette16,
                         s_.settings.stretchbltmode);
        });
    });
    handlers_.insert("Save1", [this] { runCommand([this] { vornik::SaveDocument(s_); }); });
    handlers_.insert("SaveAs1", [this] { runCommand([this] { vornik::SaveDocumentAs(s_); }); });
    handlers_.insert("export1", [this] { runCommand([this] { vornik::ExportImagePair(s_); }); });
    handlers_.insert("mnu_exegroup", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        runCommand([this] { vornik::ReplaceGroupAndSaveProgram(s_); });
    });
    handlers_.insert("mnu_iconrep", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        undoable(
            kUndoIconSet | kUndoAniSet, "replace", [this] { vornik::ReplaceEntryFromViews(s_, selectedFrame()); },
            true);
    });
    handlers_.insert("mnu_iconadd", [this] {
        undoable(
            kUndoIconSet | kUndoAniSet, "add", [this] { vornik::AddEntryFromViews(s_); }, true);
    });
    handlers_.insert("iconauto", [this] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        undoable(
            kUndoIconSet | kUndoAniSet, "auto", [this] { vornik::AutoCompleteShown(s_); }, true);
        QApplication::restoreOverrideCursor();
    });
    handlers_.insert("inport1", [this] {
        undoable(kUndoViews, "import", [this] {
            vornik::ImportPictureIntoView(
                s_, [this](const ResourceList& list, const std::string& label) -> std::optional<int> {
                    frmIconSelect->setRows(RowsOf(list));
                    frmIconSelect->Label1->setText(QString::fromStdString(label));
                    if (execDialog(frmIconSelect) != QDialog::Accepted) return std::nullopt;
                    const int i = frmIconSelect->selectedIndex();
                    return i < 0 ? std::nullopt : std::optional<int>(i);
                });
        });
    });
    handlers_.insert("Copy1", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        runCommand([this] { vornik::CopyToClipboard(s_, entryClipboard_, clipboard_, selectedFrame()); });
    });
    handlers_.insert("Cut1", [this] {
        s_.LVIcon.selected = LVIcon->selectedIndex();
        undoable(
            kUndoViews | kUndoIconSet | kUndoAniSet, "cut",
            [this] { vornik::CutToClipboard(s_, entryClipboard_, clipboard_, selectedFrame()); }, true);
    });
    handlers_.insert("Paste1", [this] {
        undoable(
            kUndoViews | kUndoIconSet | kUndoAniSet, "paste",
            [this] { vornik::PasteFromClipboard(s_, entryClipboard_, clipboard_); }, true);
    });
    handlers_.insert("m_iconchk", [this] {
        // m_iconchkClick: the preview of the pair under edit.
        const EditState& e = s_.edit;
        frmiconchk->setPair(e.imgxor ? &*e.imgxor : nullptr, e.imgand ? &*e.imgand : nullptr,
                            s_.settings.stretchbltmode);
        execDialog(frmiconchk);
        frmiconchk->setPair(nullptr, nullptr, s_.settings.stretchbltmode);
    });
    handlers_.insert("mnu_allsave", [this] {
        frmallsave->refreshPreview();
        execDialog(frmallsave);
    });
    handlers_.insert("mnu_rotimage", [this] { mnu_rotimageClick(); });
    handlers_.insert("mnu_bitmapzoom", [this] { mnu_bitmapzoomClick(); });
    // Named copies, not structured bindings: clang before 16 cannot capture those.
    for (const auto& item : {std::pair{"mnu_flip", ViewTransform::Flip}, std::pair{"mnu_millor", ViewTransform::Mirror},
                             std::pair{"mnu_r90", ViewTransform::QuarterRight},
                             std::pair{"mnu_l90", ViewTransform::QuarterLeft},
                             std::pair{"mnu_r180", ViewTransform::Half}}) {
        const ViewTransform kind = item.second;
        handlers_.insert(item.first, [this, kind] {
            undoable(kUndoViews, "views", [this, kind] { TransformViews(s_.edit, kind); });
        });
    }
    handlers_.insert("mnu_maskinv", [this] {
        viewsCommand([](ViewTarget, PictureView& image, PictureView& mask) { InvertMask(image, mask); });
    });
    handlers_.insert("mnu_maskfill", [this] {
        viewsCommand([](ViewTarget, PictureView& image, PictureView& mask) { FillMask(image, mask); });
    });
}

void TfrmMain::mnu_rotimageClick() {
    if (execDialog(frmrotinput) != QDialog::Accepted || frmrotinput->serot->value() == 0) return;
    const int angle = frmrotinput->serot->value();
    const bool left = frmrotinput->rbleft->isChecked();
    undoable(kUndoViews, "views", [this, angle, left] { TransformViews(s_.edit, ViewTransform::Angle, angle, left); });
}

void TfrmMain::mnu_bitmapzoomClick() {
    EditState& e = s_.edit;
    frmbmpzoom->start(e.imgbmp ? e.imgbmp->Width() : 0, e.imgbmp ? e.imgbmp->Height() : 0);
    if (execDialog(frmbmpzoom) != QDialog::Accepted) return;
    int width = 0, height = 0;
    for (auto [edit, value] : {std::pair{frmbmpzoom->Edit1, &width}, std::pair{frmbmpzoom->Edit2, &height}}) {
        if (!ReadZoomField(edit->text(), *value)) {
            ShowMessage(tr("\"%1\" is not a valid whole number.").arg(edit->text()).toStdString());
            return;
        }
    }
    if (width <= 0 || height <= 0 || !e.imgbmp) return;
    undoable(kUndoViews, "zoom", [&] {
        TQvDIB zoomed;
        zoomed.CreateDIB(width, height, 0, 24);
        TQvDIBCanvas canvas(zoomed);
        canvas.StretchDraw(0, 0, width, height, DrawableSource(*e.imgbmp));
        e.imgbmp = zoomed;  // replaced only at the end: a failure keeps the old picture
    });
}

}  // namespace vornik
