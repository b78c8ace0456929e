// From 燒錄 to the sketch running on a virtual Mega 2560: the code-box run, the
// compile and the upload, until the board has scanned its first frame. Target:
// under 2 s on the default texts with the core already cached ("warm"). "cold"
// compiles the core too, into a cache folder of its own. A show of 7,000
// characters: its compile with the core cached, and its upload, whose target
// is 1.5 times the serial floor (writing and verifying every byte at 115200
// baud), reported beside it.
#include "board/BoardJob.h"
#include "canvas/GlyphCanvas.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "generator/ShowSketch.h"
#include "generator/SketchText.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// Compiles and, when port is given, uploads; false when the job failed.
bool runJob(const QByteArray &sketch, const QString &port)
{
    BoardJob job;
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&job, &BoardJob::finished, [&](const BoardResult &result) {
        ok = result.failure == BoardFailure::None;
        loop.quit();
    });
    job.start(sketch, port);
    if (job.isRunning())
        loop.exec();
    return ok;
}

// A board that stops after its first frame; its port, or empty.
QString startBoard(QProcess &board, const QTemporaryDir &dir)
{
    board.start(QStringLiteral(PROBE_PATH),
                {QStringLiteral("--board"), dir.filePath(QStringLiteral("flash.bin")),
                 QStringLiteral("1")});
    board.waitForReadyRead(30000);
    return QString::fromLatin1(board.readLine()).trimmed().mid(4);
}

QByteArray longShow(int *bytes)
{
    Show show;
    show.scenes = {{kDefaultText.repeated(7000 / int(kDefaultText.size()) + 1).left(7000),
                    Effect::Pages, 154, 51, 1}};
    const std::vector<SceneColumns> columns = sampleShow(show);
    *bytes = showFlashBytes(show, columns);
    return showSketchLines(show, columns).join(QString::fromLatin1(kLineEnd)).toUtf8();
}

void showCompileWarm(benchmark::State &state)
{
    int bytes = 0;
    const QByteArray sketch = longShow(&bytes);
    runJob(sketch, QString()); // fills the cache
    for (auto _ : state)
        if (!runJob(sketch, QString()))
            state.SkipWithError("the compile failed");
}

void showUpload(benchmark::State &state)
{
    int bytes = 0;
    const QByteArray sketch = longShow(&bytes);
    QTemporaryDir dir;
    for (auto _ : state) {
        QProcess board;
        const QString port = startBoard(board, dir);
        const auto start = std::chrono::steady_clock::now();
        if (!runJob(sketch, port) || !board.waitForFinished(300000) || board.exitCode() != 0) {
            state.SkipWithError("the upload failed");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["serial_floor_s"] = 2.0 * bytes * 10 / 115200;
}

void burnWarm(benchmark::State &state)
{
    GlyphCanvas canvas;
    runJob(codeBoxRun(kDefaultTitle, kDefaultText, canvas).toUtf8(), QString()); // fills the cache
    QTemporaryDir dir;
    for (auto _ : state) {
        QProcess board;
        const QString port = startBoard(board, dir);

        const auto start = std::chrono::steady_clock::now();
        const QByteArray sketch = codeBoxRun(kDefaultTitle, kDefaultText, canvas).toUtf8();
        if (!runJob(sketch, port) || !board.waitForFinished(30000) || board.exitCode() != 0) {
            state.SkipWithError("the upload failed");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void compileCold(benchmark::State &state)
{
    GlyphCanvas canvas;
    const QByteArray sketch = codeBoxRun(kDefaultTitle, kDefaultText, canvas).toUtf8();
    const QByteArray home = qgetenv("XDG_CACHE_HOME");
    for (auto _ : state) {
        QTemporaryDir cache;
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        if (!runJob(sketch, QString()))
            state.SkipWithError("the compile failed");
    }
    home.isNull() ? qunsetenv("XDG_CACHE_HOME") : qputenv("XDG_CACHE_HOME", home);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::RegisterBenchmark("burn/default/warm", burnWarm)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("compile/default/cold", compileCold)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("show/7000/compile/warm", showCompileWarm)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("show/7000/upload", showUpload)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
