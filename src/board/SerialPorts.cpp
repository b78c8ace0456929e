#include "board/SerialPorts.h"

#include "board/ArduinoMega.h"
#include "platform/FileKind.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>
#include <iterator>

namespace {

template <std::size_t N>
bool listed(const ArduinoMega::UsbId (&ids)[N], quint16 vendor, quint16 product)
{
    return std::any_of(std::begin(ids), std::end(ids), [&](const ArduinoMega::UsbId &id) {
        return id.vendor == vendor && id.product == product;
    });
}

} // namespace

SerialPortEntry::Kind portKind(quint16 vendor, quint16 product)
{
    if (listed(ArduinoMega::kUsbIds, vendor, product))
        return SerialPortEntry::Kind::Mega;
    if (listed(ArduinoMega::kCloneUsbIds, vendor, product))
        return SerialPortEntry::Kind::Clone;
    return SerialPortEntry::Kind::Other;
}

QList<SerialPortEntry> orderedPorts(QList<SerialPortEntry> ports)
{
    std::stable_sort(ports.begin(), ports.end(), [](const auto &a, const auto &b) {
        return a.kind != b.kind ? a.kind < b.kind : a.path < b.path;
    });
    return ports;
}

QList<SerialPortEntry> availablePorts()
{
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry{info.systemLocation(), info.description()};
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            entry.kind = portKind(info.vendorIdentifier(), info.productIdentifier());
            entry.description += QStringLiteral(" (%1:%2)")
                                     .arg(info.vendorIdentifier(), 4, 16, QChar(u'0'))
                                     .arg(info.productIdentifier(), 4, 16, QChar(u'0'));
        }
        ports.append(entry);
    }
    return orderedPorts(ports);
}

BoardFailure portFailure(const QString &port)
{
    if (port.isEmpty())
        return BoardFailure::None;
    if (!QFileInfo::exists(port))
        return BoardFailure::NoPort;
    // avrdude would wait forever on a FIFO, and take net:host:port for a network address.
    return isTerminalDevice(port) ? BoardFailure::None : BoardFailure::NotSerialPort;
}
