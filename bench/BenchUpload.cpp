// From 燒錄 to the sketch running on a virtual Mega 2560: the code-box run, the
// compile and the upload, until the board has scanned its first frame. Target:
// under 2 s on the default texts with the core already cached ("warm"). "cold"
// compiles the core too, into a cache folder of its own.
#include "board/BoardJob.h"
#include "canvas/GlyphCanvas.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"

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

void burnWarm(benchmark::State &state)
{
    GlyphCanvas canvas;
    runJob(codeBoxRun(kDefaultTitle, kDefaultText, canvas).toUtf8(), QString()); // fills the cache
    QTemporaryDir dir;
    for (auto _ : state) {
        QProcess board;
        board.start(QStringLiteral(PROBE_PATH),
                    {QStringLiteral("--board"), dir.filePath(QStringLiteral("flash.bin")),
                     QStringLiteral("1")});
        board.waitForReadyRead(30000);
        const QString port = QString::fromLatin1(board.readLine()).trimmed().mid(4);

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
    QGuiApplication app(argc, argv);
    benchmark::RegisterBenchmark("burn/default/warm", burnWarm)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("compile/default/cold", compileCold)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
