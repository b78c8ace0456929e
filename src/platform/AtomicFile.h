#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, or leaves it exactly as it was.
// On failure returns false and puts the reason into *error.
bool saveAtomically(const QString &path, const QByteArray &bytes, QString *error);
