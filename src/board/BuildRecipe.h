#pragma once

#include "platform/ToolRun.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>

// The commands that turn a sketch into a program on the Mega 2560, as the
// Arduino IDE runs them; nothing is run here. Paths without a folder are in
// the build folder the commands run in.
namespace BuildRecipe {

inline const QString kSource = QStringLiteral("bb.ino.cpp");
inline const QString kObject = QStringLiteral("bb.ino.cpp.o");
inline const QString kElf = QStringLiteral("bb.elf");
inline const QString kHex = QStringLiteral("bb.hex");

// Puts the .ino into folder as the IDE hands it to the compiler; #line keeps
// the compiler's messages on the sketch's own lines.
bool writeSource(const QString &folder, const QByteArray &sketch, QString *error);

// Asked first: its answer names the cached core.
ToolCommand compilerVersion();

// Each core source compiled into folder, then archived as folder/core.a.
QList<ToolCommand> core(const QString &folder);

ToolCommand compile();
// measure: arrays too big for the SRAM fail the link; linked anyway, they tell
// avr-size how big, and the size check refuses them.
ToolCommand link(const QString &coreArchive, bool measure);

ToolCommand sizes();
ToolCommand hex();
ToolCommand upload(const QString &port);
// How long a board may take to answer avrdude; avrdude's own retries take 30 s.
inline constexpr std::chrono::seconds kAnswerTimeout{10};
// Writing and verifying bytes at the board's speed, with room to spare.
std::chrono::milliseconds transferTime(int bytes);

// The Debian packages of the programs and files the recipe needs that are
// not installed; upload: avrdude too.
QStringList missingPackages(bool upload);
QString packageOf(const QString &program);

} // namespace BuildRecipe
