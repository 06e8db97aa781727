#include "ui/QtNoticeHandler.h"

#include <QMessageBox>

#include "ui/MessageText.h"

namespace vornik {

namespace {
// The original shows texts with a carriage return as line break.
QString Text(const Message& m) {
    QString t = MessageText(m);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t;
}
const QString kTitle = QStringLiteral("vornik");
}  // namespace

void QtNoticeHandler::message(const Message& text) { QMessageBox::information(parent_, kTitle, Text(text)); }

void QtNoticeHandler::warning(const Message& text) { QMessageBox::warning(parent_, kTitle, Text(text)); }

bool QtNoticeHandler::askYesNo(const Message& text) {
    return QMessageBox::question(parent_, kTitle, Text(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace vornik
