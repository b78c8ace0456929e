#include "cli/CommandLine.h"
#include "cli/Messages.h"
#include "platform/Terminal.h"

#include <QFile>
#include <QGuiApplication>

namespace {

QtMessageHandler qtHandler = nullptr;

// Scripts read standard error: it carries the tool's own lines and real
// errors, not Qt's note that it made up a runtime folder (cron, sudo,
// containers), nor that the locale is not installed: the tool reads and
// writes UTF-8 whatever the locale.
void messages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
        message.startsWith(QLatin1String("Detected locale")))
        return;
    qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    // Before anything opens a file that could take a closed stream's place.
    const bool outOpen = holdStandardStream(1);
    const bool errOpen = holdStandardStream(2);
    holdStandardStream(0);
    qtHandler = qInstallMessageHandler(messages);
    // Drawing text needs a platform, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Messages::installTranslations(QLocale::system());
    // By descriptor, not through stdio's buffer: a refused write shows at once.
    QFile out;
    QFile err;
    if (outOpen)
        out.open(1, QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (errOpen)
        err.open(2, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return runCommandLine(app.arguments(), out, err, standardErrorIsTerminal());
}
