#include "cli/CommandLine.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Drawing text needs a platform, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return runCommandLine(app.arguments(), out, err, isatty(fileno(stderr)));
}
