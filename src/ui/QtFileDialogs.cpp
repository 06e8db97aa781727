#include "ui/QtFileDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/FileFilter.h"

namespace vornik {

namespace {

// The names the core's filters use ("Name|patterns|Name|patterns"), for
// lupdate: the dialog shows them translated.
[[maybe_unused]] const char* const kFilterNames[] = {
    QT_TRANSLATE_NOOP("FileFilter", "Supported files"),
    QT_TRANSLATE_NOOP("FileFilter", "Bitmap"),
    QT_TRANSLATE_NOOP("FileFilter", "Icon"),
    QT_TRANSLATE_NOOP("FileFilter", "Cursor"),
    QT_TRANSLATE_NOOP("FileFilter", "Animated cursor"),
    QT_TRANSLATE_NOOP("FileFilter", "All"),
    QT_TRANSLATE_NOOP("FileFilter", "All files (*.dib;*.bmp;*.ico;*.emf;*.wmf)"),
    QT_TRANSLATE_NOOP("FileFilter", "Bitmap (*.bmp)"),
    QT_TRANSLATE_NOOP("FileFilter", "Icon (*.ico)"),
    QT_TRANSLATE_NOOP("FileFilter", "Enhanced metafile (*.emf)"),
    QT_TRANSLATE_NOOP("FileFilter", "Metafile (*.wmf)"),
    QT_TRANSLATE_NOOP("FileFilter", "Program"),
    QT_TRANSLATE_NOOP("FileFilter", "All files"),
};

// The filter with its names (every other part) in the interface's language.
std::string TranslatedFilter(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    for (qsizetype i = 0; i < parts.size(); i += 2)
        parts[i] = QCoreApplication::translate("FileFilter", parts[i].toUtf8().constData());
    return parts.join('|').toStdString();
}

}  // namespace

std::optional<FileDialogAnswer> QtFileDialogs::open(const FileDialogRequest& request) {
    return run(request, false);
}

std::optional<FileDialogAnswer> QtFileDialogs::save(const FileDialogRequest& request) {
    return run(request, true);
}

std::optional<FileDialogAnswer> QtFileDialogs::run(const FileDialogRequest& request, bool saving) {
    QFileDialog dlg(parent_);
    dlg.setObjectName(QString::fromStdString(request.dialog));
    dlg.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.title.empty()) dlg.setWindowTitle(QString::fromStdString(request.title));
    const QStringList filters =
        QString::fromStdString(ToQtFilter(TranslatedFilter(request.filter))).split(";;", Qt::SkipEmptyParts);
    dlg.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dlg.selectNameFilter(filters[request.filterIndex - 1]);
    QString dir = QString::fromStdString(request.initialDir);
    if (dir.isEmpty()) dir = lastDir_;
    if (!dir.isEmpty()) dlg.setDirectory(dir);
    if (!request.fileName.empty()) dlg.selectFile(QString::fromStdString(request.fileName));
    if (!request.defaultExt.empty()) {
        // A filter of files without extension (Xcursor) must not get one added.
        const QString suffix = QString::fromStdString(request.defaultExt);
        auto suffixFor = [suffix](const QString& filter) { return filter.endsWith("(*)") ? QString() : suffix; };
        dlg.setDefaultSuffix(suffixFor(dlg.selectedNameFilter()));
        QObject::connect(&dlg, &QFileDialog::filterSelected,
                         [&dlg, suffixFor](const QString& f) { dlg.setDefaultSuffix(suffixFor(f)); });
    }
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    FileDialogAnswer answer;
    const QString path = dlg.selectedFiles().first();
    lastDir_ = QFileInfo(path).absolutePath();
    answer.path = QDir::toNativeSeparators(path).toStdString();
    answer.filterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1) answer.filterIndex = 1;
    return answer;
}

}  // namespace vornik
