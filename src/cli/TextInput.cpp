#include "cli/TextInput.h"

#include <QRegularExpression>

namespace {

// Where the first malformed sequence starts, or -1: overlong forms, surrogates
// and code points past U+10FFFF count as malformed, as the Unicode standard says.
qsizetype firstInvalidUtf8(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char lead = data[i];
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (i + length > size)
            return i;
        for (int k = 1; k < length; ++k) {
            const unsigned char next = data[i + k];
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return i;
        }
        i += length;
    }
    return -1;
}

} // namespace

TextInput textInput(const QByteArray &bytes)
{
    TextInput input;
    input.invalidAt = firstInvalidUtf8(bytes);
    if (input.invalidAt >= 0)
        return input;
    QString text = QString::fromUtf8(bytes);
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    input.text = text.replace(lineBreak, QStringLiteral(" "));
    return input;
}
