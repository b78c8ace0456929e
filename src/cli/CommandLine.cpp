#include "cli/CommandLine.h"

#include "board/SerialPorts.h"
#include "cli/CliActions.h"
#include "cli/CliOptions.h"
#include "cli/Messages.h"

namespace {

constexpr auto kProgram = "marquee-sketch-cli";

void say(QIODevice &device, const QString &message)
{
    device.write(message.toUtf8() + '\n');
}

// Standard output is where a script takes its results: a write it refuses,
// on a full disk or a closed pipe, is a failure too.
CliResult writeStandardOutput(QIODevice &out, const QByteArray &bytes)
{
    if (!out.isOpen())
        return CliResult::failed(Messages::cannotWriteStandardOutput(Messages::closed()));
    if (out.write(bytes) == bytes.size())
        return {};
    return CliResult::failed(Messages::cannotWriteStandardOutput(out.errorString()));
}

QByteArray portList()
{
    QByteArray list;
    for (const SerialPortEntry &port : availablePorts()) {
        QString line = port.path;
        if (port.kind == SerialPortEntry::Kind::Mega)
            line += QStringLiteral("\tArduino Mega 2560: ");
        else if (port.kind == SerialPortEntry::Kind::Clone)
            line += QStringLiteral("\tmaybe a Mega 2560 clone: ");
        else
            line += u'\t';
        list += (line + port.description).toUtf8() + '\n';
    }
    return list;
}

CliResult information(const CliOptions &options, QIODevice &out)
{
    switch (options.info) {
    case CliOptions::Info::Help:
        return writeStandardOutput(out, options.helpText.toUtf8());
    case CliOptions::Info::Version:
        return writeStandardOutput(
            out, QStringLiteral("%1 %2\n").arg(kProgram, MARQUEE_VERSION).toUtf8());
    case CliOptions::Info::ListPorts:
        return writeStandardOutput(out, portList());
    case CliOptions::Info::None:
        break;
    }
    return {};
}

CliResult run(const CliOptions &options, QIODevice &out, QIODevice &err, bool errIsTerminal)
{
    if (options.info != CliOptions::Info::None)
        return information(options, out);

    CliSketch sketch;
    if (const CliResult generated = generateSketch(options, &sketch); !generated.ok())
        return generated;
    for (const QString &warning :
         sketchWarnings(sketch.data, sketch.notes, sketch.face, options.toBoard()))
        say(err, QStringLiteral("warning: ") + warning);

    // On a terminal, one line redrawn as the work goes on.
    const auto show = [&](const QString &line) {
        if (errIsTerminal)
            err.write("\r\033[K" + line.toUtf8());
    };
    if (options.toBoard()) {
        QByteArray hex;
        const CliResult board = compileAndUpload(sketch, options.port, options.testPattern,
                                                 options.verbose, err, show, &hex);
        show({});
        // A compiled sketch is worth keeping even when its upload failed.
        if (!options.hex.isEmpty() && !hex.isEmpty())
            if (const CliResult written = writeOutput(options.hex, hex); !written.ok())
                return written;
        if (!board.ok())
            return board;
        if (errIsTerminal && !options.port.isEmpty())
            say(err, board.message);
    }
    if (!options.gif.isEmpty()) {
        const CliResult gif = writeSketchGif(sketch, options.gif, [&](int percent) {
            show(QStringLiteral("writing the GIF %1%").arg(percent));
        });
        show({});
        if (!gif.ok())
            return gif;
    }
    if (!options.output.isEmpty())
        return writeOutput(options.output, sketch.bytes);
    // The text itself only when asked for, once something else was.
    if (options.toBoard() || !options.gif.isEmpty())
        return {};
    return writeStandardOutput(out, sketch.bytes);
}

} // namespace

int runCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err, bool errIsTerminal)
{
    CliOptions options;
    CliResult result = parseOptions(arguments, &options);
    if (result.ok())
        result = run(options, out, err, errIsTerminal);
    if (!result.ok()) {
        say(err, QStringLiteral("%1: %2").arg(kProgram, result.message));
        if (result.status == 2)
            say(err, QStringLiteral("Try '%1 --help' for more information.").arg(kProgram));
    }
    return result.status;
}
