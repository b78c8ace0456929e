#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <chrono>

// A program and its arguments, handed to it as they are: no shell, so spaces
// and quotes in paths are never anyone's problem.
struct ToolCommand
{
    QString program;
    QStringList arguments;
};

// Runs one external program at a time without waiting for it: output and the
// end arrive as signals, so the event loop keeps going meanwhile.
class ToolRun : public QObject
{
    Q_OBJECT

public:
    enum class End { Done, Failed, NotFound, TimedOut, Canceled };

    explicit ToolRun(QObject *parent = nullptr);
    ~ToolRun() override;

    // Starts command in folder; it is killed when it runs longer than timeout.
    void start(const ToolCommand &command, const QString &folder,
               std::chrono::milliseconds timeout);
    // From now on the program may run for timeout more.
    void setTimeout(std::chrono::milliseconds timeout) { m_deadline.start(timeout); }
    // Kills the program; ended(end) follows.
    void stop(End end);

    // What the program wrote so far, standard output and error together.
    const QByteArray &output() const { return m_output; }

signals:
    void outputGrown();
    void ended(ToolRun::End end);

private:
    QProcess m_process;
    QTimer m_deadline;
    QByteArray m_output;
    End m_stoppedAs = End::Done;
    bool m_stopping = false;
};
