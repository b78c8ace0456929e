#pragma once

#include <QString>
#include <QStringList>

// The Arduino Mega 2560 as Debian's Arduino AVR core describes it (boards.txt,
// board "mega", cpu "atmega2560"), and where that core lives.
namespace ArduinoMega {

inline const QString kCoreRoot = QStringLiteral("/usr/share/arduino/hardware/arduino/avr");
// The version the installed core declares in its platform.txt; empty when unreadable.
QString coreVersion();

inline constexpr int kUploadBaud = 115200;
inline const QString kUploadProtocol = QStringLiteral("wiring");

// The USB vendor and product ids boards.txt gives the Mega 2560.
struct UsbId
{
    quint16 vendor;
    quint16 product;
};
inline constexpr UsbId kUsbIds[] = {{0x2341, 0x0010}, {0x2341, 0x0042}, {0x2A03, 0x0010},
                                    {0x2A03, 0x0042}, {0x2341, 0x0210}, {0x2341, 0x0242}};
// USB-serial chips common on Mega clones: CH340, FTDI FT232R, CP210x.
inline constexpr UsbId kCloneUsbIds[] = {{0x1A86, 0x7523}, {0x0403, 0x6001}, {0x10C4, 0xEA60}};

// Flags of the compile, as platform.txt's recipes give them for this board.
QStringList boardFlags();
QStringList cFlags();
QStringList cxxFlags();
QStringList linkFlags();

// The core files a sketch that drives the ports needs: start-up, timing, hooks.
QStringList coreSources();

} // namespace ArduinoMega
