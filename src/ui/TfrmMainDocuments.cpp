#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "app/DocumentOpen.h"
#include "app/FileCommands.h"
#include "app/UndoCommands.h"
#include "platform/Errors.h"
#include "platform/Notice.h"
#include "ui/TfrmMain.h"
#include "ui/Tfrmiconcursel.h"

namespace vornik {

// ---------------------------------------------------------------- documents

void TfrmMain::OpenDocument(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        // Opening a picture takes a square into the views: that part can be undone.
        RunUndoable(s_, kUndoViews, "open",
                    [&] { vornik::OpenDocument(s_, QDir::toNativeSeparators(path).toStdString()); });
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        refresh(true);
        ShowMessage(MessageOf(e));
        return;
    }
    QApplication::restoreOverrideCursor();
    refresh(true);
}

void TfrmMain::DropFiles(const QStringList& paths) {
    std::vector<std::string> list;
    for (const QString& p : paths) list.push_back(QDir::toNativeSeparators(p).toStdString());
    undoable(
        kUndoViews, "open", [&] { vornik::DropFiles(s_, list); }, true);
}

void TfrmMain::New1Click() {
    undoable(
        kUndoViews, "new",
        [this] {
            vornik::NewDocument(s_, [this] {
                execDialog(frmiconcursel);
                return frmiconcursel->itemIndex();
            });
        },
        true);
}

void TfrmMain::Open1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    undoable(
        kUndoViews, "open", [this] { vornik::ChooseAndOpenDocument(s_); }, true);
    QApplication::restoreOverrideCursor();
}

void TfrmMain::rebuildHistoryMenu() {
    QMenu* file = menus_.value("File1");
    if (!file) return;
    for (QAction* a : historyActions_) {
        file->removeAction(a);
        delete a;
    }
    historyActions_.clear();
    const auto& captions = s_.HistoryMenu1.MenuCaptions();
    if (captions.empty()) return;
    historyActions_ << file->addSeparator();
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        // "&0 path": the accelerator stays, ampersands of the path are shown as they are.
        QString caption = QString::fromStdString(captions[i]);
        const int blank = caption.indexOf(' ');
        caption = caption.left(blank + 1) + caption.mid(blank + 1).replace("&", "&&");
        QAction* a = file->addAction(caption);
        a->setObjectName(QString("History%1").arg(i));
        connect(a, &QAction::triggered, this, [this, i] { HistoryMenu1HistorySelected(i); });
        historyActions_ << a;
    }
}

void TfrmMain::HistoryMenu1HistorySelected(int index) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    undoable(
        kUndoViews, "open", [this, index] { vornik::OpenRecentFile(s_, index); }, true);
    QApplication::restoreOverrideCursor();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* e) {
    QStringList paths;
    for (const QUrl& u : e->mimeData()->urls())
        if (u.isLocalFile()) paths << u.toLocalFile();
    if (paths.isEmpty()) return;
    e->acceptProposedAction();
    DropFiles(paths);
}

}  // namespace vornik
