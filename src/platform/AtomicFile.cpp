#include "platform/AtomicFile.h"

#include <QSaveFile>

bool saveAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    return saveAtomically(
        path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, error);
}

bool saveAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                    QString *error)
{
    QSaveFile file(path);
    // commit() misses an error that only its own final flush meets, so flush first.
    if (file.open(QIODevice::WriteOnly) && write(file) && file.flush() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}
