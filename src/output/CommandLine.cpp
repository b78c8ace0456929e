#include "output/CommandLine.h"

#include "canvas/GlyphCanvas.h"
#include "generator/BoardMemory.h"
#include "generator/DefaultTexts.h"
#include "generator/GenerationRun.h"
#include "output/AnsiSink.h"
#include "platform/AtomicFile.h"

#include <QCommandLineParser>

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

QString faceFromArgument(const QString &argument)
{
    if (argument == kFaceMing || argument == u"ming")
        return kFaceMing;
    if (argument == kFaceKai || argument == u"kai")
        return kFaceKai;
    return {};
}

} // namespace

int runCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err)
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
    parser.addOptions({help, version, title, text, face, bold, italic, layout, output});

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

    GlyphCanvas canvas;
    canvas.setFontName(faceName);
    canvas.setFontBold(parser.isSet(bold));
    canvas.setFontItalic(parser.isSet(italic));
    QByteArray bytes;
    SketchData data;
    if (layoutName == u"code") {
        bytes = codeBoxRun(parser.value(title), parser.value(text), canvas, &data).toUtf8();
    } else {
        AnsiSink sink;
        fileRun(parser.value(title), parser.value(text), canvas, sink, &data);
        bytes = sink.bytes();
    }
    // Still a valid sketch, so it is written; but the user must hear it will not run.
    if (const int needed = sketchSramBytes(data); needed > kBoardSramBytes)
        say(err, QStringLiteral("warning: the sketch needs %1 bytes of SRAM, more than the "
                                "board's %2; shorten the text")
                     .arg(needed)
                     .arg(kBoardSramBytes));

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
