#pragma once

#include "platform/ToolRun.h"

#include <QList>
#include <QObject>

#include <chrono>

// Runs programs one after another in a folder, each within its time, and
// stops at the first that does not end well. Keeps all they print.
class StepRunner : public QObject
{
    Q_OBJECT

public:
    explicit StepRunner(QObject *parent = nullptr);

    // Each of commands may run for timeout.
    void run(const QList<ToolCommand> &commands, std::chrono::milliseconds timeout,
             const QString &folder);
    // Kills the running program; finished(end) follows.
    void stop(ToolRun::End end) { m_tool.stop(end); }
    // From now on the running program may run for timeout more.
    void setTimeout(std::chrono::milliseconds timeout) { m_tool.setTimeout(timeout); }

    // What the running or last program printed so far.
    const QByteArray &output() const { return m_tool.output(); }
    const ToolCommand &current() const { return m_commands[m_next]; }
    // Every program run since clear(), each after its command line.
    const QByteArray &log() const { return m_log; }
    void clear() { m_log.clear(); }

signals:
    void outputGrown();
    // Done once all ran; otherwise how the program current() names ended.
    void finished(ToolRun::End end);

private:
    void startNext();

    ToolRun m_tool;
    QList<ToolCommand> m_commands;
    std::chrono::milliseconds m_timeout{};
    qsizetype m_next = 0;
    QString m_folder;
    QByteArray m_log;
};
