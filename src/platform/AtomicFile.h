#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Replaces the file at path with bytes, or leaves it exactly as it was.
// On failure returns false and puts the reason into *error. A device or a
// FIFO at path is written to in place.
bool saveAtomically(const QString &path, const QByteArray &bytes, QString *error);

// The same, for a file that write puts into the device piece by piece. When
// write returns false the file is left as it was too.
bool saveAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                    QString *error);

// Makes the folder path goes in, with its parents, when missing; false with the reason.
bool makeFolderFor(const QString &path, QString *error);
