// Generation runs on the default texts and on the longest text a one-line box
// takes. Targets: a default run under 2 ms, the long run under 300 ms; a show
// of 7,000 characters, sampled and written out, well under 1 s.
// "warm" runs reuse a canvas that has drawn the text before, as the window's
// does on every press after the first; "cold" runs start from a new canvas, as
// the command-line tool does, and pay for allocating the wide surface.
#include "canvas/GlyphCanvas.h"
#include "generator/DefaultTexts.h"
#include "generator/DisplayProgram.h"
#include "generator/GenerationRun.h"
#include "generator/ShowSketch.h"
#include "output/AnsiSink.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

QString textOfLength(int units)
{
    return kDefaultText.repeated(units / int(kDefaultText.size()) + 1).left(units);
}

QByteArray fileBytes(const QString &text, GlyphCanvas &canvas)
{
    AnsiSink sink;
    fileRun(kDefaultTitle, text, canvas, sink);
    return sink.bytes();
}

void codeBoxWarm(benchmark::State &state, const QString &text)
{
    GlyphCanvas canvas;
    codeBoxRun(kDefaultTitle, text, canvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(codeBoxRun(kDefaultTitle, text, canvas));
}

void fileWarm(benchmark::State &state, const QString &text)
{
    GlyphCanvas canvas;
    fileBytes(text, canvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(fileBytes(text, canvas));
}

// What an open preview does on every change of the inputs.
void previewWarm(benchmark::State &state, const QString &text)
{
    GlyphCanvas canvas;
    sampleTexts(kDefaultTitle, text, canvas, kCodeBoxMargin);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            displayProgram(sampleTexts(kDefaultTitle, text, canvas, kCodeBoxMargin)));
}

void codeBoxCold(benchmark::State &state, const QString &text)
{
    for (auto _ : state) {
        GlyphCanvas canvas;
        benchmark::DoNotOptimize(codeBoxRun(kDefaultTitle, text, canvas));
    }
}

void fileCold(benchmark::State &state, const QString &text)
{
    for (auto _ : state) {
        GlyphCanvas canvas;
        benchmark::DoNotOptimize(fileBytes(text, canvas));
    }
}

// The show sketch's text of a 7,000-character scene, as --show -o makes it.
void showSketch(benchmark::State &state)
{
    Show show;
    show.scenes = {{textOfLength(7000), Effect::Pages, 154, 51, 1}};
    for (auto _ : state)
        benchmark::DoNotOptimize(showSketchLines(show, sampleShow(show)));
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString longText = textOfLength(32767);
    const std::pair<const char *, void (*)(benchmark::State &, const QString &)> runs[] = {
        {"codeBox/warm", codeBoxWarm}, {"file/warm", fileWarm}, {"preview/warm", previewWarm},
        {"codeBox/cold", codeBoxCold}, {"file/cold", fileCold},
    };
    for (const auto &[name, run] : runs) {
        for (const auto &[length, text] : {std::pair{"default", kDefaultText}, {"32767", longText}})
            benchmark::RegisterBenchmark((std::string(name) + '/' + length).c_str(), run, text)
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("show/7000", showSketch)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
