#include "cli/CommandLine.h"
#include "platform/Terminal.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

QtMessageHandler qtHandler = nullptr;

// Scripts read standard error: it carries the tool's own lines and real
// errors, not Qt's note that it made up a runtime folder (cron, sudo, containers).
void messages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    qtHandler = qInstallMessageHandler(messages);
    // Drawing text needs a platform, not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return runCommandLine(app.arguments(), out, err, standardErrorIsTerminal());
}
