#pragma once

#include <QByteArray>
#include <QList>

// The flash bytes an Intel HEX text fills, read here since not every
// avr-objcopy reads Intel HEX. Data records only: the compiler's HEX for the
// Mega needs no others.
inline QByteArray hexImage(const QByteArray &hex)
{
    QByteArray image;
    for (const QByteArray &line : hex.split('\n')) {
        const QByteArray record = QByteArray::fromHex(line.trimmed().mid(1));
        if (record.size() < 5 || record[3] != 0)
            continue;
        const int address = (quint8(record[1]) << 8) | quint8(record[2]);
        const QByteArray bytes = record.mid(4, quint8(record[0]));
        if (image.size() < address + bytes.size())
            image.resize(address + bytes.size(), char(0xFF));
        image.replace(address, bytes.size(), bytes);
    }
    return image;
}
