#include "cli/CommandLine.h"

#include "board/BoardJob.h"
#include "board/SerialPorts.h"
#include "canvas/GlyphCanvas.h"
#include "cli/TextInput.h"
#include "generator/BoardMemory.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "generator/TestPattern.h"
#include "generator/TextNotes.h"
#include "output/AnsiSink.h"
#include "output/GifAnimation.h"
#include "platform/AtomicFile.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>

namespace {

constexpr auto kProgram = "marquee-sketch-cli";

void say(QIODevice &device, const QString &message)
{
    device.write(message.toUtf8() + '\n');
}

int usageError(QIODevice &err, const QString &message)
{
    say(err, QStringLiteral("%1: %2").arg(kProgram, message));
    say(err, QStringLiteral("Try '%1 --help' for more information.").arg(kProgram));
    return 2;
}

QString boardMessage(const BoardResult &result)
{
    switch (result.failure) {
    case BoardFailure::None:
        return QStringLiteral("wrote %1 bytes to the board on %2")
            .arg(result.programBytes)
            .arg(result.port);
    case BoardFailure::ToolMissing:
        return QStringLiteral("the Arduino tools are not installed; install the Debian packages: "
                              "sudo apt install %1")
            .arg(result.detail);
    case BoardFailure::CompileFailed:
        return QStringLiteral("the sketch did not compile: %1").arg(result.detail);
    case BoardFailure::TooBig:
        return QStringLiteral("the sketch needs %1 bytes of SRAM, more than the board's %2; "
                              "shorten the text")
            .arg(result.sramNeeded)
            .arg(result.sramLimit);
    case BoardFailure::NoPort:
        return QStringLiteral("there is no port %1; plug the board in and pick its port from "
                              "--list-ports")
            .arg(result.port);
    case BoardFailure::PortGone:
        return QStringLiteral("the port %1 went away during the upload; plug the board in again "
                              "and upload again")
            .arg(result.port);
    case BoardFailure::PermissionDenied:
        return QStringLiteral("no permission to open %1; add yourself to the group dialout "
                              "(sudo usermod -aG dialout $USER), then log out and in again")
            .arg(result.port);
    case BoardFailure::NoAnswer:
        return QStringLiteral("no Arduino Mega 2560 answers on %1; check that the board is a "
                              "Mega 2560, that this is its port, and that no other program, "
                              "such as a serial monitor, holds the port")
            .arg(result.port);
    case BoardFailure::UploadFailed:
        return QStringLiteral("the upload to %1 failed: %2").arg(result.port, result.detail);
    case BoardFailure::Canceled:
        return QStringLiteral("the upload was canceled");
    }
    return {};
}

QString stageText(BoardJob::Stage stage, int percent)
{
    switch (stage) {
    case BoardJob::Stage::Compiling:
        return QStringLiteral("compiling");
    case BoardJob::Stage::Connecting:
        return QStringLiteral("connecting to the board");
    case BoardJob::Stage::Writing:
        return QStringLiteral("writing %1%").arg(percent);
    case BoardJob::Stage::Verifying:
        return QStringLiteral("verifying %1%").arg(percent);
    }
    return {};
}

// The bytes of path, or of standard input for "-"; false with the reason when unreadable.
bool readInput(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    const bool opened =
        path == u"-" ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (opened)
        *bytes = file.readAll();
    if (opened && file.error() == QFileDevice::NoError)
        return true;
    *error = file.errorString();
    return false;
}

QString faceFromArgument(const QString &argument)
{
    if (argument == kFaceMing || argument == u"ming")
        return kFaceMing;
    if (argument == kFaceKai || argument == u"kai")
        return kFaceKai;
    return {};
}

} // namespace

int runCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err, bool errIsTerminal)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes an Arduino sketch that shows a title and a scrolling text on a "
                       "64 x 16 LED marquee sign."));
    const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help."));
    const QCommandLineOption version("version", QStringLiteral("Show the version."));
    const QCommandLineOption title("title", QStringLiteral("The title, blinked and scrolled up."),
                                   QStringLiteral("TEXT"), kDefaultTitle);
    const QCommandLineOption text("text", QStringLiteral("The text run across the sign."),
                                  QStringLiteral("TEXT"), kDefaultText);
    const QCommandLineOption titleFile(
        "title-file", QStringLiteral("Read the title from PATH (UTF-8; - for standard input)."),
        QStringLiteral("PATH"));
    const QCommandLineOption textFile(
        "text-file", QStringLiteral("Read the text from PATH (UTF-8; - for standard input)."),
        QStringLiteral("PATH"));
    const QCommandLineOption face("face", QStringLiteral("新細明體 (ming) or 標楷體 (kai)."),
                                  QStringLiteral("FACE"), kFaceMing);
    const QCommandLineOption bold("bold", QStringLiteral("Draw bold."));
    const QCommandLineOption italic("italic", QStringLiteral("Draw italic."));
    const QCommandLineOption layout(
        "layout",
        QStringLiteral("code: the code-box text, UTF-8; file: the sketch file's CP950 bytes."),
        QStringLiteral("LAYOUT"), QStringLiteral("code"));
    const QCommandLineOption output({"o", "output"},
                                    QStringLiteral("Write to PATH instead of standard output."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption hex(
        "hex",
        QStringLiteral("Compile the sketch for the Arduino Mega 2560 and write its HEX to PATH."),
        QStringLiteral("PATH"));
    const QCommandLineOption upload(
        "upload", QStringLiteral("Compile the sketch and upload it to the board on PORT."),
        QStringLiteral("PORT"));
    const QCommandLineOption gif(
        "gif", QStringLiteral("Write the sign's animation, as the preview plays it, to PATH."),
        QStringLiteral("PATH"));
    const QCommandLineOption testPattern(
        "test-pattern",
        QStringLiteral("Write the wiring test of the matrix instead of the text's sketch."));
    const QCommandLineOption listPorts(
        "list-ports", QStringLiteral("List the serial ports, likely boards first, and exit."));
    parser.addOptions({help, version, title, titleFile, text, textFile, face, bold, italic, layout,
                       output, hex, upload, gif, testPattern, listPorts});

    if (!parser.parse(arguments))
        return usageError(err, parser.errorText());
    if (parser.isSet(help)) {
        out.write(parser.helpText().toUtf8());
        return 0;
    }
    if (parser.isSet(version)) {
        say(out, QStringLiteral("%1 %2").arg(kProgram, MARQUEE_VERSION));
        return 0;
    }
    if (parser.isSet(listPorts)) {
        for (const SerialPortEntry &port : availablePorts()) {
            QString line = port.path;
            if (port.kind == SerialPortEntry::Kind::Mega)
                line += QStringLiteral("\tArduino Mega 2560: ");
            else if (port.kind == SerialPortEntry::Kind::Clone)
                line += QStringLiteral("\tmaybe a Mega 2560 clone: ");
            else
                line += u'\t';
            say(out, line + port.description);
        }
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            err,
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    const QString faceName = faceFromArgument(parser.value(face));
    if (faceName.isEmpty())
        return usageError(err, QStringLiteral("Unknown face '%1'.").arg(parser.value(face)));
    const QString layoutName = parser.value(layout);
    if (layoutName != u"code" && layoutName != u"file")
        return usageError(err, QStringLiteral("Unknown layout '%1'.").arg(layoutName));
    if (parser.isSet(upload) && parser.value(upload).isEmpty())
        return usageError(err, QStringLiteral("--upload needs a port, such as /dev/ttyACM0."));
    // The title and the text, from their options or from their files.
    QString texts[2] = {parser.value(title), parser.value(text)};
    const std::pair<const QCommandLineOption &, const QCommandLineOption &> sources[2] = {
        {title, titleFile}, {text, textFile}};
    for (int i = 0; i < 2; ++i) {
        const auto &[option, file] = sources[i];
        if (!parser.isSet(file))
            continue;
        const QString name = file.names().constFirst();
        if (parser.isSet(option))
            return usageError(
                err,
                QStringLiteral("--%1 and --%2 both given.").arg(option.names().constFirst(), name));
        QByteArray bytes;
        QString reason;
        if (!readInput(parser.value(file), &bytes, &reason)) {
            say(err,
                QStringLiteral("%1: cannot read %2: %3").arg(kProgram, parser.value(file), reason));
            return 1;
        }
        const TextInput input = textInput(bytes);
        if (input.invalidAt >= 0)
            return usageError(err, QStringLiteral("%1 is not UTF-8: byte %2 is invalid.")
                                       .arg(parser.value(file))
                                       .arg(input.invalidAt));
        texts[i] = input.text;
    }

    GlyphCanvas canvas;
    canvas.setFontName(faceName);
    canvas.setFontBold(parser.isSet(bold));
    canvas.setFontItalic(parser.isSet(italic));
    QByteArray bytes;
    SketchData data;
    const bool pattern = parser.isSet(testPattern);
    if (pattern) {
        if (layoutName == u"code") {
            bytes = testPatternCode().toUtf8();
        } else {
            AnsiSink sink;
            sink.open();
            for (const QString &line : testPatternLines())
                sink.writeLine(line);
            bytes = sink.bytes();
        }
    } else if (layoutName == u"code") {
        bytes = codeBoxRun(texts[0], texts[1], canvas, &data).toUtf8();
    } else {
        AnsiSink sink;
        fileRun(texts[0], texts[1], canvas, sink, &data);
        bytes = sink.bytes();
    }
    const bool toBoard = parser.isSet(hex) || parser.isSet(upload);
    // Still a valid sketch, so it is written; but the user must hear it will not
    // run. A compile refuses it with the same words.
    if (const int needed = sketchSramBytes(data); !toBoard && needed > kBoardSramBytes)
        say(err, QStringLiteral("warning: the sketch needs %1 bytes of SRAM, more than the "
                                "board's %2; shorten the text")
                     .arg(needed)
                     .arg(kBoardSramBytes));
    // The wiring test shows no text of the user's.
    const TextNotes notes = pattern ? TextNotes{} : textNotes(texts[0], texts[1], canvas);
    if (notes.titleColumns > SketchData::kTitleColumns)
        say(err,
            QStringLiteral("warning: the title is %1 columns wide; the sign shows its first %2")
                .arg(notes.titleColumns)
                .arg(SketchData::kTitleColumns));
    for (const bool otherFace : {true, false}) {
        const QStringList characters =
            missingCharacters(notes, otherFace, QStringLiteral("%1 (%2)"));
        if (!characters.isEmpty())
            say(err, QStringLiteral("warning: %1 has no glyph for %2; %3")
                         .arg(faceName, characters.join(QStringLiteral(", ")),
                              otherFace ? QStringLiteral("another installed face draws %1")
                                              .arg(characters.size() > 1 ? "them" : "it")
                                        : QStringLiteral("the sign shows a box")));
    }

    if (toBoard) {
        BoardJob job;
        QEventLoop loop;
        BoardResult result;
        if (errIsTerminal)
            QObject::connect(&job, &BoardJob::progress, [&](BoardJob::Stage stage, int percent) {
                err.write("\r\033[K" + stageText(stage, percent).toUtf8());
            });
        QObject::connect(&job, &BoardJob::finished, [&](const BoardResult &ended) {
            result = ended;
            loop.quit();
        });
        job.start(bytes, parser.value(upload));
        if (job.isRunning())
            loop.exec();
        if (errIsTerminal)
            err.write("\r\033[K");
        if (parser.isSet(hex) && !job.hex().isEmpty()) {
            QString reason;
            if (!saveAtomically(parser.value(hex), job.hex(), &reason)) {
                say(err, QStringLiteral("%1: cannot write %2: %3")
                             .arg(kProgram, parser.value(hex), reason));
                return 1;
            }
        }
        if (result.failure != BoardFailure::None) {
            say(err, QStringLiteral("%1: %2").arg(kProgram, boardMessage(result)));
            return 1;
        }
        if (errIsTerminal && parser.isSet(upload))
            say(err, boardMessage(result));
    }
    if (parser.isSet(gif)) {
        // As the preview plays it: the code box's data, whatever the layout.
        const std::vector<DisplayStep> program =
            pattern ? testPatternProgram()
                    : displayProgram(sampleTexts(texts[0], texts[1], canvas, kCodeBoxMargin));
        // A long text's GIF takes minutes: a terminal hears how far it has got.
        qsizetype shown = -1;
        const auto going = [&](qsizetype steps) {
            if (const qsizetype percent = steps * 100 / qsizetype(program.size());
                errIsTerminal && percent != shown) {
                err.write(QStringLiteral("\r\033[Kwriting the GIF %1%").arg(percent).toUtf8());
                shown = percent;
            }
            return true;
        };
        const auto written = [&](QIODevice &file) { return writeDisplayGif(file, program, going); };
        QString reason;
        const bool saved = saveAtomically(parser.value(gif), written, &reason);
        if (errIsTerminal)
            err.write("\r\033[K");
        if (!saved) {
            say(err,
                QStringLiteral("%1: cannot write %2: %3").arg(kProgram, parser.value(gif), reason));
            return 1;
        }
    }
    // The text itself only when asked for, once something else was.
    if (!parser.isSet(output) && (toBoard || parser.isSet(gif)))
        return 0;

    if (parser.isSet(output)) {
        QString reason;
        if (!saveAtomically(parser.value(output), bytes, &reason)) {
            say(err, QStringLiteral("%1: cannot write %2: %3")
                         .arg(kProgram, parser.value(output), reason));
            return 1;
        }
    } else if (out.write(bytes) != bytes.size()) {
        say(err, QStringLiteral("%1: cannot write to standard output: %2")
                     .arg(kProgram, out.errorString()));
        return 1;
    }
    return 0;
}
