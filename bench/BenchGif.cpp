// Saving the preview's animation as a GIF. Targets: peak memory under 200 MB
// whatever the text's length, and no stall of the window's event loop over
// 100 ms while the preview saves.
#include "canvas/GlyphCanvas.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "output/GifAnimation.h"
#include "window/PreviewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

QString textOfLength(int units)
{
    return kDefaultText.repeated(units / int(kDefaultText.size()) + 1).left(units);
}

// Counts what it is given and keeps none of it, so the disk plays no part.
class CountingDevice : public QIODevice
{
public:
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        written += size;
        return size;
    }
};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

// As the command line's --gif: the program built, then written.
void writeGif(benchmark::State &state, const QString &text)
{
    for (auto _ : state) {
        GlyphCanvas canvas;
        const std::vector<DisplayStep> program =
            displayProgram(sampleTexts(kDefaultTitle, text, canvas, kCodeBoxMargin));
        CountingDevice device;
        device.open(QIODevice::WriteOnly);
        benchmark::DoNotOptimize(writeDisplayGif(device, program));
        state.counters["frames"] = double(program.size());
        state.counters["file_MB"] = double(device.written) / (1 << 20);
    }
    state.counters["peak_rss_MB"] = peakMegabytes();
}

// The preview playing while its 儲存 GIF runs: the longest wait between
// ticks of a 10 ms timer on the event loop.
void windowStall(benchmark::State &state, const QString &text)
{
    QTemporaryDir folder;
    for (auto _ : state) {
        PreviewWindow preview;
        GlyphCanvas canvas;
        preview.show();
        preview.play(sampleTexts(kDefaultTitle, text, canvas, kCodeBoxMargin));
        preview.askGifPath = [&folder](QWidget *, const QString &) {
            return folder.filePath(QStringLiteral("bench.gif"));
        };
        auto *save = preview.findChild<QPushButton *>(QStringLiteral("saveGif"));
        QElapsedTimer clock;
        qint64 longest = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longest = std::max(longest, clock.restart()); });
        tick.start(10);
        clock.start();
        save->click();
        if (!QTest::qWaitFor([save] { return save->isEnabled(); }, 600000))
            state.SkipWithError("the GIF was not saved in 10 minutes");
        longest = std::max(longest, clock.elapsed());
        state.counters["longest_stall_ms"] = double(longest);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Longest last: the process's peak memory is then the longest text's.
    for (const auto &[length, text] : {std::pair{"default", kDefaultText},
                                       {"3000", textOfLength(3000)},
                                       {"32767", textOfLength(32767)}})
        benchmark::RegisterBenchmark((std::string("write/") + length).c_str(), writeGif, text)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    benchmark::RegisterBenchmark("windowStall/3000", windowStall, textOfLength(3000))
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
