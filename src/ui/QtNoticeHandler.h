#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Notice.h"

namespace vornik {

// Notices as modal message boxes over the main window. Tests install a
// recorder instead; this handler is for the running program only.
class QtNoticeHandler : public NoticeHandler {
public:
    explicit QtNoticeHandler(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const Message& text) override;
    void warning(const Message& text) override;
    bool askYesNo(const Message& text) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace vornik
