#include "ui/StartOptions.h"

#include "ui/Translations.h"

namespace vornik {

StartOptions ParseStartOptions(const QStringList& args) {
    StartOptions o;
    const auto fail = [&o](const QString& why) {
        if (o.error.isEmpty()) o.error = why;
    };
    bool operandsOnly = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool option = !operandsOnly && a.size() > 1 && a.startsWith('-');
        if (!option) {
            if (o.file.isEmpty())
                o.file = a;
            else
                o.otherFiles << a;
        } else if (a == "--") {
            operandsOnly = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--screenshot") {
            if (i + 1 >= args.size())
                fail("--screenshot needs a file name");
            else
                o.screenshot = args[++i];
        } else if (a.startsWith("--screenshot=")) {
            o.screenshot = a.mid(13);
        } else if (a == "--lang" || a.startsWith("--lang=")) {
            QString code;
            if (a != "--lang")
                code = a.mid(7);
            else if (i + 1 < args.size())
                code = args[++i];
            if (IsInterfaceLanguage(code))
                o.lang = code;
            else
                fail(code.isEmpty() ? QString("--lang needs a language, en or ja")
                                    : "unknown language " + code + " (en or ja)");
        } else {
            fail("unknown option " + a.section('=', 0, 0));
        }
    }
    return o;
}

QString StartUsage() {
    return "usage: vornik [--lang en|ja] [--screenshot PATH] [--] [FILE]\n"
           "       vornik --help | --version\n"
           "\n"
           "Opens FILE (icon, cursor, animated cursor, picture or program) in the icon editor.\n"
           "Of several files the first is opened.\n"
           "\n"
           "  --lang en|ja       the interface in English or Japanese this time (the options\n"
           "                     dialog sets the usual language; Japanese unless set)\n"
           "  --screenshot PATH  render the window (with FILE open) to a PNG file and exit\n"
           "  -h, --help         print this help and exit\n"
           "  --version          print the version and exit\n"
           "  --                 what follows is a file name, even when it begins with -\n"
           "Qt's own options (-platform, -style, ...) are accepted too.\n";
}

}  // namespace vornik
