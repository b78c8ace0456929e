#include "platform/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

bool saveAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    return saveAtomically(
        path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, error);
}

bool saveAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                    QString *error)
{
    // A device or a FIFO (/dev/null, a pipe to a reader) is written to, never
    // replaced: swapping a regular file in would break whatever else uses it.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && write(file) && file.flush())
            return true;
        *error = file.errorString();
        return false;
    }
    QSaveFile file(path);
    // commit() misses an error that only its own final flush meets, so flush first.
    if (file.open(QIODevice::WriteOnly) && write(file) && file.flush() && file.commit())
        return true;
    *error = file.errorString();
    return false;
}

bool makeFolderFor(const QString &path, QString *error)
{
    // std::filesystem, unlike QDir::mkpath, says why a folder cannot be made.
    std::error_code failure;
    std::filesystem::create_directories(
        std::filesystem::path(QFileInfo(path).absolutePath().toStdU16String()), failure);
    if (!failure)
        return true;
    *error = QString::fromStdString(failure.message());
    return false;
}
