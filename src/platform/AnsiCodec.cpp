#include "platform/AnsiCodec.h"

#include <QStringEncoder>

#include <QCoreApplication>

QByteArray toAnsi(QStringView text)
{
    QStringEncoder encoder("cp950");
    return encoder.encode(text);
}

bool ansiAvailable(QString *reason)
{
    if (QStringEncoder("cp950").isValid())
        return true;
    *reason = QCoreApplication::translate("Messages", "this Qt has no Big5 (CP950) encoder");
    return false;
}
