#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// Catches SIGINT, SIGTERM and SIGHUP while it lives, so the program can stop
// the programs it started and remove what it made before it ends, instead of
// dying with them still running. One at a time.
class InterruptGuard : public QObject
{
    Q_OBJECT

public:
    InterruptGuard();
    ~InterruptGuard() override;

    // The signal caught, or 0; safe to ask anywhere, without an event loop.
    static int caught();
    static QString name(int signal);

signals:
    // From the event loop, soon after the signal.
    void interrupted(int signal);

private:
    QSocketNotifier *m_notifier = nullptr;
};
