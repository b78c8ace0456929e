#pragma once

#include "board/BoardResult.h"

#include <QList>
#include <QString>

// A serial port a board may be on.
struct SerialPortEntry
{
    enum class Kind { Mega, Clone, Other };

    QString path;
    QString description;
    Kind kind = Kind::Other;
    bool operator==(const SerialPortEntry &) const = default;
};

// What a port with these USB ids is likely to be.
SerialPortEntry::Kind portKind(quint16 vendor, quint16 product);

// Megas first, then the USB-serial chips of clones, then the rest; by path within each.
QList<SerialPortEntry> orderedPorts(QList<SerialPortEntry> ports);

// The serial ports of this machine, ordered.
QList<SerialPortEntry> availablePorts();

// Why port cannot go to avrdude: NoPort when nothing is there, NotSerialPort
// for a file, a folder, a FIFO or a name; None for a device or an empty port.
BoardFailure portFailure(const QString &port);
