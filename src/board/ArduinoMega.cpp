#include "board/ArduinoMega.h"

#include <QFile>

namespace ArduinoMega {

QString coreVersion()
{
    QFile platform(kCoreRoot + QStringLiteral("/platform.txt"));
    if (!platform.open(QIODevice::ReadOnly))
        return {};
    while (!platform.atEnd()) {
        const QByteArray line = platform.readLine().trimmed();
        if (line.startsWith("version="))
            return QString::fromUtf8(line.mid(8));
    }
    return {};
}

QStringList boardFlags()
{
    // ARDUINO is the IDE's version; Debian 12 ships the Arduino IDE 1.8.19.
    return {QStringLiteral("-mmcu=atmega2560"),
            QStringLiteral("-DF_CPU=16000000L"),
            QStringLiteral("-DARDUINO=10819"),
            QStringLiteral("-DARDUINO_AVR_MEGA2560"),
            QStringLiteral("-DARDUINO_ARCH_AVR"),
            QStringLiteral("-I") + kCoreRoot + QStringLiteral("/cores/arduino"),
            QStringLiteral("-I") + kCoreRoot + QStringLiteral("/variants/mega")};
}

// platform.txt's -MMD is left out: nothing here rebuilds from dependency files.
// Warnings are off (-w), as the IDE's default warning level has them.
QStringList cFlags()
{
    return QStringList{"-c",
                       "-g",
                       "-Os",
                       "-w",
                       "-std=gnu11",
                       "-ffunction-sections",
                       "-fdata-sections",
                       "-flto",
                       "-fno-fat-lto-objects"} +
           boardFlags();
}

QStringList cxxFlags()
{
    return QStringList{"-c",
                       "-g",
                       "-Os",
                       "-w",
                       "-std=gnu++11",
                       "-fpermissive",
                       "-fno-exceptions",
                       "-ffunction-sections",
                       "-fdata-sections",
                       "-fno-threadsafe-statics",
                       "-Wno-error=narrowing",
                       "-flto"} +
           boardFlags();
}

QStringList linkFlags()
{
    return {
        "-w", "-Os", "-g", "-flto", "-fuse-linker-plugin", "-Wl,--gc-sections", "-mmcu=atmega2560"};
}

QStringList coreSources()
{
    // The whole core does not build with Debian's avr-gcc (WString.cpp fails).
    const QString core = kCoreRoot + QStringLiteral("/cores/arduino/");
    return {core + QStringLiteral("wiring.c"), core + QStringLiteral("hooks.c"),
            core + QStringLiteral("main.cpp")};
}

} // namespace ArduinoMega
