#include "platform/ReadLimited.h"

#include <QFile>

#include <cstdio>

bool readLimited(const QString &path, qint64 limit, QByteArray *bytes, QString *error)
{
    QFile file(path);
    const bool opened =
        path == u"-" ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    if (opened) {
        bytes->resize(limit + 1);
        qint64 total = 0;
        for (qint64 got = 0; total < bytes->size(); total += got) {
            got = file.read(bytes->data() + total, bytes->size() - total);
            if (got <= 0)
                break;
        }
        bytes->truncate(total);
    }
    if (opened && file.error() == QFileDevice::NoError)
        return true;
    *error = file.errorString();
    return false;
}
