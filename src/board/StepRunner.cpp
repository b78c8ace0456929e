#include "board/StepRunner.h"

StepRunner::StepRunner(QObject *parent) : QObject(parent)
{
    connect(&m_tool, &ToolRun::outputGrown, this, &StepRunner::outputGrown);
    connect(&m_tool, &ToolRun::ended, this, [this](ToolRun::End end) {
        m_log += m_tool.output();
        if (end != ToolRun::End::Done)
            return emit finished(end);
        if (++m_next == m_commands.size())
            return emit finished(ToolRun::End::Done);
        startNext();
    });
}

void StepRunner::run(const QList<ToolCommand> &commands, std::chrono::milliseconds timeout,
                     const QString &folder)
{
    m_commands = commands;
    m_timeout = timeout;
    m_next = 0;
    m_folder = folder;
    startNext();
}

void StepRunner::startNext()
{
    const ToolCommand &command = m_commands[m_next];
    m_log +=
        "$ " + (QStringList{command.program} + command.arguments).join(u' ').toLocal8Bit() + '\n';
    m_tool.start(command, m_folder, m_timeout);
}
