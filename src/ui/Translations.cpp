#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>

#include "app/Settings.h"

namespace vornik {

namespace {

struct Installed {
    QTranslator ours;
    QTranslator qtbase;
    QString code;
};

Installed& installed() {
    static Installed i;
    return i;
}

}  // namespace

QString LanguageCodeOf(int languageSetting) {
    switch (languageSetting) {
        case kLanguageEnglish:
            return "en";
        case kLanguageSystem:
            return QLocale::system().language() == QLocale::Japanese ? "ja" : "en";
        default:
            return "ja";
    }
}

bool IsInterfaceLanguage(const QString& code) { return code == "ja" || code == "en"; }

bool InstallTranslations(const QString& code) {
    Installed& i = installed();
    QCoreApplication::removeTranslator(&i.ours);
    QCoreApplication::removeTranslator(&i.qtbase);
    i.code = code;
    const bool ours = i.ours.load(":/i18n/vornik_" + code + ".qm");
    if (ours) QCoreApplication::installTranslator(&i.ours);
    // Qt's texts are English already; its Japanese come from the system's copy.
    if (code != "en" && i.qtbase.load(QLocale(code), "qtbase", "_",
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&i.qtbase);
    return ours;
}

QString CommandText(std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate("Command", source.c_str());
}

QString InstalledLanguage() { return installed().code; }

}  // namespace vornik
