// The editor: vornik [--lang en|ja] [--screenshot PATH] [--] [FILE]
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "VornikVersion.h"
#include "app/Settings.h"
#include "platform/FileDialogs.h"
#include "platform/Notice.h"
#include "ui/ImageLimits.h"
#include "ui/QtFileDialogs.h"
#include "ui/QtNoticeHandler.h"
#include "ui/QtSettingsStore.h"
#include "ui/StartOptions.h"
#include "ui/TResourceListView.h"
#include "ui/TfrmMain.h"
#include "ui/Translations.h"

int main(int argc, char** argv) {
    // --help and --version answer before Qt looks for a display.
    QStringList given;
    for (int i = 1; i < argc; ++i) given << QString::fromLocal8Bit(argv[i]);
    const vornik::StartOptions early = vornik::ParseStartOptions(given);
    if (early.help || early.version) {
        std::fputs(early.help ? qPrintable(vornik::StartUsage()) : "vornik " VORNIK_VERSION "\n", stdout);
        return 0;
    }
    // --screenshot renders without a display.
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).startsWith("--screenshot") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vesko");
    QApplication::setApplicationName("vornik2");
    QApplication::setApplicationVersion(VORNIK_VERSION);
    vornik::AllowPicturesUpToOurBudget();

    const vornik::StartOptions options = vornik::ParseStartOptions(QApplication::arguments().mid(1));
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "vornik: %s\n%s", qPrintable(options.error), qPrintable(vornik::StartUsage()));
        return 2;
    }
    if (!options.otherFiles.isEmpty())
        std::fprintf(stderr, "vornik: one file at a time: opening %s, not %s\n", qPrintable(options.file),
                     qPrintable(options.otherFiles.join(", ")));

    vornik::QtSettingsStore store;
    // The interface language: --lang for this run, else the setting (Japanese unless set).
    vornik::InstallTranslations(options.lang.isEmpty()
                                    ? vornik::LanguageCodeOf(vornik::LoadSettings(store).language)
                                    : options.lang);
    vornik::QtNoticeHandler notices;
    vornik::ScopedNoticeHandler noticeScope(&notices);
    vornik::QtFileDialogs dialogs;
    vornik::SetFileDialogs(&dialogs);

    int rc = 0;
    {
        vornik::TfrmMain main(store);
        notices.setParent(&main);
        dialogs.setParent(&main);
        if (!options.screenshot.isEmpty()) {
            // Shown offscreen: messages go to standard error rather than a box nobody can close.
            vornik::SetNoticeHandler(nullptr);
            main.resize(std::max(main.width(), 800), std::max(main.height(), 600));
            main.show();
            bool opened = true;
            if (!options.file.isEmpty()) {
                main.OpenDocument(options.file);
                // The title names the file once it is open; the reason it is not went to standard error.
                opened = main.state().Caption != vornik::kAppTitle;
            }
            if (main.LVIcon->count() > 0) {
                main.LVIcon->selectIndex(0);
                main.LVIconDblClick();
            }
            QApplication::processEvents();
            const bool saved = main.grab().save(options.screenshot, "PNG");
            if (!saved) std::fprintf(stderr, "vornik: cannot write %s\n", qPrintable(options.screenshot));
            rc = saved && opened ? 0 : 1;
        } else {
            main.show();
            if (!options.file.isEmpty()) {
                const QString file = options.file;
                QTimer::singleShot(0, &main, [&main, file] { main.OpenDocument(file); });
            }
            rc = QApplication::exec();
        }
        main.SaveState();
    }
    vornik::SetFileDialogs(nullptr);
    return rc;
}
