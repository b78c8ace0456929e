#include "platform/AtomicFile.h"

#include <QSaveFile>

bool saveAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}
