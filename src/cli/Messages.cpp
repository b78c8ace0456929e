#include "cli/Messages.h"

#include "generator/BoardMemory.h"

#include <QLibraryInfo>
#include <QTranslator>

void Messages::installTranslations(const QLocale &locale)
{
    const auto load = [&](const QString &name, const QString &folder) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(locale, name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    };
    load(QStringLiteral("marquee-sketch"), QStringLiteral(":/i18n"));
    load(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString Messages::board(const BoardResult &result, bool testPattern)
{
    switch (result.failure) {
    case BoardFailure::None:
        if (testPattern)
            return tr("wrote the wiring test to the board on %1 (%2 bytes); compare the sign "
                      "with the preview's test pattern")
                .arg(result.port)
                .arg(result.programBytes);
        return tr("wrote %1 bytes to the board on %2").arg(result.programBytes).arg(result.port);
    case BoardFailure::ToolMissing:
        return tr("the Arduino tools are not installed; install the Debian packages: "
                  "sudo apt install %1")
            .arg(result.detail);
    case BoardFailure::CompileFailed:
        return tr("the sketch did not compile: %1").arg(result.detail);
    case BoardFailure::BuildFolder:
        return tr("cannot make the build folder %1: %2; free some space or set TMPDIR to a "
                  "folder you can write")
            .arg(result.detail, result.reason);
    case BoardFailure::CacheUnusable:
        return tr("cannot use the cache folder %1: %2; make it a folder you can write, or set "
                  "XDG_CACHE_HOME to one")
            .arg(result.detail, result.reason);
    case BoardFailure::TooBig:
        return tr("the sketch needs %1 bytes of SRAM, more than the board's %2; shorten the text")
            .arg(result.sramNeeded)
            .arg(result.sramLimit);
    case BoardFailure::FlashTooBig:
        return flashTooBig(result.programBytes);
    case BoardFailure::NoPort:
        return tr("there is no port %1; plug the board in and pick its port").arg(result.port);
    case BoardFailure::NotSerialPort:
        return tr("%1 is not a serial port; pick the board's port, such as /dev/ttyACM0")
            .arg(result.port);
    case BoardFailure::PortGone:
        return tr("the port %1 went away during the upload; plug the board in again and upload "
                  "again")
            .arg(result.port);
    case BoardFailure::PermissionDenied:
        return tr("no permission to open %1; add yourself to the group dialout "
                  "(sudo usermod -aG dialout $USER), then log out and in again")
            .arg(result.port);
    case BoardFailure::NoAnswer:
        return tr("no Arduino Mega 2560 answers on %1; check that the board is a Mega 2560, "
                  "that this is its port, and that no other program, such as a serial monitor, "
                  "holds the port")
            .arg(result.port);
    case BoardFailure::UploadFailed:
        return tr("the upload to %1 failed: %2").arg(result.port, result.detail);
    case BoardFailure::Canceled:
        return tr("the upload was canceled; the board may hold part of a program: upload again");
    }
    return {};
}

QString Messages::flashTooBig(int needed)
{
    return tr("the show needs %1 bytes of flash, more than the %2 the board takes below its "
              "bootloader; shorten the texts")
        .arg(needed)
        .arg(kBoardFlashLimit);
}

QString Messages::badShow(const QString &path, const QString &where)
{
    return tr("%1 is not a show this program reads: %2").arg(path, where);
}

QString Messages::largerThan(qint64 bytes)
{
    return tr("it is larger than %1 bytes").arg(bytes);
}

QString Messages::stage(BoardJob::Stage stage, int percent)
{
    switch (stage) {
    case BoardJob::Stage::Compiling:
        return tr("compiling");
    case BoardJob::Stage::Connecting:
        return tr("connecting to the board");
    case BoardJob::Stage::Writing:
        return tr("writing %1%").arg(percent);
    case BoardJob::Stage::Verifying:
        return tr("verifying %1%").arg(percent);
    }
    return {};
}

QString Messages::noPortChosen()
{
    return tr("no port is chosen; plug the board in, then pick or type its port");
}

QString Messages::cannotRead(const QString &path, const QString &reason)
{
    return tr("cannot read %1: %2").arg(path, reason);
}

QString Messages::cannotWrite(const QString &path, const QString &reason)
{
    return tr("cannot write %1: %2").arg(path, reason);
}

QString Messages::cannotEncode(const QString &reason)
{
    return tr("cannot write the sketch in Big5: %1").arg(reason);
}

QString Messages::cannotWriteStandardOutput(const QString &reason)
{
    return tr("cannot write to standard output: %1").arg(reason);
}

QString Messages::closed()
{
    return tr("it is closed");
}

QString Messages::notUtf8(const QString &path, qsizetype offset)
{
    return tr("%1 is not UTF-8: byte %2 is invalid").arg(path).arg(offset);
}

QString Messages::tooLong(bool title, int limit)
{
    return (title ? tr("the title is longer than the %1 characters a text box takes; shorten it")
                  : tr("the text is longer than the %1 characters a text box takes; shorten it"))
        .arg(limit);
}

QString Messages::sramWarning(int needed, int limit)
{
    return tr("the sketch needs %1 bytes of SRAM, more than the board's %2; shorten the text")
        .arg(needed)
        .arg(limit);
}

QString Messages::titleTooWide(int columns, int shown)
{
    return tr("the title is %1 columns wide; the sign shows its first %2").arg(columns).arg(shown);
}

QString Messages::noGlyph(const QString &face, const QStringList &characters, bool otherFace)
{
    const QString list = characters.join(tr(", "));
    if (!otherFace)
        return tr("%1 has no glyph for %2; the sign shows a box").arg(face, list);
    return (characters.size() > 1 ? tr("%1 has no glyph for %2; another installed face draws them")
                                  : tr("%1 has no glyph for %2; another installed face draws it"))
        .arg(face, list);
}

QString Messages::noFonts()
{
    return tr("no fonts are installed, so every character is a box; install the Debian "
              "packages: sudo apt install fonts-arphic-uming fonts-cns11643-kai");
}

QString Messages::interrupted(const QString &signalName, bool upload)
{
    return upload ? tr("stopped by %1; the board may hold part of a program: upload again")
                        .arg(signalName)
                  : tr("stopped by %1").arg(signalName);
}

QString Messages::closeWhileUploading()
{
    return tr("the upload is not finished: closing now leaves part of a program on the board, "
              "and the sign shows nothing until you upload again. Close anyway?");
}
