#pragma once

#include <QByteArray>
#include <QString>

// A title or text read from a file, made one line as the sign shows it.
struct TextInput
{
    QString text;
    qsizetype invalidAt = -1; // the offset of the first byte that is not UTF-8
};

// Decodes UTF-8; drops one final line end and turns every other line break
// (LF, CR LF or CR) into a single space.
TextInput textInput(const QByteArray &bytes);
