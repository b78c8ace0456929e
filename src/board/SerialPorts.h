#pragma once

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
