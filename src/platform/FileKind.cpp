#include "platform/FileKind.h"

#include <QFile>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

bool isCharacterDevice(const QString &path)
{
#ifdef Q_OS_WIN
    return path.startsWith(QLatin1String("COM"), Qt::CaseInsensitive);
#else
    struct stat status
    {
    };
    return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
#endif
}
