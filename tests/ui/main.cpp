// GoogleTest main for widget tests: a QApplication on the offscreen platform,
// settings redirected to a temporary folder so no test touches the user's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "VornikVersion.h"
#include "ui/Translations.h"

namespace {
void DropHarmless(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (msg.contains("propagateSizeHints")) return;
    qt_message_output(type == QtFatalMsg ? QtFatalMsg : type, ctx, msg);
}
}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QTemporaryDir config;  // read once, at the first QSettings: set before anything runs
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qInstallMessageHandler(DropHarmless);
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(VORNIK_VERSION);
    // The interface as a default start shows it: Japanese.
    vornik::InstallTranslations("ja");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
