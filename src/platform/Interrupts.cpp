#include "platform/Interrupts.h"

#include <QSocketNotifier>

#include <csignal>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM,
#ifndef Q_OS_WIN
                            SIGHUP
#endif
};

volatile std::sig_atomic_t g_caught = 0;
#ifndef Q_OS_WIN
// Written by the handler, read by the event loop: the only safe way across.
int g_pipe[2] = {-1, -1};
#endif

extern "C" void onSignal(int signal)
{
    g_caught = signal;
#ifndef Q_OS_WIN
    const char byte = char(signal);
    [[maybe_unused]] const auto written = write(g_pipe[1], &byte, 1);
#endif
}

} // namespace

InterruptGuard::InterruptGuard()
{
    g_caught = 0;
#ifndef Q_OS_WIN
    if (pipe(g_pipe) == 0) {
        for (const int fd : g_pipe)
            fcntl(fd, F_SETFL, O_NONBLOCK);
        m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            char byte;
            while (read(g_pipe[0], &byte, 1) == 1)
                emit interrupted(static_cast<unsigned char>(byte));
        });
    }
#endif
    for (const int signal : kSignals)
        std::signal(signal, onSignal);
}

InterruptGuard::~InterruptGuard()
{
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
#ifndef Q_OS_WIN
    delete m_notifier;
    for (int &fd : g_pipe) {
        if (fd != -1)
            close(fd);
        fd = -1;
    }
#endif
}

int InterruptGuard::caught()
{
    return g_caught;
}

QString InterruptGuard::name(int signal)
{
    switch (signal) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
#ifndef Q_OS_WIN
    case SIGHUP:
        return QStringLiteral("SIGHUP");
#endif
    }
    return QStringLiteral("signal %1").arg(signal);
}
