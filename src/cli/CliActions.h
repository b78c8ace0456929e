#pragma once

#include "board/BoardResult.h"
#include "cli/CliOptions.h"
#include "cli/CliResult.h"
#include "generator/DisplayProgram.h"
#include "generator/SketchData.h"
#include "generator/TextNotes.h"

#include <QByteArray>
#include <QIODevice>

#include <functional>
#include <vector>

// The small steps the command line is made of, each ending in a result; the
// window calls the ones it shares.

// The sketch the options ask for, in their layout: the classic one, the
// wiring test, or a show's.
struct CliSketch
{
    QByteArray bytes;
    SketchData data; // empty for the wiring test and a show
    QString face;
    TextNotes notes;
    std::vector<DisplayStep> program; // as the preview plays it
};
CliResult generateSketch(const CliOptions &options, CliSketch *sketch);

// Why the sign will not show what was typed; toBoard: the SRAM is checked by the compile.
QStringList sketchWarnings(const SketchData &data, const TextNotes &notes, const QString &face,
                           bool toBoard);

// A sketch whose arrays leave the board's SRAM no room, refused before any
// compile: the compiler's own words for it are no help.
bool refusedAsTooBig(const SketchData &data, BoardResult *result);

// Writes a file whole, making its folder when missing; write puts the bytes in.
CliResult writeOutput(const QString &path, const std::function<bool(QIODevice &)> &write);
CliResult writeOutput(const QString &path, const QByteArray &bytes);

// Compiles the sketch and, with a port, uploads it, waiting in an event loop
// of its own; SIGINT, SIGTERM and SIGHUP stop it cleanly. progress hears the
// stages as lines to show; *hex receives the compiled HEX.
CliResult compileAndUpload(const CliSketch &sketch, const QString &port, bool testPattern,
                           bool verbose, QIODevice &err,
                           const std::function<void(const QString &)> &progress, QByteArray *hex);

// Writes the preview's animation of the sketch as a GIF; progress hears the percentage.
CliResult writeSketchGif(const CliSketch &sketch, const QString &path,
                         const std::function<void(int)> &progress);
