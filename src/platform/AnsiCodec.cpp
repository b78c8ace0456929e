#include "platform/AnsiCodec.h"

#include <QStringEncoder>

QByteArray toAnsi(QStringView text)
{
    QStringEncoder encoder("cp950");
    Q_ASSERT(encoder.isValid());
    return encoder.encode(text);
}
