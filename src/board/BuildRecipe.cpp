#include "board/BuildRecipe.h"

#include "board/ArduinoMega.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <set>

namespace BuildRecipe {

bool writeSource(const QString &folder, const QByteArray &sketch, QString *error)
{
    QFile source(folder + u'/' + kSource);
    if (source.open(QIODevice::WriteOnly) &&
        source.write("#include <Arduino.h>\n#line 1 \"bb.ino\"\n" + sketch) >= 0 && source.flush())
        return true;
    *error = source.errorString();
    return false;
}

ToolCommand compilerVersion()
{
    return {QStringLiteral("avr-gcc"), {QStringLiteral("--version")}};
}

QList<ToolCommand> core(const QString &folder)
{
    QList<ToolCommand> commands;
    QStringList objects;
    for (const QString &source : ArduinoMega::coreSources()) {
        const bool cxx = source.endsWith(QStringLiteral(".cpp"));
        const QString object = folder + u'/' + QFileInfo(source).fileName() + QStringLiteral(".o");
        objects.append(object);
        commands.append({cxx ? QStringLiteral("avr-g++") : QStringLiteral("avr-gcc"),
                         (cxx ? ArduinoMega::cxxFlags() : ArduinoMega::cFlags()) +
                             QStringList{source, QStringLiteral("-o"), object}});
    }
    commands.append(
        {QStringLiteral("avr-gcc-ar"),
         QStringList{QStringLiteral("rcs"), folder + QStringLiteral("/core.a")} + objects});
    return commands;
}

ToolCommand compile()
{
    return {QStringLiteral("avr-g++"),
            ArduinoMega::cxxFlags() + QStringList{kSource, QStringLiteral("-o"), kObject}};
}

ToolCommand link(const QString &coreArchive, bool measure)
{
    return {QStringLiteral("avr-gcc"),
            ArduinoMega::linkFlags() +
                (measure ? QStringList{QStringLiteral("-Wl,--noinhibit-exec")} : QStringList()) +
                QStringList{QStringLiteral("-o"), kElf, kObject, coreArchive, QStringLiteral("-L."),
                            QStringLiteral("-lm")}};
}

ToolCommand sizes()
{
    return {QStringLiteral("avr-size"), {QStringLiteral("-A"), kElf}};
}

ToolCommand hex()
{
    return {QStringLiteral("avr-objcopy"),
            {QStringLiteral("-O"), QStringLiteral("ihex"), QStringLiteral("-R"),
             QStringLiteral(".eeprom"), kElf, kHex}};
}

ToolCommand upload(const QString &port)
{
    return {QStringLiteral("avrdude"),
            {QStringLiteral("-p"), QStringLiteral("atmega2560"), QStringLiteral("-c"),
             ArduinoMega::kUploadProtocol, QStringLiteral("-P"), port, QStringLiteral("-b"),
             QString::number(ArduinoMega::kUploadBaud), QStringLiteral("-D"), QStringLiteral("-U"),
             QStringLiteral("flash:w:%1:i").arg(kHex)}};
}

std::chrono::milliseconds transferTime(int bytes)
{
    const qint64 oneWay = qint64(bytes) * 10 * 1000 / ArduinoMega::kUploadBaud;
    return std::chrono::milliseconds(4 * oneWay);
}

QString packageOf(const QString &program)
{
    if (program == u"avrdude")
        return QStringLiteral("avrdude");
    if (program == u"avr-objcopy" || program == u"avr-size")
        return QStringLiteral("binutils-avr");
    return QStringLiteral("gcc-avr");
}

QStringList missingPackages(bool upload)
{
    std::set<QString> missing;
    for (const char *program : {"avr-gcc", "avr-g++", "avr-gcc-ar", "avr-objcopy", "avr-size"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            missing.insert(packageOf(QString::fromLatin1(program)));
    if (upload && QStandardPaths::findExecutable(QStringLiteral("avrdude")).isEmpty())
        missing.insert(QStringLiteral("avrdude"));
    if (!QFileInfo::exists(ArduinoMega::coreSources().constLast()))
        missing.insert(QStringLiteral("arduino-core-avr"));
    if (!QFileInfo::exists(QStringLiteral("/usr/lib/avr/include/avr/io.h")))
        missing.insert(QStringLiteral("avr-libc"));
    return QStringList(missing.begin(), missing.end());
}

} // namespace BuildRecipe
