#include "cli/CliActions.h"

#include "board/BoardJob.h"
#include "canvas/GlyphCanvas.h"
#include "cli/Messages.h"
#include "generator/BoardMemory.h"
#include "generator/GenerationRun.h"
#include "generator/ShowSketch.h"
#include "generator/TestPattern.h"
#include "output/AnsiSink.h"
#include "output/GifAnimation.h"
#include "output/ShowFile.h"
#include "platform/AtomicFile.h"
#include "platform/Interrupts.h"

#include <QEventLoop>

namespace {

// The sketch of the show in options: refused whole when the file is no show or
// the show does not fit the board, so nothing is written.
CliResult generateShow(const CliOptions &options, AnsiSink &sink, CliSketch *sketch)
{
    Show show;
    QString where;
    if (!readShow(options.show, &show, &where))
        return CliResult::badUsage(Messages::badShow(options.showPath, where));
    const std::vector<SceneColumns> columns = sampleShow(show);
    if (const int needed = showFlashBytes(show, columns); needed > kBoardFlashLimit)
        return CliResult::failed(Messages::flashTooBig(needed));
    if (options.layout == CliOptions::Layout::Code) {
        sketch->bytes = showSketchCode(show, columns);
    } else {
        for (const QString &line : showSketchLines(show, columns))
            sink.writeLine(line);
        sketch->bytes = sink.bytes();
    }
    QStringList texts;
    for (const Scene &scene : show.scenes)
        texts.append(scene.text);
    GlyphCanvas canvas;
    canvas.setFontName(show.face);
    sketch->notes = textNotes(QString(), texts.join(u' '), canvas);
    sketch->face = show.face;
    sketch->program = showProgram(show, columns);
    return {};
}

} // namespace

CliResult generateSketch(const CliOptions &options, CliSketch *out)
{
    CliSketch &sketch = *out;
    const bool code = options.layout == CliOptions::Layout::Code;
    AnsiSink sink;
    if (!code && !sink.open())
        return CliResult::failed(Messages::cannotEncode(sink.errorString()));
    sketch.face = options.face;
    if (!options.showPath.isEmpty())
        return generateShow(options, sink, out);
    if (options.testPattern) {
        sketch.program = testPatternProgram();
        if (code) {
            sketch.bytes = testPatternCode().toUtf8();
            return {};
        }
        for (const QString &line : testPatternLines())
            sink.writeLine(line);
        sketch.bytes = sink.bytes();
        return {};
    }

    GlyphCanvas canvas;
    canvas.setFontName(options.face);
    canvas.setFontBold(options.bold);
    canvas.setFontItalic(options.italic);
    if (code) {
        sketch.bytes = codeBoxRun(options.title, options.text, canvas, &sketch.data).toUtf8();
    } else {
        fileRun(options.title, options.text, canvas, sink, &sketch.data);
        sketch.bytes = sink.bytes();
    }
    sketch.notes = textNotes(options.title, options.text, canvas);
    // The preview plays the code box's data, whatever the layout.
    if (!options.gif.isEmpty())
        sketch.program =
            displayProgram(sampleTexts(options.title, options.text, canvas, kCodeBoxMargin));
    return {};
}

QStringList sketchWarnings(const SketchData &data, const TextNotes &notes, const QString &face,
                           bool toBoard)
{
    QStringList warnings;
    // Still a valid sketch, so it is written; but the user must hear it will not run.
    if (const int needed = sketchSramBytes(data); !toBoard && needed > kBoardSramBytes)
        warnings.append(Messages::sramWarning(needed, kBoardSramBytes));
    if (notes.titleColumns > SketchData::kTitleColumns)
        warnings.append(Messages::titleTooWide(notes.titleColumns, SketchData::kTitleColumns));
    if (notes.noFonts)
        warnings.append(Messages::noFonts());
    for (const bool otherFace : {true, false}) {
        const QStringList characters = missingCharacters(
            notes, otherFace, Messages::tr("%1 (%2)", "a character, its code point"));
        if (!characters.isEmpty())
            warnings.append(Messages::noGlyph(face, characters, otherFace));
    }
    return warnings;
}

bool refusedAsTooBig(const SketchData &data, BoardResult *result)
{
    result->sramNeeded = sketchSramBytes(data);
    result->sramLimit = kBoardSramBytes;
    if (result->sramNeeded <= kBoardSramBytes)
        return false;
    result->failure = BoardFailure::TooBig;
    return true;
}

CliResult writeOutput(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QString reason;
    if (!makeFolderFor(path, &reason) || !saveAtomically(path, write, &reason))
        return CliResult::failed(Messages::cannotWrite(path, reason));
    return {};
}

CliResult writeOutput(const QString &path, const QByteArray &bytes)
{
    return writeOutput(path,
                       [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); });
}

CliResult compileAndUpload(const CliSketch &sketch, const QString &port, bool testPattern,
                           bool verbose, QIODevice &err,
                           const std::function<void(const QString &)> &progress, QByteArray *hex)
{
    BoardResult result;
    result.port = port;
    if (refusedAsTooBig(sketch.data, &result))
        return CliResult::failed(Messages::board(result));

    InterruptGuard guard;
    BoardJob job;
    QEventLoop loop;
    QObject::connect(&guard, &InterruptGuard::interrupted, &job, &BoardJob::cancel);
    QObject::connect(&job, &BoardJob::progress, [&](BoardJob::Stage stage, int percent) {
        progress(Messages::stage(stage, percent));
    });
    QObject::connect(&job, &BoardJob::finished, [&](const BoardResult &ended) {
        result = ended;
        loop.quit();
    });
    job.start(sketch.bytes, port);
    if (job.isRunning())
        loop.exec();
    *hex = job.hex();
    if (const int signal = InterruptGuard::caught())
        return {128 + signal, Messages::interrupted(InterruptGuard::name(signal), !port.isEmpty())};
    if (result.failure == BoardFailure::None)
        return {0, Messages::board(result, testPattern)};
    if (verbose && !result.log.isEmpty())
        err.write(result.log.endsWith('\n') ? result.log : result.log + '\n');
    return CliResult::failed(Messages::board(result, testPattern));
}

CliResult writeSketchGif(const CliSketch &sketch, const QString &path,
                         const std::function<void(int)> &progress)
{
    InterruptGuard guard;
    const qsizetype steps = qsizetype(sketch.program.size());
    int shown = -1;
    const auto going = [&](qsizetype done) {
        if (const int percent = int(done * 100 / steps); percent != shown)
            progress(shown = percent);
        // A signal leaves the earlier file as it was, and no temporary one.
        return InterruptGuard::caught() == 0;
    };
    CliResult written = writeOutput(
        path, [&](QIODevice &file) { return writeDisplayGif(file, sketch.program, going); });
    if (const int signal = InterruptGuard::caught())
        return {128 + signal, Messages::interrupted(InterruptGuard::name(signal), false)};
    return written;
}
