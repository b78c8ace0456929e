#pragma once

#include "board/BoardJob.h"
#include "board/BoardResult.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

// Every sentence the program says of a failure or a warning, once, for the
// window and the command line alike: English here, Traditional Chinese from
// the translation. Each says what went wrong and what to do.
class Messages
{
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    // The end of a compile or an upload; testPattern for the wiring test's.
    // Makes tr() speak locale's language where there is a translation: these
    // sentences, and Qt's own (dialog buttons, file errors).
    static void installTranslations(const QLocale &locale);

    static QString board(const BoardResult &result, bool testPattern = false);
    static QString flashTooBig(int needed);
    // A show file that is not one; where: the place and what is wrong there.
    static QString badShow(const QString &path, const QString &where);
    // A reason: the file is larger than bytes.
    static QString largerThan(qint64 bytes);

    // What the board job is doing; percent is -1 while compiling and connecting.
    static QString stage(BoardJob::Stage stage, int percent);

    // 燒錄 with the port box empty.
    static QString noPortChosen();

    static QString cannotRead(const QString &path, const QString &reason);
    static QString cannotWrite(const QString &path, const QString &reason);
    static QString cannotEncode(const QString &reason);
    static QString cannotWriteStandardOutput(const QString &reason);
    // A reason: the program was started with the stream closed.
    static QString closed();
    static QString notUtf8(const QString &path, qsizetype offset);
    static QString tooLong(bool title, int limit);

    // Warnings: the sketch is written, but the sign will not show what was typed.
    static QString sramWarning(int needed, int limit);
    static QString titleTooWide(int columns, int shown);
    // characters: each with its code point; otherFace: whether another installed face draws them.
    static QString noGlyph(const QString &face, const QStringList &characters, bool otherFace);
    static QString noFonts();

    // Asked before the window closes mid-upload.
    static QString closeWhileUploading();

    // A signal ended the program; upload: the board may hold part of a program.
    static QString interrupted(const QString &signalName, bool upload);
};
