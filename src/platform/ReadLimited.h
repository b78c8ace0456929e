#pragma once

#include <QByteArray>
#include <QString>

// Reads path ("-" for standard input) into bytes, at most one byte past limit,
// so an endless input ends the read and a longer one shows as longer. False
// with the reason when it cannot be read.
bool readLimited(const QString &path, qint64 limit, QByteArray *bytes, QString *error);
