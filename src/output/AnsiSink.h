#pragma once

#include "generator/LineSink.h"

#include <QByteArray>

// Collects the lines as the sketch file holds them: CP950 bytes, CR LF after
// every line.
class AnsiSink : public LineSink
{
public:
    bool open() override;
    void writeLine(const QString &line) override;
    bool close() override { return true; }

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
