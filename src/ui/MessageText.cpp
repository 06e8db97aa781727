#include "ui/MessageText.h"

#include <QCoreApplication>

namespace vornik {

QString MessageText(const Message& message) {
    return QString::fromStdString(RenderMessage(message, [](const char* context, const char* source) {
        return QCoreApplication::translate(context, source).toStdString();
    }));
}

}  // namespace vornik
