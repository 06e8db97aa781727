#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/FileDialogs.h"

namespace vornik {

// The file choosers as Qt dialogs. Each named chooser remembers its folder.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<FileDialogAnswer> open(const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> save(const FileDialogRequest& request) override;

private:
    std::optional<FileDialogAnswer> run(const FileDialogRequest& request, bool saving);

    QPointer<QWidget> parent_;
    QString lastDir_;
};

}  // namespace vornik
