#pragma once

#include "board/BoardResult.h"
#include "board/BuildRecipe.h"
#include "board/StepRunner.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

class CoreCache;

// Compiles a sketch for the Arduino Mega 2560 as the Arduino IDE does and,
// when a port is given, uploads it with avrdude. Every program runs without
// blocking the event loop; the job reports progress and ends with finished().
//
//   job.start(sketchBytes, "/dev/ttyACM0");   // or an empty port: compile only
class BoardJob : public QObject
{
    Q_OBJECT

public:
    enum class Stage { Compiling, Connecting, Writing, Verifying };

    explicit BoardJob(QObject *parent = nullptr);
    ~BoardJob() override;

    // sketch: the bytes of the .ino; a relative port is taken from the current folder.
    void start(const QByteArray &sketch, const QString &port);
    // Stops the running program; finished() follows with Canceled.
    void cancel()
    {
        if (m_running)
            m_runner.stop(ToolRun::End::Canceled);
    }
    bool isRunning() const { return m_running; }
    bool isUploading() const { return m_uploading; }

    // After a successful compile: the Intel HEX, and the linked program.
    const QByteArray &hex() const { return m_hex; }
    QString elfPath() const { return m_work ? m_work->filePath(BuildRecipe::kElf) : QString(); }

signals:
    // percent is -1 while compiling and connecting.
    void progress(BoardJob::Stage stage, int percent);
    void finished(const BoardResult &result);

private:
    using Then = std::function<void()>;
    // The compiler is quick; the default time only catches one that hangs.
    void run(const QList<ToolCommand> &commands, Then done,
             std::function<void(ToolRun::End)> failed = {},
             std::chrono::milliseconds timeout = std::chrono::minutes(2));
    void stepsEnded(ToolRun::End end);
    void buildCore();
    void compileSketch();
    void link(bool measure);
    void readSizes();
    void readHex();
    void upload();
    void uploadFailed(ToolRun::End end);
    void onOutput();
    void compileFailed();
    void finish(BoardFailure failure, const QString &detail = {}, const QString &reason = {});

    StepRunner m_runner;
    Then m_done;
    std::function<void(ToolRun::End)> m_failed;
    // avrdude may wait many seconds on a port that is gone; the job need not.
    QTimer m_portWatch;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<CoreCache> m_core;
    QByteArray m_hex;
    BoardResult m_result;
    bool m_running = false;
    bool m_uploading = false;
    bool m_answered = false;
    // A link that fails on a cached core builds the core anew, once.
    bool m_coreBuilt = false;
};
