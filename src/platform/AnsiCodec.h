#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The sketch file's 8-bit code page: CP950 (Big5), what the Arduino tools of a
// Traditional Chinese Windows read. Characters it lacks become '?'.
QByteArray toAnsi(QStringView text);

// Whether this Qt can write CP950 (a Qt built without ICU cannot); the reason when not.
bool ansiAvailable(QString *reason);
