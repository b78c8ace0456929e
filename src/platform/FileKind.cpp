#include "platform/FileKind.h"

#include <QFile>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

bool isTerminalDevice(const QString &path)
{
#ifdef Q_OS_WIN
    return path.startsWith(QLatin1String("COM"), Qt::CaseInsensitive);
#else
    struct stat status
    {
    };
    if (stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISCHR(status.st_mode))
        return false;
    // Opening the device to ask would reset the board; the driver's name,
    // which the kernel lists by major number, says as much.
    QFile devices(QStringLiteral("/proc/devices"));
    if (!devices.open(QIODevice::ReadOnly))
        return true;
    const QByteArray number = QByteArray::number(major(status.st_rdev)) + ' ';
    for (QByteArray line = devices.readLine(); !line.isEmpty(); line = devices.readLine()) {
        if (line.startsWith("Block devices:"))
            break;
        const QByteArray driver = line.trimmed().mid(number.size());
        if (line.trimmed().startsWith(number) && (driver.startsWith("tty") || driver == "pts"))
            return true;
    }
    return false;
#endif
}
