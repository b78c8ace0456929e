#pragma once

#include "board/BoardResult.h"
#include "platform/ToolRun.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

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

    // sketch: the bytes of the .ino.
    void start(const QByteArray &sketch, const QString &port);
    // Stops the running program; finished() follows with Canceled.
    void cancel();
    bool isRunning() const { return m_running; }

    // After a successful compile: the Intel HEX, and the linked program.
    const QByteArray &hex() const { return m_hex; }
    QString elfPath() const;

    // Where the compiled core is kept between runs, one folder per core version.
    static QString coreCacheFolder();

signals:
    // percent is -1 while compiling and connecting.
    void progress(BoardJob::Stage stage, int percent);
    void finished(const BoardResult &result);

private:
    struct Step
    {
        std::function<ToolCommand()> command;
        std::chrono::milliseconds timeout;
        // After the program ended well; false when the job ends here (m_result says why).
        std::function<bool()> done;
        // What a failure of the program means.
        std::function<void(ToolRun::End)> failed;
    };

    bool checkTools();
    bool writeSketch(const QByteArray &sketch);
    void addCoreSteps(const QString &key);
    void addCompileSteps();
    void addUploadStep();
    void runNext();
    void stepEnded(ToolRun::End end);
    bool uploading() const;
    void onOutput();
    void finish(BoardFailure failure, const QString &detail = {});
    void compileFailed();
    bool readSizes();

    ToolRun m_tool;
    // avrdude may wait many seconds on a port that is gone; the job need not.
    QTimer m_portWatch;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    static constexpr auto kNoStep = std::size_t(-1);
    std::size_t m_uploadStep = kNoStep;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<QTemporaryDir> m_coreStaging;
    QString m_coreArchive;
    QByteArray m_hex;
    BoardResult m_result;
    bool m_running = false;
    bool m_answered = false;
    bool m_linkToMeasure = false;
};
