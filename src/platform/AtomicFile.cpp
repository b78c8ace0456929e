#include "platform/AtomicFile.h"

#include <QSaveFile>

bool saveAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // commit() misses an error that only its own final flush meets, so flush first.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
        file.commit())
        return true;
    *error = file.errorString();
    return false;
}
