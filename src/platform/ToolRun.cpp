#include "platform/ToolRun.h"

ToolRun::ToolRun(QObject *parent) : QObject(parent)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { stop(End::TimedOut); });
    connect(&m_process, &QProcess::readyRead, this, [this] {
        m_output += m_process.readAll();
        emit outputGrown();
    });
    connect(&m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        m_deadline.stop();
        m_output += m_process.readAll();
        if (m_stopping)
            emit ended(m_stoppedAs);
        else
            emit ended(status == QProcess::NormalExit && code == 0 ? End::Done : End::Failed);
    });
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_deadline.stop();
        emit ended(End::NotFound);
    });
}

ToolRun::~ToolRun()
{
    // No signal may reach a half-destroyed ToolRun.
    m_process.disconnect(this);
}

void ToolRun::start(const ToolCommand &command, const QString &folder,
                    std::chrono::milliseconds timeout)
{
    m_output.clear();
    m_stopping = false;
    m_process.setWorkingDirectory(folder);
    m_deadline.start(timeout);
    m_process.start(command.program, command.arguments);
}

void ToolRun::stop(End end)
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_stopping = true;
    m_stoppedAs = end;
    m_process.kill();
}
