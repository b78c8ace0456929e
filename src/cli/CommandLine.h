#pragma once

#include <QIODevice>
#include <QStringList>

// The command-line tool: arguments as QCoreApplication::arguments() gives them
// (the program name first). Writes the sketch to out or to the --output file,
// compiles and uploads it when asked, and writes messages to err; progress too
// when err is a terminal. Returns the exit status: 0 done, 1 failed, 2 bad usage.
// Compiling and uploading wait in an event loop of their own.
//
//   marquee-sketch-cli --title 歡迎 --face kai --layout file -o bb.ino
//   marquee-sketch-cli --text 特價 --upload /dev/ttyACM0
int runCommandLine(const QStringList &arguments, QIODevice &out, QIODevice &err,
                   bool errIsTerminal = false);
