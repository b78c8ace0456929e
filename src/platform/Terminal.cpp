#include "platform/Terminal.h"

#include <QByteArrayList>
#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

bool standardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return isatty(fileno(stderr));
#endif
}

bool holdStandardStream(int fd)
{
#ifdef Q_OS_WIN
    Q_UNUSED(fd);
    return true;
#else
    if (fcntl(fd, F_GETFD) != -1)
        return true;
    const int null = open("/dev/null", O_RDWR);
    if (null != -1 && null != fd) {
        dup2(null, fd);
        close(null);
    }
    return false;
#endif
}

bool displayFound()
{
#ifdef Q_OS_WIN
    return true;
#else
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    const QByteArrayList platforms =
        chosen.isEmpty() ? QByteArrayList{"xcb", "wayland"} : chosen.split(';');
    for (const QByteArray &platform : platforms) {
        if (platform.startsWith("xcb")       ? !qEnvironmentVariableIsEmpty("DISPLAY")
            : platform.startsWith("wayland") ? !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                             : !platform.isEmpty())
            return true;
    }
    return false;
#endif
}
