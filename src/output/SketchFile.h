#pragma once

#include "output/AnsiSink.h"

#include <QString>

// The sketch file at path. Collects the lines as AnsiSink does and replaces
// the file whole on close, so a failed write leaves an earlier file as it was.
// A missing folder is created on open.
class SketchFile : public AnsiSink
{
public:
    explicit SketchFile(const QString &path) : m_path(path) {}

    bool open() override;
    bool close() override;

    // Why open() or close() failed.
    const QString &errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};
