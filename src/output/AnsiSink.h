#pragma once

#include "generator/LineSink.h"

#include <QByteArray>
#include <QString>

// Collects the lines as the sketch file holds them: CP950 bytes, CR LF after
// every line.
class AnsiSink : public LineSink
{
public:
    // False when this Qt cannot write CP950; errorString() says so.
    bool open() override;
    void writeLine(const QString &line) override;
    bool close() override { return true; }

    const QByteArray &bytes() const { return m_bytes; }
    const QString &errorString() const { return m_error; }

protected:
    QString m_error;

private:
    QByteArray m_bytes;
};
