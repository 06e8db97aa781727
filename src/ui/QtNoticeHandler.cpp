#include "ui/QtNoticeHandler.h"

#include <QMessageBox>

#include "app/JapaneseText.h"

namespace vornik {

namespace {
// The original shows texts with a carriage return as line break.
QString Text(const std::string& s) {
    QString t = QString::fromStdString(JapaneseText(s));
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t;
}
const QString kTitle = QStringLiteral("vornik");
}  // namespace

void QtNoticeHandler::message(const std::string& text) {
    QMessageBox::information(parent_, kTitle, Text(text));
}

void QtNoticeHandler::warning(const std::string& text) { QMessageBox::warning(parent_, kTitle, Text(text)); }

bool QtNoticeHandler::askYesNo(const std::string& text) {
    return QMessageBox::question(parent_, kTitle, Text(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace vornik
