// Build step: writes the program's icon as vornik.ico (16, 32, 48) and as PNG
// files for the desktop's icon theme. Usage: vornik-mkicon OUTDIR
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "ui/AppIcon.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QFile ico(out.filePath("vornik.ico"));
    if (!ico.open(QIODevice::WriteOnly)) return 1;
    ico.write(vornik::EncodeIco({vornik::DrawAppIcon(16), vornik::DrawAppIcon(32), vornik::DrawAppIcon(48)}));
    ico.close();
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        if (!vornik::DrawAppIcon(side).save(out.filePath(QString("vornik-%1.png").arg(side)))) return 1;
    return 0;
}
