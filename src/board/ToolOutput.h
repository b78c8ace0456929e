#pragma once

#include <QByteArray>
#include <QString>

// What the compiler's tools say, read from their output.

// avr-size -A: the section table of a linked program.
struct ProgramSizes
{
    int flash = 0;     // .text and .data
    int variables = 0; // .data, .bss and .noinit: the SRAM the variables take
};
ProgramSizes programSizes(const QByteArray &sizeTable);

// The first line that names an error, else the last line, with folder's own
// prefix taken off the paths.
QString firstCompileError(const QByteArray &output, const QString &folder);

// The linker's words for arrays that do not fit the SRAM.
bool overflowsSram(const QByteArray &linkOutput);
