#pragma once

#include <QString>
#include <QStringList>

namespace vornik {

// What the command line asks: vornik [FILE] [--screenshot PATH]
struct StartOptions {
    QString file;        // first parameter that is no option; empty: none
    QString screenshot;  // render the window offscreen to this PNG and exit
    QString error;       // usage error, empty when fine
};

StartOptions ParseStartOptions(const QStringList& arguments);  // arguments without the program

}  // namespace vornik
