#pragma once

#include <QIODevice>
#include <QStringList>

// The command-line tool: arguments as QCoreApplication::arguments() gives them
// (the program name first). Writes the sketch to out or to the --output file
// and messages to err. Returns the exit status: 0 done, 1 the output could not
// be written, 2 bad usage.
//
//   marquee-sketch-cli --title 歡迎 --face kai --layout file -o bb.ino
int runCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err);
