#include "ui/StartOptions.h"

namespace vornik {

StartOptions ParseStartOptions(const QStringList& args) {
    StartOptions o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--screenshot") {
            if (i + 1 >= args.size()) {
                o.error = "--screenshot needs a file name";
                return o;
            }
            o.screenshot = args[++i];
        } else if (a.startsWith("--screenshot=")) {
            o.screenshot = a.mid(13);
        } else if (o.file.isEmpty()) {
            o.file = a;
        }
    }
    return o;
}

}  // namespace vornik
