#pragma once

#include "output/AnsiSink.h"

#include <QString>

#include <functional>

// The sketch file at path. Collects the lines as AnsiSink does and replaces
// the file whole on close, so a failed write leaves an earlier file as it was.
// A missing folder is created on open.
class SketchFile : public AnsiSink
{
public:
    explicit SketchFile(const QString &path) : m_path(path) {}

    bool open() override;
    bool close() override;

private:
    QString m_path;
};

// Whether files can be made in folder, and it is not one of the system's own
// (/usr, /opt, /bin), where an installed program lives.
bool folderTakesFiles(const QString &folder);

// Where 寫入檔案 writes: bb/bb.ino beside the program when that folder takes
// files (a build tree, a portable copy); otherwise, as when installed under
// /usr/bin, bb/bb.ino in the Arduino sketchbook, ~/Arduino, where the Arduino
// IDE looks on Linux.
QString sketchFilePath(const QString &programFolder,
                       const std::function<bool(const QString &)> &takesFiles = folderTakesFiles);
