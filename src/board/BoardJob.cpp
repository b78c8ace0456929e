#include "board/BoardJob.h"

#include "board/ArduinoMega.h"
#include "board/AvrdudeOutput.h"
#include "board/BuildRecipe.h"
#include "board/CoreCache.h"
#include "board/SerialPorts.h"
#include "board/ToolOutput.h"
#include "generator/BoardMemory.h"

#include <QDir>
#include <QFileInfo>

BoardJob::BoardJob(QObject *parent) : QObject(parent)
{
    connect(&m_runner, &StepRunner::finished, this, &BoardJob::stepsEnded);
    connect(&m_runner, &StepRunner::outputGrown, this, &BoardJob::onOutput);
    m_portWatch.setInterval(250);
    connect(&m_portWatch, &QTimer::timeout, this, [this] {
        if (!QFileInfo::exists(m_result.port))
            m_runner.stop(ToolRun::End::Failed);
    });
}

BoardJob::~BoardJob() = default;

void BoardJob::start(const QByteArray &sketch, const QString &port)
{
    m_hex.clear();
    m_result = BoardResult{};
    // avrdude runs in the build folder, where a relative port means nothing.
    m_result.port = port.isEmpty() ? port : QFileInfo(port).absoluteFilePath();
    m_result.sramLimit = kBoardSramBytes;
    m_runner.clear();
    m_running = true;
    m_uploading = m_answered = m_coreBuilt = false;
    m_core.reset();
    if (const BoardFailure failure = portFailure(m_result.port); failure != BoardFailure::None)
        return finish(failure);
    if (const QStringList missing = BuildRecipe::missingPackages(!port.isEmpty());
        !missing.isEmpty())
        return finish(BoardFailure::ToolMissing, missing.join(u' '));
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid())
        return finish(BoardFailure::BuildFolder, QDir::tempPath(), m_work->errorString());
    if (QString error; !BuildRecipe::writeSource(m_work->path(), sketch, &error))
        return finish(BoardFailure::BuildFolder, m_work->path(), error);

    emit progress(Stage::Compiling, -1);
    run({BuildRecipe::compilerVersion()}, [this] {
        m_core = std::make_unique<CoreCache>(m_runner.output());
        m_core->cached() ? compileSketch() : buildCore();
    });
}

void BoardJob::run(const QList<ToolCommand> &commands, Then done,
                   std::function<void(ToolRun::End)> failed, std::chrono::milliseconds timeout)
{
    m_done = std::move(done);
    m_failed = std::move(failed);
    m_runner.run(commands, timeout, m_work->path());
}

void BoardJob::stepsEnded(ToolRun::End end)
{
    switch (end) {
    case ToolRun::End::Done:
        return m_done();
    case ToolRun::End::NotFound:
        return finish(BoardFailure::ToolMissing,
                      BuildRecipe::packageOf(m_runner.current().program));
    case ToolRun::End::Canceled:
        return finish(BoardFailure::Canceled);
    case ToolRun::End::Failed:
    case ToolRun::End::TimedOut:
        return m_failed ? m_failed(end) : compileFailed();
    }
}

void BoardJob::buildCore()
{
    QString error;
    if (!m_core->stage(&error))
        return finish(BoardFailure::CacheUnusable, CoreCache::folder(), error);
    m_coreBuilt = true;
    run(BuildRecipe::core(m_core->stagingFolder()), [this] {
        m_core->publish();
        compileSketch();
    });
}

void BoardJob::compileSketch()
{
    run({BuildRecipe::compile()}, [this] { link(false); });
}

void BoardJob::link(bool measure)
{
    run(
        {BuildRecipe::link(m_core->archive(), measure)}, [this] { readSizes(); },
        [this, measure](ToolRun::End) {
            if (!measure && overflowsSram(m_runner.output()))
                return link(true);
            // A cached core that was cut short or damaged fails every link.
            if (!m_coreBuilt) {
                m_core->discard();
                return buildCore();
            }
            compileFailed();
        });
}

void BoardJob::readSizes()
{
    run({BuildRecipe::sizes()}, [this] {
        const ProgramSizes sizes = programSizes(m_runner.output());
        m_result.programBytes = sizes.flash;
        // The stack shares the SRAM; a sketch that leaves it no room overwrites its own arrays.
        m_result.sramNeeded = sizes.variables + kSketchStackBytes;
        if (m_result.sramNeeded > m_result.sramLimit)
            return finish(BoardFailure::TooBig);
        if (m_result.programBytes > kBoardFlashLimit)
            return finish(BoardFailure::FlashTooBig);
        run({BuildRecipe::hex()}, [this] { readHex(); });
    });
}

void BoardJob::readHex()
{
    QFile hex(m_work->filePath(BuildRecipe::kHex));
    if (hex.open(QIODevice::ReadOnly))
        m_hex = hex.readAll();
    if (m_hex.isEmpty())
        return finish(BoardFailure::CompileFailed,
                      QStringLiteral("%1: %2").arg(BuildRecipe::kHex, hex.errorString()));
    m_result.port.isEmpty() ? finish(BoardFailure::None) : upload();
}

void BoardJob::upload()
{
    // The board may have been unplugged while the sketch compiled.
    if (!QFileInfo::exists(m_result.port))
        return finish(BoardFailure::NoPort);
    m_uploading = true;
    emit progress(Stage::Connecting, -1);
    m_portWatch.start();
    run(
        {BuildRecipe::upload(m_result.port)}, [this] { finish(BoardFailure::None); },
        [this](ToolRun::End end) { uploadFailed(end); }, BuildRecipe::kAnswerTimeout);
}

void BoardJob::uploadFailed(ToolRun::End end)
{
    const BoardResult why =
        avrdudeFailure(m_runner.output(), m_answered && end != ToolRun::End::TimedOut,
                       QFileInfo::exists(m_result.port));
    finish(why.failure, why.detail);
}

void BoardJob::onOutput()
{
    if (!m_uploading)
        return;
    const QByteArray &output = m_runner.output();
    // avrdude 7 says "device signature", earlier ones "Device signature".
    if (!m_answered && output.toLower().contains("device signature")) {
        m_answered = true;
        m_runner.setTimeout(BuildRecipe::kAnswerTimeout +
                            BuildRecipe::transferTime(m_result.programBytes));
    }
    // avrdude goes on after this, talking to its standard input for half a minute.
    if (!m_answered && output.contains("cannot open port"))
        return m_runner.stop(ToolRun::End::Failed);
    if (const auto bar = avrdudeProgress(output))
        emit progress(bar->stage == AvrdudeProgress::Stage::Writing ? Stage::Writing
                                                                    : Stage::Verifying,
                      bar->percent);
}

void BoardJob::compileFailed()
{
    finish(BoardFailure::CompileFailed, firstCompileError(m_runner.output(), m_work->path()));
}

void BoardJob::finish(BoardFailure failure, const QString &detail, const QString &reason)
{
    m_running = false;
    m_uploading = false;
    m_portWatch.stop();
    m_result.failure = failure;
    m_result.detail = detail;
    m_result.reason = reason;
    m_result.log = m_runner.log();
    emit finished(m_result);
}
