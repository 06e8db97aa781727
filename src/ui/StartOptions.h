#pragma once

#include <QString>
#include <QStringList>

namespace vornik {

// What the command line asks: vornik [--lang en|ja] [--screenshot PATH] [--] [FILE]
struct StartOptions {
    QString file;             // first parameter that is no option; empty: none
    QStringList otherFiles;   // further files: not opened, only named
    QString screenshot;       // render the window offscreen to this PNG and exit
    QString lang;             // interface language for this run ("en", "ja"); empty: the setting's
    bool help = false;        // --help / -h: print the usage and exit
    bool version = false;     // --version: print the version and exit
    QString error;            // the first usage error, empty when fine
};

// arguments without the program. After "--" everything is a file.
StartOptions ParseStartOptions(const QStringList& arguments);

// The text --help prints.
QString StartUsage();

}  // namespace vornik
