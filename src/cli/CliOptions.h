#pragma once

#include "canvas/CanvasFont.h"
#include "cli/CliResult.h"
#include "generator/DefaultTexts.h"

#include <QString>
#include <QStringList>

// What the command line asks for, checked: the texts read from their files,
// the face a known one, the port an absolute path, no two outputs on one path.
struct CliOptions
{
    enum class Layout { Code, File };
    enum class Info { None, Help, Version, ListPorts };

    Info info = Info::None;
    QString helpText;
    QString title = kDefaultTitle;
    QString text = kDefaultText;
    QString face = kFaceMing;
    bool bold = false;
    bool italic = false;
    bool testPattern = false;
    // A show file's bytes, read whole; showPath names it.
    QString showPath;
    QByteArray show;
    bool verbose = false;
    Layout layout = Layout::Code;
    // Empty when not asked for.
    QString output;
    QString hex;
    QString port;
    QString gif;

    bool toBoard() const { return !hex.isEmpty() || !port.isEmpty(); }
};

// The options of arguments (the program name first); a failed result says why:
// status 2 for bad usage, 1 for an input file that cannot be read.
CliResult parseOptions(const QStringList &arguments, CliOptions *options);
