#pragma once

#include <QByteArray>
#include <QStringView>

// The sketch file's 8-bit code page: CP950 (Big5), what the Arduino tools of a
// Traditional Chinese Windows read. Characters it lacks become '?'.
QByteArray toAnsi(QStringView text);
