#include "cli/CliOptions.h"

#include "cli/Messages.h"
#include "cli/TextInput.h"
#include "output/ShowFile.h"
#include "platform/ReadLimited.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

// UTF-8 takes at most three bytes for each UTF-16 unit, and one final line end
// is dropped, so a longer input is too long whatever it holds.
constexpr qint64 kInputByteLimit = 3 * qint64(kTextLimit) + 2;

QString faceFromArgument(const QString &argument)
{
    if (argument == kFaceMing || argument == u"ming")
        return kFaceMing;
    if (argument == kFaceKai || argument == u"kai")
        return kFaceKai;
    return {};
}

// One name for a file however it is spelled: through links where it exists.
QString samePathKey(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace

CliResult parseOptions(const QStringList &arguments, CliOptions *options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes an Arduino sketch that shows a title and a scrolling text on a "
                       "64 x 16 LED marquee sign."));
    const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help."));
    const QCommandLineOption version("version", QStringLiteral("Show the version."));
    const QCommandLineOption title("title", QStringLiteral("The title, blinked and scrolled up."),
                                   QStringLiteral("TEXT"));
    const QCommandLineOption text("text", QStringLiteral("The text run across the sign."),
                                  QStringLiteral("TEXT"));
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
    const QCommandLineOption output(
        {"o", "output"},
        QStringLiteral("Write to PATH instead of standard output (its folder is made if missing)."),
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
    const QCommandLineOption show(
        "show",
        QStringLiteral("Use the show in PATH (JSON; - for standard input) instead of the "
                       "title and the text."),
        QStringLiteral("PATH"));
    const QCommandLineOption verbose(
        "verbose", QStringLiteral("After a failed compile or upload, print all the tools said."));
    parser.addOptions({help, version, title, titleFile, text, textFile, face, bold, italic, layout,
                       output, hex, upload, gif, testPattern, show, listPorts, verbose});

    if (!parser.parse(arguments))
        return CliResult::badUsage(parser.errorText());
    options->helpText = parser.helpText();
    if (parser.isSet(help) || parser.isSet(version) || parser.isSet(listPorts)) {
        options->info = parser.isSet(help)      ? CliOptions::Info::Help
                        : parser.isSet(version) ? CliOptions::Info::Version
                                                : CliOptions::Info::ListPorts;
        return {};
    }
    if (!parser.positionalArguments().isEmpty())
        return CliResult::badUsage(
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
    options->face = faceFromArgument(parser.value(face));
    if (options->face.isEmpty())
        return CliResult::badUsage(QStringLiteral("Unknown face '%1'.").arg(parser.value(face)));
    const QString layoutName = parser.value(layout);
    if (layoutName != u"code" && layoutName != u"file")
        return CliResult::badUsage(QStringLiteral("Unknown layout '%1'.").arg(layoutName));
    options->layout = layoutName == u"code" ? CliOptions::Layout::Code : CliOptions::Layout::File;
    options->bold = parser.isSet(bold);
    options->italic = parser.isSet(italic);
    options->testPattern = parser.isSet(testPattern);
    options->verbose = parser.isSet(verbose);
    options->output = parser.value(output);
    options->hex = parser.value(hex);
    options->gif = parser.value(gif);
    options->port = parser.value(upload);
    if (parser.isSet(upload) && options->port.isEmpty())
        return CliResult::badUsage(QStringLiteral("--upload needs a port, such as /dev/ttyACM0."));

    // Each output its own file: one written over another is lost without a word.
    const std::pair<const QCommandLineOption &, QString> outputs[] = {
        {output, options->output}, {hex, options->hex}, {gif, options->gif}};
    for (auto first = std::begin(outputs); first != std::end(outputs); ++first) {
        for (auto second = first + 1; second != std::end(outputs); ++second) {
            if (parser.isSet(first->first) && parser.isSet(second->first) &&
                samePathKey(first->second) == samePathKey(second->second))
                return CliResult::badUsage(QStringLiteral("--%1 and --%2 both name %3.")
                                               .arg(first->first.names().constLast(),
                                                    second->first.names().constLast(),
                                                    second->second));
        }
    }

    if (parser.isSet(show)) {
        // The show holds its texts, face and style.
        for (const QCommandLineOption &other :
             {title, titleFile, text, textFile, face, bold, italic, testPattern})
            if (parser.isSet(other))
                return CliResult::badUsage(
                    QStringLiteral("--show and --%1 both given.").arg(other.names().constFirst()));
        options->showPath = parser.value(show);
        QString reason;
        if (!readLimited(options->showPath, kShowFileLimit, &options->show, &reason))
            return CliResult::failed(Messages::cannotRead(options->showPath, reason));
        if (options->show.size() > kShowFileLimit)
            return CliResult::badUsage(
                Messages::badShow(options->showPath, Messages::largerThan(kShowFileLimit)));
        return {};
    }

    // The title and the text, from their options or from their files.
    if (parser.isSet(titleFile) && parser.isSet(textFile) && parser.value(titleFile) == u"-" &&
        parser.value(textFile) == u"-")
        return CliResult::badUsage(
            QStringLiteral("--title-file and --text-file cannot both read standard input."));
    const struct
    {
        const QCommandLineOption &option;
        const QCommandLineOption &file;
        QString *value;
        bool isTitle;
    } sources[] = {{title, titleFile, &options->title, true},
                   {text, textFile, &options->text, false}};
    for (const auto &source : sources) {
        const QString name = source.file.names().constFirst();
        if (parser.isSet(source.option) && parser.isSet(source.file))
            return CliResult::badUsage(QStringLiteral("--%1 and --%2 both given.")
                                           .arg(source.option.names().constFirst(), name));
        if (parser.isSet(source.option))
            *source.value = parser.value(source.option);
        if (parser.isSet(source.file)) {
            const QString path = parser.value(source.file);
            QByteArray bytes;
            QString reason;
            if (!readLimited(path, kInputByteLimit, &bytes, &reason))
                return CliResult::failed(Messages::cannotRead(path, reason));
            if (bytes.size() > kInputByteLimit)
                return CliResult::badUsage(Messages::tooLong(source.isTitle, kTextLimit));
            const TextInput input = textInput(bytes);
            if (input.invalidAt >= 0)
                return CliResult::badUsage(Messages::notUtf8(path, input.invalidAt));
            *source.value = input.text;
        }
        if (source.value->size() > kTextLimit)
            return CliResult::badUsage(Messages::tooLong(source.isTitle, kTextLimit));
    }
    return {};
}
