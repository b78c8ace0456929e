#include "output/AnsiSink.h"

#include "platform/AnsiCodec.h"

bool AnsiSink::open()
{
    m_bytes.clear();
    return ansiAvailable(&m_error);
}

void AnsiSink::writeLine(const QString &line)
{
    m_bytes += toAnsi(line);
    m_bytes += "\r\n";
}
